// The output graph: where values land (truncated, clamped, NaN at -1.5),
// the channel columns, dotted plant and solid network curves.

#include <gtest/gtest.h>

#include <cmath>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

struct OutputGraph : ViewerFixture, testing::Test {
    OutputGraph() {
        model.network.timeSlot = 3;
        frame = plot({});  // all 0: the bare frame (see FrameTest)
    }

    // Plant and network (current slot) carry the same values: one solid curve.
    PixelImage plot(const std::vector<float>& values) {
        for (int k = 0; k < 17; ++k) {
            const float v = k < static_cast<int>(values.size()) ? values[k] : 0.0f;
            model.plant.outputs[k] = v;
            model.network.outputs[k][model.network.timeSlot] = v;
        }
        viewer.refresh();  // the Graph page is on view
        EXPECT_TRUE(differences(window.images[0], window.images[2]).empty());
        return window.images[0];
    }
    // One value at `channel`, zero elsewhere.
    PixelImage spike(int channel, float value) {
        std::vector<float> values(17, 0.0f);
        values[channel] = value;
        return plot(values);
    }

    PixelImage frame;
};

TEST_F(OutputGraph, ZeroOutputsLieOnTheZeroLine) {
    for (int k = 0; k < 17; ++k) {
        for (int t = 0; t < 8; ++t)
            model.network.outputs[k][t] = 0.5f;  // other slots
    }
    EXPECT_TRUE(differences(plot({}), frame).empty());
}

TEST_F(OutputGraph, ChannelsSitOnTheirTicks) {
    // 0.45 -> 123 - 41.85 = 81.15 -> 81; -0.45 -> 164.85 -> 164.
    std::vector<float> zigzag;
    for (int k = 0; k < 17; ++k)
        zigzag.push_back(k % 2 == 0 ? 0.45f : -0.45f);
    const PixelImage image = plot(zigzag);
    EXPECT_EQ(blackInRow(image, 81), (std::vector<int>{10, 54, 98, 142, 187, 231, 275, 319, 364}));
    EXPECT_EQ(blackInRow(image, 164),
              (std::vector<int>{10, 32, 76, 120, 164, 187, 209, 253, 297, 341, 364}));
}

TEST_F(OutputGraph, HeightsInsideTheFrame) {
    const auto topmost = [](const PixelImage& image, int x, int from, int to) {
        for (int y = from; y <= to; ++y) {
            if (isBlack(image, x, y))
                return y;
        }
        return -1;
    };
    const auto bottommost = [](const PixelImage& image, int x, int from, int to) {
        for (int y = to; y >= from; --y) {
            if (isBlack(image, x, y))
                return y;
        }
        return -1;
    };
    EXPECT_EQ(topmost(spike(2, 0.5f), 54, 31, 122), 76);        // 76.5 truncated
    EXPECT_EQ(bottommost(spike(2, -0.5f), 54, 124, 215), 169);  // 169.5 truncated

    const PixelImage top = spike(2, 1.0f);
    EXPECT_TRUE(isBlack(top, 54, 31));
    for (int x = 32; x <= 76; ++x)
        EXPECT_TRUE(blackInColumn(top, x).front() >= 30) << x;
    const PixelImage bottom = spike(2, -1.0f);
    EXPECT_TRUE(isBlack(bottom, 54, 215));
    for (int x = 32; x <= 76; ++x)
        EXPECT_TRUE(blackInColumn(bottom, x).back() <= 216) << x;
}

TEST_F(OutputGraph, ValuesBeyondOneAndAHalfAreClamped) {
    const PixelImage high = spike(5, 2.0f);
    EXPECT_TRUE(differences(high, spike(5, 1.5f)).empty());
    EXPECT_FALSE(differences(high, spike(5, 1.4f)).empty());
    // y = -16: both segments at channel 5 (x = 120) leave through the top
    // edge, at x = 98 + 22 x 123 / 139 = 117.5 and 120 + 22 x 16 / 139 = 122.5.
    const std::vector<int> leaving = blackInRow(high, 0);
    ASSERT_EQ(leaving.size(), 2u);
    EXPECT_TRUE(leaving[0] >= 116 && leaving[0] <= 119) << leaving[0];
    EXPECT_TRUE(leaving[1] >= 121 && leaving[1] <= 124) << leaving[1];

    // -3 in channel 0 -> y = 262: the first segment enters from below at
    // x = 10 + 22 x 17 / 139 = 12.7.
    const PixelImage low = spike(0, -3.0f);
    EXPECT_TRUE(differences(low, spike(0, -1.5f)).empty());
    EXPECT_FALSE(differences(low, spike(0, -1.4f)).empty());
    const std::vector<int> entering = blackInRow(low, 245);
    ASSERT_EQ(entering.size(), 1u);
    EXPECT_TRUE(entering[0] == 12 || entering[0] == 13) << entering[0];
    EXPECT_EQ(blackInColumn(low, 10).back(), 216);
}

TEST_F(OutputGraph, NotANumberIsDrawnAtMinusOneAndAHalf) {
    const PixelImage nan = spike(5, std::nanf(""));
    EXPECT_TRUE(differences(nan, spike(5, -1.5f)).empty());
    EXPECT_FALSE(differences(nan, spike(5, -1.4f)).empty());
}

TEST_F(OutputGraph, PlantDottedNetworkSolidAtTheCurrentSlot) {
    for (int k = 0; k < 17; ++k) {
        model.plant.outputs[k] = 0.45f;  // row 81
        for (int t = 0; t < 8; ++t)
            model.network.outputs[k][t] = 0.75f;  // row 53
        model.network.outputs[k][3] = -0.45f;     // row 164
    }
    viewer.refresh();
    const PixelImage& image = window.images[0];
    // 16 dotted segments of 22 or 23 pixels light 8 pixels each, plus the right frame line.
    EXPECT_EQ(blackInRow(image, 81).size(), 16u * 8u + 1u);
    EXPECT_EQ(blackInRow(image, 164), range(10, 364));
    EXPECT_EQ(blackInRow(image, 53), (std::vector<int>{10, 187, 364}));
    EXPECT_EQ(window.images[0].pixel(0, 0), 0xffffffffu);  // the bitmap's white, copied
}

}  // namespace
}  // namespace varkelon::test
