#!/usr/bin/python3
"""A sweep on a Dask cluster: the four regimes over a few clock seconds, run
by worker processes, checked against the same sweep on this machine's
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--scheduler", help="an existing cluster's scheduler address")
    parser.add_argument("--cycles", type=int, default=100000)
    arguments = parser.parse_args()

    runs = [dict(clock=clock, cycles=arguments.cycles, regime=regime)
            for clock in range(1700000000, 1700000005)
            for regime in ("static", "sin", "sin+random", "random")]
    if arguments.scheduler:
        client, cluster = Client(arguments.scheduler), None
    else:
        cluster = LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1",
                               dashboard_address=None)
        client = Client(cluster)
    try:
        futures = [client.submit(varkelon.teach, **run, pure=False) for run in runs]
        on_cluster = client.gather(futures)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    here = varkelon.teach_many(runs)
    same = all(np.array_equal(a[name], b[name]) for a, b in zip(on_cluster, here) for name in a)
    for run, rows in zip(runs, on_cluster):
        late = rows["estimation"][-1000:].astype(np.float64).mean()
        print(f"clock {run['clock']} {run['regime']:>10}: last 1000 cycles' mean estimation {late:.3g}")
    print("the cluster's rows equal teach_many's, bit for bit" if same else "MISMATCH")
    return 0 if same else 1


if __name__ == "__main__":
    raise SystemExit(main())
