// Table cells, readouts, and which page's fields a refresh writes.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

std::string cell(float value) {
    return Viewer::formatCell(value);
}

TEST(FormatCell, FixedNotationCutToTwelveColumns) {
    EXPECT_EQ(cell(0.0f), "    0");
    EXPECT_EQ(cell(0.5f), "    0.5");
    EXPECT_EQ(cell(-0.5f), "   -0.5");
    EXPECT_EQ(cell(0.123456789f), "    0.123456");  // 0.123456791 cut, not rounded
    EXPECT_EQ(cell(-0.0123456f), "   -0.012345");
    EXPECT_EQ(cell(12.3456789f), "    12.34567");
    EXPECT_EQ(cell(0.00012345f), "    0.000123");
    EXPECT_EQ(cell(-12345.678f), "   -12345.67");
}

TEST(FormatCell, ExponentMovesLeftOverTheMantissa) {
    EXPECT_EQ(cell(1.5e-05f), "    1.49e-05");   // 1.499999962e-05
    EXPECT_EQ(cell(-3.2e-07f), "   -3.19e-07");  // -3.199999981e-07
    EXPECT_EQ(cell(1.024e10f), "    1.02e+10");  // e at column 9
    EXPECT_EQ(cell(1e10f), "    1e+10");         // e at column 5 stays
    EXPECT_EQ(cell(-1.234567891e-38f), "   -1.23e-38");
    EXPECT_EQ(cell(3.4e38f), "    3.39e+38");  // 3.399999952e+38
}

TEST(FormatCell, NotFiniteValues) {
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(cell(infinity), "    +INF");
    EXPECT_EQ(cell(-infinity), "   -INF");
    EXPECT_EQ(cell(std::nanf("")), "    +NAN");
    EXPECT_EQ(cell(-std::nanf("")), "   -NAN");
}

struct Refresh : ViewerFixture, testing::Test {
    const std::string& readout(Page page, Readout which) const {
        return window.readouts[static_cast<int>(page)][static_cast<int>(which)];
    }
};

TEST_F(Refresh, ReadoutTexts) {
    lesson.showPage(Page::Table);
    const std::pair<float, const char*> cases[] = {
        {0.0123456f, "0.0123456"},      {1.0f, "1"},
        {1.234567e-05f, "1.23457e-05"}, {0.0f, "0"},
        {1234567.0f, "1.23457e+06"},    {std::numeric_limits<float>::infinity(), "+INF"},
        {-std::nanf(""), "-NAN"}};
    for (const auto& [value, text] : cases) {
        model.network.estimation = value;
        model.plant.noiseLevel = value;
        viewer.refresh();
        EXPECT_EQ(readout(Page::Table, Readout::Estimation), text);
        EXPECT_EQ(readout(Page::Table, Readout::Noise), text);
    }
    // The iteration field counts from one: right after the reset it reads 1.
    EXPECT_EQ(readout(Page::Table, Readout::Iteration), "1");
    model.manager.iteration = 41;
    viewer.refresh();
    EXPECT_EQ(readout(Page::Table, Readout::Iteration), "42");
}

TEST_F(Refresh, TablePageWritesCellsOfTheCurrentSlot) {
    lesson.showPage(Page::Table);
    model.network.timeSlot = 6;
    for (int i = 0; i < 17; ++i) {
        model.plant.outputs[i] = 0.5f;
        for (int t = 0; t < 8; ++t) {
            model.network.outputs[i][t] = 9.0f;
            model.network.errors[i][t] = 9.0f;
        }
        model.network.outputs[i][6] = -0.5f;
        model.network.errors[i][6] = 1.5e-05f;
    }
    viewer.refresh();
    for (int row = 1; row <= 17; ++row) {
        EXPECT_EQ(window.cells[1][row], "    0.5");
        EXPECT_EQ(window.cells[2][row], "   -0.5");
        EXPECT_EQ(window.cells[3][row], "    1.49e-05");
    }
    // Channel labels and headings are not the refresh's.
    EXPECT_EQ(window.cells[0][1], "stale");
    EXPECT_EQ(window.cells[1][0], "stale");
    // Cells row by row, then the three readouts.
    ASSERT_EQ(window.log.size(), 51u + 3u);
    EXPECT_EQ(window.log[0], "cell[1,1]=    0.5");
    EXPECT_EQ(window.log[1], "cell[2,1]=   -0.5");
    EXPECT_EQ(window.log[3], "cell[1,2]=    0.5");
    EXPECT_EQ(window.log[51], "readout");
    // Nothing drawn for the table.
    EXPECT_EQ(window.images[0].pixel(100, 100), kWindowColour);
    EXPECT_EQ(window.images[1].pixel(100, 100), kWindowColour);
}

TEST_F(Refresh, OnlyTheVisiblePagesFieldsAreWritten) {
    const Page pages[] = {Page::Graph, Page::Estimation, Page::Table};
    for (Page visible : pages) {
        FakeWindow fresh;
        Viewer viewer(fresh, lesson);
        lesson.showPage(visible);
        viewer.refresh();
        for (Page page : pages) {
            const bool written = page == visible;
            for (int which = 0; which < 3; ++which) {
                EXPECT_EQ(fresh.readouts[static_cast<int>(page)][which] == "stale", !written);
            }
        }
        EXPECT_EQ(fresh.cells[2][17] == "stale", visible != Page::Table);
        // Only the page on view is drawn.
        EXPECT_EQ(fresh.images[0].pixel(10, 30) == kBlackPixel, visible == Page::Graph);
        EXPECT_EQ(fresh.images[1].pixel(10, 30) == kBlackPixel, visible == Page::Estimation);
    }
}

}  // namespace
}  // namespace varkelon::test
