// The two plot frames on a 374 x 246 area, drawn by a refresh of values that
// lie on the frames' zero lines: lines, centre cross and ticks at the pixel
// positions worked out from the frame formulas.

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

const std::vector<int> kChannelTicks = {10,  32,  54,  76,  98,  120, 142, 164, 187,
                                        209, 231, 253, 275, 297, 319, 341, 364};
const std::vector<int> kCentreTicks = {30,  39,  48,  57,  67,  76,  85,  95,  104, 113,
                                       123, 132, 141, 150, 160, 169, 178, 188, 197, 206};
const std::vector<int> kBottomTicks = {10,  27,  45,  63,  80,  98,  116, 133, 151, 169, 187,
                                       204, 222, 240, 257, 275, 293, 310, 328, 346, 364};
const std::vector<int> kLeftTicks = {30, 48, 67, 85, 104, 123, 141, 160, 178, 197, 216};

// Every output 0: both curves run along the frame's own zero line.
struct GraphFrame : ViewerFixture, testing::Test {
    GraphFrame() {
        for (int k = 0; k < 17; ++k) {
            model.plant.outputs[k] = 0.0f;
            model.network.outputs[k][model.network.timeSlot] = 0.0f;
        }
        window.images[2].fill(kBlackPixel);  // whatever the bitmap held before
        lesson.showPage(Page::Graph);
        viewer.refresh();
    }
    const PixelImage& bitmap = window.images[0];
};

TEST_F(GraphFrame, LinesFormAFrameWithACentreCross) {
    for (int y : {30, 123, 216}) {
        // Line from x = 10 to 364, its end pixel left out; the frame's right
        // line and the channel ticks add x = 364 on the rows they cross.
        std::vector<int> expected = range(10, 363);
        if (y != 30)
            expected.push_back(364);
        EXPECT_EQ(blackInRow(bitmap, y), expected) << "row " << y;
    }
    // Vertical lines from y = 216 up to 30: rows 31 to 216; row 30 comes from the top line.
    EXPECT_EQ(blackInColumn(bitmap, 10), range(30, 216));
    EXPECT_EQ(blackInColumn(bitmap, 364), range(31, 216));
    EXPECT_FALSE(isBlack(bitmap, 364, 30));
    EXPECT_FALSE(isBlack(bitmap, 9, 123));
    EXPECT_FALSE(isBlack(bitmap, 365, 123));
}

TEST_F(GraphFrame, SeventeenChannelTicksCrossTheZeroLine) {
    for (int y = 121; y <= 125; ++y)
        EXPECT_EQ(blackInRow(bitmap, y) == kChannelTicks, y != 123) << y;
    EXPECT_EQ(blackInRow(bitmap, 120), (std::vector<int>{10, 187, 364}));
    EXPECT_EQ(blackInRow(bitmap, 126), (std::vector<int>{10, 187, 364}));
}

TEST_F(GraphFrame, TwentyTicksCrossTheVerticalCentreLine) {
    for (int x = 185; x <= 189; ++x) {
        if (x == 187)
            continue;
        EXPECT_EQ(blackInColumn(bitmap, x), with(kCentreTicks, {216})) << "column " << x;
    }
    // The tick ends at x = 190, which stays blank.
    EXPECT_EQ(blackInColumn(bitmap, 190), (std::vector<int>{30, 123, 216}));
    EXPECT_EQ(blackInColumn(bitmap, 184), (std::vector<int>{30, 123, 216}));
}

TEST_F(GraphFrame, TheBitmapIsWhitenedFirst) {
    for (int y = 0; y < kHeight; ++y) {
        if (y < 30 || y > 216) {
            EXPECT_TRUE(blackInRow(bitmap, y).empty()) << "row " << y;
        }
    }
    EXPECT_EQ(bitmap.pixel(0, 0), 0xffffffffu);
    EXPECT_EQ(bitmap.pixel(kWidth - 1, kHeight - 1), 0xffffffffu);
}

// Every history entry 0, the ring full: the trace runs along the frame's bottom line.
struct EstimationFrame : ViewerFixture, testing::Test {
    EstimationFrame() {
        std::fill(history(), history() + 140, 0.0f);
        atCycle(500, 139);
        lesson.showPage(Page::Estimation);
    }
};

TEST_F(EstimationFrame, RectangleWithTwentyOneBottomAndElevenLeftTicks) {
    viewer.refresh();  // Sliding
    const PixelImage& bitmap = window.images[1];
    // The first and last left ticks stick out at rows 30 and 216.
    EXPECT_EQ(blackInRow(bitmap, 30), with(range(10, 363), {8, 9}));
    EXPECT_EQ(blackInRow(bitmap, 216), with(range(10, 364), {8, 9}));
    EXPECT_EQ(blackInRow(bitmap, 123), (std::vector<int>{8, 9, 10, 364}));  // a left tick row
    EXPECT_EQ(blackInRow(bitmap, 122), (std::vector<int>{10, 364}));
    EXPECT_EQ(blackInColumn(bitmap, 364), range(31, 218));
    EXPECT_EQ(blackInColumn(bitmap, 187), (std::vector<int>{30, 216, 217, 218}));
    // Bottom ticks from y = 216 down to 219: rows 217 and 218.
    EXPECT_EQ(blackInRow(bitmap, 217), kBottomTicks);
    EXPECT_EQ(blackInRow(bitmap, 218), kBottomTicks);
    EXPECT_TRUE(blackInRow(bitmap, 219).empty());
    // Left ticks from x = 8 to 10: columns 8 and 9.
    EXPECT_EQ(blackInColumn(bitmap, 8), kLeftTicks);
    EXPECT_EQ(blackInColumn(bitmap, 9), kLeftTicks);
    EXPECT_TRUE(blackInColumn(bitmap, 7).empty());
}

TEST_F(EstimationFrame, SlidingDrawsItInTheBitmapRunningOnThePaintBox) {
    const struct {
        bool running;
        bool bitmapDrawn;
    } cases[] = {{false, true}, {true, false}};
    for (const auto& [running, bitmapDrawn] : cases) {
        lesson.choosePlot(running ? PlotMode::Running : PlotMode::Sliding);
        window.images[1].fill(kWindowColour);
        window.images[2].fill(kWindowColour);
        viewer.refresh();
        EXPECT_EQ(blackInRow(window.images[2], 217) == kBottomTicks, bitmapDrawn) << running;
        EXPECT_EQ(blackInRow(window.images[1], 217), kBottomTicks) << running;
        EXPECT_EQ(blackInColumn(window.images[1], 8), kLeftTicks) << running;
    }
}

}  // namespace
}  // namespace varkelon::test
