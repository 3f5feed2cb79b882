#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/TeachingRegime.h"

namespace varkelon {

// One line of varkelon-teach's CSV: the state of a run after a cycle (or
// after the reset, row 0).
struct TeachRow {
    std::int32_t iteration = 0;
    TeachingRegime regime = TeachingRegime::Static;
    std::int32_t hiddenCount = 0;
    float estimation = 0;
    float learningRate = 0;
    float noiseLevel = 0;
};

inline constexpr std::string_view kTeachHeader =
    "iteration,regime,hiddenCount,estimation,learningRate,noiseLevel\n";

// Room for the longest row: two 11-character integers, a 10-character
// regime name, three reals of at most 15 characters ("-1.17549435e-38"),
// five commas and the newline; rounded up.
inline constexpr std::size_t kMaxTeachRowLength = 96;

// Writes rows one after another. The reals come out as printf's "%.9g"
// writes them, without printf's format parsing and locale; one with the same
// bits as the real above it is copied rather than converted again (the noise
// level and a clamped learning rate stay for thousands of rows).
class TeachRowWriter {
  public:
    // Writes the row with its newline at `out` (room for kMaxTeachRowLength
    // characters) and returns the end.
    char* write(const TeachRow& row, char* out);

  private:
    // The latest real written in one column, and its text.
    struct Column {
        std::uint32_t bits = 0;
        std::size_t length = 0;  // 0 before the first row
        char text[16];
    };
    static char* appendReal(Column& column, float value, char* out);

    Column estimation_;
    Column learningRate_;
    Column noiseLevel_;
};

}  // namespace varkelon
