// The input signal of each regime, where it is delivered, what it draws and
// the state that outlives resets.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "ModelTestSupport.h"

namespace varkelon {
namespace {

using test::ReferenceLcg;
using test::TestModel;

constexpr double kPi = 3.14159274;  // single-precision pi

// Copies the generator, so the test can work out the draws that follow.
ReferenceLcg drawsFrom(const RandomGenerator& random) {
    ReferenceLcg reference(0);
    reference.state = random.state;
    return reference;
}

void expectDelivered(const TestModel& m, std::int32_t channel, float value) {
    EXPECT_EQ(m.network.inputHistory[channel][m.network.previousSlot()], value) << channel;
    EXPECT_EQ(m.plant.inputs[channel], value) << channel;
}

TEST(InputSource, StaticDrawsItsValuesAtIterationZeroOnly) {
    TestModel m;
    m.regime = TeachingRegime::Static;
    m.manager.reset();
    // The reset's inputs were drawn right after the plant's 34 draws.
    ReferenceLcg reference(m.seconds);
    reference.skip(34);
    for (int i = 0; i < 17; ++i) {
        const std::int32_t r1 = reference.next();
        const std::int32_t r2 = reference.next();
        const float magnitude = static_cast<float>((r1 % 9500) * 0.0001 + 0.05);
        EXPECT_EQ(m.inputs.staticInputs[i], (r2 % 1000) < 500 ? -magnitude : magnitude) << i;
        EXPECT_GE(std::abs(m.inputs.staticInputs[i]), 0.05f);
        EXPECT_LE(std::abs(m.inputs.staticInputs[i]), 0.9999f);
        expectDelivered(m, i, m.inputs.staticInputs[i]);
    }
    EXPECT_EQ(m.random.state, reference.state);
    EXPECT_EQ(m.plant.noiseLevel, 0);

    // Later cycles deliver the same values and draw nothing.
    float drawn[17];
    std::memcpy(drawn, m.inputs.staticInputs, sizeof drawn);
    for (int k = 1; k <= 20; ++k) {
        const std::uint64_t stateBefore = m.random.state;
        m.manager.step();
        EXPECT_EQ(m.random.state, stateBefore) << k;
        for (int i = 0; i < 17; ++i)
            expectDelivered(m, i, drawn[i]);
    }
}

TEST(InputSource, StaticValuesOutliveResetsUnderOtherRegimes) {
    TestModel m;
    m.manager.reset();  // Static
    float drawn[17];
    std::memcpy(drawn, m.inputs.staticInputs, sizeof drawn);

    m.seconds += 5;
    m.regime = TeachingRegime::Sin;
    m.manager.reset();
    m.manager.step();
    m.manager.step();
    EXPECT_EQ(std::memcmp(drawn, m.inputs.staticInputs, sizeof drawn), 0);

    m.regime = TeachingRegime::Static;  // a switch at iteration 3
    const std::uint64_t stateBefore = m.random.state;
    m.manager.step();
    EXPECT_EQ(m.random.state, stateBefore);
    for (int i = 0; i < 17; ++i)
        expectDelivered(m, i, drawn[i]);
}

TEST(InputSource, SinDeliversTheSineOfTheNextIterationToEveryChannel) {
    TestModel m;
    for (std::int32_t k : {0, 1, 5, 999, 123456}) {
        m.plant.noiseLevel = 0.5f;
        const std::uint64_t stateBefore = m.random.state;
        m.inputs.generate(k, TeachingRegime::Sin);
        for (int i = 0; i < 17; ++i)
            expectDelivered(m, i, static_cast<float>(std::sin(k + 1.0)));
        EXPECT_EQ(m.random.state, stateBefore);
        EXPECT_EQ(m.plant.noiseLevel, 0);
    }
    m.inputs.generate(0, TeachingRegime::Sin);
    EXPECT_NEAR(m.plant.inputs[0], 0.841470985, 1e-7);
}

TEST(InputSource, RandomDeliversOneDrawPerChannelAboveOneTwentieth) {
    TestModel m;
    m.manager.reset();
    for (int k = 1; k <= 300; ++k) {
        ReferenceLcg reference = drawsFrom(m.random);
        m.inputs.generate(k, TeachingRegime::Random);
        for (int i = 0; i < 17; ++i) {
            const float expected = static_cast<float>((reference.next() % 9500) * 0.0001 + 0.05);
            expectDelivered(m, i, expected);
            ASSERT_GE(m.plant.inputs[i], 0.05f);
            ASSERT_LE(m.plant.inputs[i], 0.9999f);
        }
        ASSERT_EQ(m.random.state, reference.state);
        ASSERT_EQ(m.plant.noiseLevel, 1.0f);
    }
}

// The value of channel i: the weighted sine plus the weighted noise, with
// two draws per channel, magnitude first.
float sinPlusRandomValue(ReferenceLcg& reference, int i, float drift, float amplitude) {
    const float sine = static_cast<float>(std::sin((6.2856 / 17) * i + (drift + 1.0)) * amplitude);
    float noise = static_cast<float>((reference.next() % 10000) * 0.0001);
    if (reference.next() % 1000 < 500)
        noise = -noise;
    return static_cast<float>((1.0 - amplitude) * noise + sine);
}

TEST(InputSource, SinPlusRandomAfterResetIsThePureSine) {
    TestModel m;
    m.regime = TeachingRegime::SinPlusRandom;
    m.manager.reset();
    EXPECT_EQ(m.inputs.phaseDrift, 0);
    EXPECT_EQ(m.inputs.sineAmplitude, 1.0f);
    EXPECT_EQ(m.plant.noiseLevel, 0);
    for (int i = 0; i < 17; ++i) {
        expectDelivered(m, i, static_cast<float>(std::sin((6.2856 / 17) * i + 1.0)));
    }
    // The two draws per channel are still taken.
    ReferenceLcg reference(m.seconds);
    reference.skip(34 + 34);
    EXPECT_EQ(m.random.state, reference.state);
}

TEST(InputSource, SinPlusRandomMixesSineAndNoise) {
    TestModel m;
    m.inputs.phaseDrift = static_cast<float>(0.2 * kPi);
    m.inputs.sineAmplitude = 0.5f;
    ReferenceLcg reference = drawsFrom(m.random);
    m.inputs.generate(7, TeachingRegime::SinPlusRandom);
    const float drift = static_cast<float>(0.4 * kPi);
    EXPECT_FLOAT_EQ(m.inputs.phaseDrift, drift);
    EXPECT_EQ(m.plant.noiseLevel, 0.5f);
    for (int i = 0; i < 17; ++i) {
        const float expected = sinPlusRandomValue(reference, i, m.inputs.phaseDrift, 0.5f);
        EXPECT_FLOAT_EQ(m.plant.inputs[i], expected) << i;
        expectDelivered(m, i, m.plant.inputs[i]);
    }
    EXPECT_EQ(m.random.state, reference.state);
}

TEST(InputSource, SinPlusRandomDriftAndAmplitudeRunThroughTheirPeriods) {
    TestModel m;
    m.regime = TeachingRegime::SinPlusRandom;
    m.manager.reset();
    for (int k = 1; k <= 1250; ++k) {
        m.manager.step();
        // Drift: 0.2 pi x (k mod 10); the tenth increment lands on 0.
        const double drift = 0.2 * kPi * (k % 10);
        if (k % 10 == 0) {
            ASSERT_EQ(m.inputs.phaseDrift, 0.0f) << k;
        } else {
            ASSERT_NEAR(m.inputs.phaseDrift, drift, 5e-6) << k;
        }
        // Amplitude: 1.0 for steps 1 to 99, then 0.1 less every 100 steps,
        // about 0 from 1000, and 1.0 again from 1100.
        const int level = (k / 100) % 11;
        const double amplitude = 1.0 - 0.1 * level;
        if (level == 0) {
            ASSERT_EQ(m.inputs.sineAmplitude, 1.0f) << k;
        } else if (level == 10) {
            ASSERT_LT(std::abs(m.inputs.sineAmplitude), 1e-6) << k;
        } else {
            ASSERT_NEAR(m.inputs.sineAmplitude, amplitude, 1e-6) << k;
        }
        ASSERT_NEAR(m.plant.noiseLevel, 1.0 - amplitude, 1e-6) << k;
        ASSERT_EQ(m.plant.noiseLevel, static_cast<float>(1.0 - m.inputs.sineAmplitude)) << k;
    }
}

TEST(InputSource, SinPlusRandomEnteredLateIsPureNoiseUntilTheNextHundred) {
    TestModel m;  // a fresh input source: amplitude 0, drift 0
    m.manager.reset();
    for (int k = 1; k <= 4; ++k)
        m.manager.step();
    m.regime = TeachingRegime::SinPlusRandom;
    for (int k = 5; k <= 100; ++k) {
        ReferenceLcg reference = drawsFrom(m.random);  // shakes come after the inputs
        m.manager.step();
        if (k < 100) {
            ASSERT_EQ(m.inputs.sineAmplitude, 0.0f) << k;
            ASSERT_EQ(m.plant.noiseLevel, 1.0f) << k;
            for (int i = 0; i < 17; ++i) {
                float noise = static_cast<float>((reference.next() % 10000) * 0.0001);
                if (reference.next() % 1000 < 500)
                    noise = -noise;
                ASSERT_EQ(m.plant.inputs[i], noise) << k << " " << i;
            }
        } else {
            // 0 - 0.1 is not above -0.1: back to the full sine.
            EXPECT_EQ(m.inputs.sineAmplitude, 1.0f);
            EXPECT_EQ(m.plant.noiseLevel, 0.0f);
            EXPECT_NEAR(m.inputs.phaseDrift, 0.2 * kPi * ((k - 4) % 10), 5e-6);
            for (int i = 0; i < 17; ++i) {
                const float sine =
                    static_cast<float>(std::sin((6.2856 / 17) * i + (m.inputs.phaseDrift + 1.0)));
                EXPECT_EQ(m.plant.inputs[i], sine) << i;
            }
        }
    }
}

TEST(InputSource, NoneDeliversNothingButTheCycleRunsOn) {
    TestModel m;
    m.regime = TeachingRegime::Random;
    m.manager.reset();
    for (int k = 1; k <= 10; ++k)
        m.manager.step();
    m.regime = TeachingRegime::None;

    const std::int32_t next = (m.network.timeSlot + 1) % 8;
    const std::int32_t inputSlot = m.network.timeSlot;  // previousSlot of the next cycle
    float slotBefore[17];
    float plantInputs[17];
    for (int i = 0; i < 17; ++i) {
        slotBefore[i] = m.network.inputHistory[i][inputSlot];
        plantInputs[i] = m.plant.inputs[i];
        m.network.outputs[i][next] = NAN;  // the forward pass must overwrite these
        m.plant.outputs[i] = NAN;
    }
    m.plant.noiseLevel = 0.7f;
    const std::uint64_t stateBefore = m.random.state;
    const float rateBefore = m.network.learningRate;
    m.manager.step();  // iteration 11: no stagnation check

    EXPECT_EQ(m.random.state, stateBefore);
    EXPECT_EQ(m.plant.noiseLevel, 0);
    EXPECT_EQ(m.network.learningRate, rateBefore);  // kept by None
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(m.network.inputHistory[i][inputSlot], slotBefore[i]) << i;
        EXPECT_EQ(m.plant.inputs[i], plantInputs[i]) << i;
        EXPECT_EQ(m.plant.outputs[i], m.plant.gains[i] * plantInputs[i]) << i;
        EXPECT_FALSE(std::isnan(m.network.outputs[i][next])) << i;
        EXPECT_EQ(m.network.targets[i][next], m.plant.outputs[i]) << i;
    }
}

}  // namespace
}  // namespace varkelon
