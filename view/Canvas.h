#pragma once

#include <cstdint>

#include "view/PixelImage.h"

namespace varkelon {

// The pen and current position of one drawing surface (a paint box or the
// off-screen bitmap), drawing straight into the pixels of an image that its
// owner keeps.
//
// Lines are drawn pixel by pixel: from the current position up to the end
// point, leaving out the end pixel, whatever the direction, and clipped to the
// image. An empty line draws nothing.
class Canvas {
  public:
    enum class PenStyle { Solid, Dotted };

    // The image drawn on from now on; it must stay alive while it is used.
    void setTarget(PixelImage& image) { image_ = &image; }
    PixelImage& target() const { return *image_; }

    void setPenColour(std::uint32_t colour) { penColour_ = 0xff000000u | colour; }
    void setPenStyle(PenStyle style) { penStyle_ = style; }
    std::uint32_t penColour() const { return penColour_; }
    PenStyle penStyle() const { return penStyle_; }

    void moveTo(int x, int y);
    // Draws from the current position to (x, y), end pixel excluded; the
    // current position becomes (x, y).
    void lineTo(int x, int y);

    // Paints the rectangle (clipped to the image) in one colour.
    void fillRect(int left, int top, int width, int height, std::uint32_t colour);
    // Copies the source onto the target with its top left corner at (0, 0),
    // as far as both reach.
    void copyFrom(const PixelImage& source);

  private:
    PixelImage* image_ = nullptr;
    std::uint32_t penColour_ = 0xff000000u;
    PenStyle penStyle_ = PenStyle::Solid;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace varkelon
