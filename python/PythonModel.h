#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "tools/TeachingRun.h"

namespace varkelon {

// varkelon.Model: one teaching run driven from Python as the window drives
// it. The regime and the neuron count act like the window's controls, from
// the next cycle on, without a rebuild.
//
// One caller at a time: every method takes the Model's own lock, and a
// second thread waits for it with the interpreter's lock released, so that
// run() (which runs without the interpreter's lock) is never interleaved
// with another call on the same Model.
class PythonModel {
  public:
    PythonModel(const pybind11::object& clock, const pybind11::object& regime);
    PythonModel(std::uint32_t clock, TeachingRegime regime);

    void step();
    pybind11::dict run(const pybind11::object& cycles);
    void reset();

    std::uint32_t clock() const { return clock_; }  // never changes: no lock
    std::int32_t iteration() const;
    float estimation() const;
    float learningRate() const;
    float noiseLevel() const;
    pybind11::str regime() const;
    void setRegime(const pybind11::object& regime);
    std::int32_t hiddenCount() const;
    void setHiddenCount(const pybind11::object& count);

    // Copies of the state, read-only, at the active sizes.
    pybind11::array weightsInHidden() const;
    pybind11::array weightsHiddenOut() const;
    pybind11::array weightsHiddenHidden() const;
    pybind11::array outputs() const;
    pybind11::array targets() const;
    pybind11::array estimationHistory() const;
    pybind11::array gains() const;

    pybind11::str repr() const;

    // Pickling and copying: (format, clock, state bytes) and back.
    pybind11::tuple state() const;
    static std::unique_ptr<PythonModel> fromState(const pybind11::tuple& state);
    std::unique_ptr<PythonModel> copy() const;

  private:
    class Hold;

    std::uint32_t clock_;
    TeachingRun run_;
    mutable std::mutex mutex_;
    mutable std::atomic<std::thread::id> holder_{};
};

}  // namespace varkelon
