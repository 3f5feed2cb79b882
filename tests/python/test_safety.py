"""Calls that must end in a clean exception or a clean exit, never in a crash
of the interpreter, each run in a process of its own."""

import _thread
import collections.abc
import os
import pickle
import signal
import subprocess
import sys
import threading

import numpy as np
import pytest

import varkelon

SANITIZED = "asan" in os.environ.get("LD_PRELOAD", "")

BARE = "m = varkelon.Model.__new__(varkelon.Model)\n"
REFUSED = "try:\n    {}\nexcept {} as error:\n    print(type(error).__name__, error)\n"
AT_EXIT = "threading.Thread(target={}, daemon=True).start()\ntime.sleep(0.5)\nprint('exit')\n"

# (case, what Python runs, what it prints)
NEVER_SET_UP = "ValueError this varkelon.Model was never set up"
CASES = [
    ("pickle-protocol-0",
     "print(pickle.loads(pickle.dumps(varkelon.Model(1), protocol=0)).iteration)", "0"),
    ("pickle-protocol-1",
     "print(pickle.loads(pickle.dumps(varkelon.Model(1), protocol=1)).clock)", "1"),
    ("reduce-ex-0", "print(varkelon.Model(1).__reduce_ex__(0)[0].__name__)", "__newobj__"),
    ("exit-in-teach", AT_EXIT.format("lambda: varkelon.teach(1, 10**8)"), "exit"),
    ("exit-in-run", AT_EXIT.format("lambda: varkelon.Model(1).run(10**8)"), "exit"),
    ("exit-in-teach-many",
     AT_EXIT.format("lambda: varkelon.teach_many([dict(clock=1, cycles=10**8)] * 4)"), "exit"),
    ("exit-waiting-for-model",
     "m = varkelon.Model(1)\n" + AT_EXIT.format("lambda: m.run(10**8)") + AT_EXIT.format("m.step"),
     "exit"),
    ("bare-step", BARE + REFUSED.format("m.step()", "ValueError"), NEVER_SET_UP),
    ("bare-run", BARE + REFUSED.format("m.run(5)", "ValueError"), NEVER_SET_UP),
    ("bare-pickle", BARE + REFUSED.format("pickle.dumps(m)", "ValueError"), NEVER_SET_UP),
    ("bare-repr", BARE + "print(repr(m))", "<varkelon.Model, never set up>"),
    ("pickle-without-build", "p = pickle.dumps(varkelon.Model(1), 2)\n" +
     REFUSED.format("pickle.loads(p[:-2] + b'0.').run(5)", "ValueError"), NEVER_SET_UP),
]


def run_python(code, **options):
    prelude = "import pickle, threading, time, varkelon\n"
    return subprocess.Popen([sys.executable, "-c", prelude + code], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, **options)


@pytest.mark.parametrize("case,code,printed", CASES, ids=[case for case, _, _ in CASES])
def test_no_call_kills_the_interpreter(case, code, printed):
    process = run_python(code)
    out, err = process.communicate(timeout=300)
    assert (process.returncode, err) == (0, ""), err
    assert out.startswith(printed), out


@pytest.mark.skipif(SANITIZED, reason="the sanitizer's shadow memory needs the address space")
def test_a_run_beyond_the_address_space_limit_fails_before_it_starts():
    process = run_python("import resource\n"
                         "resource.setrlimit(resource.RLIMIT_AS, (4 * 10**9, 4 * 10**9))\n" +
                         REFUSED.format("varkelon.teach(1, 10**9)", "MemoryError"))
    out, err = process.communicate(timeout=300)
    assert process.returncode == 0, err
    assert out.startswith("MemoryError teach needs 21.0 GB") and "address-space limit" in out


def test_ctrl_c_ends_a_script_with_a_thread_inside_a_run():
    process = run_python("threading.Thread(target=varkelon.teach, args=(1, 10**8), daemon=True)"
                         ".start()\nprint('ready', flush=True)\ntime.sleep(300)\n")
    assert process.stdout.readline() == "ready\n"
    process.send_signal(signal.SIGINT)
    out, err = process.communicate(timeout=300)
    # Python ends on an uncaught KeyboardInterrupt by SIGINT, as a shell expects.
    assert process.returncode == -signal.SIGINT, err
    assert err.rstrip().endswith("KeyboardInterrupt"), err


def test_ctrl_c_reaches_a_thread_waiting_for_a_busy_model():
    model = varkelon.Model(5)
    ended = []
    started = threading.Event()

    def busy():
        started.set()
        model.run(3 * 10**6)
        ended.append(True)

    worker = threading.Thread(target=busy)
    worker.start()
    started.wait()
    timer = threading.Timer(0.3, _thread.interrupt_main)
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            model.step()
        assert ended == [], "Ctrl-C waited for the run to end"
    finally:
        timer.join()
        worker.join()
    assert model.iteration == 3 * 10**6


def test_any_change_to_a_pickled_state_is_refused():
    model = varkelon.Model(1700000000, "sin")
    model.run(321)
    form, clock, blob = model.__getstate__()
    changed = [(form, clock + 1, blob), (form, clock ^ 1 << 31, blob)]
    changed += [(form, clock, blob[:n] + bytes([blob[n] ^ 1 << n % 8]) + blob[n + 1:])
                for n in range(len(blob))]
    for state in changed:
        fresh = varkelon.Model.__new__(varkelon.Model)
        with pytest.raises(ValueError, match="cannot be restored: its checksum"):
            fresh.__setstate__(state)
    assert pickle.loads(pickle.dumps(model)).iteration == 321


class PairsAsLists(dict):
    def items(self):
        return [list(item) for item in super().items()]


collections.abc.Mapping.register(PairsAsLists)

# (call, exception, the start of its message)
ERRORS = [
    (lambda: varkelon.teach(1, 5, "\udc80"), ValueError, "regime expects static, sin,"),
    (lambda: varkelon.teach(1, 5, switches=PairsAsLists({2: "sin"})), TypeError,
     "switches expects a mapping {K: regime} whose items() are (K, value) pairs, not [2, 'sin']"),
    (lambda: varkelon.teach(1, np.bool_(True)), TypeError, "cycles expects a whole number"),
    (lambda: varkelon.Model(np.bool_(False)), TypeError, "clock expects whole seconds"),
    (lambda: varkelon.teach(list(range(10**6)), 5), TypeError,
     "clock expects whole seconds from 0 to 4294967295, not [0, 1, 2, 3, 4, 5, ...]"),
    (lambda: varkelon.teach_many([list(range(10**6))]), TypeError,
     "runs[0] expects a mapping of teach()'s arguments, not [0, 1, 2, 3, 4, 5, ...]"),
    (lambda: varkelon.Model(1).__setstate__(varkelon.Model(2).__getstate__()), ValueError,
     "__setstate__ sets up a Model being unpickled; this one is set up already"),
    (lambda: varkelon.Model.__new__(varkelon.Model).__setstate__([3, 1, b""]), TypeError,
     "a Model's state is a tuple (format, clock, bytes) of format 3, not [3, 1, b'']"),
    (lambda: varkelon.Model.__new__(varkelon.Model).__setstate__((3, "1", b"")), TypeError,
     "clock expects whole seconds"),
]


@pytest.mark.parametrize("call,error,message", ERRORS)
def test_errors_name_the_argument_and_quote_a_short_head(call, error, message):
    with pytest.raises(error) as refused:
        call()
    assert str(refused.value).startswith(message)
    assert len(str(refused.value)) < 300


def test_regimes_type_check_as_regimes_under_strict_mypy(tmp_path):
    script = tmp_path / "sweep.py"
    script.write_text("import varkelon\n\n"
                      "for r in varkelon.REGIMES:\n    varkelon.teach(1, 10, r)\n")
    environment = dict(os.environ, MYPYPATH=os.path.dirname(os.path.dirname(varkelon.__file__)))
    environment.pop("LD_PRELOAD", None)
    checked = subprocess.run([sys.executable, "-m", "mypy", "--strict", "--no-incremental",
                              str(script)], capture_output=True, text=True, env=environment)
    assert checked.returncode == 0, checked.stdout
