#include "Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace varkelon {

namespace {

// The dotted pen: one pixel on, two off, counted from each line's start.
constexpr int kDotPeriod = 3;

}  // namespace

void Canvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void Canvas::lineTo(int x, int y) {
    const int x0 = x_;
    const int y0 = y_;
    x_ = x;
    y_ = y;

    PixelImage& image = *image_;
    const int width = image.width();
    const int height = image.height();

    // Bresenham over the major axis; the pixel at (x, y) is never drawn.
    const int dx = std::abs(x - x0);
    const int dy = std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    const int steps = dx > dy ? dx : dy;
    int px = x0;
    int py = y0;
    int error = (dx > dy ? dx : -dy) / 2;
    for (int k = 0; k < steps; ++k) {
        const bool on = penStyle_ == PenStyle::Solid || k % kDotPeriod == 0;
        if (on && px >= 0 && px < width && py >= 0 && py < height) {
            image.row(py)[px] = penColour_;
        }
        const int previousError = error;
        if (previousError > -dx) {
            error -= dy;
            px += sx;
        }
        if (previousError < dy) {
            error += dx;
            py += sy;
        }
    }
}

void Canvas::fillRect(int left, int top, int width, int height, std::uint32_t colour) {
    PixelImage& image = *image_;
    const int right = std::min(left + width, image.width());
    const int bottom = std::min(top + height, image.height());
    const std::uint32_t pixel = 0xff000000u | colour;
    for (int y = std::max(top, 0); y < bottom; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = std::max(left, 0); x < right; ++x)
            row[x] = pixel;
    }
}

void Canvas::copyFrom(const PixelImage& source) {
    PixelImage& image = *image_;
    const int width = std::min(image.width(), source.width());
    const int height = std::min(image.height(), source.height());
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.row(y), source.row(y),
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    }
}

}  // namespace varkelon
