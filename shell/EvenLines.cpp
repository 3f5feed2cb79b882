#include "EvenLines.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace varkelon {

namespace {

// For each device coordinate along one side, the logical one it shows: the
// first and last `edge` logical pixels `width` device pixels each, the
// inside nearest-neighbour.
std::vector<int> edgeAnchoredAxis(int logical, int device, int width, int edge) {
    edge = std::min({edge, logical / 2, device / (2 * width)});
    const int insideLogical = logical - 2 * edge;
    const int insideDevice = device - 2 * edge * width;
    std::vector<int> source(static_cast<std::size_t>(std::max(device, 0)));
    for (int d = 0; d < device; ++d) {
        int from;
        if (d < edge * width) {
            from = d / width;
        } else if (d >= device - edge * width) {
            from = logical - 1 - (device - 1 - d) / width;
        } else {
            // The centre of device pixel d, in the inside's logical pixels.
            const double inside = (d - edge * width + 0.5) * insideLogical / insideDevice;
            from = edge + std::min(static_cast<int>(inside), insideLogical - 1);
        }
        source[static_cast<std::size_t>(d)] = from;
    }
    return source;
}

}  // namespace

bool EvenLines::needed(qreal ratio) {
    return ratio != std::floor(ratio);
}

int EvenLines::lineWidth(qreal ratio) {
    return std::max(1, static_cast<int>(std::ceil(ratio)));
}

QImage EvenLines::blocks(const QImage& picture, QRgb background, qreal ratio, QSize deviceSize) {
    QImage shown(deviceSize, picture.format());
    shown.fill(background);
    const int width = lineWidth(ratio);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const int top = static_cast<int>(std::floor(y * ratio));
        const int bottom = std::min(top + width, deviceSize.height());
        for (int x = 0; x < picture.width(); ++x) {
            if (from[x] == background)
                continue;
            const int left = static_cast<int>(std::floor(x * ratio));
            const int right = std::min(left + width, deviceSize.width());
            if (left >= right)
                continue;
            for (int row = top; row < bottom; ++row) {
                auto* to = reinterpret_cast<QRgb*>(shown.scanLine(row));
                std::fill(to + left, to + right, from[x]);
            }
        }
    }
    return shown;
}

QImage EvenLines::edgeAnchored(const QImage& art, QSize deviceSize, qreal ratio, int edge) {
    const int width = lineWidth(ratio);
    const std::vector<int> columns = edgeAnchoredAxis(art.width(), deviceSize.width(), width, edge);
    const std::vector<int> rows = edgeAnchoredAxis(art.height(), deviceSize.height(), width, edge);
    QImage shown(deviceSize, art.format());
    for (int y = 0; y < deviceSize.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(art.constScanLine(rows[std::size_t(y)]));
        auto* to = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < deviceSize.width(); ++x)
            to[x] = from[columns[std::size_t(x)]];
    }
    return shown;
}

}  // namespace varkelon
