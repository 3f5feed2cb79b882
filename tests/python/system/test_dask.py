"""A sweep on a Dask cluster of two worker processes on the loopback gives
sequential teach()'s rows."""

import numpy as np
import pytest

import varkelon

distributed = pytest.importorskip("distributed")


def test_a_sweep_on_a_local_dask_cluster():
    runs = [dict(clock=1700000000 + n, cycles=20000, regime=regime)
            for n, regime in enumerate(["static", "sin", "sin+random", "random"])]
    runs.append(dict(clock=3, cycles=5000, regime="sin", switches={2000: "none"},
                     neurons={1000: 2}))
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            futures = [client.submit(varkelon.teach, **run, pure=False) for run in runs]
            results = client.gather(futures)
            hosts = client.run(lambda: __import__("os").getpid())
    assert len(hosts) == 2
    for run, rows in zip(runs, results):
        expected = varkelon.teach(**run)
        for name in expected:
            assert np.array_equal(rows[name], expected[name]), (run, name)


def test_the_dask_example_agrees_with_teach_many(tmp_path):
    import os
    import subprocess
    import sys

    example = os.path.join(os.environ["VARKELON_SOURCE_DIR"], "examples", "sweep_dask.py")
    shown = subprocess.run([sys.executable, example, "--cycles", "2000"], check=True,
                           capture_output=True, text=True, cwd=tmp_path).stdout
    lines = shown.splitlines()
    assert [line.split(":")[0].strip() for line in lines[1:5]] == [
        "static", "sin", "sin+random", "random"]
    assert all(len(line.split()) == 11 for line in lines[1:5]), shown
    assert lines[5:] == ["the cluster's summaries equal teach_many's, bit for bit"]
