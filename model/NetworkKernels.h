#pragma once

#include <array>

#include "Capacity.h"

namespace varkelon {

class Network;

// A vector build of the network's hot loops, for one hiddenCount. Each
// works on the network's fields exactly as the plain loops of the same
// name in Network.cpp do.
struct NetworkKernels {
    void (*forwardPass)(Network& network);
    void (*backPropagate)(Network& network);
    // The weight update only: learningRate has been adapted already.
    void (*updateWeights)(Network& network);
};

// One entry per hiddenCount, 0 to kMaxHidden (entry 0 is never used).
using NetworkKernelTable = std::array<NetworkKernels, kMaxHidden + 1>;

#if defined(__x86_64__)
extern const NetworkKernelTable kSse2NetworkKernels;
extern const NetworkKernelTable kAvx2NetworkKernels;  // run only where AVX2 is supported
#endif

}  // namespace varkelon
