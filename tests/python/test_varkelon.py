"""The Python module against varkelon-teach: the same rows, its refusals,
and the shapes of the state it hands out."""

import os
import subprocess
import threading

import numpy as np
import pytest

import varkelon

TEACH = os.environ["VARKELON_TEACH"]
COLUMNS = ["iteration", "regime", "hidden_count", "estimation", "learning_rate", "noise_level"]


def program_csv(clock, cycles, regime="static", switches=None, neurons=None):
    command = [TEACH, "--clock", str(clock), "--cycles", str(cycles), "--regime", regime]
    for cycle, name in (switches or {}).items():
        command += ["--switch", f"{cycle}:{name}"]
    for cycle, count in (neurons or {}).items():
        command += ["--neurons", f"{cycle}:{count}"]
    return subprocess.run(command, check=True, capture_output=True).stdout.decode()


def as_csv(rows):
    lines = ["iteration,regime,hiddenCount,estimation,learningRate,noiseLevel"]
    for n in range(len(rows["iteration"])):
        lines.append("%d,%s,%d,%.9g,%.9g,%.9g" % (
            rows["iteration"][n], varkelon.REGIMES[rows["regime"][n]], rows["hidden_count"][n],
            rows["estimation"][n], rows["learning_rate"][n], rows["noise_level"][n]))
    return "\n".join(lines) + "\n"


SCENARIOS = [
    (1700000000, 600, "static", None, None),
    (1700000000, 600, "sin", None, None),
    (0, 1300, "sin+random", None, None),
    (4294967295, 600, "random", None, None),
    (5, 50, "none", None, None),
    (1700000000, 900, "sin", {200: "random", 400: "sin+random", 700: "none", 800: "static"},
     {100: 1, 300: 10, 650: 4}),
]


@pytest.mark.parametrize("clock,cycles,regime,switches,neurons", SCENARIOS)
def test_teach_prints_as_varkelon_teach(clock, cycles, regime, switches, neurons):
    rows = varkelon.teach(clock, cycles, regime, switches=switches, neurons=neurons)
    assert list(rows) == COLUMNS
    assert as_csv(rows) == program_csv(clock, cycles, regime, switches, neurons)


def test_model_driven_by_hand_gives_teachs_rows():
    switches = {30: "random", 60: "sin+random"}
    neurons = {45: 3}
    expected = varkelon.teach(77, 100, "sin", switches=switches, neurons=neurons)

    def row_of(model):
        return (model.iteration, model.regime, model.hidden_count, model.estimation,
                model.learning_rate, model.noise_level)

    # Cycles 1 to 50 by step(), with the controls set before their cycle;
    # 51 to 100 by run(), split where the regime changes.
    model = varkelon.Model(77, "sin")
    stepped = [row_of(model)]
    for k in range(1, 51):
        if k in switches:
            model.regime = switches[k]
        if k in neurons:
            model.hidden_count = neurons[k]
        model.step()
        stepped.append(row_of(model))
    first = model.run(9)
    model.regime = "sin+random"
    second = model.run(41)
    for n, name in enumerate(COLUMNS):
        column = expected[name][:51].tolist()
        if name == "regime":
            column = [varkelon.REGIMES[code] for code in column]
        assert [row[n] for row in stepped] == column, name
        ran = np.concatenate([first[name], second[name]])
        assert ran.dtype == expected[name].dtype, name
        assert np.array_equal(ran, expected[name][51:]), name

    # A reset starts the run again from the clock: row 0 of a fresh teach,
    # with the regime kept and the neurons back to 7.
    model.reset()
    again = varkelon.teach(77, 0, "sin+random")
    assert row_of(model) == tuple(again[name][0] for name in COLUMNS[:1]) + (
        "sin+random",) + tuple(again[name][0] for name in COLUMNS[2:])


def test_column_types():
    rows = varkelon.teach(1, 3, "random")
    assert [rows[name].dtype.kind for name in COLUMNS] == ["i", "u", "i", "f", "f", "f"]
    assert rows["regime"].dtype.itemsize == 1 and varkelon.REGIMES[rows["regime"][0]] == "random"
    assert [rows[name].dtype.itemsize for name in ["iteration", "hidden_count", "estimation"]] == [4, 4, 4]
    assert rows["iteration"].tolist() == [0, 1, 2, 3]
    assert varkelon.Model(1).run(0)["estimation"].shape == (0,)


def raises(message, call, kind=ValueError):
    with pytest.raises(kind) as refused:
        call()
    assert str(refused.value) == message


BAD_TEACH = [
    ({"clock": -1}, ValueError, "clock expects whole seconds from 0 to 4294967295, not -1"),
    ({"clock": 2**32}, ValueError, "clock expects whole seconds from 0 to 4294967295, not 4294967296"),
    ({"clock": 2**80}, ValueError, "clock expects whole seconds from 0 to 4294967295, not 1208925819614629174706176"),
    ({"clock": 1.0}, TypeError, "clock expects whole seconds from 0 to 4294967295, not 1.0"),
    ({"clock": "5"}, TypeError, "clock expects whole seconds from 0 to 4294967295, not '5'"),
    ({"clock": True}, TypeError, "clock expects whole seconds from 0 to 4294967295, not True"),
    ({"cycles": -1}, ValueError, "cycles expects a whole number from 0 to 2147483647, not -1"),
    ({"cycles": 2**31}, ValueError, "cycles expects a whole number from 0 to 2147483647, not 2147483648"),
    ({"regime": "square"}, ValueError, "regime expects static, sin, sin+random, random or none, not 'square'"),
    ({"regime": "Sin"}, ValueError, "regime expects static, sin, sin+random, random or none, not 'Sin'"),
    ({"regime": None}, TypeError, "regime expects static, sin, sin+random, random or none, not None"),
    ({"regime": 1}, TypeError, "regime expects static, sin, sin+random, random or none, not 1"),
    ({"switches": {0: "sin"}}, ValueError, "switches expects {K: regime} with K a whole number from 1 to 2147483647, not 0"),
    ({"switches": {"5": "sin"}}, TypeError, "switches expects {K: regime} with K a whole number from 1 to 2147483647, not '5'"),
    ({"switches": {5: "x"}}, ValueError, "switches expects {K: regime} with regime one of static, sin, sin+random, random or none, not 'x'"),
    ({"switches": {5: 2}}, TypeError, "switches expects {K: regime} with regime one of static, sin, sin+random, random or none, not 2"),
    ({"switches": [(5, "sin")]}, TypeError, "switches expects a mapping {K: regime} or None, not [(5, 'sin')]"),
    ({"neurons": {-2: 3}}, ValueError, "neurons expects {K: H} with K a whole number from 1 to 2147483647, not -2"),
    ({"neurons": {2: 0}}, ValueError, "neurons expects {K: H} with H a whole number from 1 to 10, not 0"),
    ({"neurons": {2: 11}}, ValueError, "neurons expects {K: H} with H a whole number from 1 to 10, not 11"),
    ({"neurons": {2: 3.0}}, TypeError, "neurons expects {K: H} with H a whole number from 1 to 10, not 3.0"),
]


@pytest.mark.parametrize("change,kind,message", BAD_TEACH)
def test_teach_refuses_bad_input(change, kind, message):
    arguments = {"clock": 0, "cycles": 2, "regime": "static", "switches": None, "neurons": None}
    arguments.update(change)
    raises(message, lambda: varkelon.teach(**arguments), kind)


def test_model_refuses_bad_input_and_keeps_its_state():
    raises("clock expects whole seconds from 0 to 4294967295, not -5", lambda: varkelon.Model(-5))
    raises("clock expects whole seconds from 0 to 4294967295, not 5.0", lambda: varkelon.Model(5.0), TypeError)
    raises("regime expects static, sin, sin+random, random or none, not 'noise'",
           lambda: varkelon.Model(0, "noise"))

    model = varkelon.Model(3, "sin")
    model.run(20)
    before = (model.iteration, model.regime, model.hidden_count, model.estimation,
              model.weights_in_hidden.tolist())

    def set_regime(value):
        model.regime = value

    def set_hidden(value):
        model.hidden_count = value

    refusals = [
        (TypeError, "regime expects static, sin, sin+random, random or none, not 3", lambda: set_regime(3)),
        (ValueError, "regime expects static, sin, sin+random, random or none, not 'x'",
         lambda: set_regime("x")),
        (ValueError, "hidden_count expects a whole number from 1 to 10, not 0", lambda: set_hidden(0)),
        (ValueError, "hidden_count expects a whole number from 1 to 10, not 11", lambda: set_hidden(11)),
        (TypeError, "hidden_count expects a whole number from 1 to 10, not 2.5", lambda: set_hidden(2.5)),
        (ValueError, "cycles expects a whole number from 0 to 2147483627, not -1", lambda: model.run(-1)),
        (ValueError, "cycles expects a whole number from 0 to 2147483627, not 2147483628",
         lambda: model.run(2147483628)),
        (TypeError, "cycles expects a whole number from 0 to 2147483627, not '5'", lambda: model.run("5")),
    ]
    for kind, message, call in refusals:
        raises(message, call, kind)
    assert (model.iteration, model.regime, model.hidden_count, model.estimation,
            model.weights_in_hidden.tolist()) == before


@pytest.mark.parametrize("hidden", [1, 7, 10])
def test_state_arrays_have_the_active_sizes(hidden):
    model = varkelon.Model(11, "random")
    model.hidden_count = hidden
    model.run(145)
    shapes = {
        "weights_in_hidden": (17, hidden),
        "weights_hidden_out": (17, hidden),
        "weights_hidden_hidden": (hidden, hidden),
        "outputs": (17,),
        "targets": (17,),
        "estimation_history": (140,),
        "gains": (17,),
    }
    for name, shape in shapes.items():
        array = getattr(model, name)
        assert array.shape == shape and array.dtype == np.float32, name
        assert not array.flags.writeable, name
        assert np.all(np.isfinite(array)), name
    # The latest history entry is this cycle's estimation, times 10.
    assert model.estimation_history[-1] == np.float32(10 * np.float32(model.estimation))
    assert np.all(np.abs(model.gains) <= 0.9999)
    # Copies: the next cycle leaves the one taken before it as it was.
    held = model.targets
    kept = held.copy()
    model.step()
    assert np.array_equal(held, kept) and not np.array_equal(held, model.targets)


def test_a_long_run_lets_other_threads_run():
    started = threading.Event()
    result = {}

    def worker():
        started.set()
        result["rows"] = varkelon.teach(0, 300000, "sin", neurons={1: 10})

    thread = threading.Thread(target=worker)
    thread.start()
    started.wait()
    turns = 0
    while thread.is_alive():
        turns += 1
    thread.join()
    assert len(result["rows"]["iteration"]) == 300001
    # Holding the lock, teach would let this thread run only between its
    # own bytecodes: a handful of turns at most.
    assert turns > 1000


def test_version_is_the_programs():
    assert varkelon.__version__ == os.environ["VARKELON_VERSION"]
    shown = subprocess.run([TEACH, "--version"], check=True, capture_output=True).stdout
    assert shown.decode() == f"varkelon-teach {varkelon.__version__}\n"


def test_every_public_name_is_documented_and_in_the_stub():
    stub = open(os.path.join(os.path.dirname(varkelon.__file__), "__init__.pyi")).read()
    assert varkelon.__doc__ and varkelon.teach.__doc__ and varkelon.Model.__doc__
    for name in ["teach", "teach_many", "to_dataframe", "Model", "REGIMES", "__version__"]:
        assert f"{name}" in stub, name
    for name in [n for n in dir(varkelon.Model) if not n.startswith("_")]:
        assert getattr(varkelon.Model, name).__doc__, name
        assert f"def {name}(" in stub, name
