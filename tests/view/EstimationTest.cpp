// The estimation history: segment columns and heights, the Sliding picture
// while the ring fills and once it is full, the Running sweep step by step
// and its full-redraw walk, and the page's three window events.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

// Column i of the plot: 10 + i x 2.5467627 (the single-precision column step), truncated.
int columnX(int i) {
    return static_cast<int>(10 + i * static_cast<double>(2.5467627f));
}

struct Estimation : ViewerFixture, testing::Test {
    Estimation() {
        std::fill(history(), history() + 140, 0.0f);
        sliding(500, 139);  // an empty history: the bare frame on white (see FrameTest)
        whiteFrame = box();
        window.images[1].fill(kWindowColour);
        window.log.clear();
    }
    const PixelImage& box() const { return window.images[1]; }
    void sliding(std::int32_t n, std::int32_t newest) {
        lesson.showPage(Page::Estimation);
        lesson.choosePlot(PlotMode::Sliding);
        atCycle(n, newest);
        viewer.refresh();
        EXPECT_TRUE(differences(window.images[1], window.images[2]).empty());
    }
    void chooseRunning() { lesson.choosePlot(PlotMode::Running); }
    // Running in full, as a click on the Estimation tab asks for it.
    void runningInFull(std::int32_t n, std::int32_t newest) {
        lesson.showPage(Page::Estimation);
        chooseRunning();
        atCycle(n, newest);
        viewer.pageShown();
    }
    // Running after a full redraw, the paint box blank again: the next
    // refresh draws one step.
    void readyForAStep() {
        runningInFull(1000, 0);
        ASSERT_EQ(viewer.fullRedraw(), 0);
        window.images[1].fill(kWindowColour);
        window.log.clear();
    }
    void runningStep(std::int32_t n, std::int32_t newest) {
        atCycle(n, newest);
        viewer.refresh();
    }
    void blacken(int y, int fromX, int toX) {
        for (int x = fromX; x <= toX; ++x)
            window.images[1].row(y)[x] = kBlackPixel;
    }

    PixelImage whiteFrame;
};

TEST_F(Estimation, SegmentColumns) {
    // Full ring, R = 139: column i shows entry i. Entry 1.0 -> y = 93.
    for (int parity = 0; parity <= 1; ++parity) {
        std::vector<int> expected = {10, 364};  // the frame's side lines
        for (int i = 0; i < 140; ++i) {
            history()[i] = i % 2 == parity ? 1.0f : 0.0f;
            // A point shows as the start of the next column's segment.
            if (i % 2 == parity && i < 139)
                expected.push_back(columnX(i));
        }
        sliding(500, 139);
        EXPECT_EQ(blackInRow(box(), 93), with(expected, {}));
    }
    const std::vector<int> first = {10, 12, 15, 17, 20, 22, 25, 27, 30, 32, 35, 38};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(columnX(i), first[i]);
    EXPECT_EQ(columnX(136), 356);
    EXPECT_EQ(columnX(138), 361);
    EXPECT_EQ(columnX(139), 364);
}

TEST_F(Estimation, SegmentHeightsAreClamped) {
    // Entry at ring position 50 (column 50, x = 137); its point is the start of column 51.
    const auto topmost = [this](float entry) {
        history()[50] = entry;
        sliding(500, 139);
        const std::vector<int> column = blackInColumn(box(), 137);
        return *std::find_if(column.begin(), column.end(), [](int y) { return y > 30; });
    };
    EXPECT_EQ(topmost(1.0f), 93);
    EXPECT_EQ(topmost(0.5f), 154);  // 154.5 truncated
    EXPECT_EQ(topmost(1.5f), 31);   // 31.5 truncated
    EXPECT_EQ(topmost(2.0f), 31);
    EXPECT_EQ(topmost(0.001f), 215);
    for (float below : {0.0f, -0.5f, std::nanf("")}) {
        history()[50] = below;
        sliding(500, 139);
        EXPECT_TRUE(differences(box(), whiteFrame).empty()) << below;
    }
}

TEST_F(Estimation, SlidingAfterResetShowsColumnZeroOnly) {
    // n = 0, R = 0: one stroke at x = 10, on the frame's left line; stale
    // entries elsewhere stay unseen.
    std::fill(history() + 1, history() + 140, 1.0f);
    history()[0] = 0.5f;
    sliding(0, 0);
    EXPECT_TRUE(differences(box(), whiteFrame).empty());
    sliding(1, 1);  // n = 1 still shows entry 0 only
    EXPECT_TRUE(differences(box(), whiteFrame).empty());
}

TEST_F(Estimation, SlidingWhileTheRingFillsLeavesTheNewestForLater) {
    const float entries[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.2f};  // y = 191, 166, 142, 117, 93, 68
    std::copy(std::begin(entries), std::end(entries), history());
    std::fill(history() + 6, history() + 140, 1.4f);  // not of this run
    sliding(5, 5);
    EXPECT_TRUE(isBlack(box(), 12, 166));
    EXPECT_TRUE(isBlack(box(), 15, 142));
    EXPECT_TRUE(isBlack(box(), 17, 117));
    for (const auto& [x, y] : differences(box(), whiteFrame)) {
        EXPECT_TRUE(x <= 20 && y >= 94 && y <= 216) << x << "," << y;
    }
}

TEST_F(Estimation, SlidingFullRingStartsAtTheOldest) {
    history()[53] = 1.0f;
    history()[49] = 1.0f;
    sliding(300, 50);  // oldest = 51: entry 53 in column 2, entry 49 in column 138
    EXPECT_EQ(blackInRow(box(), 93), (std::vector<int>{10, 15, 361, 364}));
    sliding(301, 51);  // one cycle later the picture has slid left by one column
    EXPECT_EQ(blackInRow(box(), 93), (std::vector<int>{10, 12, 358, 364}));
}

TEST_F(Estimation, RunningStepErasesTenAheadAndDrawsTheNewest) {
    history()[4] = history()[5] = 0.5f;      // segment 5: row 154, x = 20 to 21
    history()[134] = history()[135] = 1.0f;  // segment 135: row 93, x = 351 to 352
    readyForAStep();
    blacken(154, 18, 23);  // the trace of one pass earlier
    runningStep(1000, 135);
    EXPECT_EQ(blackInRow(box(), 154), (std::vector<int>{10, 18, 19, 22, 23, 364}));
    EXPECT_EQ(box().pixel(20, 154), kWindowColour);
    EXPECT_EQ(blackInRow(box(), 93), (std::vector<int>{10, 351, 352, 364}));
    EXPECT_EQ(blackInRow(box(), 217).size(), 21u);  // the frame is redrawn
    EXPECT_EQ(viewer.fullRedraw(), 0);
}

TEST_F(Estimation, RunningColumnZeroIsAVerticalStroke) {
    history()[139] = 1.0f;
    history()[0] = 0.5f;
    readyForAStep();
    runningStep(1000, 0);
    EXPECT_EQ(blackInRow(box(), 120), (std::vector<int>{10, 364}));
}

TEST_F(Estimation, RunningFullRedrawWithAFullRing) {
    std::fill(history(), history() + 140, 1.0f);
    runningInFull(1000, 139);  // positions 0 to 9 blank: x = 11 to 31
    EXPECT_EQ(blackInRow(box(), 93), with(range(32, 364), {10}));
    EXPECT_EQ(viewer.fullRedraw(), 0);

    window.images[1].fill(kWindowColour);
    runningInFull(1000, 0);  // positions 1 to 10 blank: x = 11 to 34
    EXPECT_EQ(blackInRow(box(), 93), with(range(35, 364), {10}));
}

TEST_F(Estimation, RunningFullRedrawWhileTheRingFills) {
    std::fill(history(), history() + 21, 1.0f);
    std::fill(history() + 21, history() + 140, 0.5f);  // stale
    blacken(154, 60, 120);
    runningInFull(20, 20);
    EXPECT_EQ(blackInRow(box(), 93), with(range(10, 59), {364}));
    // Positions 22 to 30 (x = 63 to 85) were erased; nothing after R was drawn.
    std::vector<int> row154 = with(range(60, 62), {10, 364});
    for (int x = 86; x <= 120; ++x)
        row154.push_back(x);
    std::sort(row154.begin(), row154.end());
    EXPECT_EQ(blackInRow(box(), 154), row154);

    std::fill(history() + 11, history() + 140, 0.5f);  // from position 12 on: row 154
    for (std::int32_t newest : {5, 10}) {              // R below 11: no erasing at all
        window.images[1].fill(kWindowColour);
        blacken(154, 11, 120);
        runningInFull(newest, newest);
        EXPECT_EQ(blackInRow(box(), 154), with(range(10, 120), {364})) << newest;
    }
}

TEST_F(Estimation, ChoosingRunningClearsAndRedrawsInFull) {
    std::fill(history(), history() + 140, 1.0f);
    readyForAStep();
    atCycle(1000, 139);
    window.images[1].fill(kBlackPixel);
    viewer.plotChosen(PlotMode::Running);
    EXPECT_EQ(window.repaints[1], 1);
    EXPECT_TRUE(window.blankWhenRepainted);
    EXPECT_EQ(blackInRow(box(), 93), with(range(32, 364), {10}));
    EXPECT_EQ(box().pixel(200, 200), kWindowColour);
    EXPECT_EQ(viewer.fullRedraw(), 0);
    EXPECT_EQ(window.readouts[1][0], "1001");
}

TEST_F(Estimation, ChoosingSlidingOnlyRefreshes) {
    atCycle(1000, 139);
    ASSERT_EQ(viewer.fullRedraw(), 1);  // as constructed
    viewer.plotChosen(PlotMode::Sliding);
    EXPECT_EQ(window.repaints[1], 0);
    EXPECT_TRUE(differences(box(), whiteFrame).empty());
    EXPECT_EQ(viewer.fullRedraw(), 1);  // the Sliding mode leaves it alone
}

TEST_F(Estimation, EveryPageShownIsCurrentAndOnlyEstimationRedrawsInFull) {
    std::fill(history(), history() + 140, 1.0f);
    readyForAStep();
    atCycle(1000, 139);
    lesson.showPage(Page::Graph);
    viewer.pageShown();
    EXPECT_EQ(window.readouts[0][0], "1001");
    EXPECT_TRUE(isBlack(window.images[0], 10, 123));  // the graph's frame
    EXPECT_EQ(viewer.fullRedraw(), 0);

    lesson.showPage(Page::Table);
    viewer.pageShown();
    EXPECT_EQ(window.readouts[2][0], "1001");
    EXPECT_FALSE(window.cells[1][17].empty());
    EXPECT_EQ(viewer.fullRedraw(), 0);

    lesson.showPage(Page::Estimation);
    window.images[1].row(200)[200] = kBlackPixel;
    viewer.pageShown();
    EXPECT_EQ(window.repaints[1], 0);  // not cleared first
    EXPECT_TRUE(isBlack(box(), 200, 200));
    EXPECT_EQ(blackInRow(box(), 93), with(range(32, 364), {10}));
    EXPECT_EQ(viewer.fullRedraw(), 0);
}

TEST_F(Estimation, IterationZeroClearsAndAsksForAFullRedraw) {
    readyForAStep();
    atCycle(0, 0);
    lesson.choosePlot(PlotMode::Sliding);
    window.images[1].fill(kBlackPixel);
    viewer.refresh();
    EXPECT_EQ(window.repaints[1], 1);
    EXPECT_TRUE(window.blankWhenRepainted);
    EXPECT_EQ(viewer.fullRedraw(), 1);

    chooseRunning();
    window.images[1].fill(kBlackPixel);
    viewer.refresh();
    EXPECT_EQ(window.repaints[1], 2);
    EXPECT_EQ(viewer.fullRedraw(), 0);  // the full redraw ran
    EXPECT_EQ(box().pixel(200, 200), kWindowColour);
}

TEST_F(Estimation, ResetClearsTheAreaOnlyWhenItIsOnView) {
    model.manager.setDisplay(&viewer);
    readyForAStep();
    lesson.showPage(Page::Graph);
    model.manager.reset();
    EXPECT_EQ(window.repaints[1], 0);
    EXPECT_EQ(viewer.fullRedraw(), 1);

    readyForAStep();
    window.images[1].fill(kBlackPixel);
    model.manager.reset();
    EXPECT_EQ(window.repaints[1], 1);
    EXPECT_TRUE(window.blankWhenRepainted);
    EXPECT_EQ(viewer.fullRedraw(), 1);
    EXPECT_TRUE(window.log.empty());  // a reset writes no text
}

}  // namespace
}  // namespace varkelon::test
