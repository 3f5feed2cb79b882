// The compiled part of the Python package varkelon: the teaching model at
// native speed, with the same numbers, bit for bit, as varkelon-teach
// prints. varkelon/__init__.py gives it its public face.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "PythonArguments.h"
#include "PythonModel.h"
#include "TeachRows.h"
#include "TeachSweep.h"
#include "tools/TeachingRun.h"

#ifndef VARKELON_VERSION
#error "VARKELON_VERSION must give the program's version"
#endif

namespace py = pybind11;
using namespace varkelon;

namespace {

py::dict teach(const py::object& clock, const py::object& cycles, const py::object& regime,
               const py::object& switches, const py::object& neurons) {
    // Every argument is checked and every array made before anything runs.
    TeachPlan plan = PythonArguments::plan(clock, cycles, regime, switches, neurons);
    TeachRows::checkFits(plan.cycles + 1, 1, "teach");
    TeachRows rows(plan.cycles + 1);
    TeachingRun run(plan.clock, plan.regime, std::move(plan.switches), std::move(plan.neurons));
    run.reset();
    rows.put(0, run.row());
    rows.fill(run, plan.cycles, 1);
    return rows.columns();
}

// runs: a sequence of teach()'s five arguments, bound by the caller.
py::list teachMany(const py::sequence& runs, const py::object& workers,
                   const py::object& progress) {
    const std::int64_t threads = PythonArguments::whole(workers, "workers", 1, 1024);
    if (!progress.is_none() && PyCallable_Check(progress.ptr()) == 0) {
        PythonArguments::refuseType("progress expects a callable (done, total) or None, not " +
                                    PythonArguments::show(progress));
    }
    std::vector<TeachPlan> plans;
    plans.reserve(runs.size());
    for (std::size_t n = 0; n < runs.size(); ++n) {
        const py::tuple arguments = runs[n];
        const std::string where = "runs[" + std::to_string(n) + "]: ";
        try {
            plans.push_back(PythonArguments::plan(arguments[0], arguments[1], arguments[2],
                                                  arguments[3], arguments[4]));
        } catch (const py::type_error& error) {
            PythonArguments::refuseType(where + error.what());
        } catch (const py::value_error& error) {
            PythonArguments::refuse(where + error.what());
        }
    }
    return TeachSweep(std::move(plans), threads).run(progress);
}

// A method of PythonModel as a binding that reaches the Model through
// PythonModel::of(), so that one never set up raises instead of running on
// memory no constructor filled.
template <class Result, class... Arguments>
auto onModel(Result (PythonModel::*method)(Arguments...)) {
    return [method](py::handle self, Arguments... arguments) -> Result {
        return (PythonModel::of(self).*method)(std::forward<Arguments>(arguments)...);
    };
}

template <class Result, class... Arguments>
auto onModel(Result (PythonModel::*method)(Arguments...) const) {
    return [method](py::handle self, Arguments... arguments) -> Result {
        return (PythonModel::of(self).*method)(std::forward<Arguments>(arguments)...);
    };
}

// (copyreg.__newobj__, (type,), state) for every protocol: a bare Model,
// then __setstate__. Protocols 0 and 1 would otherwise go through copyreg,
// which makes the object from a base pybind11 cannot allocate.
py::tuple reduceModel(py::handle self, const py::object& /*protocol*/) {
    const py::object state = PythonModel::of(self).state();
    const py::object newObject = py::module_::import("copyreg").attr("__newobj__");
    return py::make_tuple(newObject, py::make_tuple(py::type::of(self)), state);
}

}  // namespace

PYBIND11_MODULE(_varkelon, module) {
    // The docstrings below start with the signatures Python's inspect reads.
    py::options options;
    options.disable_function_signatures();

    module.doc() = "The compiled part of varkelon; use the package varkelon.";
    module.attr("__version__") = VARKELON_VERSION;
    py::tuple regimes(std::size(kTeachingRegimes));
    for (TeachingRegime regime : kTeachingRegimes) {
        regimes[static_cast<std::size_t>(regime)] = py::str(std::string(regimeName(regime)));
    }
    module.attr("REGIMES") = regimes;

    module.def("teach", &teach, py::arg("clock"), py::arg("cycles"), py::arg("regime"),
               py::arg("switches"), py::arg("neurons"),
               "teach(clock, cycles, regime, switches, neurons)\n--\n\n"
               "varkelon.teach without defaults.");
    module.def("teach_many", &teachMany, py::arg("runs"), py::arg("workers"), py::arg("progress"),
               "teach_many(runs, workers, progress)\n--\n\n"
               "varkelon.teach_many with each run as a tuple of teach's five arguments.");

    py::class_<PythonModel>(module, "Model", R"doc(Model(clock, regime='static')
--

One teaching run, driven step by step. Creating it builds the model objects
in their seeding order, every seeding reading `clock` (whole seconds, 0 to
4294967295), and resets it: iteration 0, row 0 of teach(). `regime` and
`hidden_count` act as the window's controls do: from the next step on,
without a rebuild. A wrong type raises TypeError, a value out of range
ValueError; neither changes anything.

One call at a time: a Model used from several threads serves them one after
the other, and a thread waiting for it still answers Ctrl-C. pickle (every
protocol), copy.copy and copy.deepcopy keep its whole state: the copy goes
on bit for bit as the original would. A state changed anywhere is refused;
a Model made without its constructor raises ValueError on every use.)doc")
        .def(py::init<const py::object&, const py::object&>(), py::arg("clock"),
             py::arg("regime") = "static", "__init__(self, /, clock, regime='static')\n--\n\n")
        .def("step", onModel(&PythonModel::step), "step(self, /)\n--\n\nRuns one teaching cycle.")
        .def("run", onModel(&PythonModel::run), py::arg("cycles"),
             "run(self, /, cycles)\n--\n\n"
             "Runs `cycles` teaching cycles (0 or more) and returns their rows in teach()'s\n"
             "form, without the row of the cycle before them. The interpreter's lock is\n"
             "released while they run. Ctrl-C stops it within a few milliseconds: the\n"
             "Model keeps the cycles it ran (see iteration), their rows are lost.")
        .def("reset", onModel(&PythonModel::reset),
             "reset(self, /)\n--\n\n"
             "Rebuilds the network and the plant with the clock's seeding: iteration 0,\n"
             "7 hidden neurons, a first prediction without learning. The regime stays.")
        .def_property_readonly("clock", onModel(&PythonModel::clock),
                               "The calendar second every seeding reads.")
        .def_property_readonly("iteration", onModel(&PythonModel::iteration),
                               "Teaching cycles run since the last reset.")
        .def_property_readonly("estimation", onModel(&PythonModel::estimation),
                               "The latest cycle's (mean absolute error) squared.")
        .def_property_readonly("learning_rate", onModel(&PythonModel::learningRate),
                               "The step size of the weight update.")
        .def_property_readonly("noise_level", onModel(&PythonModel::noiseLevel),
                               "The share of noise in the latest inputs, 0 to 1.")
        .def_property("regime", onModel(&PythonModel::regime), onModel(&PythonModel::setRegime),
                      "The teaching regime: 'static', 'sin', 'sin+random', 'random' or 'none'.")
        .def_property("hidden_count", onModel(&PythonModel::hiddenCount),
                      onModel(&PythonModel::setHiddenCount), "Hidden neurons in use, 1 to 10.")
        .def_property_readonly("weights_in_hidden", onModel(&PythonModel::weightsInHidden),
                               "Input j -> hidden h weights, [j, h], 17 x hidden_count.")
        .def_property_readonly("weights_hidden_out", onModel(&PythonModel::weightsHiddenOut),
                               "Hidden h -> output o weights, [o, h], 17 x hidden_count.")
        .def_property_readonly(
            "weights_hidden_hidden", onModel(&PythonModel::weightsHiddenHidden),
            "Hidden k (previous slot) -> hidden h weights, [h, k], hidden_count x hidden_count.")
        .def_property_readonly("outputs", onModel(&PythonModel::outputs),
                               "The network's 17 outputs of the latest cycle (its prediction).")
        .def_property_readonly("targets", onModel(&PythonModel::targets),
                               "The plant's 17 outputs of the latest cycle, the network's targets.")
        .def_property_readonly("estimation_history", onModel(&PythonModel::estimationHistory),
                               "The last 140 estimations times 10, oldest first, the latest "
                               "last. A fresh Model's holds its row 0 estimation (times 10)\n"
                               "last, after 139 zeros.")
        .def_property_readonly("gains", onModel(&PythonModel::gains),
                               "The plant's 17 gains: output i = gains[i] x input i.")
        .def(
            "__repr__",
            [](py::handle self) -> py::str {
                if (py::isinstance<PythonModel>(self) && !PythonModel::isSetUp(self))
                    return py::str("<varkelon.Model, never set up>");
                return PythonModel::of(self).repr();
            },
            "__repr__(self, /)\n--\n\n")
        .def(
            "__copy__", [](py::handle self) { return PythonModel::of(self).copy(); },
            "__copy__(self, /)\n--\n\nA Model in the same state.")
        .def(
            "__deepcopy__",
            [](py::handle self, const py::object&) { return PythonModel::of(self).copy(); },
            py::arg("memo"), "__deepcopy__(self, memo, /)\n--\n\nA Model in the same state.")
        .def(
            "__getstate__", [](py::handle self) { return PythonModel::of(self).state(); },
            "__getstate__(self, /)\n--\n\n"
            "The whole state as (format, clock, bytes), the bytes ending in a checksum.")
        .def("__reduce_ex__", &reduceModel, py::arg("protocol"),
             "__reduce_ex__(self, protocol, /)\n--\n\nHow pickle rebuilds the Model.");
    // Not bound as "__setstate__": pybind11 takes a method of that name for a
    // constructor and silently ignores it on a Model set up already.
    module.def("_restore_model", &PythonModel::restore, py::arg("model"), py::arg("state"),
               "_restore_model(model, state)\n--\n\nModel.__setstate__.");
}
