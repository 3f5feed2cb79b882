#include "NeuronCountText.h"

#include <algorithm>

namespace varkelon {

bool NeuronCountText::isSpace(char16_t unit) {
    if (unit == u' ' || (unit >= 0x09 && unit <= 0x0d))
        return true;
    switch (unit) {
        case 0x0085:
        case 0x00a0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202f:
        case 0x205f:
        case 0x3000:
            return true;
        default:
            return unit >= 0x2000 && unit <= 0x200a;
    }
}

int NeuronCountText::parse(std::u16string_view text) {
    const std::u16string_view buffer = text.substr(0, std::min(text.size(), kReadLength));
    std::size_t at = 0;
    while (at < buffer.size() && isSpace(buffer[at]))
        ++at;
    bool negative = false;
    if (at < buffer.size() && (buffer[at] == u'+' || buffer[at] == u'-')) {
        negative = buffer[at] == u'-';
        ++at;
    }
    int value = 0;
    // Five code units hold at most 99999: no overflow.
    for (; at < buffer.size() && buffer[at] >= u'0' && buffer[at] <= u'9'; ++at)
        value = value * 10 + (buffer[at] - u'0');
    return negative ? -value : value;
}

int NeuronCountText::count(std::u16string_view text) {
    return std::clamp(parse(text), int{kMinHidden}, int{kMaxHidden});
}

}  // namespace varkelon
