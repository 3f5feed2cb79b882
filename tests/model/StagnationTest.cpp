// The stagnation check's two windows and band, and the weight shake.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "ModelTestSupport.h"
#include "model/Network.h"
#include "model/RandomGenerator.h"

namespace varkelon {
namespace {

using test::ReferenceLcg;
using test::WeightSnapshot;

constexpr std::uint32_t kClock = 1700000000u;

class StagnationTest : public ::testing::Test {
  protected:
    // Runs the check on a fresh copy of `history`; tells whether it shook.
    // A shake sets the rate back to 0.1 and reseeds the generator.
    bool shakes(const float (&history)[170], std::int32_t e, std::int32_t iteration = 30) {
        network.initialise();
        std::memcpy(network.estimationHistory, history, sizeof history);
        network.estimationIndex = e;
        network.learningRate = 0.5f;
        random.seedRandom(7);
        network.checkStagnation(iteration);
        const bool shook = network.learningRate == 0.1f;
        EXPECT_EQ(shook, random.state != 7u) << "rate and reseed disagree";
        return shook;
    }

    RandomGenerator random{[] { return kClock; }};
    Network network{random};
};

// For each entry of the ring (and the unused entries 140 to 169), tells by
// planting a large value which window, if any, counts it: a value in one
// window alone breaks the balance; the same value added to both keeps it.
class StagnationWindows : public StagnationTest {
  protected:
    template <typename Older, typename Newer>
    void checkWindows(std::int32_t e, Older inOlder, Newer inNewer, int olderEntry,
                      int newerEntry) {
        float base[170];
        for (float& entry : base)
            entry = 1.0f;  // 20 against 20: a shake
        ASSERT_TRUE(shakes(base, e));
        for (int k = 0; k < 170; ++k) {
            float alone[170];
            std::memcpy(alone, base, sizeof base);
            alone[k] += 100.0f;
            float paired[170];
            std::memcpy(paired, alone, sizeof alone);
            if (inOlder(k)) {
                paired[newerEntry] += 100.0f;
                EXPECT_FALSE(shakes(alone, e)) << "entry " << k << " should be older";
                EXPECT_TRUE(shakes(paired, e)) << "entry " << k << " should be older";
            } else if (inNewer(k)) {
                paired[olderEntry] += 100.0f;
                EXPECT_FALSE(shakes(alone, e)) << "entry " << k << " should be newer";
                EXPECT_TRUE(shakes(paired, e)) << "entry " << k << " should be newer";
            } else {
                EXPECT_TRUE(shakes(alone, e)) << "entry " << k << " should not count";
            }
        }
    }
};

TEST_F(StagnationWindows, AtEntryThirtyTheOlderWindowWrapsBackToTheRingsEnd) {
    checkWindows(
        30, [](int k) { return (k >= 131 && k <= 139) || (k >= 0 && k <= 10); },
        [](int k) { return k >= 11 && k <= 30; }, 0, 30);
}

TEST_F(StagnationWindows, AtEntryFiveTheNewerWindowWrapsBackToTheRingsEnd) {
    checkWindows(
        5, [](int k) { return k >= 106 && k <= 125; },
        [](int k) { return (k >= 126 && k <= 139) || (k >= 0 && k <= 5); }, 106, 0);
}

TEST_F(StagnationTest, BandBoundsAreStrict) {
    // newerSum 1.0 (the current entry); olderSum is the one older entry.
    auto shakesWithOlder = [this](float olderSum) {
        float history[170] = {};
        history[30] = 1.0f;
        history[0] = olderSum;
        return shakes(history, 30);
    };
    EXPECT_FALSE(shakesWithOlder(0.8f));
    EXPECT_FALSE(shakesWithOlder(1.2f));
    EXPECT_FALSE(shakesWithOlder(0.79f));
    EXPECT_FALSE(shakesWithOlder(1.21f));
    EXPECT_TRUE(shakesWithOlder(0.81f));
    EXPECT_TRUE(shakesWithOlder(0.9f));
    EXPECT_TRUE(shakesWithOlder(1.0f));
    EXPECT_TRUE(shakesWithOlder(1.19f));
}

TEST_F(StagnationTest, AZeroHistoryNeverShakes) {
    const float history[170] = {};
    for (std::int32_t e : {0, 5, 30, 139}) {
        for (std::int32_t iteration : {30, 60, 3000}) {
            EXPECT_FALSE(shakes(history, e, iteration)) << e << " " << iteration;
        }
    }
}

TEST_F(StagnationTest, ChecksOnlyEveryThirtyIterations) {
    float history[170];
    for (float& entry : history)
        entry = 1.0f;
    EXPECT_FALSE(shakes(history, 30, 29));
    EXPECT_FALSE(shakes(history, 30, 1));
    EXPECT_FALSE(shakes(history, 30, 31));
    EXPECT_FALSE(shakes(history, 30, 45));
    EXPECT_TRUE(shakes(history, 30, 30));
    EXPECT_TRUE(shakes(history, 30, 60));
    EXPECT_TRUE(shakes(history, 30, 90));
}

// ---- shake ------------------------------------------------------------------

TEST_F(StagnationTest, ShakeReseedsAndDrawsOncePerActiveWeight) {
    for (std::int32_t hidden : {1, 7, 10}) {
        network.initialise();
        network.hiddenCount = hidden;
        network.learningRate = 0.007f;
        random.seedRandom(12345);
        network.shakeWeights(0.01f);
        ReferenceLcg reference(kClock);
        reference.skip(hidden * (17 + hidden + 17));  // 287 with 7 neurons
        EXPECT_EQ(random.state, reference.state) << hidden << " neurons";
        EXPECT_EQ(network.learningRate, 0.1f);
    }
}

TEST_F(StagnationTest, ShakeMovesEachActiveWeightTowardsZeroInMatrixOrder) {
    network.hiddenCount = 3;
    network.weightsInHidden[2][1] = 0.0f;  // zero moves up
    const WeightSnapshot before(network);
    network.shakeWeights(0.01f);

    ReferenceLcg reference(kClock);
    auto expected = [&reference](float w) {
        float q = static_cast<float>((reference.next() % 10000) * 0.0001);
        if (w > 0)
            q = -q;
        return w + q * 0.01f;
    };
    for (int j = 0; j < 17; ++j) {
        for (int h = 0; h < 3; ++h) {
            ASSERT_EQ(network.weightsInHidden[j][h], expected(before.inHidden[j][h])) << j << h;
        }
    }
    for (int h = 0; h < 3; ++h) {
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(network.weightsHiddenHidden[h][k], expected(before.hiddenHidden[h][k]));
        }
    }
    for (int o = 0; o < 17; ++o) {
        for (int h = 0; h < 3; ++h) {
            ASSERT_EQ(network.weightsHiddenOut[o][h], expected(before.hiddenOut[o][h])) << o << h;
        }
    }
    EXPECT_GE(network.weightsInHidden[2][1], 0.0f);
    EXPECT_LE(network.weightsInHidden[2][1], 0.009999f + 1e-9f);

    // Inactive neurons keep their weights.
    for (int j = 0; j < 17; ++j) {
        for (int h = 3; h < 10; ++h) {
            EXPECT_EQ(network.weightsInHidden[j][h], before.inHidden[j][h]);
            EXPECT_EQ(network.weightsHiddenOut[j][h], before.hiddenOut[j][h]);
        }
    }
    for (int h = 0; h < 10; ++h) {
        for (int k = 0; k < 10; ++k) {
            if (h >= 3 || k >= 3) {
                EXPECT_EQ(network.weightsHiddenHidden[h][k], before.hiddenHidden[h][k]);
            }
        }
    }
}

// The first clock second whose first draw has the given residue mod 10000.
std::uint32_t secondWithFirstResidue(std::int32_t residue) {
    for (std::uint32_t seconds = 1;; ++seconds) {
        if (ReferenceLcg(seconds).next() % 10000 == residue)
            return seconds;
    }
}

TEST(Shake, PerturbationsWorkedByHand) {
    std::uint32_t seconds = secondWithFirstResidue(5000);
    RandomGenerator random([&seconds] { return seconds; });
    Network network(random);
    network.hiddenCount = 1;
    network.weightsInHidden[0][0] = 0.5f;  // q = 0.5, negated: 0.5 - 0.005
    network.shakeWeights(0.01f);
    EXPECT_FLOAT_EQ(network.weightsInHidden[0][0], 0.495f);

    seconds = secondWithFirstResidue(9999);
    network.weightsInHidden[0][0] = -0.2f;  // q = 0.9999: -0.2 + 0.009999
    network.shakeWeights(0.01f);
    EXPECT_FLOAT_EQ(network.weightsInHidden[0][0], -0.190001f);
}

TEST(Shake, TwoShakesInTheSameSecondDrawTheSameSizes) {
    RandomGenerator random([] { return kClock; });
    Network network(random);
    // All weights negative, so each moves by +q x 0.01.
    for (auto& row : network.weightsInHidden) {
        for (float& w : row)
            w = -0.5f;
    }
    network.shakeWeights(0.01f);
    float firstMoves[17];
    for (int j = 0; j < 17; ++j)
        firstMoves[j] = network.weightsInHidden[j][0] + 0.5f;
    for (auto& row : network.weightsInHidden) {
        for (float& w : row)
            w = -0.5f;
    }
    random.randomInt();
    network.shakeWeights(0.01f);
    for (int j = 0; j < 17; ++j) {
        EXPECT_EQ(network.weightsInHidden[j][0] + 0.5f, firstMoves[j]) << j;
    }
}

}  // namespace
}  // namespace varkelon
