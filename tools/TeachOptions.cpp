#include "TeachOptions.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "model/Capacity.h"
#include "model/RandomGenerator.h"

namespace varkelon {

namespace {

// A plain decimal number, digits only, within [low, high].
std::optional<std::int64_t> parseWhole(std::string_view text, std::int64_t low, std::int64_t high) {
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

// Splits "K:VALUE" at its first colon.
bool splitPair(std::string_view text, std::string_view& cycle, std::string_view& value) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    cycle = text.substr(0, colon);
    value = text.substr(colon + 1);
    return true;
}

// The kernel builds this processor runs, as "scalar, sse2 or avx2".
std::string supportedKernelNames() {
    std::vector<std::string_view> names;
    for (KernelBuild build : kKernelBuilds) {
        if (kernelBuildSupported(build))
            names.push_back(kernelBuildName(build));
    }
    std::string text;
    for (std::size_t n = 0; n < names.size(); ++n) {
        if (n > 0)
            text.append(n + 1 == names.size() ? " or " : ", ");
        text.append(names[n]);
    }
    return text;
}

}  // namespace

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result.push_back('\'');
    result.append(text);
    result.push_back('\'');
    return result;
}

OptionWord splitOptionWord(std::string_view argument) {
    const auto equals = argument.find('=');
    if (argument.substr(0, 2) != "--" || equals == std::string_view::npos)
        return {argument, std::nullopt};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

std::optional<std::uint32_t> parseClockSeconds(std::string_view text) {
    const auto seconds = parseWhole(text, 0, RandomGenerator::kMaxSeconds);
    if (!seconds)
        return std::nullopt;
    return static_cast<std::uint32_t>(*seconds);
}

std::string_view teachUsage() {
    static const std::string usage =
        "Usage: varkelon-teach --clock SECONDS --cycles N [--regime R] [--switch K:R]...\n"
        "                      [--neurons K:H]... [--quiet] [--kernels NAME]\n"
        "Teaches the Varkelon network without a window and prints one CSV row per cycle.\n"
        "\n"
        "  --clock SECONDS  calendar time in whole seconds that every seeding reads,\n"
        "                   0 to " +
        std::to_string(RandomGenerator::kMaxSeconds) +
        " (required)\n"
        "  --cycles N       teaching cycles after the reset, 0 or more (required)\n"
        "  --regime R       regime from the reset on: static, sin, sin+random, random\n"
        "                   or none (default static)\n"
        "  --switch K:R     from cycle K (1 or more) on, the regime is R; repeatable\n"
        "  --neurons K:H    just before cycle K (1 or more), use H hidden neurons\n"
        "                   (" +
        std::to_string(kMinHidden) + " to " + std::to_string(kMaxHidden) +
        ") without a rebuild; repeatable\n"
        "  --quiet          print the header and the last row only\n"
        "  --kernels NAME   for checks and benchmarks: run the network's hot loops as\n"
        "                   scalar, sse2, avx2 (x86-64) or simd128 (WebAssembly), where\n"
        "                   the processor supports it (default: the fastest it\n"
        "                   supports); the numbers are the same\n"
        "  --help           show this text and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "An option's value may also follow an equals sign (--cycles=100). Each option\n"
        "but --switch and --neurons may be given once.\n"
        "\n"
        "Output: iteration,regime,hiddenCount,estimation,learningRate,noiseLevel\n"
        "Bad arguments give a one-line message on standard error and exit status 2; an\n"
        "output that cannot be written, a one-line message and exit status 1.\n";
    return usage;
}

TeachParse parseTeachOptions(const std::vector<std::string_view>& arguments) {
    TeachParse result;
    TeachOptions options;
    bool haveClock = false;
    bool haveCycles = false;
    auto fail = [&result](std::string message) {
        result.error = "varkelon-teach: " + std::move(message);
        return result;
    };

    std::vector<std::string_view> given;  // the options that may appear once
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const auto [argument, joinedValue] = splitOptionWord(arguments[index]);
        const bool isFlag =
            argument == "--help" || argument == "--version" || argument == "--quiet";
        const bool takesValue = argument == "--clock" || argument == "--cycles" ||
                                argument == "--regime" || argument == "--switch" ||
                                argument == "--neurons" || argument == "--kernels";
        if (!isFlag && !takesValue)
            return fail("unknown argument " + quoted(arguments[index]) + " (see --help)");
        if (isFlag && joinedValue)
            return fail(std::string(argument) + " takes no value, not " + quoted(arguments[index]));
        if (argument == "--help" || argument == "--version") {
            options.help = argument == "--help";
            options.version = argument == "--version";
            result.options = options;
            return result;
        }
        if (argument != "--switch" && argument != "--neurons") {
            if (std::find(given.begin(), given.end(), argument) != given.end())
                return fail(std::string(argument) + " may be given only once");
            given.push_back(argument);
        }
        if (argument == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (!joinedValue && index + 1 >= arguments.size())
            return fail(std::string(argument) + " needs a value");
        const std::string_view value = joinedValue ? *joinedValue : arguments[++index];

        if (argument == "--clock") {
            const auto seconds = parseClockSeconds(value);
            if (!seconds) {
                return fail("--clock expects whole seconds from 0 to " +
                            std::to_string(RandomGenerator::kMaxSeconds) + ", not " +
                            quoted(value));
            }
            options.clock = *seconds;
            haveClock = true;
        } else if (argument == "--cycles") {
            const auto cycles = parseWhole(value, 0, kMaxCycles);
            if (!cycles) {
                return fail("--cycles expects a whole number from 0 to " +
                            std::to_string(kMaxCycles) + ", not " + quoted(value));
            }
            options.cycles = *cycles;
            haveCycles = true;
        } else if (argument == "--regime") {
            const auto regime = regimeFromName(value);
            if (!regime) {
                return fail("--regime expects " + std::string(regimeChoices()) + ", not " +
                            quoted(value));
            }
            options.regime = *regime;
        } else if (argument == "--kernels") {
            const auto build = kernelBuildFromName(value);
            if (!build || !kernelBuildSupported(*build)) {
                return fail("--kernels expects " + supportedKernelNames() +
                            " on this processor, not " + quoted(value));
            }
            options.kernels = *build;
        } else {
            const bool isSwitch = argument == "--switch";
            const std::string form = isSwitch ? "K:R" : "K:H";
            std::string_view cycleText;
            std::string_view settingText;
            if (!splitPair(value, cycleText, settingText)) {
                return fail(std::string(argument) + " expects " + form + ", not " + quoted(value));
            }
            const auto cycle = parseWhole(cycleText, 1, kMaxCycles);
            if (!cycle) {
                return fail(std::string(argument) + " expects " + form +
                            " with K a whole number of 1 or more, not " + quoted(value));
            }
            if (isSwitch) {
                const auto regime = regimeFromName(settingText);
                if (!regime) {
                    return fail("--switch expects K:R with R one of " +
                                std::string(regimeChoices()) + ", not " + quoted(value));
                }
                options.switches.push_back({*cycle, *regime});
            } else {
                const auto hidden = parseWhole(settingText, kMinHidden, kMaxHidden);
                if (!hidden) {
                    return fail("--neurons expects K:H with H a whole number from " +
                                std::to_string(kMinHidden) + " to " + std::to_string(kMaxHidden) +
                                ", not " + quoted(value));
                }
                options.neurons.push_back({*cycle, static_cast<std::int32_t>(*hidden)});
            }
        }
    }

    if (!haveClock)
        return fail("--clock SECONDS is required");
    if (!haveCycles)
        return fail("--cycles N is required");
    result.options = options;
    return result;
}

}  // namespace varkelon
