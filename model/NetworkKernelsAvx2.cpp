// The network's hot loops on AVX2: eight lanes per vector. This file alone
// is compiled with -mavx2 (never -mfma), and its code runs only on a
// processor that reports AVX2 (see kernelBuildSupported).

#include <cstdint>
#include <utility>

namespace varkelon {
namespace {

struct Avx2 {
    static constexpr std::int32_t kWidth = 8;
    using Floats = float __attribute__((vector_size(32)));
    using Doubles = double __attribute__((vector_size(64)));
    using Mask = std::int32_t __attribute__((vector_size(32)));
    // As __m256_u of the intrinsics headers.
    typedef float InMemory __attribute__((vector_size(32), aligned(4), may_alias));
};

}  // namespace
}  // namespace varkelon

#include "NetworkVectorKernels.h"

namespace varkelon {

const NetworkKernelTable kAvx2NetworkKernels =
    kernelTable<Avx2>(std::make_index_sequence<kMaxHidden + 1>());

}  // namespace varkelon
