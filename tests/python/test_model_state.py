"""pickle, copy.copy and copy.deepcopy of a Model keep its whole state."""

import copy
import pickle

import numpy as np
import pytest

import varkelon

STATE = ["iteration", "regime", "hidden_count", "estimation", "learning_rate", "noise_level",
         "weights_in_hidden", "weights_hidden_out", "weights_hidden_hidden", "outputs",
         "targets", "estimation_history", "gains", "clock"]


def pickled(model):
    return pickle.loads(pickle.dumps(model))


def same_state(a, b):
    for name in STATE:
        assert np.array_equal(np.asarray(getattr(a, name)), np.asarray(getattr(b, name))), name


# (how to copy, regime, cycles before, hidden count set before the copy)
CASES = [
    (pickled, "static", 1000, None),
    (pickled, "sin+random", 777, 3),
    (copy.copy, "sin", 0, None),
    (copy.deepcopy, "random", 4500, 10),
    (pickled, "none", 31, 1),
]


@pytest.mark.parametrize("duplicate,regime,before,hidden", CASES)
def test_a_copy_goes_on_as_the_original(duplicate, regime, before, hidden):
    original = varkelon.Model(1700000123, regime)
    original.run(before)
    if hidden is not None:
        original.hidden_count = hidden
    twin = duplicate(original)
    assert twin is not original and type(twin) is varkelon.Model
    same_state(original, twin)
    # Every regime from here on, so that every part of the state is used.
    for name in ["static", "sin+random", "sin", "random"]:
        original.regime = twin.regime = name
        a, b = original.run(700), twin.run(700)
        for column in a:
            assert np.array_equal(a[column], b[column]), (name, column)
    same_state(original, twin)
    # The copy is its own Model: changing it leaves the original alone.
    twin.hidden_count = 2
    twin.step()
    assert original.hidden_count != 2 or original.iteration != twin.iteration


def test_a_model_restored_in_another_process_goes_on_bit_for_bit():
    from concurrent.futures import ProcessPoolExecutor

    model = varkelon.Model(42, "sin")
    model.run(2000)
    with ProcessPoolExecutor(max_workers=1) as pool:
        there = pool.submit(_run_and_return, model, 3000).result()
    here = model.run(3000)
    for column in here:
        assert np.array_equal(here[column], there[0][column]), column
    same_state(model, there[1])


def _run_and_return(model, cycles):
    return model.run(cycles), model


BAD_STATES = [
    ((2, 42, b""), ValueError, "this Model was saved in state format 2; varkelon"),
    ((3, 42, b"short"), ValueError, "this Model's state cannot be restored: the state has 5"),
    ((3, 42), ValueError, "a Model's state is a tuple (format, clock, bytes) of format 3"),
    (("3", 42, b""), TypeError, "a Model's state is a tuple (format, clock, bytes) of format 3"),
]


@pytest.mark.parametrize("state,error,message", BAD_STATES)
def test_a_state_of_another_format_is_refused(state, error, message):
    # What unpickling does: a bare Model, then its state.
    fresh = varkelon.Model.__new__(varkelon.Model)
    with pytest.raises(error) as refused:
        fresh.__setstate__(state)
    assert str(refused.value).startswith(message)


def sealed(clock, fields):
    """Fields with the checksum a state ends in: 64-bit FNV-1a of the clock's
    four bytes and the fields."""
    checksum = 14695981039346656037
    for byte in clock.to_bytes(4, "little") + fields:
        checksum = (checksum ^ byte) * 1099511628211 % 2**64
    return fields + checksum.to_bytes(8, "little")


def test_a_state_with_indexes_out_of_range_is_refused():
    model = varkelon.Model(42)
    model.run(10)
    fmt, clock, blob = model.__getstate__()
    fields = blob[:-8]
    assert sealed(clock, fields) == blob
    # The regime is the first field: a code past the last regime; the last
    # is the built flag, a byte that is 0 or 1.
    for broken in (bytes([200]) + fields[1:], fields[:-1] + bytes([2])):
        fresh = varkelon.Model.__new__(varkelon.Model)
        with pytest.raises(ValueError, match="out of range"):
            fresh.__setstate__((fmt, clock, sealed(clock, broken)))


def test_ctrl_c_in_run_keeps_the_cycles_run_and_the_model_goes_on():
    import _thread
    import threading

    model = varkelon.Model(11, "sin")
    timer = threading.Timer(0.3, _thread.interrupt_main)
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        model.run(5000000)
    timer.join()
    ran = model.iteration
    # Stopped between two stretches of 4096 cycles; their rows are gone, the
    # Model is where they left it.
    assert 0 < ran < 5000000 and ran % 4096 == 0
    expected = varkelon.teach(11, ran + 1000, "sin")
    rows = model.run(1000)
    for name in rows:
        assert np.array_equal(rows[name], expected[name][ran + 1:]), name
