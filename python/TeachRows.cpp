#include "TeachRows.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace py = pybind11;

namespace varkelon {

namespace {

// Cycles run between two looks for a pending signal: a few milliseconds.
constexpr std::int64_t kStretch = 4096;

}  // namespace

TeachRows::TeachRows(std::int64_t count)
    : iteration_(count), regime_(count), hidden_(count), estimation_(count), rate_(count),
      noise_(count), iterationData_(iteration_.mutable_data()), regimeData_(regime_.mutable_data()),
      hiddenData_(hidden_.mutable_data()), estimationData_(estimation_.mutable_data()),
      rateData_(rate_.mutable_data()), noiseData_(noise_.mutable_data()) {}

void TeachRows::fill(TeachingRun& run, std::int64_t cycles, std::int64_t first) {
    std::int64_t next = first;
    for (std::int64_t done = 0; done < cycles;) {
        const std::int64_t stretch = std::min(cycles - done, kStretch);
        {
            py::gil_scoped_release release;
            run.run(stretch, [this, &next](const TeachRow& row) {
                put(next++, row);
                return true;
            });
        }
        done += stretch;
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    }
}

py::dict TeachRows::columns() const {
    // The names by regime code, picked per row by NumPy.
    py::list names(std::size(kTeachingRegimes));
    for (TeachingRegime regime : kTeachingRegimes) {
        names[static_cast<std::size_t>(regime)] = py::str(std::string(regimeName(regime)));
    }
    const py::object numpy = py::module_::import("numpy");
    const py::object regimes = numpy.attr("array")(names).attr("take")(regime_);

    py::dict result;
    result["iteration"] = iteration_;
    result["regime"] = regimes;
    result["hidden_count"] = hidden_;
    result["estimation"] = estimation_;
    result["learning_rate"] = rate_;
    result["noise_level"] = noise_;
    return result;
}

}  // namespace varkelon
