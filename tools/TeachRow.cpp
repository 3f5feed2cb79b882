#include "TeachRow.h"

#include <bit>
#include <charconv>
#include <cstring>

namespace varkelon {

namespace {

// Each field gets its own bound; the sizes of kMaxTeachRowLength add up.
char* appendInteger(char* out, std::int32_t value) {
    return std::to_chars(out, out + 11, value).ptr;
}

}  // namespace

// "%.9g" of the value as a double, as printf receives a float argument:
// libstdc++'s to_chars writes the same bytes for every float, zero, the
// denormals, "inf", "-inf", "nan" and "-nan" among them.
char* TeachRowWriter::appendReal(Column& column, float value, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if (column.length == 0 || bits != column.bits) {
        char* const first = column.text;
        const char* end = std::to_chars(first, first + sizeof column.text,
                                        static_cast<double>(value), std::chars_format::general, 9)
                              .ptr;
        column.bits = bits;
        column.length = static_cast<std::size_t>(end - first);
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
