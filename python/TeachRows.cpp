#include "TeachRows.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace py = pybind11;

namespace varkelon {

namespace {

// Cycles run between two looks for a pending signal or a stop: a few
// milliseconds.
constexpr std::int64_t kStretch = 4096;

std::string gigabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
    return text;
}

}  // namespace

void TeachRows::checkFits(std::int64_t rows, const char* what) {
    const double needed = static_cast<double>(rows) * static_cast<double>(kRowBytes);
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return;  // unknown: let the allocation decide
    const double memory = static_cast<double>(pages) * static_cast<double>(pageSize);
    if (needed > memory) {
        const std::string message = std::string(what) + " needs " + gigabytes(needed) + " for " +
                                    std::to_string(rows) + " rows of " + std::to_string(kRowBytes) +
                                    " bytes, more than this machine's " + gigabytes(memory) +
                                    " of memory";
        PyErr_SetString(PyExc_MemoryError, message.c_str());
        throw py::error_already_set();
    }
}

TeachRows::TeachRows(std::int64_t count)
    : iteration_(count),
      regime_(count),
      hidden_(count),
      estimation_(count),
      rate_(count),
      noise_(count),
      iterationData_(iteration_.mutable_data()),
      regimeData_(regime_.mutable_data()),
      hiddenData_(hidden_.mutable_data()),
      estimationData_(estimation_.mutable_data()),
      rateData_(rate_.mutable_data()),
      noiseData_(noise_.mutable_data()) {}

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
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
    }
}

bool TeachRows::fillUnlocked(TeachingRun& run, std::int64_t cycles, std::int64_t first,
                             const std::atomic<bool>& stop) {
    std::int64_t next = first;
    for (std::int64_t done = 0; done < cycles;) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        const std::int64_t stretch = std::min(cycles - done, kStretch);
        run.run(stretch, [this, &next](const TeachRow& row) {
            put(next++, row);
            return true;
        });
        done += stretch;
    }
    return true;
}

py::dict TeachRows::columns() const {
    py::dict result;
    result["iteration"] = iteration_;
    result["regime"] = regime_;
    result["hidden_count"] = hidden_;
    result["estimation"] = estimation_;
    result["learning_rate"] = rate_;
    result["noise_level"] = noise_;
    return result;
}

}  // namespace varkelon
