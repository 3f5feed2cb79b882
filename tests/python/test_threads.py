"""One Model shared by threads: every call is served whole, one at a time."""

import random
import threading

import numpy as np

import varkelon


def test_two_threads_running_one_model_take_turns():
    cycles = 200000
    model = varkelon.Model(1700000000, "sin")
    results = []

    def worker():
        results.append(model.run(cycles))

    threads = [threading.Thread(target=worker) for _ in range(2)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()

    assert model.iteration == 2 * cycles
    # Each call's rows are one unbroken stretch; together they are a
    # sequential run's, bit for bit.
    results.sort(key=lambda rows: rows["iteration"][0])
    expected = varkelon.teach(1700000000, 2 * cycles, "sin")
    for name in expected:
        joined = np.concatenate([rows[name] for rows in results])
        assert np.array_equal(joined, expected[name][1:]), name


def test_threads_hammering_one_model_with_every_call():
    model = varkelon.Model(99, "random")
    failures = []

    def hammer(seed):
        chooser = random.Random(seed)
        try:
            for _ in range(300):
                action = chooser.randrange(8)
                if action == 0:
                    rows = model.run(chooser.randrange(1, 3000))
                    steps = np.diff(rows["iteration"])
                    assert np.all(steps == 1), "a run() was interleaved"
                    assert np.all((rows["hidden_count"] >= 1) & (rows["hidden_count"] <= 10))
                elif action == 1:
                    model.step()
                elif action == 2:
                    model.reset()
                elif action == 3:
                    model.hidden_count = chooser.randrange(1, 11)
                elif action == 4:
                    model.regime = chooser.choice(varkelon.REGIMES)
                elif action == 5:
                    weights = model.weights_hidden_hidden
                    assert weights.shape[0] == weights.shape[1]
                elif action == 6:
                    assert model.estimation_history.shape == (140,)
                    assert model.outputs.shape == model.targets.shape == (17,)
                else:
                    assert model.iteration >= 0 and 1 <= model.hidden_count <= 10
        except Exception as error:  # reported by the main thread
            failures.append(error)

    threads = [threading.Thread(target=hammer, args=(seed,)) for seed in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert failures == []
    # Still a working model after all that.
    model.run(100)
    assert np.isfinite(model.estimation)
