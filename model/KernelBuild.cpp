#include "KernelBuild.h"

#include "NetworkKernels.h"

namespace varkelon {

std::string_view kernelBuildName(KernelBuild build) {
    return kKernelBuildNames[static_cast<std::size_t>(build)];
}

std::optional<KernelBuild> kernelBuildFromName(std::string_view name) {
    for (KernelBuild build : kKernelBuilds) {
        if (name == kernelBuildName(build))
            return build;
    }
    return std::nullopt;
}

bool kernelBuildSupported(KernelBuild build) {
    switch (build) {
        case KernelBuild::Scalar:
            return true;
        // SSE2 is part of every x86-64 processor.
        case KernelBuild::Sse2:
            return kHaveVectorKernels;
        case KernelBuild::Avx2:
#if VARKELON_VECTOR_KERNELS
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2");
#else
            return false;
#endif
        // A WebAssembly engine without SIMD rejects the whole program, so
        // a program that runs at all runs this build.
        case KernelBuild::Simd128:
            return kHaveSimd128Kernels;
    }
    return false;
}

KernelBuild bestKernelBuild() {
    KernelBuild best = KernelBuild::Scalar;
    for (KernelBuild build : kKernelBuilds) {
        if (kernelBuildSupported(build))
            best = build;
    }
    return best;
}

}  // namespace varkelon
