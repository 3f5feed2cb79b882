// The teaching cycle as the Manager runs it: reset, the slot and ring
// wrapping of step, the plant, resets within one clock second, neuron count
// changes during teaching and the two moments the display is told about.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "ModelTestSupport.h"
#include "model/TeachingDisplay.h"

namespace varkelon {
namespace {

using test::ReferenceLcg;
using test::TestModel;
using test::WeightSnapshot;

TEST(Manager, ConstructionRunsNoCycleAndBuildsNothing) {
    TestModel m;
    EXPECT_EQ(m.manager.iteration, 0);
    EXPECT_EQ(m.manager.built, 0);
    // The network drew 880 values, then the plant reseeded and drew 34.
    ReferenceLcg reference(m.seconds);
    reference.skip(34);
    EXPECT_EQ(m.random.state, reference.state);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(m.plant.inputs[i], 0) << i;
        EXPECT_EQ(m.plant.outputs[i], 0) << i;
    }
}

TEST(Manager, ResetMakesAFirstPredictionWithoutLearning) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.network.hiddenCount = 3;
    m.manager.reset();

    EXPECT_EQ(m.manager.iteration, 0);
    EXPECT_EQ(m.manager.built, 1);
    EXPECT_EQ(m.network.hiddenCount, 7);
    EXPECT_EQ(m.network.timeSlot, 0);
    EXPECT_EQ(m.network.estimationIndex, 0);
    EXPECT_EQ(m.network.learningRate, 0.1f);  // no learning yet
    const float sin1 = static_cast<float>(std::sin(1.0));
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(m.network.inputHistory[i][7], sin1) << i;  // previousSlot of slot 0
        EXPECT_EQ(m.network.inputHistory[i][0], 0) << i;
        EXPECT_EQ(m.plant.outputs[i], m.plant.gains[i] * sin1) << i;
        EXPECT_EQ(m.network.targets[i][0], m.plant.outputs[i]) << i;
        EXPECT_EQ(m.network.errors[i][0], m.plant.outputs[i] - m.network.outputs[i][0]) << i;
    }
    EXPECT_GT(m.network.estimation, 0);
    EXPECT_EQ(m.network.estimationHistory[0], 10 * m.network.estimation);
    // Sin draws nothing: the plant's reseed and 34 draws came last.
    ReferenceLcg reference(m.seconds);
    reference.skip(34);
    EXPECT_EQ(m.random.state, reference.state);
}

TEST(Manager, FirstStepAfterResetUsesSlotZeroForItsInputs) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    m.manager.step();
    EXPECT_EQ(m.manager.iteration, 1);
    EXPECT_EQ(m.network.estimationIndex, 1);
    EXPECT_EQ(m.network.timeSlot, 1);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(m.network.inputHistory[i][0], static_cast<float>(std::sin(2.0))) << i;
        EXPECT_EQ(m.network.inputHistory[i][7], static_cast<float>(std::sin(1.0))) << i;
        EXPECT_EQ(m.network.targets[i][1], m.plant.outputs[i]) << i;
    }
    EXPECT_EQ(m.network.estimationHistory[1], 10 * m.network.estimation);
    EXPECT_EQ(m.manager.built, 1);
}

TEST(Manager, SlotsAndEstimationRingWrapOverManyCycles) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    for (int k = 1; k <= 300; ++k) {
        m.manager.step();
        ASSERT_EQ(m.manager.iteration, k);
        ASSERT_EQ(m.network.timeSlot, k % 8) << k;
        ASSERT_EQ(m.network.previousSlot(), (k + 7) % 8) << k;
        ASSERT_EQ(m.network.estimationIndex, k % 140) << k;
        ASSERT_EQ(m.network.estimationHistory[k % 140], 10 * m.network.estimation) << k;
        // This cycle's inputs sit in the previous slot.
        ASSERT_EQ(m.network.inputHistory[5][(k + 7) % 8], static_cast<float>(std::sin(k + 1.0)));
        for (int n = 140; n < 170; ++n)
            ASSERT_EQ(m.network.estimationHistory[n], 0) << n;
    }
}

TEST(Manager, RegimeIsAskedAtEveryUse) {
    int asked = 0;
    std::uint32_t seconds = 1700000000u;
    TeachingModel model([&seconds] { return seconds; },
                        [&asked] {
                            ++asked;
                            return TeachingRegime::Sin;
                        });
    model.manager.reset();
    EXPECT_EQ(asked, 1);  // the inputs
    model.manager.step();
    EXPECT_EQ(asked, 3);  // the inputs, then the learning
}

// Records what the model holds when the display is told.
class RecordingDisplay : public TeachingDisplay {
  public:
    explicit RecordingDisplay(const TestModel& model) : model_(model) {}

    void teachingReset() override {
        ++resets;
        builtAtReset = model_.manager.built;
    }
    void refresh() override {
        ++refreshes;
        weightAtRefresh = model_.network.weightsHiddenOut[0][0];
        errorAtRefresh = model_.network.errors[0][model_.network.timeSlot];
        iterationAtRefresh = model_.manager.iteration;
    }

    int resets = 0;
    int refreshes = 0;
    int builtAtReset = -1;
    float weightAtRefresh = 0;
    float errorAtRefresh = 0;
    int iterationAtRefresh = 0;

  private:
    const TestModel& model_;
};

TEST(Manager, DisplaySeesTheEndOfResetAndEachCycleBeforeLearning) {
    TestModel m;
    RecordingDisplay display(m);
    m.manager.setDisplay(&display);
    m.manager.reset();
    EXPECT_EQ(display.resets, 1);
    EXPECT_EQ(display.refreshes, 0);
    EXPECT_EQ(display.builtAtReset, 1);

    const float weightBefore = m.network.weightsHiddenOut[0][0];
    m.manager.step();
    EXPECT_EQ(display.refreshes, 1);
    EXPECT_EQ(display.iterationAtRefresh, 1);
    EXPECT_EQ(display.weightAtRefresh, weightBefore);  // not learnt yet
    EXPECT_NE(m.network.weightsHiddenOut[0][0], weightBefore);
    EXPECT_EQ(display.errorAtRefresh, m.network.errors[0][1]);
}

TEST(Manager, StagnationCheckRunsBeforeLearningInTheSameCycle) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    for (int k = 1; k < 30; ++k)
        m.manager.step();
    // Windows that balance whatever cycle 30 records: 20 against 19 plus it.
    for (int n = 0; n < 140; ++n)
        m.network.estimationHistory[n] = 1.0f;
    m.manager.step();
    ASSERT_LT(m.network.estimationHistory[30], 3.0f);
    // The shake reseeded from the clock and drew 287 values; Sin draws none.
    ReferenceLcg reference(m.seconds);
    reference.skip(287);
    EXPECT_EQ(m.random.state, reference.state);
    // Its rate of 0.1 was adapted before any weight moved with it.
    EXPECT_LE(m.network.learningRate, 0.007f);
    EXPECT_FLOAT_EQ(m.network.learningRate,
                    std::fmax(std::fmin(33 * m.network.estimation / 7, 0.007f), 1e-7f));
}

// ---- plant -------------------------------------------------------------------

TEST(Plant, GainsAreDrawnMagnitudeFirstAsTenThousandths) {
    TestModel m;
    for (std::uint32_t clock : {1700000000u, 0u, 2024u}) {
        m.seconds = clock;
        m.plant.noiseLevel = 0.5f;
        m.random.seedRandom(3);
        m.plant.initialise();
        ReferenceLcg reference(clock);
        for (int i = 0; i < 17; ++i) {
            const std::int32_t r1 = reference.next();
            const std::int32_t r2 = reference.next();
            const float magnitude = static_cast<float>((r1 % 10000) * 0.0001);
            EXPECT_EQ(m.plant.gains[i], (r2 % 1000) < 500 ? -magnitude : magnitude) << i;
            // A multiple of 0.0001 within [-0.9999, 0.9999].
            const double steps = m.plant.gains[i] / 0.0001;
            EXPECT_NEAR(steps, std::round(steps), 1e-3) << i;
            EXPECT_LE(std::abs(m.plant.gains[i]), 0.9999f) << i;
        }
        EXPECT_EQ(m.random.state, reference.state) << "34 draws";
        EXPECT_EQ(m.plant.noiseLevel, 0);
    }
}

TEST(Plant, InAResetWithinOneSecondThePlantRepeatsTheNetworksFirstDraws) {
    TestModel m;
    m.manager.reset();
    // Draw pair i made weightsInHidden[i / 10][i % 10] and, again, gain i:
    // the same r2 gives the same sign.
    for (int i = 0; i < 17; ++i) {
        const float weight = m.network.weightsInHidden[i / 10][i % 10];
        EXPECT_EQ(std::signbit(m.plant.gains[i]), std::signbit(weight)) << i;
    }
    // And the gains are exactly the first 34 draws of the network's seed.
    ReferenceLcg reference(m.seconds);
    for (int i = 0; i < 17; ++i) {
        const float magnitude = static_cast<float>((reference.next() % 10000) * 0.0001);
        EXPECT_EQ(std::abs(m.plant.gains[i]), magnitude) << i;
        reference.next();
    }
}

// ---- resets and neuron counts ---------------------------------------------------

TEST(Manager, TwoResetsInTheSameSecondGiveTheSameWeightsAndGains) {
    TestModel m;
    m.regime = TeachingRegime::Random;
    m.manager.reset();
    const WeightSnapshot weights(m.network);
    float gains[17];
    std::memcpy(gains, m.plant.gains, sizeof gains);
    for (int k = 0; k < 50; ++k)
        m.manager.step();
    m.manager.reset();
    EXPECT_TRUE(WeightSnapshot(m.network) == weights);
    EXPECT_EQ(std::memcmp(gains, m.plant.gains, sizeof gains), 0);
    EXPECT_EQ(m.manager.iteration, 0);

    m.seconds += 1;
    m.manager.reset();
    EXPECT_FALSE(WeightSnapshot(m.network) == weights);
    EXPECT_NE(std::memcmp(gains, m.plant.gains, sizeof gains), 0);
}

TEST(Manager, ResetBringsBackSevenHiddenNeurons) {
    TestModel m;
    m.manager.reset();
    m.network.hiddenCount = 3;
    m.manager.step();
    EXPECT_EQ(m.network.hiddenCount, 3);
    m.manager.reset();
    EXPECT_EQ(m.network.hiddenCount, 7);
}

TEST(Manager, LoweredNeuronCountLeavesTheDroppedNeuronsUntouched) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    m.network.hiddenCount = 10;
    for (int k = 0; k < 40; ++k)
        m.manager.step();
    m.network.hiddenCount = 3;
    const Network before = m.network;
    for (int k = 0; k < 100; ++k)
        m.manager.step();  // shakes at 60, 90, 120 may come
    for (int h = 3; h < 10; ++h) {
        for (int j = 0; j < 17; ++j) {
            EXPECT_EQ(m.network.weightsInHidden[j][h], before.weightsInHidden[j][h]);
            EXPECT_EQ(m.network.weightsHiddenOut[j][h], before.weightsHiddenOut[j][h]);
        }
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(m.network.weightsHiddenHidden[h][k], before.weightsHiddenHidden[h][k]);
            EXPECT_EQ(m.network.weightsHiddenHidden[k][h], before.weightsHiddenHidden[k][h]);
        }
        for (int t = 0; t < 8; ++t) {
            EXPECT_EQ(m.network.hiddenState[h][t], before.hiddenState[h][t]);
            EXPECT_EQ(m.network.hiddenDelta[h][t], before.hiddenDelta[h][t]);
        }
    }
}

TEST(Manager, RaisedNeuronCountBringsInTheStoredWeights) {
    TestModel m;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    const Network initial = m.network;
    for (int k = 0; k < 50; ++k)
        m.manager.step();
    // Neurons 7 to 9 have not been active since the reset.
    for (int j = 0; j < 17; ++j) {
        ASSERT_EQ(m.network.weightsInHidden[j][9], initial.weightsInHidden[j][9]);
    }
    ASSERT_EQ(m.network.hiddenState[9][m.network.timeSlot], 0);

    m.network.hiddenCount = 10;
    const Network before = m.network;
    m.manager.step();
    // Neuron 9 took part in this cycle's forward pass with its stored
    // weights; the states of 7 to 9 in the previous slot were still zero.
    const std::int32_t t = m.network.timeSlot;
    const std::int32_t s = m.network.previousSlot();
    float sum = 0;
    for (int j = 0; j < 17; ++j) {
        sum = sum + m.network.inputHistory[j][s] * before.weightsInHidden[j][9];
    }
    for (int k = 0; k < 10; ++k) {
        sum = sum + before.hiddenState[k][s] * before.weightsHiddenHidden[9][k];
    }
    EXPECT_NE(sum, 0);
    EXPECT_FLOAT_EQ(m.network.hiddenState[9][t], sum / (0.1f + std::abs(sum)));
    // And it learnt.
    EXPECT_NE(m.network.weightsHiddenOut[0][9], before.weightsHiddenOut[0][9]);
}

}  // namespace
}  // namespace varkelon
