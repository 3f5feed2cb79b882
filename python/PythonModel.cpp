#include "PythonModel.h"

#include <string>

#include "ModelState.h"
#include "PythonArguments.h"
#include "TeachRows.h"

namespace py = pybind11;

namespace varkelon {

// The Model's lock for one call. Waiting for it happens with the
// interpreter's lock released, or the caller holding the Model (which takes
// the interpreter's lock back between stretches of run()) would never get
// it. A call made while the same thread holds the Model (a signal handler
// during run()) is refused rather than left waiting for itself.
class PythonModel::Hold {
  public:
    explicit Hold(const PythonModel& model) : model_(model) {
        if (!model_.mutex_.try_lock()) {
            if (model_.holder_.load() == std::this_thread::get_id()) {
                throw std::runtime_error("this thread is inside a call on this Model already");
            }
            py::gil_scoped_release release;
            model_.mutex_.lock();
        }
        model_.holder_.store(std::this_thread::get_id());
    }
    ~Hold() {
        model_.holder_.store(std::thread::id());
        model_.mutex_.unlock();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    const PythonModel& model_;
};

namespace {

// A read-only copy of rows x columns floats read by `at(r, c)`.
template <class At>
py::array matrix(std::int32_t rows, std::int32_t columns, At at) {
    py::array_t<float> result({rows, columns});
    auto view = result.mutable_unchecked<2>();
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c)
            view(r, c) = at(r, c);
    }
    result.attr("setflags")(py::arg("write") = false);
    return result;
}

template <class At>
py::array vector(std::int32_t size, At at) {
    py::array_t<float> result(size);
    auto view = result.mutable_unchecked<1>();
    for (std::int32_t i = 0; i < size; ++i)
        view(i) = at(i);
    result.attr("setflags")(py::arg("write") = false);
    return result;
}

}  // namespace

PythonModel::PythonModel(const py::object& clock, const py::object& regime)
    : PythonModel(PythonArguments::clock(clock), PythonArguments::regime(regime, "regime")) {}

PythonModel::PythonModel(std::uint32_t clock, TeachingRegime regime)
    : clock_(clock), run_(clock_, regime) {
    run_.reset();
}

void PythonModel::step() {
    Hold hold(*this);
    if (run_.model().manager.iteration == kMaxCycles) {
        PythonArguments::refuse("step needs an iteration below " + std::to_string(kMaxCycles) +
                                "; reset() starts again from 0");
    }
    run_.step();
}

py::dict PythonModel::run(const py::object& cycles) {
    Hold hold(*this);
    const std::int64_t count =
        PythonArguments::whole(cycles, "cycles", 0, kMaxCycles - run_.model().manager.iteration);
    TeachRows::checkFits(count, "run");
    TeachRows rows(count);
    rows.fill(run_, count, 0);
    return rows.columns();
}

void PythonModel::reset() {
    Hold hold(*this);
    run_.reset();
}

std::int32_t PythonModel::iteration() const {
    Hold hold(*this);
    return run_.model().manager.iteration;
}

float PythonModel::estimation() const {
    Hold hold(*this);
    return run_.model().network.estimation;
}

float PythonModel::learningRate() const {
    Hold hold(*this);
    return run_.model().network.learningRate;
}

float PythonModel::noiseLevel() const {
    Hold hold(*this);
    return run_.model().plant.noiseLevel;
}

py::str PythonModel::regime() const {
    Hold hold(*this);
    return py::str(std::string(regimeName(run_.regime)));
}

void PythonModel::setRegime(const py::object& regime) {
    const TeachingRegime checked = PythonArguments::regime(regime, "regime");
    Hold hold(*this);
    run_.regime = checked;
}

std::int32_t PythonModel::hiddenCount() const {
    Hold hold(*this);
    return run_.model().network.hiddenCount;
}

void PythonModel::setHiddenCount(const py::object& count) {
    const std::int32_t checked = PythonArguments::hiddenCount(count, "hidden_count");
    Hold hold(*this);
    run_.model().network.hiddenCount = checked;
}

py::array PythonModel::weightsInHidden() const {
    Hold hold(*this);
    const Network& network = run_.model().network;
    return matrix(
        network.inputCount, network.hiddenCount,
        [&network](std::int32_t j, std::int32_t h) { return network.weightsInHidden[j][h]; });
}

py::array PythonModel::weightsHiddenOut() const {
    Hold hold(*this);
    const Network& network = run_.model().network;
    return matrix(
        network.outputCount, network.hiddenCount,
        [&network](std::int32_t o, std::int32_t h) { return network.weightsHiddenOut[o][h]; });
}

py::array PythonModel::weightsHiddenHidden() const {
    Hold hold(*this);
    const Network& network = run_.model().network;
    return matrix(
        network.hiddenCount, network.hiddenCount,
        [&network](std::int32_t h, std::int32_t k) { return network.weightsHiddenHidden[h][k]; });
}

py::array PythonModel::outputs() const {
    Hold hold(*this);
    const Network& network = run_.model().network;
    return vector(network.outputCount,
                  [&network](std::int32_t o) { return network.outputs[o][network.timeSlot]; });
}

py::array PythonModel::targets() const {
    Hold hold(*this);
    const Network& network = run_.model().network;
    return vector(network.outputCount,
                  [&network](std::int32_t o) { return network.targets[o][network.timeSlot]; });
}

py::array PythonModel::estimationHistory() const {
    // Oldest first: the ring from the entry after the current one round to it.
    Hold hold(*this);
    const Network& network = run_.model().network;
    const std::int32_t size = network.estimationHistorySize;
    return vector(size, [&network, size](std::int32_t i) {
        return network.estimationHistory[(network.estimationIndex + 1 + i) % size];
    });
}

py::array PythonModel::gains() const {
    Hold hold(*this);
    const Plant& plant = run_.model().plant;
    return vector(Plant::channelCount, [&plant](std::int32_t i) { return plant.gains[i]; });
}

py::str PythonModel::repr() const {
    Hold hold(*this);
    return py::str("<varkelon.Model clock={} iteration={} regime='{}' hidden_count={}>")
        .format(clock_, run_.model().manager.iteration, std::string(regimeName(run_.regime)),
                run_.model().network.hiddenCount);
}

py::tuple PythonModel::state() const {
    Hold hold(*this);
    return py::make_tuple(ModelState::kFormat, clock_, py::bytes(ModelState::save(run_)));
}

std::unique_ptr<PythonModel> PythonModel::fromState(const py::tuple& state) {
    const std::string expected = "a Model's state is (format, clock, bytes) of format " +
                                 std::to_string(ModelState::kFormat);
    if (state.size() != 3 || !py::isinstance<py::int_>(state[0]) ||
        !py::isinstance<py::bytes>(state[2])) {
        PythonArguments::refuse(expected + ", not " + PythonArguments::show(state));
    }
    const std::int64_t format = PythonArguments::whole(state[0], "the state's format", 0, 1 << 30);
    if (format != ModelState::kFormat) {
        PythonArguments::refuse("this Model was saved in state format " + std::to_string(format) +
                                "; varkelon " VARKELON_VERSION " reads format " +
                                std::to_string(ModelState::kFormat) + " only");
    }
    auto model =
        std::make_unique<PythonModel>(PythonArguments::clock(state[1]), TeachingRegime::Static);
    const std::string problem = ModelState::restore(model->run_, state[2].cast<std::string>());
    if (!problem.empty())
        PythonArguments::refuse("this Model's state cannot be restored: " + problem);
    return model;
}

std::unique_ptr<PythonModel> PythonModel::copy() const {
    Hold hold(*this);
    auto model = std::make_unique<PythonModel>(clock_, run_.regime);
    ModelState::restore(model->run_, ModelState::save(run_));
    return model;
}

}  // namespace varkelon
