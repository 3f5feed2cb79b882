#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace varkelon {

// How the inputs of a teaching cycle are made, and which learning-rate rule
// the cycle's learning uses. None: nothing is delivered, the rate is kept.
enum class TeachingRegime { Static, Sin, SinPlusRandom, Random, None };

// Every regime, in the order of their names in choices and menus.
inline constexpr TeachingRegime kTeachingRegimes[] = {TeachingRegime::Static, TeachingRegime::Sin,
                                                      TeachingRegime::SinPlusRandom,
                                                      TeachingRegime::Random, TeachingRegime::None};
// Their names in command lines, CSV output and the Python module, in the
// order of the enumeration.
inline constexpr std::array<std::string_view, 5> kRegimeNames = {"static", "sin", "sin+random",
                                                                 "random", "none"};

std::string_view regimeName(TeachingRegime regime);
// The regime of that exact name, if there is one.
std::optional<TeachingRegime> regimeFromName(std::string_view name);
// The accepted names for messages: "static, sin, sin+random, random or none".
std::string_view regimeChoices();

}  // namespace varkelon
