// varkelon-teach's command line: what it accepts and the message for each
// kind of bad argument.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tools/TeachOptions.h"

namespace varkelon {
namespace {

TeachParse parse(std::vector<std::string_view> arguments) {
    return parseTeachOptions(arguments);
}

TEST(TeachOptions, RequiredOnlyGivesTheDefaults) {
    const TeachParse result = parse({"--clock", "1700000000", "--cycles", "1000"});
    ASSERT_TRUE(result.options.has_value()) << result.error;
    EXPECT_EQ(result.options->clock, 1700000000u);
    EXPECT_EQ(result.options->cycles, 1000);
    EXPECT_EQ(result.options->regime, TeachingRegime::Static);
    EXPECT_TRUE(result.options->switches.empty());
    EXPECT_TRUE(result.options->neurons.empty());
    EXPECT_FALSE(result.options->quiet);
    EXPECT_FALSE(result.options->help);
    EXPECT_FALSE(result.options->kernels.has_value());
}

TEST(TeachOptions, EveryOptionInAnyOrder) {
    const TeachParse result = parse({"--quiet", "--switch", "20:none", "--cycles", "0", "--regime",
                                     "sin+random", "--neurons", "5:10", "--switch", "3:random",
                                     "--clock", "4294967295", "--neurons", "7:1"});
    ASSERT_TRUE(result.options.has_value()) << result.error;
    const TeachOptions& options = *result.options;
    EXPECT_EQ(options.clock, 4294967295u);
    EXPECT_EQ(options.cycles, 0);
    EXPECT_EQ(options.regime, TeachingRegime::SinPlusRandom);
    EXPECT_TRUE(options.quiet);
    ASSERT_EQ(options.switches.size(), 2u);  // in command-line order
    EXPECT_EQ(options.switches[0].cycle, 20);
    EXPECT_EQ(options.switches[0].regime, TeachingRegime::None);
    EXPECT_EQ(options.switches[1].cycle, 3);
    EXPECT_EQ(options.switches[1].regime, TeachingRegime::Random);
    ASSERT_EQ(options.neurons.size(), 2u);
    EXPECT_EQ(options.neurons[0].cycle, 5);
    EXPECT_EQ(options.neurons[0].hiddenCount, 10);
    EXPECT_EQ(options.neurons[1].cycle, 7);
    EXPECT_EQ(options.neurons[1].hiddenCount, 1);
}

TEST(TeachOptions, ValuesJoinedByAnEqualsSign) {
    const TeachParse joined = parse({"--clock=17", "--cycles=0", "--regime=sin+random",
                                     "--switch=3:none", "--neurons", "4:2", "--neurons=5:3"});
    ASSERT_TRUE(joined.options.has_value()) << joined.error;
    const TeachOptions& options = *joined.options;
    EXPECT_EQ(options.clock, 17u);
    EXPECT_EQ(options.regime, TeachingRegime::SinPlusRandom);
    ASSERT_EQ(options.switches.size(), 1u);
    EXPECT_EQ(options.switches[0].regime, TeachingRegime::None);
    ASSERT_EQ(options.neurons.size(), 2u);
    EXPECT_EQ(options.neurons[1].hiddenCount, 3);
}

TEST(TeachOptions, RegimeNames) {
    const std::pair<const char*, TeachingRegime> names[] = {
        {"static", TeachingRegime::Static},
        {"sin", TeachingRegime::Sin},
        {"sin+random", TeachingRegime::SinPlusRandom},
        {"random", TeachingRegime::Random},
        {"none", TeachingRegime::None},
    };
    for (const auto& [name, regime] : names) {
        const TeachParse result = parse({"--clock", "0", "--cycles", "1", "--regime", name});
        ASSERT_TRUE(result.options.has_value()) << name;
        EXPECT_EQ(result.options->regime, regime) << name;
        EXPECT_EQ(regimeName(regime), name);
    }
}

TEST(TeachOptions, HelpNeedsNothingElse) {
    for (const auto& arguments : std::vector<std::vector<std::string_view>>{
             {"--help"}, {"--cycles", "5", "--help"}, {"--help", "--bogus"}}) {
        const TeachParse result = parse(arguments);
        ASSERT_TRUE(result.options.has_value()) << result.error;
        EXPECT_TRUE(result.options->help);
    }
}

struct BadArguments {
    std::vector<std::string_view> arguments;
    const char* message;
};

const BadArguments kBad[] = {
    // Unknown option and stray words.
    {{"--clock", "0", "--cycles", "1", "--bogus"},
     "varkelon-teach: unknown argument '--bogus' (see --help)"},
    {{"--clock", "0", "--cycles", "1", "5"}, "varkelon-teach: unknown argument '5' (see --help)"},
    {{"-c", "0"}, "varkelon-teach: unknown argument '-c' (see --help)"},
    // A missing value, for each option that takes one.
    {{"--cycles", "1", "--clock"}, "varkelon-teach: --clock needs a value"},
    {{"--clock", "0", "--cycles"}, "varkelon-teach: --cycles needs a value"},
    {{"--clock", "0", "--cycles", "1", "--regime"}, "varkelon-teach: --regime needs a value"},
    {{"--clock", "0", "--cycles", "1", "--switch"}, "varkelon-teach: --switch needs a value"},
    {{"--clock", "0", "--cycles", "1", "--neurons"}, "varkelon-teach: --neurons needs a value"},
    {{"--clock", "0", "--cycles", "1", "--kernels"}, "varkelon-teach: --kernels needs a value"},
    // Unknown regime.
    {{"--clock", "0", "--cycles", "1", "--regime", "square"},
     "varkelon-teach: --regime expects static, sin, sin+random, random or none, not 'square'"},
    {{"--clock", "0", "--cycles", "1", "--regime", "Sin"},
     "varkelon-teach: --regime expects static, sin, sin+random, random or none, not 'Sin'"},
    {{"--clock", "0", "--cycles", "1", "--switch", "5:square"},
     "varkelon-teach: --switch expects K:R with R one of static, sin, sin+random, random or "
     "none, not '5:square'"},
    // K below 1, or not a number.
    {{"--clock", "0", "--cycles", "1", "--switch", "0:sin"},
     "varkelon-teach: --switch expects K:R with K a whole number of 1 or more, not '0:sin'"},
    {{"--clock", "0", "--cycles", "1", "--switch", "-3:sin"},
     "varkelon-teach: --switch expects K:R with K a whole number of 1 or more, not '-3:sin'"},
    {{"--clock", "0", "--cycles", "1", "--neurons", "0:3"},
     "varkelon-teach: --neurons expects K:H with K a whole number of 1 or more, not '0:3'"},
    {{"--clock", "0", "--cycles", "1", "--neurons", "x:3"},
     "varkelon-teach: --neurons expects K:H with K a whole number of 1 or more, not 'x:3'"},
    // The pair's colon missing.
    {{"--clock", "0", "--cycles", "1", "--switch", "5"},
     "varkelon-teach: --switch expects K:R, not '5'"},
    {{"--clock", "0", "--cycles", "1", "--neurons", "5"},
     "varkelon-teach: --neurons expects K:H, not '5'"},
    // H outside 1 to 10.
    {{"--clock", "0", "--cycles", "1", "--neurons", "5:0"},
     "varkelon-teach: --neurons expects K:H with H a whole number from 1 to 10, not '5:0'"},
    {{"--clock", "0", "--cycles", "1", "--neurons", "5:11"},
     "varkelon-teach: --neurons expects K:H with H a whole number from 1 to 10, not '5:11'"},
    {{"--clock", "0", "--cycles", "1", "--neurons", "5:three"},
     "varkelon-teach: --neurons expects K:H with H a whole number from 1 to 10, not '5:three'"},
    // Not a number, or out of range.
    {{"--clock", "abc", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not 'abc'"},
    {{"--clock", "-1", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not '-1'"},
    {{"--clock", "+5", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not '+5'"},
    {{"--clock", "12s", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not '12s'"},
    {{"--clock", "", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not ''"},
    {{"--clock", "4294967296", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not '4294967296'"},
    {{"--clock", "0", "--cycles", "1.5"},
     "varkelon-teach: --cycles expects a whole number from 0 to 2147483647, not '1.5'"},
    {{"--clock", "0", "--cycles", "-1"},
     "varkelon-teach: --cycles expects a whole number from 0 to 2147483647, not '-1'"},
    {{"--clock", "0", "--cycles", "2147483648"},
     "varkelon-teach: --cycles expects a whole number from 0 to 2147483647, not '2147483648'"},
    {{"--clock", "0", "--cycles", "99999999999999999999999"},
     "varkelon-teach: --cycles expects a whole number from 0 to 2147483647, not "
     "'99999999999999999999999'"},
    // A joined value: empty, or on an option that takes none.
    {{"--clock=", "--cycles", "1"},
     "varkelon-teach: --clock expects whole seconds from 0 to 4294967295, not ''"},
    {{"--clock", "0", "--cycles", "1", "--neurons=5:x=1"},
     "varkelon-teach: --neurons expects K:H with H a whole number from 1 to 10, not '5:x=1'"},
    {{"--clock", "0", "--cycles", "1", "--quiet=yes"},
     "varkelon-teach: --quiet takes no value, not '--quiet=yes'"},
    {{"--help=all"}, "varkelon-teach: --help takes no value, not '--help=all'"},
    {{"--clock", "0", "--cycles", "1", "--bogus=1"},
     "varkelon-teach: unknown argument '--bogus=1' (see --help)"},
    {{"--clock", "0", "--cycles", "1", "-=5"},
     "varkelon-teach: unknown argument '-=5' (see --help)"},
    // Given twice, in either form: only --switch and --neurons repeat.
    {{"--clock", "0", "--clock=0", "--cycles", "1"},
     "varkelon-teach: --clock may be given only once"},
    {{"--clock", "0", "--cycles", "1", "--cycles", "2"},
     "varkelon-teach: --cycles may be given only once"},
    {{"--clock", "0", "--cycles", "1", "--regime", "sin", "--regime=sin"},
     "varkelon-teach: --regime may be given only once"},
    {{"--clock", "0", "--cycles", "1", "--kernels=scalar", "--kernels=scalar"},
     "varkelon-teach: --kernels may be given only once"},
    {{"--quiet", "--clock", "0", "--cycles", "1", "--quiet"},
     "varkelon-teach: --quiet may be given only once"},
    // Required options missing.
    {{"--cycles", "1"}, "varkelon-teach: --clock SECONDS is required"},
    {{}, "varkelon-teach: --clock SECONDS is required"},
    {{"--clock", "0", "--regime", "sin"}, "varkelon-teach: --cycles N is required"},
};

TEST(TeachOptions, EachBadArgumentHasItsOwnMessage) {
    for (const BadArguments& bad : kBad) {
        const TeachParse result = parse(bad.arguments);
        EXPECT_FALSE(result.options.has_value()) << bad.message;
        EXPECT_EQ(result.error, bad.message);
    }
}

TEST(TeachOptions, KernelBuildsByNameWhereTheProcessorRunsThem) {
    for (KernelBuild build : kKernelBuilds) {
        const std::string_view name = kernelBuildName(build);
        const TeachParse result = parse({"--clock", "0", "--cycles", "1", "--kernels", name});
        if (kernelBuildSupported(build)) {
            ASSERT_TRUE(result.options.has_value()) << result.error;
            EXPECT_EQ(result.options->kernels, build);
        } else {
            EXPECT_FALSE(result.options.has_value()) << name;
        }
    }
    // The message lists the builds this processor runs, the plain loops first.
    for (std::string_view bad : {"avx512", "AVX2", "", "sse2 "}) {
        const TeachParse result = parse({"--clock", "0", "--cycles", "1", "--kernels", bad});
        EXPECT_FALSE(result.options.has_value()) << bad;
        EXPECT_EQ(result.error.rfind("varkelon-teach: --kernels expects scalar", 0), 0u) << bad;
        const std::string end = " on this processor, not '" + std::string(bad) + "'";
        EXPECT_EQ(result.error.substr(result.error.size() - end.size()), end);
        for (KernelBuild build : kKernelBuilds) {
            if (!kernelBuildSupported(build))
                continue;
            EXPECT_NE(result.error.find(kernelBuildName(build)), std::string::npos) << bad;
        }
    }
}

TEST(TeachOptions, NumbersAtTheirLimitsAreAccepted) {
    const TeachParse result = parse({"--clock", "0", "--cycles", "2147483647", "--switch",
                                     "2147483647:sin", "--neurons", "1:1", "--neurons", "2:10"});
    ASSERT_TRUE(result.options.has_value()) << result.error;
    EXPECT_EQ(result.options->cycles, 2147483647);
    EXPECT_EQ(result.options->switches[0].cycle, 2147483647);
}

}  // namespace
}  // namespace varkelon
