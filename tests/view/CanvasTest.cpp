// Line-to as the plots rely on it: from the current position up to the end
// point, the end pixel left out in every direction, clipped to the image.

#include <gtest/gtest.h>

#include "FakeWindow.h"
#include "view/Canvas.h"

namespace varkelon::test {
namespace {

std::vector<std::pair<int, int>> line(int x0, int y0, int x1, int y1,
                                      Canvas::PenStyle style = Canvas::PenStyle::Solid) {
    PixelImage image(40, 40, 0xffffffffu);
    Canvas canvas;
    canvas.setTarget(image);
    canvas.setPenStyle(style);
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
    const PixelImage white(40, 40, 0xffffffffu);
    return differences(image, white);
}

using Points = std::vector<std::pair<int, int>>;

TEST(Canvas, LineToLeavesOutTheEndPixelInEveryDirection) {
    EXPECT_EQ(line(2, 5, 10, 5),
              (Points{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}}));
    EXPECT_EQ(line(10, 5, 2, 5),
              (Points{{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}}));
    EXPECT_EQ(line(5, 2, 5, 6), (Points{{5, 2}, {5, 3}, {5, 4}, {5, 5}}));
    EXPECT_EQ(line(5, 6, 5, 2), (Points{{5, 3}, {5, 4}, {5, 5}, {5, 6}}));
    EXPECT_EQ(line(2, 2, 6, 6), (Points{{2, 2}, {3, 3}, {4, 4}, {5, 5}}));
    EXPECT_EQ(line(6, 2, 2, 6), (Points{{6, 2}, {5, 3}, {4, 4}, {3, 5}}));
    // A line to the current position draws nothing.
    EXPECT_TRUE(line(7, 7, 7, 7).empty());
}

TEST(Canvas, ShallowAndSteepLinesLightOnePixelPerMajorStep) {
    const Points shallow = line(0, 0, 8, 2);
    ASSERT_EQ(shallow.size(), 8u);
    EXPECT_EQ(shallow.front(), std::make_pair(0, 0));
    for (const auto& [x, y] : shallow)
        EXPECT_LE(y, 2);

    const Points steep = line(3, 1, 5, 21);
    ASSERT_EQ(steep.size(), 20u);  // rows 1 to 20, one pixel each
    EXPECT_EQ(steep.front(), std::make_pair(3, 1));
    for (const auto& [x, y] : steep)
        EXPECT_TRUE(x >= 3 && x <= 5);
}

TEST(Canvas, LinesOutsideTheImageAreClippedNotShifted) {
    // From (2, 5) up to (2, -5): rows 5 down to 0 stay; the rest is cut.
    EXPECT_EQ(line(2, 5, 2, -5), (Points{{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}}));
    // Entering from below the image: the first in-image pixel is on row 39.
    const Points entering = line(10, 50, 10, 30);
    EXPECT_EQ(entering.front(), std::make_pair(10, 31));
    EXPECT_EQ(entering.back(), std::make_pair(10, 39));
}

TEST(Canvas, DottedPenLightsEveryThirdPixelFromTheLineStart) {
    EXPECT_EQ(line(2, 5, 12, 5, Canvas::PenStyle::Dotted),
              (Points{{2, 5}, {5, 5}, {8, 5}, {11, 5}}));
    EXPECT_EQ(line(12, 9, 2, 9, Canvas::PenStyle::Dotted),
              (Points{{3, 9}, {6, 9}, {9, 9}, {12, 9}}));
}

TEST(Canvas, FillAndCopyStayInsideTheirImages) {
    PixelImage target(10, 10, 0xff000000u);
    Canvas canvas;
    canvas.setTarget(target);
    canvas.fillRect(8, 8, 5, 5, 0xffffffu);
    EXPECT_EQ(target.pixel(7, 7), 0xff000000u);
    EXPECT_EQ(target.pixel(8, 8), 0xffffffffu);
    EXPECT_EQ(target.pixel(9, 9), 0xffffffffu);

    const PixelImage source(4, 20, 0xff123456u);
    canvas.copyFrom(source);
    EXPECT_EQ(target.pixel(3, 9), 0xff123456u);
    EXPECT_EQ(target.pixel(4, 0), 0xff000000u);
}

}  // namespace
}  // namespace varkelon::test
