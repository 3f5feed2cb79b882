#include "PythonArguments.h"

#include <optional>

namespace py = pybind11;

namespace varkelon {

namespace {

// The value as a 64-bit integer, or nothing when it is no integer or
// does not fit.
std::optional<std::int64_t> integer(const py::handle& value) {
    if (PyBool_Check(value.ptr()) || PyFloat_Check(value.ptr())) return std::nullopt;
    PyObject* index = PyNumber_Index(value.ptr());
    if (index == nullptr) {
        PyErr_Clear();
        return std::nullopt;
    }
    int overflow = 0;
    const long long result = PyLong_AsLongLongAndOverflow(index, &overflow);
    Py_DECREF(index);
    if (overflow != 0 || (result == -1 && PyErr_Occurred() != nullptr)) {
        PyErr_Clear();
        return std::nullopt;
    }
    return result;
}

}  // namespace

void PythonArguments::refuse(const std::string& message) { throw py::value_error(message); }

std::string PythonArguments::show(const py::handle& value) {
    return py::repr(value).cast<std::string>();
}

std::int64_t PythonArguments::whole(const py::handle& value, const char* argument,
                                    std::int64_t low, std::int64_t high) {
    const std::optional<std::int64_t> number = integer(value);
    if (!number || *number < low || *number > high) {
        refuse(std::string(argument) + " expects a whole number from " + std::to_string(low) +
               " to " + std::to_string(high) + ", not " + show(value));
    }
    return *number;
}

std::uint32_t PythonArguments::clock(const py::handle& value) {
    const std::optional<std::int64_t> seconds = integer(value);
    if (!seconds || *seconds < 0 || *seconds > 4294967295LL) {
        refuse("clock expects whole seconds from 0 to 4294967295, not " + show(value));
    }
    return static_cast<std::uint32_t>(*seconds);
}

TeachingRegime PythonArguments::regime(const py::handle& value, const char* argument) {
    if (py::isinstance<py::str>(value)) {
        if (const auto regime = regimeFromName(value.cast<std::string>())) return *regime;
    }
    refuse(std::string(argument) + " expects " + std::string(regimeChoices()) + ", not " +
           show(value));
}

std::int32_t PythonArguments::hiddenCount(const py::handle& value, const char* argument) {
    return static_cast<std::int32_t>(whole(value, argument, 1, 10));
}

namespace {

// The schedule argument as a dict (None: no changes), with every key checked
// as a cycle K; `form` names the shape in messages, "{K: regime}" or "{K: H}".
template <class Each>
void forEachScheduled(const py::handle& value, const char* argument, const char* form,
                      Each&& each) {
    if (value.is_none()) return;
    if (!py::isinstance<py::dict>(value)) {
        PythonArguments::refuse(std::string(argument) + " expects a dict " + form +
                                " or None, not " + PythonArguments::show(value));
    }
    for (const auto& [key, setting] : py::reinterpret_borrow<py::dict>(value)) {
        const std::optional<std::int64_t> cycle = integer(key);
        if (!cycle || *cycle < 1 || *cycle > kMaxCycles) {
            PythonArguments::refuse(std::string(argument) + " expects " + form +
                                    " with K a whole number from 1 to " +
                                    std::to_string(kMaxCycles) + ", not " +
                                    PythonArguments::show(key));
        }
        each(*cycle, setting);
    }
}

}  // namespace

std::vector<RegimeSwitch> PythonArguments::switches(const py::handle& value) {
    std::vector<RegimeSwitch> result;
    forEachScheduled(value, "switches", "{K: regime}", [&](std::int64_t cycle, py::handle regime) {
        if (!py::isinstance<py::str>(regime) || !regimeFromName(regime.cast<std::string>())) {
            refuse("switches expects {K: regime} with regime one of " +
                   std::string(regimeChoices()) + ", not " + show(regime));
        }
        result.push_back({cycle, *regimeFromName(regime.cast<std::string>())});
    });
    return result;
}

std::vector<NeuronSetting> PythonArguments::neurons(const py::handle& value) {
    std::vector<NeuronSetting> result;
    forEachScheduled(value, "neurons", "{K: H}", [&](std::int64_t cycle, py::handle hidden) {
        const std::optional<std::int64_t> count = integer(hidden);
        if (!count || *count < 1 || *count > 10) {
            refuse("neurons expects {K: H} with H a whole number from 1 to 10, not " +
                   show(hidden));
        }
        result.push_back({cycle, static_cast<std::int32_t>(*count)});
    });
    return result;
}

}  // namespace varkelon
