#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <vector>

#include "PythonArguments.h"

namespace varkelon {

// Many teaching runs on native threads, none of which ever takes the
// interpreter's lock: each run's rows are allocated before any starts, the
// threads take the runs in order, and the calling thread waits, looking for
// Ctrl-C and reporting progress between short waits.
class TeachSweep {
  public:
    TeachSweep(std::vector<TeachPlan> plans, std::int64_t workers);

    // The rows of every run, in the order of the plans. `progress` (None or a
    // callable) is called with (done, total) in the calling thread whenever
    // runs have finished. Ctrl-C or an error in `progress` stops every
    // thread at its next stretch of cycles and is raised.
    pybind11::list run(const pybind11::object& progress);

  private:
    std::vector<TeachPlan> plans_;
    std::int64_t workers_;
};

}  // namespace varkelon
