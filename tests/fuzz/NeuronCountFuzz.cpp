// libFuzzer target: any text in neuronCountBox gives a neuron count in 1..10, the
// same count as a second, independently written reading of the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lesson/NeuronCountText.h"

using namespace varkelon;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// The reference: cut to five code units, strip the white space listed here,
// then read the sign and digits as plain ASCII.
int referenceCount(std::u16string_view text) {
    static constexpr std::u16string_view kSpaces =
        u"\t\n\v\f\r \u0085\u00a0\u1680\u2000\u2001\u2002\u2003\u2004\u2005\u2006\u2007\u2008"
        u"\u2009\u200a\u2028\u2029\u202f\u205f\u3000";
    std::u16string_view rest = text.substr(0, 5);
    const std::size_t first = rest.find_first_not_of(kSpaces);
    rest = first == std::u16string_view::npos ? std::u16string_view() : rest.substr(first);

    int sign = 1;
    if (!rest.empty() && (rest.front() == u'-' || rest.front() == u'+')) {
        sign = rest.front() == u'-' ? -1 : 1;
        rest.remove_prefix(1);
    }
    std::string digits;
    for (const char16_t unit : rest) {
        if (unit < u'0' || unit > u'9')
            break;
        digits += static_cast<char>(unit);
    }
    const long value = digits.empty() ? 0 : sign * std::strtol(digits.c_str(), nullptr, 10);
    return value < 1 ? 1 : value > 10 ? 10 : static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte chooses how the rest becomes text: odd, one code unit
    // per byte (digits and signs are easy to reach); even, little-endian
    // pairs of bytes (any UTF-16, lone surrogates included).
    if (size == 0)
        return 0;
    std::u16string text;
    if ((data[0] & 1) != 0) {
        for (std::size_t at = 1; at < size; ++at)
            text += static_cast<char16_t>(data[at]);
    } else {
        for (std::size_t at = 1; at + 1 < size; at += 2)
            text += static_cast<char16_t>(data[at] | (data[at + 1] << 8));
    }

    const int count = NeuronCountText::count(text);
    require(count >= kMinHidden && count <= kMaxHidden);
    require(count == referenceCount(text));
    const int parsed = NeuronCountText::parse(text);
    require(parsed >= -99999 && parsed <= 99999);
    return 0;
}
