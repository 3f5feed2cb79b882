#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/KernelBuild.h"
#include "model/TeachingRegime.h"

namespace varkelon {

// A change that takes effect just before teaching cycle `cycle` runs.
struct RegimeSwitch {
    std::int64_t cycle;
    TeachingRegime regime;
};
struct NeuronSetting {
    std::int64_t cycle;
    std::int32_t hiddenCount;
};

// The command line of varkelon-teach, checked.
struct TeachOptions {
    std::uint32_t clock = 0;
    std::int64_t cycles = 0;
    TeachingRegime regime = TeachingRegime::Static;
    std::vector<RegimeSwitch> switches;  // in command-line order
    std::vector<NeuronSetting> neurons;  // in command-line order
    bool quiet = false;
    bool help = false;
    std::optional<KernelBuild> kernels;  // none: the fastest this processor runs
    bool version = false;
};

// Largest cycle count: the iteration counter is a 32-bit signed integer.
inline constexpr std::int64_t kMaxCycles = 2147483647;

struct TeachParse {
    std::optional<TeachOptions> options;  // empty when the arguments are bad
    std::string error;                    // one line naming the argument and what was expected
};

TeachParse parseTeachOptions(const std::vector<std::string_view>& arguments);

// An argument as the error messages show it: 'text'.
std::string quoted(std::string_view text);

// A long option as both programs take it: "--name value" or "--name=value".
// An argument with no "=" comes back whole as the name, without a value.
struct OptionWord {
    std::string_view name;
    std::optional<std::string_view> joinedValue;  // the text after the first "="
};
OptionWord splitOptionWord(std::string_view argument);

// The value of --clock: whole seconds from 0 to 4294967295 in plain decimal
// digits. The window program reads its --clock with the same rule.
std::optional<std::uint32_t> parseClockSeconds(std::string_view text);

// Usage text for --help.
std::string_view teachUsage();

}  // namespace varkelon
