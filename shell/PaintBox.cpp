#include "PaintBox.h"

#include <QFocusEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "shell/DevicePixels.h"
#include "shell/EvenLines.h"

namespace varkelon {

PaintBox::PaintBox(QWidget* parent, const QRect& geometry, const QColor& background)
    : QWidget(parent),
      pixels_(geometry.width(), geometry.height(), background.rgb()),
      image_(reinterpret_cast<const uchar*>(pixels_.data()), pixels_.width(), pixels_.height(),
             pixels_.stride() * qsizetype{sizeof(std::uint32_t)}, QImage::Format_RGB32),
      background_(background) {
    setGeometry(geometry);
    setFocusPolicy(Qt::StrongFocus);
    // The image covers every pixel: Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* /*event*/) {
    // The image keeps the box's own size in logical pixels, so the plots stay
    // in the coordinates they are drawn in. The whole image is shown every
    // time (the painter clips it to the region to paint): pieces of it could
    // land on the device differently.
    QPainter painter(this);
    const qreal ratio = devicePixelRatio();
    if (!EvenLines::needed(ratio)) {
        // At a whole ratio the painter scales it nearest-neighbour: every
        // image pixel becomes a block of whole device pixels (2 x 2 at 2)
        // and lines stay pure black, never smoothed to grey.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), image_);
    } else {
        // At 1.25 or 1.5 that would make one line one device pixel wide and the
        // next two: every line is drawn as lines of one width instead.
        DevicePixels device(painter);
        const QRect target = device.map(rect());
        painter.drawImage(target.topLeft(),
                          EvenLines::blocks(image_, background_.rgb(), ratio, target.size()));
    }
    if (hasFocus() && focusByKeyboard_ && markFocus_) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QPixmap PaintBox::picture() {
    markFocus_ = false;
    const QPixmap shown = grab();
    markFocus_ = true;
    return shown;
}

void PaintBox::focusInEvent(QFocusEvent* event) {
    // Reached with Tab the box marks its focus; a click, or the focus
    // passing on from a control that went out of view, leaves the picture
    // as it is.
    focusByKeyboard_ =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void PaintBox::focusOutEvent(QFocusEvent* event) {
    focusByKeyboard_ = false;
    update();
    QWidget::focusOutEvent(event);
}

void PaintBox::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        emit customContextMenuRequested(rect().center());
        return;
    }
    QWidget::keyPressEvent(event);
}

void PaintBox::hideEvent(QHideEvent* event) {
    // A page change hides the box; the window being minimised is the
    // system's affair (a spontaneous event) and keeps the picture.
    if (!event->spontaneous())
        pixels_.fill(background_.rgb());
    QWidget::hideEvent(event);
}

}  // namespace varkelon
