#include "PixelImage.h"

#include <algorithm>

namespace varkelon {

PixelImage::PixelImage(int width, int height, std::uint32_t colour)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour) {}

void PixelImage::fill(std::uint32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

}  // namespace varkelon
