#include "PythonModel.h"

#include <string>

#include "PythonArguments.h"
#include "TeachRows.h"

namespace py = pybind11;

namespace varkelon {

namespace {

// A read-only copy of rows x columns floats read by `at(r, c)`.
template <class At>
py::array matrix(std::int32_t rows, std::int32_t columns, At at) {
    py::array_t<float> result({rows, columns});
    auto view = result.mutable_unchecked<2>();
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) view(r, c) = at(r, c);
    }
    result.attr("setflags")(py::arg("write") = false);
    return result;
}

template <class At>
py::array vector(std::int32_t size, At at) {
    py::array_t<float> result(size);
    auto view = result.mutable_unchecked<1>();
    for (std::int32_t i = 0; i < size; ++i) view(i) = at(i);
    result.attr("setflags")(py::arg("write") = false);
    return result;
}

}  // namespace

PythonModel::PythonModel(const py::object& clock, const py::object& regime)
    : clock_(PythonArguments::clock(clock)),
      run_(clock_, PythonArguments::regime(regime, "regime")) {
    run_.reset();
}

void PythonModel::step() {
    if (iteration() == kMaxCycles) {
        PythonArguments::refuse("step needs an iteration below " + std::to_string(kMaxCycles) +
                                "; reset() starts again from 0");
    }
    run_.step();
}

py::dict PythonModel::run(const py::object& cycles) {
    const std::int64_t count = PythonArguments::whole(cycles, "cycles", 0, kMaxCycles - iteration());
    TeachRows rows(count);
    rows.fill(run_, count, 0);
    return rows.columns();
}

py::str PythonModel::regime() const { return py::str(std::string(regimeName(run_.regime))); }

void PythonModel::setRegime(const py::object& regime) {
    run_.regime = PythonArguments::regime(regime, "regime");
}

void PythonModel::setHiddenCount(const py::object& count) {
    run_.model().network.hiddenCount = PythonArguments::hiddenCount(count, "hidden_count");
}

py::array PythonModel::weightsInHidden() const {
    const Network& network = run_.model().network;
    return matrix(network.inputCount, network.hiddenCount,
                  [&network](std::int32_t j, std::int32_t h) { return network.weightsInHidden[j][h]; });
}

py::array PythonModel::weightsHiddenOut() const {
    const Network& network = run_.model().network;
    return matrix(network.outputCount, network.hiddenCount,
                  [&network](std::int32_t o, std::int32_t h) { return network.weightsHiddenOut[o][h]; });
}

py::array PythonModel::weightsHiddenHidden() const {
    const Network& network = run_.model().network;
    return matrix(network.hiddenCount, network.hiddenCount, [&network](std::int32_t h, std::int32_t k) {
        return network.weightsHiddenHidden[h][k];
    });
}

py::array PythonModel::outputs() const {
    const Network& network = run_.model().network;
    return vector(network.outputCount,
                  [&network](std::int32_t o) { return network.outputs[o][network.timeSlot]; });
}

py::array PythonModel::targets() const {
    const Network& network = run_.model().network;
    return vector(network.outputCount,
                  [&network](std::int32_t o) { return network.targets[o][network.timeSlot]; });
}

py::array PythonModel::estimationHistory() const {
    // Oldest first: the ring from the entry after the current one round to it.
    const Network& network = run_.model().network;
    const std::int32_t size = network.estimationHistorySize;
    return vector(size, [&network, size](std::int32_t i) {
        return network.estimationHistory[(network.estimationIndex + 1 + i) % size];
    });
}

py::array PythonModel::gains() const {
    const NObject& plant = run_.model().plant;
    return vector(NObject::channelCount, [&plant](std::int32_t i) { return plant.gains[i]; });
}

py::str PythonModel::repr() const {
    return py::str("<varkelon.Model clock={} iteration={} regime='{}' hidden_count={}>")
        .format(clock_, iteration(), std::string(regimeName(run_.regime)), hiddenCount());
}

}  // namespace varkelon
