// The network's hot loops on WebAssembly SIMD: four lanes per vector. This
// file alone is compiled with -msimd128, in the WebAssembly build only;
// every engine that runs the program runs these instructions (an engine
// without them rejects the whole module).

#include <cstdint>
#include <utility>

namespace varkelon {
namespace {

struct Simd128 {
    static constexpr std::int32_t kWidth = 4;
    using Floats = float __attribute__((vector_size(16)));
    using Doubles = double __attribute__((vector_size(32)));
    using Mask = std::int32_t __attribute__((vector_size(16)));
    // As v128_t of wasm_simd128.h, read at any float's alignment.
    typedef float InMemory __attribute__((vector_size(16), aligned(4), may_alias));
};

}  // namespace
}  // namespace varkelon

#include "NetworkVectorKernels.h"

namespace varkelon {

const NetworkKernelTable kSimd128NetworkKernels =
    kernelTable<Simd128>(std::make_index_sequence<kMaxHidden + 1>());

}  // namespace varkelon
