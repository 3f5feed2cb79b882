#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>

#include "tools/TeachingRun.h"

namespace varkelon {

// varkelon.Model: one teaching run driven from Python as the window drives
// it. The regime and the neuron count act like the window's controls, from
// the next cycle on, without a rebuild.
class PythonModel {
public:
    PythonModel(const pybind11::object& clock, const pybind11::object& regime);

    void step();
    pybind11::dict run(const pybind11::object& cycles);
    void reset() { run_.reset(); }

    std::uint32_t clock() const { return clock_; }
    std::int32_t iteration() const { return run_.model().manager.iteration; }
    float estimation() const { return run_.model().network.estimation; }
    float learningRate() const { return run_.model().network.learningRate; }
    float noiseLevel() const { return run_.model().plant.noiseLevel; }
    pybind11::str regime() const;
    void setRegime(const pybind11::object& regime);
    std::int32_t hiddenCount() const { return run_.model().network.hiddenCount; }
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

private:
    std::uint32_t clock_;
    TeachingRun run_;
};

}  // namespace varkelon
