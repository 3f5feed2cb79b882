// A million teaching cycles with the regime and the neuron count changed at
// random moments, checking the model's invariants after every cycle. The
// changes are seeded: VARKELON_SOAK_SEED replays a failure, VARKELON_SOAK_CYCLES
// shortens or lengthens the run.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "CountingAllocator.h"
#include "model/TeachingModel.h"

namespace {

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

}  // namespace

namespace varkelon {
namespace {

// Returns an empty string when every invariant holds, otherwise what broke.
std::string brokenInvariant(const Network& network) {
    if (network.hiddenCount < 1 || network.hiddenCount > kMaxHidden) return "hiddenCount out of range";
    if (network.timeSlot < 0 || network.timeSlot >= network.historyDepth) return "timeSlot out of range";
    if (network.estimationIndex < 0 || network.estimationIndex >= network.estimationHistorySize) {
        return "estimationIndex out of range";
    }
    if (!(network.learningRate >= 1e-7f && network.learningRate <= 0.007f)) {
        return "learningRate " + std::to_string(network.learningRate) + " out of [1e-7, 0.007]";
    }
    if (std::isnan(network.estimation)) return "estimation is NaN";
    auto inRange = [](float weight) { return weight >= -1.0f && weight <= 1.0f; };
    for (std::int32_t h = 0; h < network.hiddenCount; ++h) {
        for (std::int32_t j = 0; j < network.inputCount; ++j) {
            if (!inRange(network.weightsInHidden[j][h])) return "weightsInHidden out of [-1, 1]";
        }
        for (std::int32_t o = 0; o < network.outputCount; ++o) {
            if (!inRange(network.weightsHiddenOut[o][h])) return "weightsHiddenOut out of [-1, 1]";
        }
        for (std::int32_t k = 0; k < network.hiddenCount; ++k) {
            if (!inRange(network.weightsHiddenHidden[h][k])) return "weightsHiddenHidden out of [-1, 1]";
        }
        for (std::int32_t t = 0; t < network.historyDepth; ++t) {
            if (std::isnan(network.hiddenState[h][t]) || std::isnan(network.hiddenDelta[h][t])) {
                return "hidden state or delta is NaN";
            }
        }
    }
    for (std::int32_t o = 0; o < network.outputCount; ++o) {
        if (std::isnan(network.outputs[o][network.timeSlot])) return "output is NaN";
    }
    return {};
}

TEST(ModelSoak, InvariantsHoldOverAMillionCyclesWithRandomChanges) {
    const auto seed = static_cast<std::uint32_t>(environmentNumber("VARKELON_SOAK_SEED", 20261208));
    const long cycles = environmentNumber("VARKELON_SOAK_CYCLES", 1000000);
    std::mt19937 changes(seed);
    std::uniform_int_distribution<int> changeEvery(1, 2000);
    std::uniform_int_distribution<int> anyRegime(0, 4);
    std::uniform_int_distribution<int> anyCount(1, kMaxHidden);

    // The clock moves on by a second now and then, as a real one does.
    std::uint32_t seconds = 1700000000u;
    TeachingRegime regime = TeachingRegime::Static;
    TeachingModel model([&seconds] { return seconds; }, [&regime] { return regime; });
    model.manager.reset();

    const long allocationsBefore = testing::heapAllocationCount();
    long nextChange = changeEvery(changes);
    for (long cycle = 1; cycle <= cycles; ++cycle) {
        if (cycle == nextChange) {
            regime = static_cast<TeachingRegime>(anyRegime(changes));
            model.network.hiddenCount = anyCount(changes);
            seconds += static_cast<std::uint32_t>(changes() % 3);
            if (changes() % 50 == 0) model.manager.reset();
            nextChange = cycle + changeEvery(changes);
        }
        model.manager.step();
        const std::string broken = brokenInvariant(model.network);
        ASSERT_TRUE(broken.empty()) << broken << " after cycle " << cycle << " (seed " << seed << ")";
    }
    EXPECT_EQ(testing::heapAllocationCount(), allocationsBefore) << "teaching allocated on the heap";
}

}  // namespace
}  // namespace varkelon
