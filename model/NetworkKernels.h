#pragma once

#include <array>

#include "Capacity.h"

namespace varkelon {

class Network;

// One build of the network's hot loops, for one hiddenCount. Each works on
// the network's fields exactly as the plain loops (Network::plainForwardPass
// and its neighbours) do.
struct NetworkKernels {
    void (*forwardPass)(Network& network);
    void (*backPropagate)(Network& network);
    // The weight update only: learningRate has been adapted already.
    void (*updateWeights)(Network& network);
};

// One entry per hiddenCount, 0 to kMaxHidden (entry 0 is never used).
using NetworkKernelTable = std::array<NetworkKernels, kMaxHidden + 1>;

// Whether this program has the vector builds: CMake compiles their files,
// and sets VARKELON_VECTOR_KERNELS to 1, on x86-64 only, and
// VARKELON_SIMD128_KERNELS to 1 in the WebAssembly build only.
inline constexpr bool kHaveVectorKernels = VARKELON_VECTOR_KERNELS;
inline constexpr bool kHaveSimd128Kernels = VARKELON_SIMD128_KERNELS;

// Defined only where kHaveVectorKernels is true.
extern const NetworkKernelTable kSse2NetworkKernels;
extern const NetworkKernelTable kAvx2NetworkKernels;  // run only where AVX2 is supported
// Defined only where kHaveSimd128Kernels is true.
extern const NetworkKernelTable kSimd128NetworkKernels;

}  // namespace varkelon
