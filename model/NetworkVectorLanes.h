#pragma once

// The lanes the network's vector kernels work in, for an instruction set
// Isa (see NetworkVectorKernels.h, the one file that includes this): loads
// and stores of weight rows, lane-by-lane helpers, and the transposes that
// turn [neuron][slot] arrays and weight matrices into vectors across
// neurons. Pure moves and bit operations: no arithmetic that could round.
// Internal linkage, like the kernels, so that each build keeps its own.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "Network.h"

// Inlined into each kernel, which then runs as one straight function.
#define VARKELON_KERNEL [[gnu::always_inline]] inline

namespace varkelon {
namespace {

// Width of the scratch rows: 16 lanes, one 64-byte cache line.
constexpr std::int32_t kLanes = 16;

// The fewest vectors of Isa that hold hiddenCount lanes.
template <class Isa>
constexpr std::int32_t vectorsFor(std::size_t hiddenCount) {
    return static_cast<std::int32_t>(hiddenCount + Isa::kWidth - 1) / Isa::kWidth;
}

template <class Isa>
VARKELON_KERNEL void load(typename Isa::Floats& lanes, const float* from) {
    lanes = *reinterpret_cast<const typename Isa::InMemory*>(from);
}

template <class Isa>
VARKELON_KERNEL void store(float* to, const typename Isa::Floats& lanes) {
    *reinterpret_cast<typename Isa::InMemory*>(to) = lanes;
}

// Lanes of the 10 columns of a weight row: whole vectors up to column 8,
// then the last two in a vector of their own, its other lanes zero and never
// written back; built from two scalars, so that no vector load waits for
// narrower stores.
template <class Isa>
constexpr std::int32_t kWholeVectors = kMaxHidden / Isa::kWidth;

template <class Isa, std::int32_t G>
VARKELON_KERNEL void loadRow(typename Isa::Floats (&lanes)[G], const float (&row)[kMaxHidden]) {
    constexpr std::int32_t whole = std::min(G, kWholeVectors<Isa>);
    for (std::int32_t g = 0; g < whole; ++g)
        load<Isa>(lanes[g], &row[g * Isa::kWidth]);
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
    for (std::int32_t g = 0; g < whole; ++g)
        store<Isa>(&row[g * Isa::kWidth], lanes[g]);
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
                for (Floats& part : rows[i])
                    part = Floats{};
            }
        }
        for (std::int32_t c = 0; c < ColumnGroups; ++c) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i)
                block[i] = rows[i][c];
            transpose<Isa>(block);
            for (std::int32_t j = 0; j < W; ++j)
                columns[c * W + j][g] = block[j];
        }
    }
}

// A [neuron][slot] array copied slot-major, [slot][neuron], so that one
// slot's neurons read as vectors. In W x W blocks; all 8 slots, whatever
// historyDepth is (slots past it are never read); the lanes of neurons past
// the 10th are zero.
template <class Isa, std::int32_t G>
VARKELON_KERNEL void copyBySlot(const float (&byNeuron)[kMaxHidden][kMaxSlots],
                                float (&bySlot)[kMaxSlots][kLanes]) {
    constexpr std::int32_t W = Isa::kWidth;
    using Floats = typename Isa::Floats;
    for (std::int32_t g = 0; g < G; ++g) {
        for (std::int32_t first = 0; first < kMaxSlots; first += W) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i) {
                block[i] = Floats{};
                if (g * W + i < kMaxHidden)
                    load<Isa>(block[i], &byNeuron[g * W + i][first]);
            }
            transpose<Isa>(block);
            for (std::int32_t i = 0; i < W; ++i)
                store<Isa>(&bySlot[first + i][g * W], block[i]);
        }
    }
}

// The way back, into the rows of the active neurons only.
template <class Isa, std::int32_t G>
VARKELON_KERNEL void copyByNeuron(const float (&bySlot)[kMaxSlots][kLanes],
                                  float (&byNeuron)[kMaxHidden][kMaxSlots],
                                  std::int32_t hiddenCount) {
    constexpr std::int32_t W = Isa::kWidth;
    using Floats = typename Isa::Floats;
    for (std::int32_t g = 0; g < G; ++g) {
        for (std::int32_t first = 0; first < kMaxSlots; first += W) {
            Floats block[W];
            for (std::int32_t i = 0; i < W; ++i)
                load<Isa>(block[i], &bySlot[first + i][g * W]);
            transpose<Isa>(block);
            for (std::int32_t i = 0; i < W && g * W + i < hiddenCount; ++i) {
                store<Isa>(&byNeuron[g * W + i][first], block[i]);
            }
        }
    }
}

}  // namespace
}  // namespace varkelon
