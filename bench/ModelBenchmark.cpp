// Time of one teaching cycle and of one reset, without a display.

#include <benchmark/benchmark.h>

#include <string>

#include "model/TeachingModel.h"
#include "model/TeachingRegime.h"

using namespace varkelon;

namespace {

constexpr std::uint32_t kClock = 1700000000u;

void BM_Step(benchmark::State& state) {
    const auto regime = static_cast<TeachingRegime>(state.range(0));
    TeachingModel model([] { return kClock; }, [regime] { return regime; });
    model.manager.reset();
    model.network.hiddenCount = static_cast<std::int32_t>(state.range(1));
    for (auto _ : state) {
        model.manager.step();
        benchmark::DoNotOptimize(model.network.estimation);
    }
    state.SetLabel(std::string(regimeName(regime)) + " hiddenCount=" + std::to_string(state.range(1)));
}

void BM_Reset(benchmark::State& state) {
    TeachingModel model([] { return kClock; }, [] { return TeachingRegime::Static; });
    for (auto _ : state) {
        model.manager.reset();
        benchmark::DoNotOptimize(model.network.estimation);
    }
}

// The network picks its SSE2 or AVX2 build of the hot loops at start-up by
// what the processor supports; the report says which one the numbers are of.
const char* vectorBuild() {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(VARKELON_BASELINE_ONLY)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? "AVX2" : "SSE2";
#else
    return "baseline";
#endif
}

}  // namespace

BENCHMARK(BM_Step)
    ->ArgsProduct({{static_cast<int>(TeachingRegime::Static), static_cast<int>(TeachingRegime::Sin),
                    static_cast<int>(TeachingRegime::SinPlusRandom),
                    static_cast<int>(TeachingRegime::Random)},
                   {1, 7, 10}})
    ->ArgNames({"regime", "hidden"});
BENCHMARK(BM_Reset);

int main(int argc, char** argv) {
    benchmark::AddCustomContext("network vector build", vectorBuild());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
