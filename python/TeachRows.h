#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <atomic>
#include <cstdint>

#include "tools/TeachRow.h"
#include "tools/TeachingRun.h"

namespace varkelon {

// The rows of a run as NumPy columns, one per CSV column, the regime as its
// code (an index into varkelon.REGIMES). Every array is made up front, with
// the interpreter's lock held; filling them needs no lock, so a long run
// lets other Python threads go on, and a run too large for memory fails
// before it starts.
class TeachRows {
  public:
    // Bytes of one row over all columns.
    static constexpr std::int64_t kRowBytes = 4 + 1 + 4 + 4 + 4 + 4;

    // What one run costs beside its rows: six arrays, their dict and their
    // arguments, as teach_many of a million empty runs measures it.
    static constexpr std::int64_t kRunBytes = 2048;

    // Raises MemoryError, naming the size, when `runs` runs of `rows` rows
    // in all need more than this process can still get: the memory
    // available to it (swap too) and what is left of its address-space
    // limit. `what` names the call in the message.
    static void checkFits(std::int64_t rows, std::int64_t runs, const char* what);

    explicit TeachRows(std::int64_t count);

    // Row `index` of the columns; no Python object is touched.
    void put(std::int64_t index, const TeachRow& row) {
        iterationData_[index] = row.iteration;
        regimeData_[index] = static_cast<std::uint8_t>(row.regime);
        hiddenData_[index] = row.hiddenCount;
        estimationData_[index] = row.estimation;
        rateData_[index] = row.learningRate;
        noiseData_[index] = row.noiseLevel;
    }

    // Runs `cycles` cycles of `run` into rows first, first + 1, ...: without
    // the lock, in stretches, checking for Ctrl-C between them.
    void fill(TeachingRun& run, std::int64_t cycles, std::int64_t first);

    // The same on a thread that never holds the lock: gives up, returning
    // false, once `stop` is set.
    bool fillUnlocked(TeachingRun& run, std::int64_t cycles, std::int64_t first,
                      const std::atomic<bool>& stop);

    // {"iteration": int32, "regime": uint8, "hidden_count": int32,
    //  "estimation", "learning_rate", "noise_level": float32}.
    pybind11::dict columns() const;

  private:
    pybind11::array_t<std::int32_t> iteration_;
    pybind11::array_t<std::uint8_t> regime_;
    pybind11::array_t<std::int32_t> hidden_;
    pybind11::array_t<float> estimation_;
    pybind11::array_t<float> rate_;
    pybind11::array_t<float> noise_;
    std::int32_t* iterationData_;
    std::uint8_t* regimeData_;
    std::int32_t* hiddenData_;
    float* estimationData_;
    float* rateData_;
    float* noiseData_;
};

}  // namespace varkelon
