#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/TeachingRegime.h"
#include "tools/TeachOptions.h"

namespace varkelon {

// Checks of the values handed in from Python. Each throws ValueError whose
// message names the argument and what it accepts, before anything changes.
class PythonArguments {
public:
    // A Python integer (or anything with __index__) from low to high.
    static std::int64_t whole(const pybind11::handle& value, const char* argument,
                              std::int64_t low, std::int64_t high);
    static std::uint32_t clock(const pybind11::handle& value);
    static TeachingRegime regime(const pybind11::handle& value, const char* argument);
    static std::int32_t hiddenCount(const pybind11::handle& value, const char* argument);
    // {K: regime} and {K: H}, K from 1; None gives no changes.
    static std::vector<RegimeSwitch> switches(const pybind11::handle& value);
    static std::vector<NeuronSetting> neurons(const pybind11::handle& value);

    [[noreturn]] static void refuse(const std::string& message);
    static std::string show(const pybind11::handle& value);  // repr()
};

}  // namespace varkelon
