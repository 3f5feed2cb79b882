#include "TeachRow.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace varkelon {

namespace {

// Each field gets its own bound; the sizes of kMaxTeachRowLength add up.
char* appendInteger(char* out, std::int32_t value) {
    return std::to_chars(out, out + 11, value).ptr;
}

// "%.9g" of the value as a double, as printf receives a float argument.
// to_chars with a precision is exact for every double, and prints
// infinities and NaNs as "inf", "-inf", "nan" and "-nan", as glibc does.
char* appendReal(char* out, float value) {
    return std::to_chars(out, out + 24, static_cast<double>(value), std::chars_format::general, 9)
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
