#include "DevicePixels.h"

#include <QPainter>

namespace varkelon {

DevicePixels::DevicePixels(QPainter& painter)
    : painter_(painter), toDevice_(painter.deviceTransform()) {
    painter_.save();
    // The device transform is the world transform followed by the hidden
    // one (the ratio, the widget's offset); this world transform cancels it.
    painter_.setWorldTransform(toDevice_.inverted() * painter_.worldTransform());
}

DevicePixels::~DevicePixels() {
    painter_.restore();
}

QRect DevicePixels::map(const QRect& logical) const {
    const QRectF device = toDevice_.mapRect(QRectF(logical));
    const QPoint topLeft(qRound(device.left()), qRound(device.top()));
    const QPoint bottomRight(qRound(device.right()), qRound(device.bottom()));
    return QRect(topLeft, bottomRight - QPoint(1, 1));
}

}  // namespace varkelon
