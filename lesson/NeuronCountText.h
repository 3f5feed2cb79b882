#pragma once

#include <cstddef>
#include <string_view>

#include "model/Capacity.h"

namespace varkelon {

// The neuron count typed into neuronCountBox, read as the window reads it: only the
// first five UTF-16 code units, leading white space skipped, an optional "+"
// or "-", then the decimal digits up to the first other character (no digits
// give 0), clamped to kMinHidden..kMaxHidden. Free of Qt so that a fuzzer can drive it.
class NeuronCountText {
  public:
    // The window reads this many code units of the text.
    static constexpr std::size_t kReadLength = 5;

    // The parsed number before the clamp, -99999 to 99999.
    static int parse(std::u16string_view text);
    // parse, clamped to kMinHidden..kMaxHidden.
    static int count(std::u16string_view text);
    // White space as Qt's QChar::isSpace has it: the C0 controls 9 to 13,
    // the space, U+0085, and the Unicode space, line and paragraph
    // separators.
    static bool isSpace(char16_t unit);
};

}  // namespace varkelon
