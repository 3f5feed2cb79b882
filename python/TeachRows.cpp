#include "TeachRows.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>

#include "InterpreterRelease.h"

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

namespace {

// Bytes the system can still hand out: MemAvailable and SwapFree of
// /proc/meminfo, or the free physical pages where that file is missing.
double availableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string name;
    double kilobytes = 0;
    double total = 0;
    bool found = false;
    while (meminfo >> name >> kilobytes) {
        if (name == "MemAvailable:" || name == "SwapFree:") {
            total += kilobytes * 1024;
            found = true;
        }
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    if (found)
        return total;
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<double>(pages) * static_cast<double>(pageSize)
                                     : std::numeric_limits<double>::infinity();
}

// Bytes of address space left under `ulimit -v`, or infinity without one.
double addressSpaceLeft() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<double>::infinity();
    std::ifstream statm("/proc/self/statm");
    double pages = 0;
    statm >> pages;
    const double used = pages * static_cast<double>(sysconf(_SC_PAGESIZE));
    return std::max(0.0, static_cast<double>(limit.rlim_cur) - used);
}

}  // namespace

void TeachRows::checkFits(std::int64_t rows, std::int64_t runs, const char* what) {
    const double needed = static_cast<double>(rows) * static_cast<double>(kRowBytes) +
                          static_cast<double>(runs) * static_cast<double>(kRunBytes);
    const double memory = availableMemory();
    const double addressSpace = addressSpaceLeft();
    const double room = std::min(memory, addressSpace);
    if (needed > room) {
        const std::string limit = addressSpace < memory ? "this process's address-space limit"
                                                        : "this machine's available memory";
        const std::string message = std::string(what) + " needs " + gigabytes(needed) + " for " +
                                    std::to_string(rows) + " rows of " + std::to_string(kRowBytes) +
                                    " bytes and " + std::to_string(runs) + " run(s) of " +
                                    std::to_string(kRunBytes) + ", more than the " +
                                    gigabytes(room) + " left of " + limit;
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
            InterpreterRelease release;
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
