#include "TeachRow.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace varkelon {

namespace {

// Each field gets its own bound; the sizes of kMaxTeachRowLength add up.
char* appendInteger(char* out, std::int32_t value) {
    return std::to_chars(out, out + 11, value).ptr;
}

// "%.9g" through std::to_chars: exact for every double, and infinities and
// NaNs come out as "inf", "-inf", "nan" and "-nan", as glibc writes them.
char* appendRealByToChars(char* out, float value) {
    return std::to_chars(out, out + 24, static_cast<double>(value), std::chars_format::general, 9)
        .ptr;
}

// Nine significant digits run from 10^8 up to below 10^9.
constexpr std::uint64_t kLeastDigits = 100000000;
constexpr std::uint64_t kBeyondDigits = 1000000000;

__extension__ typedef unsigned __int128 Wide;

// base^0 to base^32, exactly.
constexpr std::array<Wide, 33> powers(std::uint64_t base) {
    std::array<Wide, 33> result{};
    result[0] = 1;
    for (std::size_t n = 1; n < result.size(); ++n) result[n] = result[n - 1] * base;
    return result;
}
constexpr std::array<Wide, 33> kPowersOfFive = powers(5);
constexpr std::array<Wide, 33> kPowersOfTen = powers(10);

// The nine significant digits of mantissa x 2^binary, |value| from 1e-22 up,
// scaled by 10^(8 - decimal) and rounded half to even as printf rounds the
// exact value. Every product and quotient fits 128 bits in that range:
// mantissa < 2^24, 5^30 < 2^70, 2^104 x 2^24 = 2^128, 10^30 < 2^100.
// Returns the truncated quotient in `floor` as well, to check the scale.
std::uint64_t scaledDigits(std::uint32_t mantissa, int binary, int decimal, std::uint64_t& floor) {
    const int scale = 8 - decimal;
    Wide numerator = mantissa;
    Wide quotient;
    Wide remainder;
    Wide denominator;
    if (scale >= 0) {
        numerator *= kPowersOfFive[static_cast<std::size_t>(scale)];
        const int shift = binary + scale;  // 2^scale joins 2^binary
        if (shift >= 0) {
            quotient = numerator << shift;
            remainder = 0;
            denominator = 1;
        } else {
            quotient = numerator >> -shift;
            remainder = numerator - (quotient << -shift);
            denominator = Wide{1} << -shift;
        }
    } else {
        numerator <<= binary;  // binary > 0 for any value of 1e9 or more
        denominator = kPowersOfTen[static_cast<std::size_t>(-scale)];
        quotient = numerator / denominator;
        remainder = numerator - quotient * denominator;
    }
    floor = quotient > kBeyondDigits ? kBeyondDigits : static_cast<std::uint64_t>(quotient);
    std::uint64_t rounded = static_cast<std::uint64_t>(quotient);
    if (2 * remainder > denominator || (2 * remainder == denominator && (rounded & 1) != 0)) {
        ++rounded;
    }
    return rounded;
}

// "%.9g" of the value as a double, as printf receives a float argument.
// Finite values from 1e-22 up (every value the model prints in practice)
// go through 128-bit integers; zero, denormals, the tiniest normals,
// infinities and NaNs through std::to_chars.
char* appendReal(char* out, float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t exponentBits = (bits >> 23) & 0xff;
    const float magnitude = value < 0 ? -value : value;
    if (magnitude == 0) {  // the noise level, often
        if ((bits >> 31) != 0) *out++ = '-';
        *out++ = '0';
        return out;
    }
    if (exponentBits == 0xff || !(magnitude >= 1e-22f)) return appendRealByToChars(out, value);

    const std::uint32_t mantissa = (bits & 0x7fffff) | 0x800000;
    const int binary = static_cast<int>(exponentBits) - 150;
    // A first guess of the decimal exponent from the binary one, 2^(binary +
    // 23) <= magnitude: floor((binary + 23) x log10(2)), 78913 / 2^18 being
    // log10(2) to within 4e-6. It may be one too small; the digits' count
    // corrects it.
    int decimal = ((binary + 23) * 78913) >> 18;
    std::uint64_t floor = 0;
    std::uint64_t digits = scaledDigits(mantissa, binary, decimal, floor);
    while (floor < kLeastDigits || floor >= kBeyondDigits) {
        decimal += floor < kLeastDigits ? -1 : 1;
        digits = scaledDigits(mantissa, binary, decimal, floor);
    }
    if (digits == kBeyondDigits) {  // 999999999.5 rounds up to the next power
        digits = kLeastDigits;
        ++decimal;
    }

    if (value < 0) *out++ = '-';
    char text[9];
    for (int n = 8; n >= 0; --n) {
        text[n] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int length = 9;  // significant digits without the trailing zeros
    while (length > 1 && text[length - 1] == '0') --length;

    if (decimal < -4 || decimal >= 9) {
        // d.dddddddde+XX
        *out++ = text[0];
        if (length > 1) {
            *out++ = '.';
            std::memcpy(out, text + 1, static_cast<std::size_t>(length - 1));
            out += length - 1;
        }
        *out++ = 'e';
        *out++ = decimal < 0 ? '-' : '+';
        const int size = decimal < 0 ? -decimal : decimal;
        *out++ = static_cast<char>('0' + size / 10);
        *out++ = static_cast<char>('0' + size % 10);
    } else if (decimal >= 0) {
        // The integer part is decimal + 1 digits; the rest follows the point.
        const int whole = decimal + 1;
        std::memcpy(out, text, static_cast<std::size_t>(whole));
        out += whole;
        if (length > whole) {
            *out++ = '.';
            std::memcpy(out, text + whole, static_cast<std::size_t>(length - whole));
            out += length - whole;
        }
    } else {
        // 0.000ddd: -decimal - 1 zeros after the point.
        *out++ = '0';
        *out++ = '.';
        for (int n = 0; n < -decimal - 1; ++n) *out++ = '0';
        std::memcpy(out, text, static_cast<std::size_t>(length));
        out += length;
    }
    return out;
}

}  // namespace

char* formatTeachRow(const TeachRow& row, char* out) {
    const std::string_view name = regimeName(row.regime);
    out = appendInteger(out, row.iteration);
    *out++ = ',';
    std::memcpy(out, name.data(), name.size());
    out += name.size();
    *out++ = ',';
    out = appendInteger(out, row.hiddenCount);
    *out++ = ',';
    out = appendReal(out, row.estimation);
    *out++ = ',';
    out = appendReal(out, row.learningRate);
    *out++ = ',';
    out = appendReal(out, row.noiseLevel);
    *out++ = '\n';
    return out;
}

char* printTeachRow(const TeachRow& row, char* out) {
    const std::string_view name = regimeName(row.regime);
    const int length = std::snprintf(out, kMaxTeachRowLength, "%d,%.*s,%d,%.9g,%.9g,%.9g\n",
                                     row.iteration, static_cast<int>(name.size()), name.data(),
                                     row.hiddenCount, static_cast<double>(row.estimation),
                                     static_cast<double>(row.learningRate),
                                     static_cast<double>(row.noiseLevel));
    return out + length;
}

}  // namespace varkelon
