#include "Network.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "RandomGenerator.h"

// Arithmetic note. Every formula below is written exactly as the model
// defines it: float fields, double literals where the model names a decimal
// constant, running sums rounded to float after every addition and kept in
// their given order. Independent sums (one per neuron, one per weight, one
// per output) run side by side in vector lanes; no sum is ever reordered.
// Built with -ffp-contract=off: no fused multiply-add.
//
// Vector lanes. The hot loops hold one value per hidden neuron in G native
// vectors of the instruction set (4 floats with SSE2, 8 with AVX2), G the
// fewest that hold hiddenCount lanes. Lanes past hiddenCount compute
// throw-away values; only lanes below hiddenCount are ever stored into the
// state record. They are GCC/Clang vectors because plain loops did not
// vectorise reliably: GCC unrolled the short fixed loops and then failed to
// combine them, and left the float/double weight update scalar. Vectors
// wider than the hardware are avoided too: GCC splits their comparisons
// into one lane at a time.
//
// Instruction sets. The hot loops are built twice, for baseline x86-64
// (SSE2) and for AVX2, chosen once at construction by what the processor
// supports. Both give the same bits: without contraction or reassociation
// every lane performs the same IEEE operations in the same order. Defining
// VARKELON_BASELINE_ONLY keeps to the baseline build, to check that path.

#if defined(__x86_64__) || defined(__i386__)
#define VARKELON_AVX2 __attribute__((target("avx2")))
#else
#define VARKELON_AVX2
#endif

// The kernels are inlined into each caller, so that they are compiled for
// its instruction set. They take vectors by reference: a wide vector passed
// by value has another calling convention under AVX.
#define VARKELON_KERNEL [[gnu::always_inline]] inline

namespace varkelon {

namespace {

// The native vectors of the two builds: floats, the doubles of the same
// lanes (the weight update), the masks that comparisons give, and the
// floats as read from and written to any float array (the vector types of
// the compilers' own intrinsics headers, __m128_u and __m256_u; a typedef,
// as Clang drops a lowered alignment from an alias declaration).
struct Sse2 {
    static constexpr std::int32_t kWidth = 4;
    using Floats = float __attribute__((vector_size(16)));
    using Doubles = double __attribute__((vector_size(32)));
    using Mask = std::int32_t __attribute__((vector_size(16)));
    typedef float InMemory __attribute__((vector_size(16), aligned(4), may_alias));
};
struct Avx2 {
    static constexpr std::int32_t kWidth = 8;
    using Floats = float __attribute__((vector_size(32)));
    using Doubles = double __attribute__((vector_size(64)));
    using Mask = std::int32_t __attribute__((vector_size(32)));
    typedef float InMemory __attribute__((vector_size(32), aligned(4), may_alias));
};

bool hasAvx2() {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(VARKELON_BASELINE_ONLY)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

// The fewest vectors of Isa that hold hiddenCount lanes.
template <class Isa>
std::int32_t vectorsFor(std::int32_t hiddenCount) {
    return (hiddenCount + Isa::kWidth - 1) / Isa::kWidth;
}

template <class Isa>
VARKELON_KERNEL void load(typename Isa::Floats& lanes, const float* from) {
    lanes = *reinterpret_cast<const typename Isa::InMemory*>(from);
}

template <class Isa>
VARKELON_KERNEL void store(float* to, const typename Isa::Floats& lanes) {
    *reinterpret_cast<typename Isa::InMemory*>(to) = lanes;
}

// Lanes of the columns of a weight row. A row has 10 columns: whole vectors
// up to column 8 (4 or 8 lanes wide), then the last two in a vector of
// their own, whose other lanes read as zero and are never written back.
// The tail is built from two scalars, not copied through memory, so that
// no vector load has to wait for narrower stores.
template <class Isa>
constexpr std::int32_t kWholeVectors = kMaxHidden / Isa::kWidth;

template <class Isa, std::int32_t G>
VARKELON_KERNEL void loadRow(typename Isa::Floats (&lanes)[G], const float (&row)[kMaxHidden]) {
    constexpr std::int32_t whole = std::min(G, kWholeVectors<Isa>);
    for (std::int32_t g = 0; g < whole; ++g) load<Isa>(lanes[g], &row[g * Isa::kWidth]);
    if constexpr (G > whole) {
        static_assert(G == whole + 1 && kMaxHidden - whole * Isa::kWidth == 2);
        typename Isa::Floats tail = {};
        tail[0] = row[kMaxHidden - 2];
        tail[1] = row[kMaxHidden - 1];
        lanes[whole] = tail;
    }
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void storeRow(float (&row)[kMaxHidden], const typename Isa::Floats (&lanes)[G]) {
    constexpr std::int32_t whole = std::min(G, kWholeVectors<Isa>);
    for (std::int32_t g = 0; g < whole; ++g) store<Isa>(&row[g * Isa::kWidth], lanes[g]);
    if constexpr (G > whole) {
        row[kMaxHidden - 2] = lanes[whole][0];
        row[kMaxHidden - 1] = lanes[whole][1];
    }
}

// std::abs lane by lane: the sign bit cleared.
template <class Isa>
VARKELON_KERNEL void makeAbsolute(typename Isa::Floats& lanes) {
    using Floats = typename Isa::Floats;
    using Mask = typename Isa::Mask;
    lanes = reinterpret_cast<Floats>(reinterpret_cast<Mask>(lanes) & 0x7fffffff);
}

// lanes = keep ? lanes : other, lane by lane.
template <class Isa>
VARKELON_KERNEL void select(typename Isa::Floats& lanes, const typename Isa::Mask& keep,
                            const typename Isa::Floats& other) {
    using Floats = typename Isa::Floats;
    using Mask = typename Isa::Mask;
    lanes = reinterpret_cast<Floats>((reinterpret_cast<Mask>(lanes) & keep) |
                                     (reinterpret_cast<Mask>(other) & ~keep));
}

// Transposes a block of W x W floats held as W row vectors: rows[i][j]
// becomes rows[j][i]. The usual unpack-and-shuffle sequence; pure moves.
template <class Isa>
VARKELON_KERNEL void transpose(typename Isa::Floats (&rows)[Isa::kWidth]) {
    using Floats = typename Isa::Floats;
    auto& r = rows;
    if constexpr (Isa::kWidth == 4) {
        const Floats t0 = __builtin_shufflevector(r[0], r[1], 0, 4, 1, 5);
        const Floats t1 = __builtin_shufflevector(r[0], r[1], 2, 6, 3, 7);
        const Floats t2 = __builtin_shufflevector(r[2], r[3], 0, 4, 1, 5);
        const Floats t3 = __builtin_shufflevector(r[2], r[3], 2, 6, 3, 7);
        r[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
        r[1] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
        r[2] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
        r[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
    } else {
        static_assert(Isa::kWidth == 8);
        Floats t[8];
        for (std::int32_t i = 0; i < 8; i += 2) {
            t[i] = __builtin_shufflevector(r[i], r[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
            t[i + 1] = __builtin_shufflevector(r[i], r[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
        }
        Floats u[8];
        for (std::int32_t i = 0; i < 8; i += 4) {
            u[i] = __builtin_shufflevector(t[i], t[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
            u[i + 1] = __builtin_shufflevector(t[i], t[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
            u[i + 2] = __builtin_shufflevector(t[i + 1], t[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
            u[i + 3] = __builtin_shufflevector(t[i + 1], t[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
        }
        for (std::int32_t i = 0; i < 4; ++i) {
            r[i] = __builtin_shufflevector(u[i], u[i + 4], 0, 1, 2, 3, 8, 9, 10, 11);
            r[i + 4] = __builtin_shufflevector(u[i], u[i + 4], 4, 5, 6, 7, 12, 13, 14, 15);
        }
    }
}

// The columns of a weight matrix as vectors across its rows:
// columns[k][g] lane i = matrix[g W + i][k], for the first RowGroups x W
// rows (rows past the matrix read as zero) and ColumnGroups x W columns
// (columns past the 10th read as zero). Rows are read as vectors and
// transposed in registers, W x W at a time.
template <class Isa, std::int32_t RowGroups, std::int32_t ColumnGroups, std::size_t Rows>
VARKELON_KERNEL void loadColumns(
    typename Isa::Floats (&columns)[ColumnGroups * Isa::kWidth][RowGroups],
    const float (&matrix)[Rows][kMaxHidden]) {
    using Floats = typename Isa::Floats;
    constexpr std::int32_t W = Isa::kWidth;
    for (std::int32_t g = 0; g < RowGroups; ++g) {
        Floats rows[W][ColumnGroups];
        for (std::int32_t i = 0; i < W; ++i) {
            if (g * W + i < static_cast<std::int32_t>(Rows)) {
                loadRow<Isa>(rows[i], matrix[g * W + i]);
            } else {
                for (Floats& part : rows[i]) part = Floats{};
            }
        }
        for (std::int32_t c = 0; c < ColumnGroups; ++c) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i) block[i] = rows[i][c];
            transpose<Isa>(block);
            for (std::int32_t j = 0; j < W; ++j) columns[c * W + j][g] = block[j];
        }
    }
}

// Rows first .. first + R - 1 of a weight matrix moved by their gradients;
// lanes outside `active` keep their old weight. The rows are interleaved
// statement by statement: each is a long chain of dependent operations.
template <class Isa, std::int32_t G, std::int32_t R, std::size_t Rows>
VARKELON_KERNEL void moveRows(float (&weights)[Rows][kMaxHidden], std::int32_t first,
                              const typename Isa::Floats (&gradient)[R][G], float rate,
                              const typename Isa::Mask (&active)[G]) {
    using Floats = typename Isa::Floats;
    using Doubles = typename Isa::Doubles;
    Floats old[R][G];
    for (std::int32_t r = 0; r < R; ++r) loadRow<Isa>(old[r], weights[first + r]);
    Floats weight[R][G];
    for (std::int32_t g = 0; g < G; ++g) {
        // w + rate x g x (1.125 - w x w): rate x g and w x w are float
        // products, the rest is double, as the scalar expression evaluates.
        Doubles step[R];
        for (std::int32_t r = 0; r < R; ++r) {
            step[r] = __builtin_convertvector(rate * gradient[r][g], Doubles) *
                      (1.125 - __builtin_convertvector(old[r][g] * old[r][g], Doubles));
        }
        for (std::int32_t r = 0; r < R; ++r) {
            const Doubles sum = __builtin_convertvector(old[r][g], Doubles) + step[r];
            weight[r][g] = __builtin_convertvector(sum, Floats);
        }
        // A weight that leaves [-1, 1] (or is NaN) goes back to +-0.9375.
        for (std::int32_t r = 0; r < R; ++r) {
            select<Isa>(weight[r][g], weight[r][g] >= -1.0f, Floats{} - 0.9375f);
            select<Isa>(weight[r][g], ~(weight[r][g] > 1.0f), Floats{} + 0.9375f);
            select<Isa>(weight[r][g], active[g], old[r][g]);
        }
    }
    for (std::int32_t r = 0; r < R; ++r) storeRow<Isa>(weights[first + r], weight[r]);
}

// Rows first .. first + R - 1 of a weight matrix moved by their gradients,
// the gradient of row r being the sum over t = 0 .. depth - 1, in that
// order, of factors[r][t] x bySlot[t]. The R rows run side by side: a
// row's sum is a chain of dependent additions, and R chains keep the
// adders busy.
template <class Isa, std::int32_t G, std::int32_t R, std::size_t Rows, std::size_t Width>
VARKELON_KERNEL void updateRows(float (&weights)[Rows][kMaxHidden],
                                const float (&factors)[Rows][kMaxSlots],
                                const float (&bySlot)[kMaxSlots][Width], std::int32_t first,
                                std::int32_t depth, float rate,
                                const typename Isa::Mask (&active)[G]) {
    using Floats = typename Isa::Floats;
    static_assert(G * Isa::kWidth <= static_cast<std::int32_t>(Width));
    Floats gradient[R][G] = {};
    Floats lanes[G];
    for (std::int32_t t = 0; t < depth; ++t) {
        for (std::int32_t g = 0; g < G; ++g) load<Isa>(lanes[g], &bySlot[t][g * Isa::kWidth]);
        for (std::int32_t r = 0; r < R; ++r) {
            for (std::int32_t g = 0; g < G; ++g) {
                gradient[r][g] = gradient[r][g] + factors[first + r][t] * lanes[g];
            }
        }
    }
    moveRows<Isa, G, R>(weights, first, gradient, rate, active);
}

// All `count` rows of a weight matrix, four at a time, then one at a time.
template <class Isa, std::int32_t G, std::size_t Rows, std::size_t Width>
VARKELON_KERNEL void updateMatrix(float (&weights)[Rows][kMaxHidden],
                                  const float (&factors)[Rows][kMaxSlots],
                                  const float (&bySlot)[kMaxSlots][Width], std::int32_t count,
                                  std::int32_t depth, float rate,
                                  const typename Isa::Mask (&active)[G]) {
    std::int32_t first = 0;
    for (; first + 4 <= count; first += 4) {
        updateRows<Isa, G, 4>(weights, factors, bySlot, first, depth, rate, active);
    }
    for (; first < count; ++first) {
        updateRows<Isa, G, 1>(weights, factors, bySlot, first, depth, rate, active);
    }
}

}  // namespace

Network::Network(RandomGenerator& random) : random_(random), avx2_(hasAvx2()) {
    const auto clear = [](auto& scratch) {
        for (auto& row : scratch) {
            for (float& value : row) value = 0;
        }
    };
    clear(deltaBySlot_);
    clear(stateBySlot_);
    initialise();
}

float Network::randomInitialWeight() {
    const std::int32_t r1 = random_.randomInt();
    const std::int32_t r2 = random_.randomInt();
    const float magnitude = (r1 % 15000) * 0.00001 + 0.05;
    return (r2 % 1000) < 500 ? -magnitude : magnitude;
}

void Network::initialise() {
    inputCount = kMaxChannels;
    outputCount = kMaxChannels;
    historyDepth = kMaxSlots;
    estimationHistorySize = 140;

    random_.seedFromClock();
    // All ten columns, whatever hiddenCount is: 880 draws in this order.
    for (auto& row : weightsInHidden) {
        for (float& weight : row) weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenHidden) {
        for (float& weight : row) weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenOut) {
        for (float& weight : row) weight = randomInitialWeight();
    }

    for (float& entry : estimationHistory) entry = 0;
    for (std::int32_t t = 0; t < kMaxSlots; ++t) {
        for (std::int32_t i = 0; i < kMaxChannels; ++i) {
            inputHistory[i][t] = 0;
            errors[i][t] = 0;
            targets[i][t] = 0;
            outputs[i][t] = 0;
        }
        for (std::int32_t h = 0; h < kMaxHidden; ++h) {
            hiddenState[h][t] = 0;
            hiddenDelta[h][t] = 0;
        }
    }

    hiddenCount = 7;
    timeSlot = 0;
    estimationIndex = 0;
    activationSoftness = 0.1f;
    learningRate = 0.1f;
    estimation = 0;
    previousEstimation = 0;
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::forwardPassWith() {
    using Floats = typename Isa::Floats;
    constexpr std::int32_t W = Isa::kWidth;
    const std::int32_t s = previousSlot();

    // The recurrent weights into the neurons, as vectors across them: the
    // columns of weightsHiddenHidden.
    Floats recurrent[G * W][G];
    loadColumns<Isa, G, G>(recurrent, weightsHiddenHidden);

    // Hidden sums: inputs of the previous slot, then the hidden states of the
    // previous slot, each sum in that order.
    Floats sum[G] = {};
    Floats weights[G];
    for (std::int32_t j = 0; j < inputCount; ++j) {
        loadRow<Isa>(weights, weightsInHidden[j]);
        for (std::int32_t g = 0; g < G; ++g) sum[g] = sum[g] + inputHistory[j][s] * weights[g];
    }
    for (std::int32_t k = 0; k < hiddenCount; ++k) {
        for (std::int32_t g = 0; g < G; ++g) sum[g] = sum[g] + hiddenState[k][s] * recurrent[k][g];
    }
    float activation[G * W];
    for (std::int32_t g = 0; g < G; ++g) {
        Floats magnitude = sum[g];
        makeAbsolute<Isa>(magnitude);
        store<Isa>(&activation[g * W], sum[g] / (activationSoftness + magnitude));
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) hiddenState[h][timeSlot] = activation[h];

    // Linear outputs, from the complete hidden layer of this slot. Each sum
    // runs over h in order; the outputs run side by side, W at a time, over
    // the columns of weightsHiddenOut.
    constexpr std::int32_t outputGroups = (kMaxChannels + W - 1) / W;
    Floats outputWeights[G * W][outputGroups];
    loadColumns<Isa, outputGroups, G>(outputWeights, weightsHiddenOut);
    for (std::int32_t g = 0; g < outputGroups && g * W < outputCount; ++g) {
        Floats output = {};
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            output = output + activation[h] * outputWeights[h][g];
        }
        for (std::int32_t o = g * W; o < outputCount && o < (g + 1) * W; ++o) {
            outputs[o][timeSlot] = output[o - g * W];
        }
    }
}

void Network::forwardPass() {
    if (avx2_) {
        forwardPassAvx2();
        return;
    }
    switch (vectorsFor<Sse2>(hiddenCount)) {
        case 1: forwardPassWith<Sse2, 1>(); break;
        case 2: forwardPassWith<Sse2, 2>(); break;
        default: forwardPassWith<Sse2, 3>(); break;
    }
}

VARKELON_AVX2 void Network::forwardPassAvx2() {
    switch (vectorsFor<Avx2>(hiddenCount)) {
        case 1: forwardPassWith<Avx2, 1>(); break;
        default: forwardPassWith<Avx2, 2>(); break;
    }
}

void Network::computeErrors() {
    for (std::int32_t o = 0; o < outputCount; ++o) {
        errors[o][timeSlot] = targets[o][timeSlot] - outputs[o][timeSlot];
    }
}

void Network::computeEstimation() {
    float sum = 0;
    for (std::int32_t o = 0; o < outputCount; ++o) sum = sum + std::abs(errors[o][timeSlot]);
    const float mean = sum / outputCount;
    estimation = mean * mean;
    estimationHistory[estimationIndex] = 10 * estimation;
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::copyBySlot(const float (&byNeuron)[kMaxHidden][kMaxSlots],
                                         float (&bySlot)[kMaxSlots][kLanes]) const {
    // In W x W blocks: W neurons' rows of W slots in, W slots' rows of W
    // neurons out. All 8 slots, whatever historyDepth is (slots past it are
    // never read); the lanes of neurons past the 10th are zero.
    constexpr std::int32_t W = Isa::kWidth;
    using Floats = typename Isa::Floats;
    for (std::int32_t g = 0; g < G; ++g) {
        for (std::int32_t first = 0; first < kMaxSlots; first += W) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i) {
                block[i] = Floats{};
                if (g * W + i < kMaxHidden) load<Isa>(block[i], &byNeuron[g * W + i][first]);
            }
            transpose<Isa>(block);
            for (std::int32_t i = 0; i < W; ++i) store<Isa>(&bySlot[first + i][g * W], block[i]);
        }
    }
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::copyByNeuron(const float (&bySlot)[kMaxSlots][kLanes],
                                           float (&byNeuron)[kMaxHidden][kMaxSlots]) const {
    // The way back, into the rows of the active neurons only.
    constexpr std::int32_t W = Isa::kWidth;
    using Floats = typename Isa::Floats;
    for (std::int32_t g = 0; g < G; ++g) {
        for (std::int32_t first = 0; first < kMaxSlots; first += W) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i) load<Isa>(block[i], &bySlot[first + i][g * W]);
            transpose<Isa>(block);
            for (std::int32_t i = 0; i < W && g * W + i < hiddenCount; ++i) {
                store<Isa>(&byNeuron[g * W + i][first], block[i]);
            }
        }
    }
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::backPropagateWith() {
    using Floats = typename Isa::Floats;
    constexpr std::int32_t W = Isa::kWidth;
    copyBySlot<Isa, G>(hiddenState, stateBySlot_);
    // The stages write their signals slot-major into deltaBySlot_, which
    // goes back into hiddenDelta at the end; slots that no stage writes
    // (with fewer than 8 in use) go back unchanged.
    copyBySlot<Isa, G>(hiddenDelta, deltaBySlot_);

    // Projection of each slot's errors onto each hidden neuron. They do not
    // depend on one another, so they are formed first, each weight row
    // loaded once for as many slots as stay in registers (8 vectors of
    // sums). All 8 slots: constant trip counts unroll; the projection no
    // stage asks for is dropped.
    constexpr std::int32_t slotsAtOnce = kMaxSlots / G;
    Floats projection[kMaxSlots][G] = {};
    Floats weights[G];
    for (std::int32_t first = 0; first < kMaxSlots; first += slotsAtOnce) {
        for (std::int32_t o = 0; o < outputCount; ++o) {
            loadRow<Isa>(weights, weightsHiddenOut[o]);
            for (std::int32_t t = first; t < first + slotsAtOnce && t < kMaxSlots; ++t) {
                for (std::int32_t g = 0; g < G; ++g) {
                    projection[t][g] = projection[t][g] + errors[o][t] * weights[g];
                }
            }
        }
    }

    // Each stage reads the signals the one before it left in slot s.
    // The stages form one chain, each stage needing all of the signals the
    // one before it left in slot s; those stay in registers (`delta`), and
    // the loop over them has a constant bound, so that each signal is
    // broadcast from a register rather than reloaded from memory.
    Floats delta[G] = {};
    std::int32_t s = timeSlot;
    for (std::int32_t stage = 1; stage <= historyDepth - 1; ++stage) {
        const std::int32_t p = s == 0 ? historyDepth - 1 : s - 1;
        Floats sum[G];
        for (std::int32_t g = 0; g < G; ++g) sum[g] = projection[s][g];

        if (stage == 1) {
            // The current slot keeps the plain projection.
            for (std::int32_t g = 0; g < G; ++g) store<Isa>(&deltaBySlot_[s][g * W], sum[g]);
        } else {
            // The signals the previous stage left in slot s, carried back
            // through the recurrent weights.
            for (std::int32_t k = 0; k < G * W && k < hiddenCount; ++k) {
                loadRow<Isa>(weights, weightsHiddenHidden[k]);
                const float signal = delta[k / W][k % W];
                for (std::int32_t g = 0; g < G; ++g) sum[g] = sum[g] + weights[g] * signal;
            }
        }

        // Times the activation's derivative (1 - |f|)^2 / k at slot s.
        for (std::int32_t g = 0; g < G; ++g) {
            Floats d;
            load<Isa>(d, &stateBySlot_[s][g * W]);
            makeAbsolute<Isa>(d);
            d = 1.0f - d;
            delta[g] = d * d * sum[g] / activationSoftness;
            store<Isa>(&deltaBySlot_[p][g * W], delta[g]);
        }
        s = p;
    }
    copyByNeuron<Isa, G>(deltaBySlot_, hiddenDelta);
}

void Network::backPropagate() {
    if (avx2_) {
        backPropagateAvx2();
        return;
    }
    switch (vectorsFor<Sse2>(hiddenCount)) {
        case 1: backPropagateWith<Sse2, 1>(); break;
        case 2: backPropagateWith<Sse2, 2>(); break;
        default: backPropagateWith<Sse2, 3>(); break;
    }
}

VARKELON_AVX2 void Network::backPropagateAvx2() {
    switch (vectorsFor<Avx2>(hiddenCount)) {
        case 1: backPropagateWith<Avx2, 1>(); break;
        default: backPropagateWith<Avx2, 2>(); break;
    }
}

float Network::adaptLearningRate(TeachingRegime regime) {
    switch (regime) {
        case TeachingRegime::Static:
            if (estimation > previousEstimation) {
                learningRate = learningRate * 0.5882352941176471;  // divided by 1.7
            } else if ((previousEstimation - estimation) / (estimation + 1e-10) < 0.002) {
                learningRate = learningRate * 3;  // improving by less than 0.2 %
            }
            previousEstimation = estimation;
            break;
        case TeachingRegime::Sin:
        case TeachingRegime::SinPlusRandom:
            learningRate = 33 * estimation / hiddenCount;
            break;
        case TeachingRegime::Random:
            learningRate = 10 * estimation / hiddenCount;
            break;
        case TeachingRegime::None:
            break;
    }
    // Written as "not at least" so that a NaN rate is caught too.
    if (learningRate > 0.007) {
        learningRate = 0.007;
    } else if (!(learningRate >= 1e-7)) {
        learningRate = 1e-7;
    }
    return learningRate;
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::updateWeightRows(std::int32_t depth) {
    copyBySlot<Isa, G>(hiddenDelta, deltaBySlot_);
    copyBySlot<Isa, G>(hiddenState, stateBySlot_);

    typename Isa::Mask active[G];
    for (std::int32_t h = 0; h < G * Isa::kWidth; ++h) {
        active[h / Isa::kWidth][h % Isa::kWidth] = h < hiddenCount ? -1 : 0;
    }
    const float rate = learningRate;

    // Each gradient sums over the slots t = 0, 1, ... in order; the sums of
    // one row of weights run side by side.
    // Input to hidden: sum over t of hiddenDelta[h][t] x inputHistory[j][t].
    updateMatrix<Isa>(weightsInHidden, inputHistory, deltaBySlot_, inputCount, depth, rate, active);
    // Hidden to hidden: sum over t of hiddenDelta[h][t] x hiddenState[k][t].
    updateMatrix<Isa>(weightsHiddenHidden, hiddenDelta, stateBySlot_, hiddenCount, depth, rate,
                      active);
    // Hidden to output: sum over t of errors[o][t] x hiddenState[h][t].
    updateMatrix<Isa>(weightsHiddenOut, errors, stateBySlot_, outputCount, depth, rate, active);
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void Network::updateWeightsWith() {
    // Teaching always runs with all 8 slots: as a constant, that depth lets
    // the slot sums unroll without a test per slot.
    if (historyDepth == kMaxSlots) {
        updateWeightRows<Isa, G>(kMaxSlots);
    } else {
        updateWeightRows<Isa, G>(historyDepth);
    }
}

void Network::updateWeights(TeachingRegime regime) {
    learningRate = adaptLearningRate(regime);
    if (avx2_) {
        updateWeightsAvx2();
        return;
    }
    switch (vectorsFor<Sse2>(hiddenCount)) {
        case 1: updateWeightsWith<Sse2, 1>(); break;
        case 2: updateWeightsWith<Sse2, 2>(); break;
        default: updateWeightsWith<Sse2, 3>(); break;
    }
}

VARKELON_AVX2 void Network::updateWeightsAvx2() {
    switch (vectorsFor<Avx2>(hiddenCount)) {
        case 1: updateWeightsWith<Avx2, 1>(); break;
        default: updateWeightsWith<Avx2, 2>(); break;
    }
}

void Network::checkStagnation(std::int32_t iteration) {
    if (iteration % 30 != 0) return;

    const std::int32_t e = estimationIndex;
    const std::int32_t n = estimationHistorySize;
    std::int32_t a = e - 40;
    if (a < 0) a += n;
    std::int32_t b = e - 20;
    if (b < 0) b += n;

    // Entries e-39 .. e-20, then e-19 .. e, wrapping at the end of the ring.
    float olderSum = 0;
    while (a != b) {
        a = a + 1;
        if (a >= n) a = 0;
        olderSum = olderSum + estimationHistory[a];
    }
    float newerSum = 0;
    while (b != e) {
        b = b + 1;
        if (b >= n) b = 0;
        newerSum = newerSum + estimationHistory[b];
    }

    const float band = 0.2 * newerSum;
    if (newerSum + band > olderSum && newerSum - band < olderSum) shakeWeights(0.01f);
}


// Inline: a shake makes some 300 of these in a row.
inline void Network::perturbWeight(float& weight, float amplitude) {
    const std::int32_t r = random_.randomInt();
    float q = (r % 10000) * 0.0001;
    // The sign flip as a bit operation: a weight's sign is a coin toss, and
    // a branch on it would be mispredicted half the time.
    const std::uint32_t flip = weight > 0 ? 0x80000000u : 0u;
    q = std::bit_cast<float>(std::bit_cast<std::uint32_t>(q) ^ flip);
    weight = weight + q * amplitude;
}

void Network::shakeWeights(float amplitude) {
    random_.seedFromClock();
    for (std::int32_t j = 0; j < inputCount; ++j) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            perturbWeight(weightsInHidden[j][h], amplitude);
        }
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        for (std::int32_t k = 0; k < hiddenCount; ++k) {
            perturbWeight(weightsHiddenHidden[h][k], amplitude);
        }
    }
    for (std::int32_t o = 0; o < outputCount; ++o) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            perturbWeight(weightsHiddenOut[o][h], amplitude);
        }
    }
    learningRate = 0.1f;
}

}  // namespace varkelon
