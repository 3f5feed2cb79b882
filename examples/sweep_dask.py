#!/usr/bin/python3
"""A sweep on a Dask cluster: the four regimes by every neuron count over
twenty clock seconds, in tasks of many runs each, every task reducing its
rows to what the study needs (each run's final and mean estimation) before
they leave the worker. Checked against the same sweep on this machine's
threads.

    PYTHONPATH=build/python /usr/bin/python3 examples/sweep_dask.py [--scheduler tcp://HOST:8786]

Without --scheduler it starts a cluster of two worker processes on the
loopback (needs python3-distributed). The workers need varkelon importable
too: installed, or the same PYTHONPATH.
"""

import argparse

import numpy as np
from distributed import Client, LocalCluster

import varkelon


def study(cycles, runs_per_task):
    """The sweep's runs, regime by neuron count by clock, and the same runs
    cut into tasks of runs_per_task each."""
    runs = [dict(clock=clock, cycles=cycles, regime=regime, neurons={1: hidden})
            for regime in ("static", "sin", "sin+random", "random")
            for hidden in range(1, 11)
            for clock in range(1700000000, 1700000020)]
    tasks = [runs[start:start + runs_per_task] for start in range(0, len(runs), runs_per_task)]
    return runs, tasks


def summaries(runs, workers=1):
    """Each run's final and mean estimation, [run, (final, mean)]: 16 bytes a
    run where its rows are 21 bytes a cycle. Runs on the worker, one thread
    per worker process."""
    result = np.empty((len(runs), 2))
    for n, rows in enumerate(varkelon.teach_many(runs, workers=workers)):
        estimation = rows["estimation"]
        result[n] = estimation[-1], estimation.astype(np.float64).mean()
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--scheduler", help="an existing cluster's scheduler address")
    parser.add_argument("--cycles", type=int, default=20000)
    parser.add_argument("--runs-per-task", type=int, default=40)
    arguments = parser.parse_args()

    runs, tasks = study(arguments.cycles, arguments.runs_per_task)
    if arguments.scheduler:
        client, cluster = Client(arguments.scheduler), None
    else:
        cluster = LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1",
                               dashboard_address=None)
        client = Client(cluster)
    try:
        on_cluster = np.concatenate(client.gather(client.map(summaries, tasks, pure=False)))
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    here = summaries(runs, workers=None)
    table = on_cluster[:, 1].reshape(4, 10, 20).mean(axis=2)
    print("mean estimation over 20 clocks, by regime (rows) and neuron count 1 to 10:")
    for regime, means in zip(("static", "sin", "sin+random", "random"), table):
        print(f"{regime:>10}: " + " ".join(f"{mean:8.3g}" for mean in means))
    same = np.array_equal(on_cluster, here)
    print("the cluster's summaries equal teach_many's, bit for bit" if same else "MISMATCH")
    return 0 if same else 1


if __name__ == "__main__":
    raise SystemExit(main())
