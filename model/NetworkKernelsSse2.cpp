// The network's hot loops on SSE2, which every x86-64 processor has: four
// lanes per vector. Compiled with the baseline flags.

#include <cstdint>
#include <utility>

namespace varkelon {
namespace {

struct Sse2 {
    static constexpr std::int32_t kWidth = 4;
    using Floats = float __attribute__((vector_size(16)));
    using Doubles = double __attribute__((vector_size(32)));
    using Mask = std::int32_t __attribute__((vector_size(16)));
    // As __m128_u of the intrinsics headers. A typedef: Clang drops a
    // lowered alignment from an alias declaration.
    typedef float InMemory __attribute__((vector_size(16), aligned(4), may_alias));
};

}  // namespace
}  // namespace varkelon

#include "NetworkVectorKernels.h"

namespace varkelon {

const NetworkKernelTable kSse2NetworkKernels =
    kernelTable<Sse2>(std::make_index_sequence<kMaxHidden + 1>());

}  // namespace varkelon
