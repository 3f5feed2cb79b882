// The CSV row written with std::to_chars against the same row through
// printf's "%.9g": identical bytes for every kind of float, and for every row
// of whole teaching runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "model/BitCast.h"
#include "tools/TeachRow.h"
#include "tools/TeachingRun.h"

namespace varkelon {
namespace {

std::string fast(TeachRowWriter& writer, const TeachRow& row) {
    char text[kMaxTeachRowLength];
    return std::string(text, writer.write(row, text));
}

// The same row through snprintf: the plain reference the program's rows are
// held to.
std::string reference(const TeachRow& row) {
    const std::string_view name = regimeName(row.regime);
    char text[kMaxTeachRowLength];
    const int length =
        std::snprintf(text, sizeof text, "%d,%.*s,%d,%.9g,%.9g,%.9g\n", row.iteration,
                      static_cast<int>(name.size()), name.data(), row.hiddenCount,
                      static_cast<double>(row.estimation), static_cast<double>(row.learningRate),
                      static_cast<double>(row.noiseLevel));
    return std::string(text, static_cast<std::size_t>(length));
}

TEST(TeachRow, EveryKindOfFloatIsWrittenAsPrintfWritesIt) {
    const float infinity = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> values = {
        0.0f, -0.0f, 1.0f, -1.0f, 0.1f, 0.007f, 1e-7f, 0.5f, 123456789.0f, 1e9f, 1e-5f, 1e-4f,
        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
        bit_cast<float>(0x007fffffu),  // largest denormal
        std::numeric_limits<float>::min(), std::numeric_limits<float>::max(),
        -std::numeric_limits<float>::max(), infinity, -infinity, nan, -nan,
        // Nine digits that round up into a tenth: 9.99999999e-5 and alike.
        0.000999999999f, 99999.9999f, 999999999.0f, 1e15f, 1e16f, 1e-10f};
    // Then a walk through the whole 32-bit space: every exponent, both
    // signs, denormals, infinities and NaN payloads among them.
    for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += 4099) {
        values.push_back(bit_cast<float>(static_cast<std::uint32_t>(bits)));
    }

    // One writer for all rows, each written twice: the second time every
    // real repeats the one above it. 0 then -0 repeats the value, not the bits.
    TeachRowWriter writer;
    std::size_t checked = 0;
    for (std::size_t n = 0; n < values.size(); ++n) {
        TeachRow row;
        row.iteration = static_cast<std::int32_t>(n);
        row.regime = kTeachingRegimes[n % 5];
        row.hiddenCount = static_cast<std::int32_t>(n % 10) + 1;
        row.estimation = values[n];
        row.learningRate = values[(n * 7 + 3) % values.size()];
        row.noiseLevel = values[values.size() - 1 - n];
        const std::string expected = reference(row);
        ASSERT_EQ(fast(writer, row), expected)
            << "value bits " << bit_cast<std::uint32_t>(values[n]);
        ASSERT_EQ(fast(writer, row), expected) << "repeated";
        ++checked;
    }
    EXPECT_GT(checked, 1000000u);
}

TEST(TeachRow, IntegersAtTheirLimits) {
    TeachRowWriter writer;
    for (std::int32_t whole : {0, 1, -1, 9, 10, 2147483647, -2147483647 - 1}) {
        const TeachRow row{whole, TeachingRegime::SinPlusRandom, whole, -0.0f, 0.1f, 1.0f};
        EXPECT_EQ(fast(writer, row), reference(row));
    }
}

struct GoldenRun {
    TeachingRegime regime;
    std::vector<RegimeSwitch> switches;
    std::vector<NeuronSetting> neurons;
};

TEST(TeachRow, WholeRunsInEveryRegimeAreWrittenAsPrintfWritesThem) {
    const std::vector<GoldenRun> runs = {
        {TeachingRegime::Static, {}, {}},
        {TeachingRegime::Sin, {}, {}},
        {TeachingRegime::SinPlusRandom, {}, {}},
        {TeachingRegime::Random, {}, {}},
        {TeachingRegime::None, {}, {}},
        {TeachingRegime::Sin,
         {{700, TeachingRegime::Random},
          {1500, TeachingRegime::SinPlusRandom},
          {2500, TeachingRegime::None},
          {2600, TeachingRegime::Static}},
         {{300, 1}, {900, 10}, {2000, 4}}},
    };
    for (const GoldenRun& golden : runs) {
        TeachingRun run(1700000000u, golden.regime, golden.switches, golden.neurons);
        run.reset();
        TeachRowWriter writer;
        std::string fastText = fast(writer, run.row());
        std::string referenceText = reference(run.row());
        run.run(3000, [&](const TeachRow& row) {
            fastText += fast(writer, row);
            referenceText += reference(row);
            return true;
        });
        EXPECT_TRUE(fastText == referenceText) << regimeName(golden.regime);
        EXPECT_EQ(std::count(fastText.begin(), fastText.end(), '\n'), 3001);
    }
}

}  // namespace
}  // namespace varkelon
