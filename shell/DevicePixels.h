#pragma once

#include <QRect>
#include <QTransform>

class QPainter;

namespace varkelon {

// Painting in whole device pixels: while it lives, the painter's
// coordinates are the device's own, whatever the device pixel ratio (and a
// widget's place in its window) would scale and move them by.
class DevicePixels {
  public:
    explicit DevicePixels(QPainter& painter);
    ~DevicePixels();

    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

    // The device pixels that a rectangle in the painter's former (logical)
    // coordinates covers, its edges rounded to the nearest device pixel.
    QRect map(const QRect& logical) const;

  private:
    QPainter& painter_;
    QTransform toDevice_;
};

}  // namespace varkelon
