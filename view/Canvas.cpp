#include "Canvas.h"

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

    QImage& image = *image_;
    const int width = image.width();
    const int height = image.height();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();

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
            reinterpret_cast<QRgb*>(bits + py * stride)[px] = penColour_;
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

void Canvas::fillRect(const QRect& rect, QRgb colour) {
    QImage& image = *image_;
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty())
        return;
    const QRgb pixel = 0xff000000u | colour;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = area.left(); x <= area.right(); ++x)
            row[x] = pixel;
    }
}

void Canvas::copyFrom(const QImage& source) {
    QImage& image = *image_;
    const int width = image.width() < source.width() ? image.width() : source.width();
    const int height = image.height() < source.height() ? image.height() : source.height();
    uchar* bits = image.bits();
    for (int y = 0; y < height; ++y) {
        std::memcpy(bits + y * image.bytesPerLine(), source.constScanLine(y),
                    static_cast<std::size_t>(width) * sizeof(QRgb));
    }
}

}  // namespace varkelon
