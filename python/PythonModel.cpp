#include "PythonModel.h"

#include <chrono>
#include <string>

#include "InterpreterRelease.h"
#include "ModelState.h"
#include "PythonArguments.h"
#include "TeachRows.h"

namespace py = pybind11;

namespace varkelon {

// The Model's lock for one call. Waiting for it happens with the
// interpreter's lock released, or the caller holding the Model (which takes
// the interpreter's lock back between stretches of run()) would never get
// it, and in short waits with a look for Ctrl-C between them, as run() does.
// A call made while the same thread holds the Model (a signal handler
// during run()) is refused rather than left waiting for itself.
class PythonModel::Hold {
  public:
    explicit Hold(const PythonModel& model) : model_(model) {
        if (!model_.mutex_.try_lock()) {
            if (model_.holder_.load() == std::this_thread::get_id()) {
                throw std::runtime_error("this thread is inside a call on this Model already");
            }
            waitForLock();
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
    void waitForLock() {
        constexpr std::chrono::milliseconds kLook{20};
        for (;;) {
            bool locked = false;
            {
                InterpreterRelease release;
                locked = model_.mutex_.try_lock_for(kLook);
            }
            if (locked)
                return;
            if (PyErr_CheckSignals() != 0)
                throw py::error_already_set();
        }
    }

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
    TeachRows::checkFits(count, 1, "run");
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

namespace {

py::detail::value_and_holder holderOf(py::handle self) {
    auto* instance = reinterpret_cast<py::detail::instance*>(self.ptr());
    return instance->get_value_and_holder(py::detail::get_type_info(typeid(PythonModel)));
}

}  // namespace

bool PythonModel::isSetUp(py::handle self) {
    return holderOf(self).holder_constructed();
}

PythonModel& PythonModel::of(py::handle self) {
    if (!py::isinstance<PythonModel>(self))
        PythonArguments::refuseType("expected a varkelon.Model, not " +
                                    PythonArguments::show(self));
    if (!isSetUp(self)) {
        PythonArguments::refuse(
            "this varkelon.Model was never set up: make one with varkelon.Model(clock), or "
            "restore one with pickle or copy");
    }
    return *holderOf(self).value_ptr<PythonModel>();
}

py::tuple PythonModel::state() const {
    Hold hold(*this);
    return py::make_tuple(ModelState::kFormat, clock_, py::bytes(ModelState::save(run_, clock_)));
}

void PythonModel::restore(py::handle self, const py::handle& state) {
    if (!py::isinstance<PythonModel>(self))
        PythonArguments::refuseType("expected a varkelon.Model, not " +
                                    PythonArguments::show(self));
    py::detail::value_and_holder holder = holderOf(self);
    if (holder.holder_constructed()) {
        PythonArguments::refuse(
            "__setstate__ sets up a Model being unpickled; this one is set up already "
            "(pickle.loads or copy.deepcopy make a new one)");
    }
    std::unique_ptr<PythonModel> model = fromState(state);
    // What pybind11's own constructors do: the value, then its holder.
    holder.value_ptr() = model.get();
    holder.type->init_instance(reinterpret_cast<py::detail::instance*>(self.ptr()), &model);
}

std::unique_ptr<PythonModel> PythonModel::fromState(const py::handle& state) {
    const std::string expected = "a Model's state is a tuple (format, clock, bytes) of format " +
                                 std::to_string(ModelState::kFormat) + ", not ";
    if (!PyTuple_Check(state.ptr()))
        PythonArguments::refuseType(expected + PythonArguments::show(state));
    const py::tuple fields = py::reinterpret_borrow<py::tuple>(state);
    if (fields.size() != 3)
        PythonArguments::refuse(expected + PythonArguments::show(state));
    if (!py::isinstance<py::int_>(fields[0]) || !py::isinstance<py::bytes>(fields[2]))
        PythonArguments::refuseType(expected + PythonArguments::show(state));
    const std::int64_t format = PythonArguments::whole(fields[0], "the state's format", 0, 1 << 30);
    if (format != ModelState::kFormat) {
        PythonArguments::refuse("this Model was saved in state format " + std::to_string(format) +
                                "; varkelon " VARKELON_VERSION " reads format " +
                                std::to_string(ModelState::kFormat) + " only");
    }
    const std::uint32_t clock = PythonArguments::clock(fields[1]);
    auto model = std::make_unique<PythonModel>(clock, TeachingRegime::Static);
    const std::string problem =
        ModelState::restore(model->run_, clock, fields[2].cast<std::string>());
    if (!problem.empty())
        PythonArguments::refuse("this Model's state cannot be restored: " + problem);
    return model;
}

std::unique_ptr<PythonModel> PythonModel::copy() const {
    Hold hold(*this);
    auto model = std::make_unique<PythonModel>(clock_, run_.regime);
    ModelState::restore(model->run_, clock_, ModelState::save(run_, clock_));
    return model;
}

}  // namespace varkelon
