// Every vector build of the network's hot loops that this processor runs,
// held to the plain loops bit for bit: from the same state, forwardPass,
// backPropagate and updateWeights must leave the same state record, and so
// must whole teaching runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "model/Network.h"
#include "model/RandomGenerator.h"

namespace varkelon {
namespace {

std::vector<KernelBuild> vectorBuilds() {
    std::vector<KernelBuild> builds;
    for (KernelBuild build : kKernelBuilds) {
        if (build != KernelBuild::Scalar && kernelBuildSupported(build))
            builds.push_back(build);
    }
    return builds;
}

// The fields of the state record in which two networks differ, compared as
// bytes; empty when they agree.
std::string differences(const Network& a, const Network& b) {
    std::string names;
    const auto compare = [&names](const char* name, const auto& x, const auto& y) {
        if (std::memcmp(&x, &y, sizeof x) != 0)
            names.append(" ").append(name);
    };
    compare("inputHistory", a.inputHistory, b.inputHistory);
    compare("outputs", a.outputs, b.outputs);
    compare("errors", a.errors, b.errors);
    compare("targets", a.targets, b.targets);
    compare("estimation", a.estimation, b.estimation);
    compare("previousEstimation", a.previousEstimation, b.previousEstimation);
    compare("estimationHistory", a.estimationHistory, b.estimationHistory);
    compare("weightsInHidden", a.weightsInHidden, b.weightsInHidden);
    compare("weightsHiddenOut", a.weightsHiddenOut, b.weightsHiddenOut);
    compare("weightsHiddenHidden", a.weightsHiddenHidden, b.weightsHiddenHidden);
    compare("hiddenState", a.hiddenState, b.hiddenState);
    compare("hiddenDelta", a.hiddenDelta, b.hiddenDelta);
    compare("activationSoftness", a.activationSoftness, b.activationSoftness);
    compare("learningRate", a.learningRate, b.learningRate);
    compare("hiddenCount", a.hiddenCount, b.hiddenCount);
    compare("inputCount", a.inputCount, b.inputCount);
    compare("outputCount", a.outputCount, b.outputCount);
    compare("historyDepth", a.historyDepth, b.historyDepth);
    compare("timeSlot", a.timeSlot, b.timeSlot);
    compare("estimationHistorySize", a.estimationHistorySize, b.estimationHistorySize);
    compare("estimationIndex", a.estimationIndex, b.estimationIndex);
    return names;
}

// A state drawn from `seed`, all ten neurons' rows filled whatever
// hiddenCount is: values of either sign, error signals large enough to
// carry weights out of [-1, 1], and weights at and next to +-1.
void randomise(Network& network, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    const auto weight = [&] {
        switch (engine() % 8) {
            case 0:
                return 1.0f;
            case 1:
                return -1.0f;
            case 2:
                return unit(engine) < 0 ? -0.999f : 0.999f;
            default:
                return unit(engine);
        }
    };
    network.inputCount = kMaxChannels;
    network.outputCount = kMaxChannels;
    network.historyDepth = kMaxSlots;
    for (std::int32_t t = 0; t < kMaxSlots; ++t) {
        for (std::int32_t i = 0; i < kMaxChannels; ++i) {
            network.inputHistory[i][t] = unit(engine);
            network.outputs[i][t] = 2 * unit(engine);
            network.errors[i][t] = 2 * unit(engine);
            network.targets[i][t] = 2 * unit(engine);
        }
        for (std::int32_t h = 0; h < kMaxHidden; ++h) {
            network.hiddenState[h][t] = unit(engine);
            network.hiddenDelta[h][t] = 50 * unit(engine);
        }
    }
    for (auto* matrix : {&network.weightsInHidden, &network.weightsHiddenOut}) {
        for (auto& row : *matrix) {
            for (float& w : row)
                w = weight();
        }
    }
    for (auto& row : network.weightsHiddenHidden) {
        for (float& w : row)
            w = weight();
    }
    network.estimation = std::abs(unit(engine)) * 0.001f;
    network.previousEstimation = std::abs(unit(engine)) * 0.001f;
    network.learningRate = std::abs(unit(engine)) * 0.01f;
}

TEST(NetworkKernels, RandomStatesGiveThePlainLoopsBitsForEveryNeuronCountAndSlot) {
    const std::vector<KernelBuild> builds = vectorBuilds();
    if (builds.empty())
        GTEST_SKIP() << "no vector build runs on this processor";

    const TeachingRegime regimes[] = {TeachingRegime::Static, TeachingRegime::Sin,
                                      TeachingRegime::SinPlusRandom, TeachingRegime::Random,
                                      TeachingRegime::None};
    RandomGenerator random([] { return 1700000000u; });
    Network plain(random, KernelBuild::Scalar);
    std::int32_t clamped = 0;
    for (KernelBuild build : builds) {
        Network fast(random, build);
        ASSERT_EQ(fast.kernelBuild(), build);
        std::uint32_t seed = 0;
        for (std::int32_t hidden = 1; hidden <= kMaxHidden; ++hidden) {
            for (std::int32_t slot = 0; slot < kMaxSlots; ++slot) {
                // Four states per case; the second and fourth are shaken
                // first, the third has fewer channels and slots in use.
                for (std::int32_t variant = 0; variant < 4; ++variant, ++seed) {
                    SCOPED_TRACE(std::string(kernelBuildName(build)) + " hiddenCount " +
                                 std::to_string(hidden) + " slot " + std::to_string(slot) +
                                 " variant " + std::to_string(variant));
                    for (Network* network : {&plain, &fast}) {
                        randomise(*network, seed);
                        network->hiddenCount = hidden;
                        network->timeSlot = slot;
                        if (variant == 2) {
                            network->inputCount = 1 + static_cast<std::int32_t>(seed % 17);
                            network->outputCount = 17 - static_cast<std::int32_t>(seed % 13);
                            // At least two slots: one slot would be read and
                            // written by the same forward pass.
                            network->historyDepth = std::min(slot + 2, kMaxSlots);
                        }
                        if (variant % 2 == 1)
                            network->shakeWeights(0.01f);
                    }
                    // The plain network runs the reference loops by name.
                    plain.plainForwardPass();
                    fast.forwardPass();
                    ASSERT_EQ(differences(plain, fast), "") << "after forwardPass";
                    plain.plainBackPropagate();
                    fast.backPropagate();
                    ASSERT_EQ(differences(plain, fast), "") << "after backPropagate";
                    const TeachingRegime regime = regimes[seed % 5];
                    plain.adaptLearningRate(regime);
                    plain.plainUpdateWeights();
                    fast.updateWeights(regime);
                    ASSERT_EQ(differences(plain, fast), "") << "after updateWeights";
                    for (const auto& row : plain.weightsInHidden) {
                        for (float w : row)
                            clamped += std::abs(w) == 0.9375f;
                    }
                }
            }
        }
    }
    // Guard against agreeing trivially: some weights did leave [-1, 1].
    EXPECT_GT(clamped, 0);
}

TEST(NetworkKernels, TeachingRunsGiveThePlainLoopsBits) {
    const std::vector<KernelBuild> builds = vectorBuilds();
    if (builds.empty())
        GTEST_SKIP() << "no vector build runs on this processor";

    for (KernelBuild build : builds) {
        SCOPED_TRACE(kernelBuildName(build));
        TeachingRegime regime = TeachingRegime::Static;
        const auto clock = [] { return 1700000000u; };
        const auto regimeSource = [&regime] { return regime; };
        TeachingModel plain(clock, regimeSource, nullptr, KernelBuild::Scalar);
        TeachingModel fast(clock, regimeSource, nullptr, build);
        plain.manager.reset();
        fast.manager.reset();
        // Every neuron count for 300 cycles, in a shuffled order, under each
        // regime in turn: counts rise and fall mid-run, and stalled
        // estimations shake the weights.
        const std::int32_t counts[] = {7, 1, 10, 4, 9, 2, 8, 5, 3, 6};
        for (std::int32_t cycle = 1; cycle <= 3000; ++cycle) {
            if (cycle % 300 == 1) {
                plain.network.hiddenCount = fast.network.hiddenCount = counts[cycle / 300];
                regime = static_cast<TeachingRegime>((cycle / 300) % 4);
            }
            plain.manager.step();
            fast.manager.step();
            ASSERT_EQ(differences(plain.network, fast.network), "") << "cycle " << cycle;
        }
    }
}

// hiddenCount picks the kernels from a table; a count past it stops the
// program rather than run any build's loops past the arrays.
TEST(NetworkKernelsDeathTest, ACountPastTheTableStopsEveryBuild) {
    RandomGenerator random([] { return 1700000000u; });
    for (KernelBuild build : kKernelBuilds) {
        Network network(random, build);
        for (std::int32_t count : {-1, kMaxHidden + 1}) {
            network.hiddenCount = count;
            EXPECT_DEATH_IF_SUPPORTED(network.forwardPass(), "")
                << kernelBuildName(build) << " " << count;
            EXPECT_DEATH_IF_SUPPORTED(network.updateWeights(TeachingRegime::Sin), "") << count;
        }
    }
}

}  // namespace
}  // namespace varkelon
