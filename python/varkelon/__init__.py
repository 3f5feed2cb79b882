"""Varkelon's teaching model: a small recurrent network learning, cycle by
cycle, to predict a 17-channel plant.

teach() runs a whole run as varkelon-teach does; teach_many() runs many on
every core; Model drives one step by step, as the window does.
"""

import inspect
import os
import reprlib
from typing import (Any, Callable, Iterable, List, Literal, Mapping, Optional, SupportsIndex,
                    TypedDict, Union)

import numpy as np
import numpy.typing as npt

from . import _varkelon
from ._varkelon import REGIMES, Model, __version__

__all__ = ["REGIMES", "Model", "Regime", "Rows", "teach", "teach_many", "to_dataframe",
           "__version__"]

# Pickles and reprs name the class where users find it.
Model.__module__ = __name__


def __setstate__(self: Model, state: Any) -> None:
    """Sets up a Model being unpickled (made without __init__) from the state
    __getstate__ gave. A state changed anywhere, of another format or of the
    wrong type is refused (ValueError, TypeError), as is a Model set up
    already."""
    _varkelon._restore_model(self, state)


__setstate__.__qualname__ = "Model.__setstate__"
Model.__setstate__ = __setstate__  # type: ignore[method-assign]
del __setstate__

# Literal["static", "sin", "sin+random", "random", "none"], spelt as the
# union type checkers make of it.
Regime = Union[Literal["static"], Literal["sin"], Literal["sin+random"], Literal["random"],
               Literal["none"]]


class Rows(TypedDict):
    """One entry per CSV column of varkelon-teach, one element per row; the
    regime as its index into REGIMES."""

    iteration: npt.NDArray[np.int32]
    regime: npt.NDArray[np.uint8]
    hidden_count: npt.NDArray[np.int32]
    estimation: npt.NDArray[np.float32]
    learning_rate: npt.NDArray[np.float32]
    noise_level: npt.NDArray[np.float32]


def teach(
    clock: SupportsIndex,
    cycles: SupportsIndex,
    regime: Regime = "static",
    switches: Optional[Mapping[SupportsIndex, Regime]] = None,
    neurons: Optional[Mapping[SupportsIndex, SupportsIndex]] = None,
) -> Rows:
    """Runs varkelon-teach's teaching run and returns its rows as NumPy columns.

    The model objects are created in their seeding order with every seeding
    reading `clock` (whole seconds, 0 to 4294967295), reset (row 0), then
    taught for `cycles` cycles (0 to 2147483647), one row each. Before cycle
    K, switches[K] becomes the regime and neurons[K] the number of hidden
    neurons (1 to 10, no rebuild). Regimes: "static", "sin", "sin+random",
    "random", "none".

    Returns {"iteration": int32, "regime": uint8, "hidden_count": int32,
    "estimation": float32, "learning_rate": float32, "noise_level": float32},
    each of cycles + 1 rows, 21 bytes a row; the regime is its index into
    REGIMES. to_dataframe() gives the CSV's table. Every array is allocated
    before the run starts: a run needing more memory than this process can
    get (available memory, swap, `ulimit -v`) raises MemoryError at once.
    The interpreter's lock is released while the cycles run; Ctrl-C stops
    them within milliseconds.

    Raises TypeError for an argument of the wrong type and ValueError for one
    out of range, naming the argument and what it accepts.
    """
    return _varkelon.teach(clock, cycles, regime, switches, neurons)


_TEACH_SIGNATURE = inspect.signature(teach)


def teach_many(
    runs: Iterable[Mapping[str, Any]],
    workers: Optional[SupportsIndex] = None,
    progress: Optional[Callable[[int, int], object]] = None,
) -> List[Rows]:
    """Runs teach(**run) for every run, on `workers` native threads (default:
    the processor count), and returns their rows in the order of `runs`, each
    equal bit for bit to teach()'s.

    Every run's arguments are checked and every array allocated before any
    run starts. The threads never take the interpreter's lock; the calling
    thread waits, calling progress(done, total), where given, as runs finish.
    Ctrl-C (or an exception from `progress`) stops every run within about 50
    milliseconds and is raised; no rows are returned then.
    """
    bound = []
    for n, run in enumerate(runs):
        if not isinstance(run, Mapping):
            raise TypeError(f"runs[{n}] expects a mapping of teach()'s arguments, "
                            f"not {reprlib.repr(run)}")
        try:
            arguments = _TEACH_SIGNATURE.bind(**run)
        except TypeError as error:
            raise TypeError(f"runs[{n}]: {error}") from None
        arguments.apply_defaults()
        bound.append(tuple(arguments.arguments.values()))
    if workers is None:
        workers = os.cpu_count() or 1
    return _varkelon.teach_many(bound, workers, progress)


def to_dataframe(rows: Rows) -> Any:
    """The rows as a pandas DataFrame, varkelon-teach's table, with the regime
    as a category of REGIMES. Needs pandas (Debian: python3-pandas)."""
    try:
        import pandas
    except ImportError as error:
        raise ModuleNotFoundError(
            "varkelon.to_dataframe needs pandas (on Debian: apt-get install python3-pandas)",
            name="pandas") from error
    frame = pandas.DataFrame({name: column for name, column in rows.items()})
    frame["regime"] = pandas.Categorical.from_codes(rows["regime"], categories=list(REGIMES))
    return frame
