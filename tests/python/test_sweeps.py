"""teach_many: teach() of every dict, on native threads, in order."""

import _thread
import threading

import numpy as np
import pytest

import varkelon

RUNS = [
    {"clock": 1700000000, "cycles": 3000},
    {"clock": 5, "cycles": 1, "regime": "none"},
    {"clock": 0, "cycles": 2500, "regime": "sin+random", "switches": {700: "static"}},
    {"clock": 4294967295, "cycles": 0, "regime": "random"},
    {"clock": 77, "cycles": 4100, "regime": "sin", "neurons": {10: 2, 4097: 10}},
    {"cycles": 1200, "clock": 9, "switches": {1: "random", 600: "sin"}, "neurons": {300: 1}},
]


@pytest.mark.parametrize("workers", [1, 2, 5, None])
def test_every_run_equals_teach_of_its_dict(workers):
    seen = []
    results = varkelon.teach_many(iter(RUNS), workers=workers,
                                  progress=lambda done, total: seen.append(
                                      (done, total, threading.current_thread())))
    assert len(results) == len(RUNS)
    for run, rows in zip(RUNS, results):
        expected = varkelon.teach(**run)
        assert list(rows) == list(expected)
        for name in expected:
            assert rows[name].dtype == expected[name].dtype
            assert np.array_equal(rows[name], expected[name]), (run, name)
    # Progress in the calling thread, counting up to the total.
    assert all(thread is threading.current_thread() for _, _, thread in seen)
    assert [done for done, _, _ in seen] == sorted({done for done, _, _ in seen})
    assert seen[-1][:2] == (len(RUNS), len(RUNS))


def test_no_runs_give_no_rows():
    assert varkelon.teach_many([]) == []


BAD_RUNS = [
    ([{"clock": 1, "cycles": 5}, {"clock": 1}], TypeError,
     "runs[1]: missing a required argument: 'cycles'"),
    ([{"clock": 1, "cycles": 5, "speed": 2}], TypeError,
     "runs[0]: got an unexpected keyword argument 'speed'"),
    ([(1, 5)], TypeError, "runs[0] expects a mapping of teach()'s arguments, not (1, 5)"),
    ([{"clock": 1, "cycles": 5}, {"clock": 1, "cycles": 5, "regime": "x"}], ValueError,
     "runs[1]: regime expects static, sin, sin+random, random or none, not 'x'"),
    ([{"clock": 1, "cycles": 1.5}], TypeError,
     "runs[0]: cycles expects a whole number from 0 to 2147483647, not 1.5"),
]


@pytest.mark.parametrize("runs,kind,message", BAD_RUNS)
def test_bad_runs_are_refused_before_any_starts(runs, kind, message):
    called = []
    with pytest.raises(kind) as refused:
        varkelon.teach_many(runs, progress=lambda *done: called.append(done))
    assert str(refused.value) == message
    assert called == []


@pytest.mark.parametrize("workers,progress,kind", [
    (0, None, ValueError), (2.0, None, TypeError), (2, "print", TypeError)])
def test_bad_workers_or_progress_are_refused(workers, progress, kind):
    with pytest.raises(kind):
        varkelon.teach_many(RUNS[:1], workers=workers, progress=progress)


def long_sweep():
    # A short run first, so that progress is called once everything is going.
    return [{"clock": 1, "cycles": 100}] + [{"clock": n, "cycles": 3000000} for n in range(8)]


def test_an_error_in_progress_stops_the_sweep():
    calls = []

    def progress(done, total):
        calls.append(done)
        raise RuntimeError("enough")

    with pytest.raises(RuntimeError, match="enough"):
        varkelon.teach_many(long_sweep(), workers=1, progress=progress)
    assert calls == [1]


def test_ctrl_c_stops_every_thread():
    calls = []

    def progress(done, total):
        calls.append(done)
        if done == 1:
            threading.Timer(0.1, _thread.interrupt_main).start()

    with pytest.raises(KeyboardInterrupt):
        varkelon.teach_many(long_sweep(), workers=2, progress=progress)
    # Stopped long before the 24 million cycles were through.
    assert calls[-1] < len(long_sweep())


@pytest.mark.parametrize("workers", [1, 2, 3])
def test_the_runs_share_out_over_the_workers_asked_for(workers):
    import os

    def threads():
        return len(os.listdir("/proc/self/task"))

    before = threads()
    seen = []

    def progress(done, total):
        if done == 1:
            seen.append(threads() - before)

    # A short run first: when it is done, every worker is busy with a long one.
    runs = [{"clock": 1, "cycles": 10}] + [{"clock": n, "cycles": 1500000} for n in range(workers)]
    varkelon.teach_many(runs, workers=workers, progress=progress)
    assert seen == [workers]
    assert threads() == before
