#!/usr/bin/python3
"""Learning curves of Varkelon's four teaching regimes: the estimation over a
few thousand cycles from the same start, on a logarithmic scale.

    PYTHONPATH=build/python /usr/bin/python3 examples/learning_curves.py [-o OUTPUT.png]

Writes learning-curves.png in the current folder unless -o names another
file (needs python3-matplotlib). The plotting backend is matplotlib's own
choice (MPLBACKEND picks another).
"""

import argparse

import matplotlib.pyplot as plt
import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

import varkelon

CLOCK = 1700000000
CYCLES = 4000
REGIMES = [("static", "Static"), ("sin", "Sin"), ("sin+random", "Sin + Random"),
           ("random", "Random")]


def moving_mean(values, width):
    """Mean over the last `width` cycles (fewer at the start), to see the trend
    through the noise. Each window is summed on its own: a running sum would
    lose the tiny late values to the rounding of the large early ones."""
    values = values.astype(np.float64)
    start = np.cumsum(values[:width - 1]) / np.arange(1, min(width, len(values) + 1))
    return np.concatenate([start, sliding_window_view(values, width).mean(axis=1)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("-o", "--output", default="learning-curves.png",
                        help="the picture to write (default: %(default)s)")
    output = parser.parse_args().output

    figure, axes = plt.subplots(figsize=(8, 4.5), dpi=100)
    runs = varkelon.teach_many(dict(clock=CLOCK, cycles=CYCLES, regime=regime)
                               for regime, _ in REGIMES)
    for (_, label), rows in zip(REGIMES, runs):
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
    print(f"wrote {output}")


if __name__ == "__main__":
    main()
