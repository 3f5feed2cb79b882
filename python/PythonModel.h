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
//
// Python can make a Model without running its constructor (Model.__new__,
// or unpickling before the state arrives): every binding reaches the Model
// through of(), which refuses such an empty shell.
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

    // The Model `self` holds: TypeError when it is no Model, ValueError when
    // it was never set up.
    static PythonModel& of(pybind11::handle self);
    // Whether `self`, a Model, was set up.
    static bool isSetUp(pybind11::handle self);

    // Pickling and copying: (format, clock, state bytes) and back. restore()
    // sets up a Model made without its constructor, as unpickling does;
    // one set up already is refused.
    pybind11::tuple state() const;
    static void restore(pybind11::handle self, const pybind11::handle& state);
    std::unique_ptr<PythonModel> copy() const;

  private:
    class Hold;

    static std::unique_ptr<PythonModel> fromState(const pybind11::handle& state);

    std::uint32_t clock_;
    TeachingRun run_;
    mutable std::timed_mutex mutex_;
    mutable std::atomic<std::thread::id> holder_{};
};

}  // namespace varkelon
