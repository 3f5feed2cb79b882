#!/usr/bin/python3
"""Learning curves of Varkelon's four teaching regimes: the estimation over a
few thousand cycles from the same start, on a logarithmic scale.

    PYTHONPATH=build/python /usr/bin/python3 examples/learning_curves.py [OUTPUT.png]

Writes docs/learning-curves.png by default (needs python3-matplotlib).
"""

import os
import sys

import matplotlib

matplotlib.use("Agg")  # no window: straight into the file
import matplotlib.pyplot as plt
import numpy as np

import varkelon

CLOCK = 1700000000
CYCLES = 4000
REGIMES = [("static", "Static"), ("sin", "Sin"), ("sin+random", "Sin + Random"),
           ("random", "Random")]


def moving_mean(values, width):
    """Mean over the last `width` cycles, to see the trend through the noise."""
    sums = np.cumsum(np.insert(values.astype(np.float64), 0, 0.0))
    means = (sums[width:] - sums[:-width]) / width
    return np.concatenate([sums[1:width] / np.arange(1, width), means])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "docs",
                                                                 "learning-curves.png")
    figure, axes = plt.subplots(figsize=(8, 4.5), dpi=100)
    for regime, label in REGIMES:
        rows = varkelon.teach(CLOCK, CYCLES, regime)
        line, = axes.plot(rows["iteration"], rows["estimation"], linewidth=0.5, alpha=0.3)
        axes.plot(rows["iteration"], moving_mean(rows["estimation"], 50), color=line.get_color(),
                  linewidth=1.5, label=label)
    axes.set_yscale("log")
    axes.set_xlabel("cycle")
    axes.set_ylabel("estimation")
    axes.set_title(f"Varkelon {varkelon.__version__}: estimation by regime "
                   f"(clock {CLOCK}, faint: each cycle, bold: mean of 50)")
    axes.title.set_fontsize(10)
    axes.grid(True, which="major", alpha=0.3)
    axes.legend()
    figure.tight_layout()
    figure.savefig(output)
    print(f"wrote {os.path.normpath(output)}")


if __name__ == "__main__":
    main()
