#pragma once

#include <QImage>
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
// Like a paint area of the platform the plots were designed for, the box
// keeps no picture while its page is hidden: shown again, it is blank until
// the Viewer draws on it.
class PaintBox : public QWidget {
  public:
    PaintBox(QWidget* parent, const QRect& geometry, const QColor& background);

    PixelImage& image() { return pixels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    PixelImage pixels_;
    // Reads pixels_ in place; never written through, so it never copies.
    QImage image_;
    QColor background_;
};

}  // namespace varkelon
