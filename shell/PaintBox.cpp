#include "PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

namespace varkelon {

PaintBox::PaintBox(QWidget* parent, const QRect& geometry, const QColor& background)
    : QWidget(parent), image_(geometry.size(), QImage::Format_RGB32) {
    setGeometry(geometry);
    image_.fill(background);
    // The image covers every pixel: Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

}  // namespace varkelon
