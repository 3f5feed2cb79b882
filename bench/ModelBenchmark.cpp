// Time of one teaching cycle and of one reset, without a display.

#include <benchmark/benchmark.h>

#include "model/InputSource.h"
#include "model/Manager.h"
#include "model/NObject.h"
#include "model/Network.h"
#include "model/RandomGenerator.h"

using namespace varkelon;

namespace {

struct Model {
    explicit Model(TeachingRegime teaching)
        : regime(teaching), random([] { return 1700000000u; }), network(random), plant(random),
          inputs(random, network, plant), manager(network, plant, inputs, [this] { return regime; }) {
        manager.reset();
    }
    TeachingRegime regime;
    RandomGenerator random;
    Network network;
    NObject plant;
    InputSource inputs;
    Manager manager;
};

void BM_Step(benchmark::State& state) {
    Model model(static_cast<TeachingRegime>(state.range(0)));
    const auto hidden = static_cast<std::int32_t>(state.range(1));
    model.network.hiddenCount = hidden;
    for (auto _ : state) {
        model.manager.step();
        benchmark::DoNotOptimize(model.network.estimation);
    }
    state.SetLabel(std::string(state.range(0) == 0   ? "static"
                               : state.range(0) == 1 ? "sin"
                               : state.range(0) == 2 ? "sin+random"
                                                     : "random") +
                   " H=" + std::to_string(hidden));
}

void BM_Reset(benchmark::State& state) {
    Model model(TeachingRegime::Static);
    for (auto _ : state) {
        model.manager.reset();
        benchmark::DoNotOptimize(model.network.estimation);
    }
}

}  // namespace

BENCHMARK(BM_Step)->ArgsProduct({{0, 1, 2, 3}, {1, 7, 10}});
BENCHMARK(BM_Reset);

BENCHMARK_MAIN();
