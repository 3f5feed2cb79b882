"""The examples a teacher runs: sound numbers, files where asked."""

import importlib.util
import os
import subprocess
import sys

import numpy as np
import pytest

import varkelon

EXAMPLES = os.path.join(os.environ["VARKELON_SOURCE_DIR"], "examples")


def example(name):
    pytest.importorskip("matplotlib")
    found = importlib.util.spec_from_file_location(name, os.path.join(EXAMPLES, f"{name}.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


@pytest.mark.parametrize("regime", ["static", "sin", "sin+random", "random"])
def test_the_trailing_mean_is_each_windows_mean(regime):
    curves = example("learning_curves")
    values = varkelon.teach(curves.CLOCK, curves.CYCLES, regime)["estimation"]
    means = curves.moving_mean(values, 50)
    plain = np.array([values[max(0, n - 49):n + 1].astype(np.float64).mean()
                      for n in range(len(values))])
    assert means.shape == values.shape
    assert np.all(np.abs(means - plain) <= 1e-12 * plain), np.max(np.abs(means - plain) / plain)


@pytest.mark.parametrize("arguments,written", [([], "learning-curves.png"),
                                               (["-o", "curves.png"], "curves.png")])
def test_the_picture_goes_where_asked(tmp_path, arguments, written):
    pytest.importorskip("matplotlib")
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "WAYLAND_DISPLAY", "MPLBACKEND")}
    subprocess.run([sys.executable, os.path.join(EXAMPLES, "learning_curves.py"), *arguments],
                   check=True, cwd=tmp_path, env=environment, capture_output=True)
    assert [path.name for path in tmp_path.iterdir()] == [written]
    assert (tmp_path / written).read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
