// Time of one teaching cycle, per build of the network's hot loops, and of
// one reset, without a display. Names: BM_Step/<build>/regime:R/hidden:H.

#include <benchmark/benchmark.h>

#include <string>

#include "model/TeachingModel.h"
#include "model/TeachingRegime.h"

using namespace varkelon;

namespace {

constexpr std::uint32_t kClock = 1700000000u;

void BM_Step(benchmark::State& state, KernelBuild kernels) {
    const auto regime = static_cast<TeachingRegime>(state.range(0));
    TeachingModel model([] { return kClock; }, [regime] { return regime; }, nullptr, kernels);
    model.manager.reset();
    model.network.hiddenCount = static_cast<std::int32_t>(state.range(1));
    for (auto _ : state) {
        model.manager.step();
        benchmark::DoNotOptimize(model.network.estimation);
    }
    state.SetLabel(std::string(kernelBuildName(kernels)) + " " + std::string(regimeName(regime)) +
                   " hiddenCount=" + std::to_string(state.range(1)));
}

void BM_Reset(benchmark::State& state) {
    TeachingModel model([] { return kClock; }, [] { return TeachingRegime::Static; });
    for (auto _ : state) {
        model.manager.reset();
        benchmark::DoNotOptimize(model.network.estimation);
    }
}

}  // namespace

BENCHMARK(BM_Reset);

int main(int argc, char** argv) {
    // Every build this processor runs; the default is the last.
    for (KernelBuild kernels : kKernelBuilds) {
        if (!kernelBuildSupported(kernels))
            continue;
        const std::string name = "BM_Step/" + std::string(kernelBuildName(kernels));
        benchmark::RegisterBenchmark(name.c_str(), BM_Step, kernels)
            ->ArgsProduct(
                {{static_cast<int>(TeachingRegime::Static), static_cast<int>(TeachingRegime::Sin),
                  static_cast<int>(TeachingRegime::SinPlusRandom),
                  static_cast<int>(TeachingRegime::Random)},
                 {1, 7, 10}})
            ->ArgNames({"regime", "hidden"});
    }
    benchmark::AddCustomContext("default network kernels",
                                std::string(kernelBuildName(bestKernelBuild())));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
