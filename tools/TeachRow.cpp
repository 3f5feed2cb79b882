#include "TeachRow.h"

#include <charconv>
#include <cstring>

namespace varkelon {

namespace {

// Each field gets its own bound; the sizes of kMaxTeachRowLength add up.
char* appendInteger(char* out, std::int32_t value) {
    return std::to_chars(out, out + 11, value).ptr;
}

// "%.9g" of the value as a double, as printf receives a float argument:
// libstdc++'s to_chars writes the same bytes for every float, zero, the
// denormals, "inf", "-inf", "nan" and "-nan" among them.
char* appendReal(char* out, float value) {
    return std::to_chars(out, out + 15, static_cast<double>(value), std::chars_format::general, 9)
        .ptr;
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

}  // namespace varkelon
