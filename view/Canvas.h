#pragma once

#include <cstdint>

#include <QImage>
#include <QRect>
#include <QRgb>

namespace varkelon {

// The pen and current position of one drawing surface (a paint box or the
// off-screen bitmap), drawing straight into the pixels of a QImage of
// Format_RGB32, the format of every image of the program, that its owner
// keeps.
//
// Lines are drawn pixel by pixel: from the current position up to the end
// point, leaving out the end pixel, whatever the direction, and clipped to the
// image. (QPainter leaves out the larger end of a line rather than its end
// point, and draws a pixel for an empty line.)
class Canvas {
  public:
    enum class PenStyle { Solid, Dotted };

    // The image drawn on from now on; it must stay alive while it is used.
    void setTarget(QImage& image) { image_ = &image; }
    QImage& target() const { return *image_; }

    void setPenColour(QRgb colour) { penColour_ = 0xff000000u | colour; }
    void setPenStyle(PenStyle style) { penStyle_ = style; }
    QRgb penColour() const { return penColour_; }
    PenStyle penStyle() const { return penStyle_; }

    void moveTo(int x, int y);
    // Draws from the current position to (x, y), end pixel excluded; the
    // current position becomes (x, y).
    void lineTo(int x, int y);

    // Paints the rectangle (clipped to the image) in one colour.
    void fillRect(const QRect& rect, QRgb colour);
    // Copies the source onto the target with its top left corner at (0, 0),
    // as far as both reach.
    void copyFrom(const QImage& source);

  private:
    QImage* image_ = nullptr;
    QRgb penColour_ = 0xff000000u;
    PenStyle penStyle_ = PenStyle::Solid;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace varkelon
