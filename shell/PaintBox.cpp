#include "PaintBox.h"

#include <QHideEvent>
#include <QPaintEvent>
#include <QPainter>

namespace varkelon {

PaintBox::PaintBox(QWidget* parent, const QRect& geometry, const QColor& background)
    : QWidget(parent), image_(geometry.size(), QImage::Format_RGB32), background_(background) {
    setGeometry(geometry);
    image_.fill(background);
    // The image covers every pixel: Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* /*event*/) {
    // The image keeps the box's own size in logical pixels, so the plots stay
    // in the coordinates they are drawn in. On a high-density screen the
    // painter scales it to the device: nearest-neighbour, so that every image
    // pixel becomes a block of whole device pixels (2 x 2 at a ratio of 2)
    // and lines stay pure black, never smoothed to grey. The whole image is
    // drawn every time (the painter clips it to the region to paint): scaled
    // pieces of it could round their edges differently at a ratio like 1.5.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image_);
}

void PaintBox::hideEvent(QHideEvent* event) {
    // A page change hides the box; the window being minimised is the
    // system's affair (a spontaneous event) and keeps the picture.
    if (!event->spontaneous())
        image_.fill(background_);
    QWidget::hideEvent(event);
}

}  // namespace varkelon
