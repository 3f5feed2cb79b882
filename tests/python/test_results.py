"""The rows teach() and run() hand back: small columns, all made before the
run, and the optional DataFrame."""

import os
import sys

import numpy as np
import pytest

import varkelon


def test_a_row_takes_21_bytes_and_the_regime_is_a_code():
    rows = varkelon.teach(3, 1000, "static", switches={200: "sin", 400: "sin+random",
                                                       600: "random", 800: "none"})
    assert sum(column.itemsize for column in rows.values()) == 21
    assert rows["regime"].dtype == np.uint8
    assert varkelon.REGIMES == ("static", "sin", "sin+random", "random", "none")
    names = np.asarray(varkelon.REGIMES)[rows["regime"]]
    assert names[[0, 199, 200, 400, 600, 800, 1000]].tolist() == [
        "static", "static", "sin", "sin+random", "random", "none", "none"]


def physical_memory():
    return os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE")


@pytest.mark.skipif(physical_memory() > 21 * 2**31, reason="enough memory for the largest run")
@pytest.mark.parametrize("call,name", [
    (lambda: varkelon.teach(0, 2**31 - 1), "teach"),
    (lambda: varkelon.Model(0).run(2**31 - 1), "run"),
    (lambda: varkelon.teach_many([{"clock": 0, "cycles": 2**30}] * 2), "teach_many"),
])
def test_a_run_too_large_for_memory_fails_at_once(call, name):
    with pytest.raises(MemoryError) as refused:
        call()
    message = str(refused.value)
    assert message.startswith(f"{name} needs ") and " GB for " in message, message
    assert "rows of 21 bytes and " in message


def test_the_dataframe_has_the_regime_as_a_category():
    pandas = pytest.importorskip("pandas")
    rows = varkelon.teach(8, 50, "sin", switches={20: "none"})
    frame = varkelon.to_dataframe(rows)
    assert list(frame.columns) == list(rows)
    assert isinstance(frame["regime"].dtype, pandas.CategoricalDtype)
    assert list(frame["regime"].cat.categories) == list(varkelon.REGIMES)
    assert frame["regime"].iloc[[0, 19, 20, 50]].tolist() == ["sin", "sin", "none", "none"]
    assert np.array_equal(frame["estimation"].to_numpy(), rows["estimation"])


def test_the_dataframe_without_pandas_says_what_is_missing(monkeypatch):
    monkeypatch.setitem(sys.modules, "pandas", None)
    with pytest.raises(ModuleNotFoundError, match="needs pandas"):
        varkelon.to_dataframe(varkelon.teach(8, 5))
