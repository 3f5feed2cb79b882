"""Varkelon's teaching model: a small recurrent network learning, cycle by
cycle, to predict a 17-channel plant."""

from typing import (Any, Callable, Iterable, List, Literal, Mapping, Optional, SupportsIndex,
                    Tuple, TypedDict)

import numpy as np
import numpy.typing as npt

__version__: str
__all__ = ["REGIMES", "Model", "Regime", "Rows", "teach", "teach_many", "to_dataframe",
           "__version__"]

Regime = Literal["static", "sin", "sin+random", "random", "none"]

# The names of the regime codes in Rows["regime"], by code: each one a
# Regime, so that `for r in REGIMES: teach(c, n, r)` type-checks.
REGIMES: Tuple[Regime, ...]

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
    """varkelon-teach's run: rows 0 to cycles, switches and neuron counts
    applied before their cycle. TypeError or ValueError on bad input."""

def teach_many(
    runs: Iterable[Mapping[str, Any]],
    workers: Optional[SupportsIndex] = None,
    progress: Optional[Callable[[int, int], object]] = None,
) -> List[Rows]:
    """teach(**run) for every run, on native threads, in the order given."""

def to_dataframe(rows: Rows) -> Any:
    """The rows as a pandas DataFrame, the regime a category."""

class Model:
    """One teaching run, driven step by step; created reset (iteration 0)."""

    def __init__(self, clock: SupportsIndex, regime: Regime = "static") -> None: ...
    def step(self) -> None:
        """Runs one teaching cycle."""
    def run(self, cycles: SupportsIndex) -> Rows:
        """Runs `cycles` cycles and returns their rows."""
    def reset(self) -> None:
        """Rebuilds the network and the plant: iteration 0; the regime stays."""
    def __copy__(self) -> Model: ...
    def __deepcopy__(self, memo: Any) -> Model: ...
    def __getstate__(self) -> Tuple[int, int, bytes]: ...
    def __setstate__(self, state: Tuple[int, int, bytes]) -> None: ...
    def __reduce_ex__(self, protocol: SupportsIndex, /) -> Tuple[Any, ...]: ...
    @property
    def clock(self) -> int: ...
    @property
    def iteration(self) -> int: ...
    @property
    def estimation(self) -> float: ...
    @property
    def learning_rate(self) -> float: ...
    @property
    def noise_level(self) -> float: ...
    @property
    def regime(self) -> Regime: ...
    @regime.setter
    def regime(self, value: Regime) -> None: ...
    @property
    def hidden_count(self) -> int: ...
    @hidden_count.setter
    def hidden_count(self, value: SupportsIndex) -> None: ...
    @property
    def weights_in_hidden(self) -> npt.NDArray[np.float32]:
        """[j, h]: 17 x hidden_count."""
    @property
    def weights_hidden_out(self) -> npt.NDArray[np.float32]:
        """[o, h]: 17 x hidden_count."""
    @property
    def weights_hidden_hidden(self) -> npt.NDArray[np.float32]:
        """[h, k]: hidden_count x hidden_count."""
    @property
    def outputs(self) -> npt.NDArray[np.float32]:
        """The network's 17 outputs of the latest cycle."""
    @property
    def targets(self) -> npt.NDArray[np.float32]:
        """The plant's 17 outputs of the latest cycle."""
    @property
    def estimation_history(self) -> npt.NDArray[np.float32]:
        """The last 140 estimations times 10, oldest first."""
    @property
    def gains(self) -> npt.NDArray[np.float32]:
        """The plant's 17 gains."""
