#include "KernelBuild.h"

namespace varkelon {

std::string_view kernelBuildName(KernelBuild build) {
    switch (build) {
        case KernelBuild::Scalar: return "scalar";
        case KernelBuild::Sse2: return "sse2";
        case KernelBuild::Avx2: return "avx2";
    }
    return "scalar";
}

std::optional<KernelBuild> kernelBuildFromName(std::string_view name) {
    for (KernelBuild build : kKernelBuilds) {
        if (name == kernelBuildName(build)) return build;
    }
    return std::nullopt;
}

bool kernelBuildSupported(KernelBuild build) {
    switch (build) {
        case KernelBuild::Scalar: return true;
#if defined(__x86_64__)
        // SSE2 is part of every x86-64 processor.
        case KernelBuild::Sse2: return true;
        case KernelBuild::Avx2:
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2");
#else
        // The vector builds are x86-64 code only.
        case KernelBuild::Sse2:
        case KernelBuild::Avx2: return false;
#endif
    }
    return false;
}

KernelBuild bestKernelBuild() {
    KernelBuild best = KernelBuild::Scalar;
    for (KernelBuild build : kKernelBuilds) {
        if (kernelBuildSupported(build)) best = build;
    }
    return best;
}

}  // namespace varkelon
