#pragma once

// The vector builds of the network's hot loops, written once for any
// instruction set Isa: each build's file (NetworkKernelsSse2.cpp, ...)
// defines Isa and includes this header, compiled with that set's flags.
// Everything here has internal linkage, so that no function compiled for
// one set can stand in for another's. Isa provides kWidth (W), Floats,
// Doubles (the same lanes in double precision), Mask (what comparisons
// give) and InMemory (Floats as read from and written to any float array).
//
// Every lane performs the float operations of the plain loops in
// Network.cpp in the same order: independent sums (one per neuron, weight
// or output) run side by side, no sum is reordered, no multiply-add is
// fused. Hence the same bits. One value per hidden neuron is held in G
// vectors, the fewest that hold hiddenCount lanes; lanes past hiddenCount
// compute throw-away values and are never stored into the state record.
// GCC/Clang vectors, because plain loops did not vectorise reliably (GCC
// unrolled the short loops, then failed to combine them, and left the
// float/double weight update scalar); none wider than the hardware, whose
// comparisons GCC would split lane by lane.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "Network.h"
#include "NetworkKernels.h"
// Loads, stores and transposes of lanes; VARKELON_KERNEL, the inlining
// that makes each kernel one straight function.
#include "NetworkVectorLanes.h"

namespace varkelon {
namespace {

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
    for (std::int32_t r = 0; r < R; ++r)
        loadRow<Isa>(old[r], weights[first + r]);
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
    for (std::int32_t r = 0; r < R; ++r)
        storeRow<Isa>(weights[first + r], weight[r]);
}

// Rows first .. first + R - 1 of a weight matrix moved by their gradients,
// the gradient of row r being the sum over t = 0 .. depth - 1, in that
// order, of factors[r][t] x bySlot[t]. The R rows run side by side: a
// row's sum is a chain of dependent additions, and R chains keep the
// adders busy.
template <class Isa, std::int32_t G, std::int32_t R, std::size_t Rows>
VARKELON_KERNEL void updateRows(float (&weights)[Rows][kMaxHidden],
                                const float (&factors)[Rows][kMaxSlots],
                                const float (&bySlot)[kMaxSlots][kLanes], std::int32_t first,
                                std::int32_t depth, float rate,
                                const typename Isa::Mask (&active)[G]) {
    using Floats = typename Isa::Floats;
    static_assert(G * Isa::kWidth <= kLanes);
    Floats gradient[R][G] = {};
    Floats lanes[G];
    for (std::int32_t t = 0; t < depth; ++t) {
        for (std::int32_t g = 0; g < G; ++g)
            load<Isa>(lanes[g], &bySlot[t][g * Isa::kWidth]);
        for (std::int32_t r = 0; r < R; ++r) {
            for (std::int32_t g = 0; g < G; ++g) {
                gradient[r][g] = gradient[r][g] + factors[first + r][t] * lanes[g];
            }
        }
    }
    moveRows<Isa, G, R>(weights, first, gradient, rate, active);
}

// All `count` rows of a weight matrix, four at a time, then one at a time.
template <class Isa, std::int32_t G, std::size_t Rows>
VARKELON_KERNEL void updateMatrix(float (&weights)[Rows][kMaxHidden],
                                  const float (&factors)[Rows][kMaxSlots],
                                  const float (&bySlot)[kMaxSlots][kLanes], std::int32_t count,
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

template <class Isa, std::int32_t G>
void forwardPass(Network& n) {
    using Floats = typename Isa::Floats;
    constexpr std::int32_t W = Isa::kWidth;
    const std::int32_t s = n.previousSlot();

    // The recurrent weights into the neurons, as vectors across them: the
    // columns of weightsHiddenHidden.
    Floats recurrent[G * W][G];
    loadColumns<Isa, G, G>(recurrent, n.weightsHiddenHidden);

    // Hidden sums: inputs of the previous slot, then the hidden states of the
    // previous slot, each sum in that order.
    Floats sum[G] = {};
    Floats weights[G];
    for (std::int32_t j = 0; j < n.inputCount; ++j) {
        loadRow<Isa>(weights, n.weightsInHidden[j]);
        for (std::int32_t g = 0; g < G; ++g)
            sum[g] = sum[g] + n.inputHistory[j][s] * weights[g];
    }
    for (std::int32_t k = 0; k < n.hiddenCount; ++k) {
        for (std::int32_t g = 0; g < G; ++g) {
            sum[g] = sum[g] + n.hiddenState[k][s] * recurrent[k][g];
        }
    }
    float activation[G * W];
    for (std::int32_t g = 0; g < G; ++g) {
        Floats magnitude = sum[g];
        makeAbsolute<Isa>(magnitude);
        store<Isa>(&activation[g * W], sum[g] / (n.activationSoftness + magnitude));
    }
    for (std::int32_t h = 0; h < n.hiddenCount; ++h)
        n.hiddenState[h][n.timeSlot] = activation[h];

    // Linear outputs, from the complete hidden layer of this slot. Each sum
    // runs over h in order; the outputs run side by side, W at a time, over
    // the columns of weightsHiddenOut.
    constexpr std::int32_t outputGroups = (kMaxChannels + W - 1) / W;
    Floats outputWeights[G * W][outputGroups];
    loadColumns<Isa, outputGroups, G>(outputWeights, n.weightsHiddenOut);
    for (std::int32_t g = 0; g < outputGroups && g * W < n.outputCount; ++g) {
        Floats output = {};
        for (std::int32_t h = 0; h < n.hiddenCount; ++h) {
            output = output + activation[h] * outputWeights[h][g];
        }
        for (std::int32_t o = g * W; o < n.outputCount && o < (g + 1) * W; ++o) {
            n.outputs[o][n.timeSlot] = output[o - g * W];
        }
    }
}

template <class Isa, std::int32_t G>
void backPropagate(Network& n) {
    using Floats = typename Isa::Floats;
    constexpr std::int32_t W = Isa::kWidth;
    alignas(64) float stateBySlot[kMaxSlots][kLanes];
    alignas(64) float deltaBySlot[kMaxSlots][kLanes];
    copyBySlot<Isa, G>(n.hiddenState, stateBySlot);
    // The stages write slot-major into deltaBySlot, which goes back into
    // hiddenDelta at the end; slots no stage writes go back unchanged.
    copyBySlot<Isa, G>(n.hiddenDelta, deltaBySlot);

    // Projection of each slot's errors onto each hidden neuron, formed first,
    // each weight row loaded once for as many slots as stay in registers (8
    // vectors of sums). All 8 slots: constant trip counts unroll.
    constexpr std::int32_t slotsAtOnce = kMaxSlots / G;
    Floats projection[kMaxSlots][G] = {};
    Floats weights[G];
    for (std::int32_t first = 0; first < kMaxSlots; first += slotsAtOnce) {
        for (std::int32_t o = 0; o < n.outputCount; ++o) {
            loadRow<Isa>(weights, n.weightsHiddenOut[o]);
            for (std::int32_t t = first; t < first + slotsAtOnce && t < kMaxSlots; ++t) {
                for (std::int32_t g = 0; g < G; ++g) {
                    projection[t][g] = projection[t][g] + n.errors[o][t] * weights[g];
                }
            }
        }
    }

    // The stages form one chain, each needing all the signals the one before
    // it left in slot s: they stay in registers (`delta`), broadcast from there.
    Floats delta[G] = {};
    std::int32_t s = n.timeSlot;
    for (std::int32_t stage = 1; stage <= n.historyDepth - 1; ++stage) {
        const std::int32_t p = s == 0 ? n.historyDepth - 1 : s - 1;
        Floats sum[G];
        for (std::int32_t g = 0; g < G; ++g)
            sum[g] = projection[s][g];

        if (stage == 1) {
            // The current slot keeps the plain projection.
            for (std::int32_t g = 0; g < G; ++g)
                store<Isa>(&deltaBySlot[s][g * W], sum[g]);
        } else {
            // The signals the previous stage left in slot s, carried back
            // through the recurrent weights.
            for (std::int32_t k = 0; k < G * W && k < n.hiddenCount; ++k) {
                loadRow<Isa>(weights, n.weightsHiddenHidden[k]);
                const float signal = delta[k / W][k % W];
                for (std::int32_t g = 0; g < G; ++g)
                    sum[g] = sum[g] + weights[g] * signal;
            }
        }

        // Times the activation's derivative (1 - |f|)^2 / k at slot s.
        for (std::int32_t g = 0; g < G; ++g) {
            Floats d;
            load<Isa>(d, &stateBySlot[s][g * W]);
            makeAbsolute<Isa>(d);
            d = 1.0f - d;
            delta[g] = d * d * sum[g] / n.activationSoftness;
            store<Isa>(&deltaBySlot[p][g * W], delta[g]);
        }
        s = p;
    }
    copyByNeuron<Isa, G>(deltaBySlot, n.hiddenDelta, n.hiddenCount);
}

template <class Isa, std::int32_t G>
VARKELON_KERNEL void updateWeightRows(Network& n, std::int32_t depth) {
    alignas(64) float deltaBySlot[kMaxSlots][kLanes];
    alignas(64) float stateBySlot[kMaxSlots][kLanes];
    copyBySlot<Isa, G>(n.hiddenDelta, deltaBySlot);
    copyBySlot<Isa, G>(n.hiddenState, stateBySlot);

    typename Isa::Mask active[G];
    for (std::int32_t h = 0; h < G * Isa::kWidth; ++h) {
        active[h / Isa::kWidth][h % Isa::kWidth] = h < n.hiddenCount ? -1 : 0;
    }
    const float rate = n.learningRate;

    // Each gradient sums over the slots t = 0, 1, ... in order; the sums of
    // one row of weights run side by side.
    // Input to hidden: sum over t of hiddenDelta[h][t] x inputHistory[j][t].
    updateMatrix<Isa>(n.weightsInHidden, n.inputHistory, deltaBySlot, n.inputCount, depth, rate,
                      active);
    // Hidden to hidden: sum over t of hiddenDelta[h][t] x hiddenState[k][t].
    updateMatrix<Isa>(n.weightsHiddenHidden, n.hiddenDelta, stateBySlot, n.hiddenCount, depth, rate,
                      active);
    // Hidden to output: sum over t of errors[o][t] x hiddenState[h][t].
    updateMatrix<Isa>(n.weightsHiddenOut, n.errors, stateBySlot, n.outputCount, depth, rate,
                      active);
}

template <class Isa, std::int32_t G>
void updateWeights(Network& n) {
    // Teaching always runs with all 8 slots: as a constant, that depth lets
    // the slot sums unroll without a test per slot.
    if (n.historyDepth == kMaxSlots) {
        updateWeightRows<Isa, G>(n, kMaxSlots);
    } else {
        updateWeightRows<Isa, G>(n, n.historyDepth);
    }
}

template <class Isa, std::int32_t G>
constexpr NetworkKernels kKernels = {&forwardPass<Isa, G>, &backPropagate<Isa, G>,
                                     &updateWeights<Isa, G>};

// The kernels of Isa for hiddenCount 0 (never used, given one vector's) to
// kMaxHidden: kernelTable<Isa>(std::make_index_sequence<kMaxHidden + 1>()).
template <class Isa, std::size_t... H>
constexpr NetworkKernelTable kernelTable(std::index_sequence<H...>) {
    return {kKernels<Isa, vectorsFor<Isa>(std::max<std::size_t>(H, 1))>...};
}

}  // namespace
}  // namespace varkelon
