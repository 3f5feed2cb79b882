#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varkelon {

// The builds of the network's hot loops (forwardPass, backPropagate and the
// weight update). Scalar is the plain loops, the reference and the fallback;
// the vector builds run the same float operations in the same order, one
// hidden neuron per lane, and so give the same bits.
// Sse2 and Avx2 are x86-64 code, Simd128 WebAssembly's; a program has
// the builds of its own target only.
enum class KernelBuild : std::uint8_t { Scalar, Sse2, Avx2, Simd128 };

// Slowest first among the builds of one target.
inline constexpr std::array<KernelBuild, 4> kKernelBuilds = {
    KernelBuild::Scalar, KernelBuild::Sse2, KernelBuild::Avx2, KernelBuild::Simd128};
// Their names on command lines, in the order of the enumeration.
inline constexpr std::array<std::string_view, 4> kKernelBuildNames = {"scalar", "sse2", "avx2",
                                                                      "simd128"};

std::string_view kernelBuildName(KernelBuild build);
std::optional<KernelBuild> kernelBuildFromName(std::string_view name);

// Whether this program has the build and this processor runs it.
bool kernelBuildSupported(KernelBuild build);
// The fastest supported build.
KernelBuild bestKernelBuild();

}  // namespace varkelon
