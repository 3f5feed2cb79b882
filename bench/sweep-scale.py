#!/usr/bin/python3
"""What a sweep gains from more than one process: the same 800 runs (4
regimes x 10 neuron counts x 20 clocks, 20,000 cycles each), reduced to each
run's final and mean estimation, four ways: teach() one run after another,
teach_many on this process's threads, a process pool and a local Dask
cluster, the last two with two workers each running tasks of many runs. The
four take turns, round after round, so that a change in the machine's load
falls on all of them; the median of each is shown, and its speed against
teach(). A measurement, not a test.

    PYTHONPATH=build/python bench/sweep-scale.py [--rounds 5] [--cycles 20000]
"""

import argparse
import os
import statistics
import sys
import time
from concurrent.futures import ProcessPoolExecutor

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples"))
from sweep_dask import study, summaries  # noqa: E402  (the example's sweep and task)

import varkelon  # noqa: E402


def summary(rows):
    estimation = rows["estimation"]
    return estimation[-1], estimation.astype(np.float64).mean()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--cycles", type=int, default=20000)
    parser.add_argument("--runs-per-task", type=int, default=40)
    arguments = parser.parse_args()
    from distributed import Client, LocalCluster

    size = arguments.runs_per_task
    runs, tasks = study(arguments.cycles, size)

    with ProcessPoolExecutor(max_workers=2) as pool, \
            LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1",
                         dashboard_address=None) as cluster, Client(cluster) as client:
        ways = {
            "teach(), one by one": lambda: np.array([summary(varkelon.teach(**run))
                                                     for run in runs]),
            "teach_many, 2 threads": lambda: summaries(runs, workers=2),
            "process pool, 2": lambda: np.concatenate(list(pool.map(summaries, tasks))),
            "Dask, 2 workers": lambda: np.concatenate(
                client.gather(client.map(summaries, tasks, pure=False))),
        }
        # Every worker warmed up (imports, first allocations) before timing.
        list(pool.map(summaries, [runs[:2]] * 4))
        client.gather(client.map(summaries, [runs[:2]] * 4, pure=False))
        times = {name: [] for name in ways}
        expected = None
        for round_ in range(arguments.rounds):
            names = list(ways)
            names = names[round_ % len(names):] + names[:round_ % len(names)]
            for name in names:
                start = time.perf_counter()
                result = ways[name]()
                times[name].append(time.perf_counter() - start)
                if expected is None:
                    expected = result
                assert np.array_equal(result, expected), name

    base = statistics.median(times["teach(), one by one"])
    print(f"{len(runs)} runs of {arguments.cycles} cycles, tasks of {size} runs, "
          f"median of {arguments.rounds} rounds, {os.cpu_count()} processors, "
          f"load average {os.getloadavg()[0]:.2f}:")
    for name, seconds in times.items():
        middle = statistics.median(seconds)
        print(f"  {name:>22}: {middle:6.2f} s  {base / middle:5.2f}x")


if __name__ == "__main__":
    main()
