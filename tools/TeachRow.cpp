#include "TeachRow.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "model/BitCast.h"

namespace varkelon {

namespace {

// Each field gets its own bound; the sizes of kMaxTeachRowLength add up.
char* appendInteger(char* out, std::int32_t value) {
    return std::to_chars(out, out + 11, value).ptr;
}

}  // namespace

// "%.9g" of the value as a double, as printf receives a float argument:
// libstdc++'s to_chars writes the same bytes for every float, zero, the
// denormals, "inf", "-inf", "nan" and "-nan" among them. A library without
// the floating to_chars (emscripten's libc++) takes snprintf itself, whose
// "C" locale is the only one such a program has.
char* TeachRowWriter::appendReal(Column& column, float value, char* out) {
    const std::uint32_t bits = bit_cast<std::uint32_t>(value);
    if (column.length == 0 || bits != column.bits) {
        char* const first = column.text;
#if defined(__cpp_lib_to_chars)
        const char* end = std::to_chars(first, first + sizeof column.text,
                                        static_cast<double>(value), std::chars_format::general, 9)
                              .ptr;
        column.length = static_cast<std::size_t>(end - first);
#else
        const int length =
            std::snprintf(first, sizeof column.text, "%.9g", static_cast<double>(value));
        column.length = static_cast<std::size_t>(length);
#endif
        column.bits = bits;
    }
    std::memcpy(out, column.text, column.length);
    return out + column.length;
}

char* TeachRowWriter::write(const TeachRow& row, char* out) {
    const std::string_view name = regimeName(row.regime);
    out = appendInteger(out, row.iteration);
    *out++ = ',';
    std::memcpy(out, name.data(), name.size());
    out += name.size();
    *out++ = ',';
    out = appendInteger(out, row.hiddenCount);
    *out++ = ',';
    out = appendReal(estimation_, row.estimation, out);
    *out++ = ',';
    out = appendReal(learningRate_, row.learningRate, out);
    *out++ = ',';
    out = appendReal(noiseLevel_, row.noiseLevel, out);
    *out++ = '\n';
    return out;
}

}  // namespace varkelon
