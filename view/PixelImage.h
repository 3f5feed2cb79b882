#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varkelon {

// A picture as 32-bit pixels 0xAARRGGBB, row after row, `stride` pixels from
// one row to the next. The Viewer draws into such images; a face shows the
// same memory (the desktop as a QImage of Format_RGB32, the browser in a
// canvas) without copying it.
class PixelImage {
  public:
    PixelImage() = default;
    // Every pixel in `colour`; throws std::bad_alloc when memory is short.
    PixelImage(int width, int height, std::uint32_t colour);

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return width_; }
    bool isNull() const { return pixels_.empty(); }

    std::uint32_t* row(int y) { return pixels_.data() + std::ptrdiff_t{y} * width_; }
    const std::uint32_t* row(int y) const { return pixels_.data() + std::ptrdiff_t{y} * width_; }
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void fill(std::uint32_t colour);

    bool operator==(const PixelImage&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace varkelon
