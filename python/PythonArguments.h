#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/TeachingRegime.h"
#include "tools/TeachOptions.h"

namespace varkelon {

// The arguments of one teaching run, checked.
struct TeachPlan {
    std::uint32_t clock = 0;
    std::int64_t cycles = 0;
    TeachingRegime regime = TeachingRegime::Static;
    std::vector<RegimeSwitch> switches;
    std::vector<NeuronSetting> neurons;
};

// Checks of the values handed in from Python, before anything changes. A
// value of the wrong type raises TypeError, one out of range ValueError; the
// message names the argument and what it accepts.
class PythonArguments {
  public:
    // A Python integer (or anything with __index__, but no bool) from low to high.
    static std::int64_t whole(const pybind11::handle& value, const char* argument, std::int64_t low,
                              std::int64_t high);
    static std::uint32_t clock(const pybind11::handle& value);
    static TeachingRegime regime(const pybind11::handle& value, const char* argument);
    static std::int32_t hiddenCount(const pybind11::handle& value, const char* argument);
    // {K: regime} and {K: H}, any Mapping, K from 1; None gives no changes.
    static std::vector<RegimeSwitch> switches(const pybind11::handle& value);
    static std::vector<NeuronSetting> neurons(const pybind11::handle& value);
    // teach()'s five arguments.
    static TeachPlan plan(const pybind11::handle& clock, const pybind11::handle& cycles,
                          const pybind11::handle& regime, const pybind11::handle& switches,
                          const pybind11::handle& neurons);

    [[noreturn]] static void refuse(const std::string& message);      // ValueError
    [[noreturn]] static void refuseType(const std::string& message);  // TypeError
    static std::string show(const pybind11::handle& value);           // repr()
};

}  // namespace varkelon
