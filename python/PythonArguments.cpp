#include "PythonArguments.h"

#include <optional>

#include "model/Capacity.h"
#include "model/RandomGenerator.h"

namespace py = pybind11;

namespace varkelon {

namespace {

// An integer for Python: int, NumPy's integers, anything with __index__;
// bool and NumPy's bool_ are left out, True is no count of cycles.
bool isInteger(const py::handle& value) {
    if (PyLong_CheckExact(value.ptr()))
        return true;
    if (PyBool_Check(value.ptr()) || PyIndex_Check(value.ptr()) == 0)
        return false;
    const py::object numpy = py::module_::import("sys").attr("modules").attr("get")("numpy");
    return numpy.is_none() || !py::isinstance(value, numpy.attr("bool_"));
}

// The integer's value, or nothing when it does not fit 64 bits.
std::optional<std::int64_t> integer(const py::handle& value) {
    PyObject* index = PyNumber_Index(value.ptr());
    if (index == nullptr)
        throw py::error_already_set();
    int overflow = 0;
    const long long result = PyLong_AsLongLongAndOverflow(index, &overflow);
    Py_DECREF(index);
    if (result == -1 && PyErr_Occurred() != nullptr)
        throw py::error_already_set();
    if (overflow != 0)
        return std::nullopt;
    return result;
}

// The integer from low to high; TypeError or ValueError with `expects`.
std::int64_t checkedWhole(const py::handle& value, std::int64_t low, std::int64_t high,
                          const std::string& expects) {
    if (!isInteger(value))
        PythonArguments::refuseType(expects + PythonArguments::show(value));
    const std::optional<std::int64_t> number = integer(value);
    if (!number || *number < low || *number > high) {
        PythonArguments::refuse(expects + PythonArguments::show(value));
    }
    return *number;
}

TeachingRegime checkedRegime(const py::handle& value, const std::string& expects) {
    if (!py::isinstance<py::str>(value))
        PythonArguments::refuseType(expects + PythonArguments::show(value));
    // A str that is no UTF-8 (a lone surrogate) is no regime's name either.
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(value.ptr(), &size);
    if (text == nullptr)
        PyErr_Clear();
    const std::optional<TeachingRegime> regime =
        text == nullptr ? std::nullopt
                        : regimeFromName(std::string_view(text, static_cast<std::size_t>(size)));
    if (!regime)
        PythonArguments::refuse(expects + PythonArguments::show(value));
    return *regime;
}

}  // namespace

void PythonArguments::refuse(const std::string& message) {
    throw py::value_error(message);
}

void PythonArguments::refuseType(const std::string& message) {
    throw py::type_error(message);
}

std::string PythonArguments::show(const py::handle& value) {
    // reprlib shortens containers before making their text: a message quotes
    // the head of a million-element list, not all of it.
    const py::object text = py::module_::import("reprlib").attr("repr")(value);
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
    if (data == nullptr) {
        PyErr_Clear();
        return "<unprintable " + std::string(Py_TYPE(value.ptr())->tp_name) + ">";
    }
    std::size_t length = static_cast<std::size_t>(size);
    constexpr std::size_t kLongest = 200;
    if (length <= kLongest)
        return std::string(data, length);
    // Cut before a character, not inside one.
    length = kLongest;
    while (length > 0 && (static_cast<unsigned char>(data[length]) & 0xC0) == 0x80)
        --length;
    return std::string(data, length) + "...";
}

std::int64_t PythonArguments::whole(const py::handle& value, const char* argument, std::int64_t low,
                                    std::int64_t high) {
    return checkedWhole(value, low, high,
                        std::string(argument) + " expects a whole number from " +
                            std::to_string(low) + " to " + std::to_string(high) + ", not ");
}

std::uint32_t PythonArguments::clock(const py::handle& value) {
    return static_cast<std::uint32_t>(
        checkedWhole(value, 0, RandomGenerator::kMaxSeconds,
                     "clock expects whole seconds from 0 to 4294967295, not "));
}

TeachingRegime PythonArguments::regime(const py::handle& value, const char* argument) {
    return checkedRegime(
        value, std::string(argument) + " expects " + std::string(regimeChoices()) + ", not ");
}

std::int32_t PythonArguments::hiddenCount(const py::handle& value, const char* argument) {
    return static_cast<std::int32_t>(whole(value, argument, kMinHidden, kMaxHidden));
}

namespace {

// The schedule argument as a Mapping (None: no changes), with every key
// checked as a cycle K; `form` names the shape in messages, "{K: regime}" or
// "{K: H}".
template <class Each>
void forEachScheduled(const py::handle& value, const char* argument, const char* form,
                      Each&& each) {
    if (value.is_none())
        return;
    const py::object mapping = py::module_::import("collections.abc").attr("Mapping");
    if (!py::isinstance(value, mapping)) {
        PythonArguments::refuseType(std::string(argument) + " expects a mapping " + form +
                                    " or None, not " + PythonArguments::show(value));
    }
    for (const py::handle item : value.attr("items")()) {
        if (!PyTuple_Check(item.ptr()) || PyTuple_GET_SIZE(item.ptr()) != 2) {
            PythonArguments::refuseType(std::string(argument) + " expects a mapping " + form +
                                        " whose items() are (K, value) pairs, not " +
                                        PythonArguments::show(item));
        }
        const py::tuple pair = py::reinterpret_borrow<py::tuple>(item);
        const std::int64_t cycle = checkedWhole(pair[0], 1, kMaxCycles,
                                                std::string(argument) + " expects " + form +
                                                    " with K a whole number from 1 to " +
                                                    std::to_string(kMaxCycles) + ", not ");
        each(cycle, pair[1]);
    }
}

}  // namespace

std::vector<RegimeSwitch> PythonArguments::switches(const py::handle& value) {
    std::vector<RegimeSwitch> result;
    forEachScheduled(value, "switches", "{K: regime}", [&](std::int64_t cycle, py::handle regime) {
        result.push_back(
            {cycle, checkedRegime(regime, "switches expects {K: regime} with regime one of " +
                                              std::string(regimeChoices()) + ", not ")});
    });
    return result;
}

std::vector<NeuronSetting> PythonArguments::neurons(const py::handle& value) {
    std::vector<NeuronSetting> result;
    forEachScheduled(value, "neurons", "{K: H}", [&](std::int64_t cycle, py::handle hidden) {
        const std::int64_t count =
            checkedWhole(hidden, kMinHidden, kMaxHidden,
                         "neurons expects {K: H} with H a whole number from 1 to 10, not ");
        result.push_back({cycle, static_cast<std::int32_t>(count)});
    });
    return result;
}

TeachPlan PythonArguments::plan(const py::handle& clock, const py::handle& cycles,
                                const py::handle& regime, const py::handle& switches,
                                const py::handle& neurons) {
    TeachPlan plan;
    plan.clock = PythonArguments::clock(clock);
    plan.cycles = whole(cycles, "cycles", 0, kMaxCycles);
    plan.regime = PythonArguments::regime(regime, "regime");
    plan.switches = PythonArguments::switches(switches);
    plan.neurons = PythonArguments::neurons(neurons);
    return plan;
}

}  // namespace varkelon
