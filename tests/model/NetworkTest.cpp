// The network's initialisation, forward pass, errors and estimation, and its
// learning pass: back-propagation, the learning-rate rules and the weight
// update. Expected values are worked out by hand from the formulas.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ModelTestSupport.h"
#include "model/Network.h"
#include "model/RandomGenerator.h"

namespace varkelon {
namespace {

using test::ReferenceLcg;
using test::WeightSnapshot;

// A network on a clock the test controls.
class NetworkTest : public ::testing::Test {
  protected:
    void clearWeights() {
        for (auto& row : network.weightsInHidden) {
            for (float& w : row)
                w = 0;
        }
        for (auto& row : network.weightsHiddenHidden) {
            for (float& w : row)
                w = 0;
        }
        for (auto& row : network.weightsHiddenOut) {
            for (float& w : row)
                w = 0;
        }
    }

    std::uint32_t seconds = 1700000000u;
    RandomGenerator random{[this] { return seconds; }};
    Network network{random};
};

// ---- initialise ----------------------------------------------------------

TEST_F(NetworkTest, InitialiseDraws880ValuesInMatrixOrderFromOneReseed) {
    for (std::uint32_t clock : {1700000000u, 0u, 4294967295u}) {
        seconds = clock;
        random.seedRandom(99);  // whatever came before, initialise reseeds
        random.randomInt();
        network.initialise();

        ReferenceLcg reference(clock);
        // Two draws per weight: magnitude (r1 mod 15000) x 0.00001 + 0.05,
        // negative when r2 mod 1000 is below 500.
        auto nextWeight = [&reference] {
            const std::int32_t r1 = reference.next();
            const std::int32_t r2 = reference.next();
            const float magnitude = static_cast<float>((r1 % 15000) * 0.00001 + 0.05);
            return (r2 % 1000) < 500 ? -magnitude : magnitude;
        };
        for (int j = 0; j < 17; ++j) {
            for (int h = 0; h < 10; ++h) {
                ASSERT_EQ(network.weightsInHidden[j][h], nextWeight()) << j << "," << h;
            }
        }
        for (int h = 0; h < 10; ++h) {
            for (int k = 0; k < 10; ++k) {
                ASSERT_EQ(network.weightsHiddenHidden[h][k], nextWeight()) << h << "," << k;
            }
        }
        for (int o = 0; o < 17; ++o) {
            for (int h = 0; h < 10; ++h) {
                ASSERT_EQ(network.weightsHiddenOut[o][h], nextWeight()) << o << "," << h;
            }
        }
        // Exactly 880 draws: nothing else was drawn.
        ReferenceLcg counted(clock);
        counted.skip(880);
        EXPECT_EQ(random.state, counted.state) << "clock " << clock;
    }
}

TEST_F(NetworkTest, InitialWeightsLieInTheirRangeWithBothSigns) {
    auto check = [](const float* weights, int count, const char* name) {
        int negative = 0;
        int positive = 0;
        for (int n = 0; n < count; ++n) {
            const float magnitude = std::abs(weights[n]);
            EXPECT_GE(magnitude, 0.05f) << name << " " << n;
            EXPECT_LE(magnitude, 0.19999f) << name << " " << n;
            (weights[n] < 0 ? negative : positive) += 1;
        }
        EXPECT_GT(negative, 0) << name;
        EXPECT_GT(positive, 0) << name;
    };
    for (std::uint32_t clock : {1700000000u, 1u, 31415926u}) {
        seconds = clock;
        network.initialise();
        check(&network.weightsInHidden[0][0], 170, "weightsInHidden");
        check(&network.weightsHiddenHidden[0][0], 100, "weightsHiddenHidden");
        check(&network.weightsHiddenOut[0][0], 170, "weightsHiddenOut");
    }
}

TEST_F(NetworkTest, InitialiseClearsTheWholeState) {
    // Dirty every field first.
    for (int i = 0; i < 17; ++i) {
        for (int t = 0; t < 8; ++t) {
            network.inputHistory[i][t] = 1;
            network.outputs[i][t] = 2;
            network.errors[i][t] = 3;
            network.targets[i][t] = 4;
        }
    }
    for (int h = 0; h < 10; ++h) {
        for (int t = 0; t < 8; ++t) {
            network.hiddenState[h][t] = 5;
            network.hiddenDelta[h][t] = 6;
        }
    }
    for (float& entry : network.estimationHistory)
        entry = 7;
    network.estimation = 8;
    network.previousEstimation = 9;
    network.activationSoftness = 0.3f;
    network.learningRate = 0.5f;
    network.hiddenCount = 3;
    network.inputCount = 5;
    network.outputCount = 6;
    network.historyDepth = 4;
    network.timeSlot = 3;
    network.estimationHistorySize = 60;
    network.estimationIndex = 59;

    network.initialise();

    for (int i = 0; i < 17; ++i) {
        for (int t = 0; t < 8; ++t) {
            EXPECT_EQ(network.inputHistory[i][t], 0) << i << "," << t;
            EXPECT_EQ(network.outputs[i][t], 0) << i << "," << t;
            EXPECT_EQ(network.errors[i][t], 0) << i << "," << t;
            EXPECT_EQ(network.targets[i][t], 0) << i << "," << t;
        }
    }
    for (int h = 0; h < 10; ++h) {
        for (int t = 0; t < 8; ++t) {
            EXPECT_EQ(network.hiddenState[h][t], 0) << h << "," << t;
            EXPECT_EQ(network.hiddenDelta[h][t], 0) << h << "," << t;
        }
    }
    for (int n = 0; n < 170; ++n)
        EXPECT_EQ(network.estimationHistory[n], 0) << n;
    EXPECT_EQ(network.estimation, 0);
    EXPECT_EQ(network.previousEstimation, 0);
    EXPECT_EQ(network.activationSoftness, 0.1f);
    EXPECT_EQ(network.learningRate, 0.1f);
    EXPECT_EQ(network.hiddenCount, 7);
    EXPECT_EQ(network.inputCount, 17);
    EXPECT_EQ(network.outputCount, 17);
    EXPECT_EQ(network.historyDepth, 8);
    EXPECT_EQ(network.timeSlot, 0);
    EXPECT_EQ(network.estimationHistorySize, 140);
    EXPECT_EQ(network.estimationIndex, 0);
}

TEST_F(NetworkTest, InitialisationsInTheSameSecondGiveIdenticalWeights) {
    network.initialise();
    const WeightSnapshot first(network);
    random.randomInt();  // the generator moves on between the two
    network.initialise();
    EXPECT_TRUE(WeightSnapshot(network) == first);

    seconds += 1;
    network.initialise();
    EXPECT_FALSE(WeightSnapshot(network) == first);
}

// ---- forward pass, errors, estimation --------------------------------------

TEST_F(NetworkTest, ForwardPassActivationsAndLinearOutputs) {
    clearWeights();
    network.hiddenCount = 4;
    network.timeSlot = 3;  // reads slot 2
    network.inputHistory[0][2] = 1.0f;
    network.inputHistory[1][2] = 2.0f;
    network.hiddenState[0][2] = 0.5f;

    // Neuron 0: 1 x 0.05 + 0.5 x 0.1 = 0.1 (the recurrent term counts).
    network.weightsInHidden[0][0] = 0.05f;
    network.weightsHiddenHidden[0][0] = 0.1f;
    // Weight from neuron 1 into neuron 0; neuron 1's previous state is 0, so
    // it adds nothing to 0 and must not be read the other way round into 1.
    network.weightsHiddenHidden[0][1] = 5.0f;
    // Neuron 1: 2 x -0.15 = -0.3.
    network.weightsInHidden[1][1] = -0.15f;
    // Neuron 2: 1 x 0.5 + 2 x -0.25 = 0.
    network.weightsInHidden[0][2] = 0.5f;
    network.weightsInHidden[1][2] = -0.25f;
    // Neuron 3: 2 x 4.95 = 9.9.
    network.weightsInHidden[1][3] = 4.95f;

    // Inactive neuron 4: its stored state must be neither read nor written.
    network.hiddenState[4][2] = 0.7f;
    network.weightsHiddenHidden[0][4] = 1.0f;
    network.weightsInHidden[0][4] = 1.0f;
    network.hiddenState[4][3] = 0.3f;

    for (int h = 0; h < 4; ++h)
        network.weightsHiddenOut[0][h] = 1.0f;
    network.weightsHiddenOut[0][4] = 1.0f;  // inactive, must not count
    network.weightsHiddenOut[1][1] = 2.0f;
    network.outputs[0][2] = 0.42f;  // another slot's output stays

    network.forwardPass();

    EXPECT_EQ(network.hiddenState[0][3], 0.5f);
    EXPECT_EQ(network.hiddenState[1][3], -0.75f);
    EXPECT_EQ(network.hiddenState[2][3], 0.0f);
    EXPECT_FLOAT_EQ(network.hiddenState[3][3], 0.99f);
    EXPECT_EQ(network.hiddenState[4][3], 0.3f);

    EXPECT_NEAR(network.outputs[0][3], 0.5 - 0.75 + 0 + 0.99, 1e-6);
    EXPECT_EQ(network.outputs[1][3], -1.5f);
    for (int o = 2; o < 17; ++o)
        EXPECT_EQ(network.outputs[o][3], 0) << o;
    EXPECT_EQ(network.outputs[0][2], 0.42f);
}

TEST_F(NetworkTest, ForwardPassAtSlotZeroReadsTheLastSlot) {
    clearWeights();
    network.timeSlot = 0;
    network.inputHistory[0][7] = 1.0f;
    network.weightsInHidden[0][0] = 0.1f;
    // The current slot's inputs are the oldest in the ring: not read.
    network.inputHistory[1][0] = 100.0f;
    network.weightsInHidden[1][0] = 1.0f;
    network.forwardPass();
    EXPECT_EQ(network.hiddenState[0][0], 0.5f);
    for (int h = 1; h < 7; ++h)
        EXPECT_EQ(network.hiddenState[h][0], 0) << h;
}

TEST_F(NetworkTest, ZeroInputsAndStatesGiveZeroOutputsAndErrorsEqualToTargets) {
    network.timeSlot = 4;
    for (int o = 0; o < 17; ++o)
        network.targets[o][4] = 0.02f * (o % 2 == 0 ? 1 : -1);
    network.forwardPass();
    network.computeErrors();
    for (int o = 0; o < 17; ++o) {
        EXPECT_EQ(network.outputs[o][4], 0) << o;
        EXPECT_EQ(network.errors[o][4], network.targets[o][4]) << o;
    }
    network.computeEstimation();
    EXPECT_NEAR(network.estimation, 0.0004, 1e-9);  // (mean of |target|)^2
}

TEST_F(NetworkTest, ErrorsOfTheCurrentSlotOnly) {
    network.timeSlot = 6;
    network.targets[0][6] = 0.5f;
    network.outputs[0][6] = 0.25f;
    network.targets[1][6] = -0.5f;
    network.outputs[1][6] = 0.25f;
    network.errors[0][5] = 9.0f;
    network.computeErrors();
    EXPECT_EQ(network.errors[0][6], 0.25f);
    EXPECT_EQ(network.errors[1][6], -0.75f);
    EXPECT_EQ(network.errors[0][5], 9.0f);
}

TEST_F(NetworkTest, ErrorsOfMagnitudeOneTenthGiveEstimationOneHundredth) {
    network.timeSlot = 5;
    network.estimationIndex = 77;
    network.estimationHistory[76] = 3.0f;
    network.previousEstimation = 0.25f;
    for (int o = 0; o < 17; ++o)
        network.errors[o][5] = o % 3 == 0 ? -0.1f : 0.1f;
    network.computeEstimation();

    // Seventeen float additions of 0.1, the mean rounded, then squared.
    float sum = 0;
    for (int o = 0; o < 17; ++o)
        sum = sum + 0.1f;
    const float mean = sum / 17;
    const float expected = mean * mean;
    EXPECT_EQ(network.estimation, expected);
    EXPECT_NEAR(network.estimation, 0.01, 1e-8);
    EXPECT_EQ(network.estimationHistory[77], 10 * expected);
    EXPECT_NEAR(network.estimationHistory[77], 0.1, 1e-7);
    EXPECT_EQ(network.estimationHistory[76], 3.0f);
    EXPECT_EQ(network.estimationHistory[78], 0);
    EXPECT_EQ(network.previousEstimation, 0.25f);
}

// ---- back-propagation -----------------------------------------------------

TEST_F(NetworkTest, BackPropagationWalksBackThroughEverySlot) {
    clearWeights();
    network.hiddenCount = 2;
    network.timeSlot = 2;  // stages write slots 1, 0, 7, 6, 5, 4, 3
    network.errors[0][2] = 1.0f;
    network.weightsHiddenOut[0][0] = 0.5f;      // neuron 0 sees output 0's error
    network.hiddenState[0][2] = -0.5f;          // derivative factor (1 - 0.5)^2 at slot 2
    network.weightsHiddenHidden[0][0] = 0.25f;  // neuron 0 feeds itself
    network.weightsHiddenHidden[0][1] = 0.5f;   // neuron 1 feeds neuron 0
    network.errors[1][7] = 2.0f;                // an older slot's error
    network.weightsHiddenOut[1][1] = 1.0f;
    // Stale signals in the current slot must not enter stage 1.
    network.hiddenDelta[0][2] = 100.0f;
    network.hiddenDelta[1][2] = 100.0f;
    // Inactive neuron 2 feeds neuron 0; its stale signals must not count.
    network.weightsHiddenHidden[2][0] = 1.0f;
    for (int t = 0; t < 8; ++t)
        network.hiddenDelta[2][t] = 42.0f;

    network.backPropagate();

    // Stage 1 keeps the plain projection in the current slot.
    EXPECT_EQ(network.hiddenDelta[0][2], 0.5f);
    EXPECT_EQ(network.hiddenDelta[1][2], 0.0f);
    // Neuron 0: 0.25 x 0.5 / 0.1, then each stage x 0.25 / 0.1.
    const int slots[7] = {1, 0, 7, 6, 5, 4, 3};
    const double neuron0[7] = {1.25, 3.125, 7.8125, 19.53125, 48.828125, 122.0703125, 305.17578125};
    // Neuron 1: 0.5 x neuron 0's signal of the stage before, / 0.1; at slot 6
    // plus output 1's error of slot 7: (2 + 0.5 x 7.8125) / 0.1.
    const double neuron1[7] = {0, 6.25, 15.625, 59.0625, 97.65625, 244.140625, 610.3515625};
    for (int n = 0; n < 7; ++n) {
        const int t = slots[n];
        EXPECT_NEAR(network.hiddenDelta[0][t], neuron0[n], neuron0[n] * 1e-6) << "slot " << t;
        EXPECT_NEAR(network.hiddenDelta[1][t], neuron1[n], neuron1[n] * 1e-6) << "slot " << t;
    }
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(network.hiddenDelta[2][t], 42.0f) << t;
}

// ---- learning-rate rules ----------------------------------------------------

TEST_F(NetworkTest, StaticRuleDividesByOnePointSevenWhenWorse) {
    network.learningRate = 0.001f;
    network.previousEstimation = 0.01f;
    network.estimation = 0.02f;
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.001f / 1.7f);
    EXPECT_FLOAT_EQ(network.learningRate, 0.001f / 1.7f);
    EXPECT_EQ(network.previousEstimation, 0.02f);
}

TEST_F(NetworkTest, StaticRuleTriplesWhenEqualOrImprovingBelowTwoTenthsOfAPercent) {
    network.learningRate = 0.001f;
    network.previousEstimation = 0.01f;
    network.estimation = 0.01f;
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.003f);
    EXPECT_EQ(network.previousEstimation, 0.01f);

    network.learningRate = 0.001f;
    network.estimation = 0.00999f;  // 0.1 % better
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.003f);
    EXPECT_EQ(network.previousEstimation, 0.00999f);

    // Both zero: 0 / 1e-10 is below 0.002.
    network.learningRate = 0.001f;
    network.previousEstimation = 0;
    network.estimation = 0;
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.003f);
}

TEST_F(NetworkTest, StaticRuleKeepsTheRateOnAnImprovementOfTwoTenthsOfAPercentOrMore) {
    for (float estimation : {0.009f, 0.00997f, 1e-9f}) {
        network.learningRate = 0.001f;
        network.previousEstimation = 0.01f;
        network.estimation = estimation;
        EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.001f) << estimation;
        EXPECT_EQ(network.previousEstimation, estimation);
    }
}

TEST_F(NetworkTest, FirstStaticStepAfterInitialiseIsClampedToTheUpperBound) {
    network.estimation = 0.05f;  // previousEstimation is 0: worse
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Static), 0.007f);
    EXPECT_EQ(network.learningRate, 0.007f);
}

TEST_F(NetworkTest, SinRulesScaleTheEstimationByThirtyThreeOverTheNeuronCount) {
    for (TeachingRegime regime : {TeachingRegime::Sin, TeachingRegime::SinPlusRandom}) {
        network.hiddenCount = 7;
        network.previousEstimation = 0.5f;
        network.estimation = 0.0007f;
        EXPECT_FLOAT_EQ(network.adaptLearningRate(regime), 0.0033f);
        network.estimation = 0.0021f;  // 0.0099 before the clamp
        EXPECT_EQ(network.adaptLearningRate(regime), 0.007f);
        network.hiddenCount = 3;
        network.estimation = 0.0003f;
        EXPECT_FLOAT_EQ(network.adaptLearningRate(regime), 0.0033f);
        // Only the Static rule keeps previousEstimation.
        EXPECT_EQ(network.previousEstimation, 0.5f);
    }
}

TEST_F(NetworkTest, RandomRuleScalesTheEstimationByTenOverTheNeuronCount) {
    network.previousEstimation = 0.5f;
    network.hiddenCount = 4;
    network.estimation = 0.0014f;
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Random), 0.0035f);
    network.hiddenCount = 10;
    network.estimation = 0.001f;
    EXPECT_FLOAT_EQ(network.adaptLearningRate(TeachingRegime::Random), 0.001f);
    EXPECT_EQ(network.previousEstimation, 0.5f);
}

TEST_F(NetworkTest, NoneKeepsTheRateButStillClamps) {
    network.previousEstimation = 0.5f;
    network.estimation = 0.3f;
    network.learningRate = 0.005f;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 0.005f);
    network.learningRate = 0.1f;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 0.007f);
    network.learningRate = 0;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 1e-7f);
    EXPECT_EQ(network.previousEstimation, 0.5f);
}

TEST_F(NetworkTest, RateClampsToItsLowerBoundAndCatchesNaN) {
    network.estimation = 0;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Sin), 1e-7f);
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Random), 1e-7f);
    network.estimation = 1e-12f;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Random), 1e-7f);
    // Exactly at the bounds: kept.
    network.learningRate = 1e-7f;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 1e-7f);
    network.learningRate = 0.007f;
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 0.007f);
    // A rate that is not a number fails the at-least test.
    network.learningRate = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::None), 1e-7f);
    network.estimation = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(network.adaptLearningRate(TeachingRegime::Sin), 1e-7f);
}

// ---- weight update ----------------------------------------------------------

// A rate of 2^-8 that the None rule keeps, so the steps below are exact.
constexpr float kRate = 0.00390625f;

TEST_F(NetworkTest, WeightsLeavingTheRangeGoBackToNineSixteenthsOfFifteen) {
    clearWeights();
    network.hiddenCount = 1;
    network.learningRate = kRate;
    network.hiddenState[0][0] = 0.5f;  // hidden-to-output gradients: errors[o][0] x 0.5

    network.weightsHiddenOut[0][0] = -1.0f;
    network.errors[0][0] = 8192.0f;  // -1 + 2^-8 x 4096 x (1.125 - 1) = exactly 1.0
    network.weightsHiddenOut[1][0] = 0.9f;
    network.errors[1][0] = 195.0f;  // about 1.02
    network.weightsHiddenOut[2][0] = -0.9f;
    network.errors[2][0] = -195.0f;  // about -1.02
    network.weightsHiddenOut[3][0] = 0.9f;
    network.errors[3][0] = 100.0f;  // 0.9 + 0.1953125 x (1.125 - 0.81): stays in range
    network.weightsHiddenOut[4][0] = 0.0f;
    network.errors[4][0] = 100.0f;           // 0.1953125 x 1.125
    network.weightsHiddenOut[5][0] = -1.0f;  // zero gradient: both bounds are kept
    network.weightsHiddenOut[6][0] = 1.0f;
    network.weightsHiddenOut[7][0] = 0.5f;
    network.errors[7][0] = std::numeric_limits<float>::quiet_NaN();

    // Input to hidden: 0.9 + 2^-8 x 97.5 x 0.315, about 1.02.
    network.weightsInHidden[0][0] = 0.9f;
    network.inputHistory[0][3] = 1.0f;
    network.hiddenDelta[0][3] = 97.5f;
    // Hidden to hidden: about -1.02.
    network.weightsHiddenHidden[0][0] = -0.9f;
    network.hiddenDelta[0][5] = -195.0f;
    network.hiddenState[0][5] = 0.5f;

    network.updateWeights(TeachingRegime::None);

    EXPECT_EQ(network.learningRate, kRate);
    EXPECT_EQ(network.weightsHiddenOut[0][0], 1.0f);
    EXPECT_EQ(network.weightsHiddenOut[1][0], 0.9375f);
    EXPECT_EQ(network.weightsHiddenOut[2][0], -0.9375f);
    EXPECT_NEAR(network.weightsHiddenOut[3][0], 0.9 + 0.1953125 * 0.315, 1e-6);
    EXPECT_EQ(network.weightsHiddenOut[4][0], 0.2197265625f);
    EXPECT_EQ(network.weightsHiddenOut[5][0], -1.0f);
    EXPECT_EQ(network.weightsHiddenOut[6][0], 1.0f);
    EXPECT_EQ(network.weightsHiddenOut[7][0], -0.9375f);
    EXPECT_EQ(network.weightsInHidden[0][0], 0.9375f);
    EXPECT_EQ(network.weightsHiddenHidden[0][0], -0.9375f);
}

TEST_F(NetworkTest, GradientsSumOverEverySlotAndTheActiveNeuronsOnly) {
    clearWeights();
    network.hiddenCount = 2;
    network.timeSlot = 3;  // the sums cover all eight slots, this one too
    network.learningRate = kRate;
    for (int t = 0; t < 8; ++t) {
        network.inputHistory[0][t] = 1.0f;
        network.hiddenDelta[1][t] = 0.125f * (t + 1);  // sums to 4.5
        network.hiddenState[0][t] = 0.5f;
        network.errors[0][t] = 1.0f;
        network.hiddenDelta[2][t] = 1.0f;  // inactive neuron
    }
    network.weightsInHidden[0][2] = 0.3f;
    network.weightsHiddenHidden[2][0] = 0.3f;
    network.weightsHiddenHidden[0][2] = 0.3f;
    network.weightsHiddenOut[0][2] = 0.3f;

    network.updateWeights(TeachingRegime::None);

    // step = 2^-8 x g x 1.125 from a zero weight.
    EXPECT_EQ(network.weightsInHidden[0][1], 0.019775390625f);       // g = 4.5
    EXPECT_EQ(network.weightsInHidden[0][0], 0.0f);                  // g = 0
    EXPECT_EQ(network.weightsHiddenHidden[1][0], 0.0098876953125f);  // g = 0.5 x 4.5
    EXPECT_EQ(network.weightsHiddenHidden[0][1], 0.0f);              // neuron 1's state is 0
    EXPECT_EQ(network.weightsHiddenOut[0][0], 0.017578125f);         // g = 8 x 0.5
    EXPECT_EQ(network.weightsHiddenOut[0][1], 0.0f);
    EXPECT_EQ(network.weightsInHidden[0][2], 0.3f);
    EXPECT_EQ(network.weightsHiddenHidden[2][0], 0.3f);
    EXPECT_EQ(network.weightsHiddenHidden[0][2], 0.3f);
    EXPECT_EQ(network.weightsHiddenOut[0][2], 0.3f);
}

TEST_F(NetworkTest, ZeroErrorsChangeNoWeight) {
    // Some history to learn from, but no error anywhere.
    for (int t = 0; t < 8; ++t) {
        for (int i = 0; i < 17; ++i)
            network.inputHistory[i][t] = 0.01f * (i + t + 1);
        for (int h = 0; h < 10; ++h)
            network.hiddenState[h][t] = 0.05f * (h - t);
    }
    const WeightSnapshot before(network);
    network.estimation = 0.01f;
    network.backPropagate();
    network.updateWeights(TeachingRegime::Sin);
    EXPECT_TRUE(WeightSnapshot(network) == before);

    // Guard against passing trivially: one error does move weights.
    network.errors[4][network.timeSlot] = 0.5f;
    network.backPropagate();
    network.updateWeights(TeachingRegime::Sin);
    EXPECT_FALSE(WeightSnapshot(network) == before);
}

}  // namespace
}  // namespace varkelon
