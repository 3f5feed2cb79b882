#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "view/PixelImage.h"

namespace varkelon {

// A paint area: Qt paints a widget only from its paint event, so the box
// keeps an image that the Viewer draws on and the paint event copies out,
// shown through a QImage over the same pixels.
// The image has the box's size in logical pixels whatever the screen's
// density; the paint event shows it sharp at the device's pixel ratio, with
// every line one width at a ratio such as 1.5.
//
// The box is a Tab stop: reached with Tab, a dotted frame just inside its
// edge shows the focus.
//
// Like a paint area of the platform the plots were designed for, the box
// keeps no picture while its page is hidden: shown again, it is blank until
// the Viewer draws on it.
class PaintBox : public QWidget {
  public:
    PaintBox(QWidget* parent, const QRect& geometry, const QColor& background);

    PixelImage& image() { return pixels_; }
    // The box as the screen shows it, at the screen's pixel ratio, without
    // the mark of the keyboard focus.
    QPixmap picture();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The Menu key and Shift+F10 open the box's menu, as a right click does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    PixelImage pixels_;
    // Reads pixels_ in place; never written through, so it never copies.
    QImage image_;
    QColor background_;
    bool focusByKeyboard_ = false;
    bool markFocus_ = true;
};

}  // namespace varkelon
