// The Python module varkelon: the teaching model at native speed, with the
// same numbers, bit for bit, as varkelon-teach prints.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "PythonArguments.h"
#include "PythonModel.h"
#include "TeachRows.h"
#include "tools/TeachingRun.h"

#ifndef VARKELON_VERSION
#error "VARKELON_VERSION must give the program's version"
#endif

namespace py = pybind11;
using namespace varkelon;

namespace {

py::dict teach(const py::object& clock, const py::object& cycles, const py::object& regime,
               const py::object& switches, const py::object& neurons) {
    // Every argument is checked before anything is built.
    const std::uint32_t seconds = PythonArguments::clock(clock);
    const std::int64_t count = PythonArguments::whole(cycles, "cycles", 0, kMaxCycles);
    const TeachingRegime first = PythonArguments::regime(regime, "regime");
    std::vector<RegimeSwitch> regimeSwitches = PythonArguments::switches(switches);
    std::vector<NeuronSetting> neuronSettings = PythonArguments::neurons(neurons);

    TeachRows rows(count + 1);
    TeachingRun run(seconds, first, std::move(regimeSwitches), std::move(neuronSettings));
    run.reset();
    rows.put(0, run.row());
    rows.fill(run, count, 1);
    return rows.columns();
}

constexpr const char* kTeachDoc = R"doc(Runs varkelon-teach's teaching run and returns its rows as NumPy columns.

The model objects are created in their seeding order with every seeding
reading `clock` (whole seconds, 0 to 4294967295), reset (row 0), then
taught for `cycles` cycles (0 to 2147483647), one row each. Before cycle K,
switches[K] becomes the regime and neurons[K] the number of hidden neurons
(1 to 10, no rebuild). Regimes: "static", "sin", "sin+random", "random",
"none".

Returns {"iteration": int32, "regime": str, "hidden_count": int32,
"estimation": float32, "learning_rate": float32, "noise_level": float32},
each of cycles + 1 rows: pandas.DataFrame(teach(...)) gives the CSV's table.
The interpreter's lock is released while the cycles run.

Raises ValueError naming the argument and what it accepts.)doc";

}  // namespace

PYBIND11_MODULE(varkelon, module) {
    module.doc() =
        "Varkelon's teaching model: a small recurrent network learning, cycle by cycle,\n"
        "to predict a 17-channel plant. teach() runs a whole run as varkelon-teach does;\n"
        "Model drives one step by step, as the window does.";
    module.attr("__version__") = VARKELON_VERSION;

    module.def("teach", &teach, py::arg("clock"), py::arg("cycles"), py::arg("regime") = "static",
               py::arg("switches") = py::none(), py::arg("neurons") = py::none(), kTeachDoc);

    py::class_<PythonModel>(module, "Model", R"doc(Model(clock, regime="static")

One teaching run, driven step by step. Creating it builds the model objects
in their seeding order, every seeding reading `clock` (whole seconds, 0 to
4294967295), and resets it: iteration 0, row 0 of teach(). `regime` and
`hidden_count` act as the window's controls do: from the next step on,
without a rebuild. Bad values raise ValueError and change nothing.)doc")
        .def(py::init<const py::object&, const py::object&>(), py::arg("clock"),
             py::arg("regime") = "static")
        .def("step", &PythonModel::step, "Runs one teaching cycle.")
        .def("run", &PythonModel::run, py::arg("cycles"),
             "Runs `cycles` teaching cycles (0 or more) and returns their rows in teach()'s\n"
             "form, without the row of the cycle before them. The interpreter's lock is\n"
             "released while they run.")
        .def("reset", &PythonModel::reset,
             "Rebuilds the network and the plant with the clock's seeding: iteration 0,\n"
             "7 hidden neurons, a first prediction without learning. The regime stays.")
        .def_property_readonly("clock", &PythonModel::clock,
                               "The calendar second every seeding reads.")
        .def_property_readonly("iteration", &PythonModel::iteration,
                               "Teaching cycles run since the last reset.")
        .def_property_readonly("estimation", &PythonModel::estimation,
                               "The latest cycle's (mean absolute error) squared.")
        .def_property_readonly("learning_rate", &PythonModel::learningRate,
                               "The step size of the weight update.")
        .def_property_readonly("noise_level", &PythonModel::noiseLevel,
                               "The share of noise in the latest inputs, 0 to 1.")
        .def_property("regime", &PythonModel::regime, &PythonModel::setRegime,
                      "The teaching regime: \"static\", \"sin\", \"sin+random\", \"random\" or "
                      "\"none\".")
        .def_property("hidden_count", &PythonModel::hiddenCount, &PythonModel::setHiddenCount,
                      "Hidden neurons in use, 1 to 10.")
        .def_property_readonly("weights_in_hidden", &PythonModel::weightsInHidden,
                               "Input j -> hidden h weights, [j, h], 17 x hidden_count.")
        .def_property_readonly("weights_hidden_out", &PythonModel::weightsHiddenOut,
                               "Hidden h -> output o weights, [o, h], 17 x hidden_count.")
        .def_property_readonly(
            "weights_hidden_hidden", &PythonModel::weightsHiddenHidden,
            "Hidden k (previous slot) -> hidden h weights, [h, k], hidden_count x hidden_count.")
        .def_property_readonly("outputs", &PythonModel::outputs,
                               "The network's 17 outputs of the latest cycle (its prediction).")
        .def_property_readonly("targets", &PythonModel::targets,
                               "The plant's 17 outputs of the latest cycle, the network's targets.")
        .def_property_readonly("estimation_history", &PythonModel::estimationHistory,
                               "The last 140 estimations times 10, oldest first, the latest "
                               "last; 0 where no cycle has run yet.")
        .def_property_readonly("gains", &PythonModel::gains,
                               "The plant's 17 gains: output i = gains[i] x input i.")
        .def("__repr__", &PythonModel::repr);
}
