"""Varkelon's teaching model: a small recurrent network learning, cycle by
cycle, to predict a 17-channel plant."""

from typing import Literal, Mapping, Optional, TypedDict

import numpy as np
import numpy.typing as npt

__version__: str

Regime = Literal["static", "sin", "sin+random", "random", "none"]

class Rows(TypedDict):
    """One entry per CSV column of varkelon-teach, one element per row."""

    iteration: npt.NDArray[np.int32]
    regime: npt.NDArray[np.str_]
    hidden_count: npt.NDArray[np.int32]
    estimation: npt.NDArray[np.float32]
    learning_rate: npt.NDArray[np.float32]
    noise_level: npt.NDArray[np.float32]

def teach(
    clock: int,
    cycles: int,
    regime: Regime = "static",
    switches: Optional[Mapping[int, Regime]] = None,
    neurons: Optional[Mapping[int, int]] = None,
) -> Rows:
    """varkelon-teach's run: rows 0 to cycles, switches and neuron counts
    applied before their cycle. Raises ValueError on bad input."""

class Model:
    """One teaching run, driven step by step; created reset (iteration 0)."""

    def __init__(self, clock: int, regime: Regime = "static") -> None: ...
    def step(self) -> None:
        """Runs one teaching cycle."""
    def run(self, cycles: int) -> Rows:
        """Runs `cycles` cycles and returns their rows."""
    def reset(self) -> None:
        """Rebuilds the network and the plant: iteration 0; the regime stays."""
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
    def hidden_count(self, value: int) -> None: ...
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
