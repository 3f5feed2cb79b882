// varkelon-teach: teaches the network without a window and prints the
// course of the teaching as CSV, one row per cycle.

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "TeachOptions.h"
#include "model/TeachingModel.h"

using namespace varkelon;

namespace {

void printRow(const Manager& manager, TeachingRegime regime, const Network& network,
              const NObject& plant) {
    std::printf("%d,%.*s,%d,%.9g,%.9g,%.9g\n", manager.iteration,
                static_cast<int>(regimeName(regime).size()), regimeName(regime).data(),
                network.hiddenCount, static_cast<double>(network.estimation),
                static_cast<double>(network.learningRate), static_cast<double>(plant.noiseLevel));
}

int teach(const TeachOptions& options) {
    std::vector<RegimeSwitch> switches = options.switches;
    std::vector<NeuronSetting> neurons = options.neurons;
    // Several changes for one cycle apply in command-line order: the last wins.
    std::stable_sort(switches.begin(), switches.end(),
                     [](const auto& a, const auto& b) { return a.cycle < b.cycle; });
    std::stable_sort(neurons.begin(), neurons.end(),
                     [](const auto& a, const auto& b) { return a.cycle < b.cycle; });

    const std::uint32_t seconds = options.clock;
    TeachingRegime regime = options.regime;

    TeachingModel model([seconds] { return seconds; }, [&regime] { return regime; }, nullptr,
                        options.kernels.value_or(bestKernelBuild()));
    Network& network = model.network;
    const NObject& plant = model.plant;
    Manager& manager = model.manager;

    manager.reset();
    std::printf("iteration,regime,hiddenCount,estimation,learningRate,noiseLevel\n");
    if (!options.quiet || options.cycles == 0) printRow(manager, regime, network, plant);

    std::size_t nextSwitch = 0;
    std::size_t nextNeurons = 0;
    for (std::int64_t cycle = 1; cycle <= options.cycles; ++cycle) {
        for (; nextSwitch < switches.size() && switches[nextSwitch].cycle == cycle; ++nextSwitch) {
            regime = switches[nextSwitch].regime;
        }
        for (; nextNeurons < neurons.size() && neurons[nextNeurons].cycle == cycle; ++nextNeurons) {
            network.hiddenCount = neurons[nextNeurons].hiddenCount;
        }
        manager.step();
        if (!options.quiet || cycle == options.cycles) printRow(manager, regime, network, plant);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const TeachParse parse = parseTeachOptions(arguments);
    if (!parse.options) {
        std::fprintf(stderr, "%s\n", parse.error.c_str());
        return 2;
    }
    if (parse.options->help) {
        std::fputs(teachUsage().data(), stdout);
        return 0;
    }
    return teach(*parse.options);
}
