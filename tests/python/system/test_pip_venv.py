"""pip install of a checkout into a fresh virtual environment, offline: the
package imports, has its metadata, gives the build's rows, and its stub is
found by mypy without MYPYPATH."""

import os
import shutil
import subprocess
import sys

import numpy as np
import pytest

import varkelon

SOURCE = os.environ["VARKELON_SOURCE_DIR"]


@pytest.fixture(scope="module")
def venv(tmp_path_factory):
    folder = tmp_path_factory.mktemp("venv")
    # A copy of the checkout, so that the build leaves the worktree alone.
    checkout = folder / "checkout"
    shutil.copytree(SOURCE, checkout, ignore=shutil.ignore_patterns("build*", ".git"))
    subprocess.run([sys.executable, "-m", "venv", "--system-site-packages", str(folder / "env")],
                   check=True)
    python = str(folder / "env" / "bin" / "python")
    environment = dict(os.environ, PIP_NO_INDEX="1", CMAKE_BUILD_PARALLEL_LEVEL="2")
    environment.pop("PYTHONPATH", None)
    subprocess.run([python, "-m", "pip", "install", "--no-build-isolation", "--no-deps",
                    str(checkout)], check=True, env=environment)
    return python, environment, folder


def in_venv(venv, code):
    python, environment, folder = venv
    return subprocess.run([python, "-c", code], check=True, capture_output=True, text=True,
                          env=environment, cwd=folder).stdout


def test_the_installed_package_and_its_metadata(venv):
    shown = in_venv(venv, "import importlib.metadata as m, varkelon, sys\n"
                          "meta = m.metadata('varkelon')\n"
                          "print(varkelon.__file__.startswith(sys.prefix), m.version('varkelon'),"
                          " meta['License'], m.requires('varkelon'))")
    assert shown.split(" ", 3) == ["True", varkelon.__version__, "MIT", "['numpy']\n"]


def test_the_installed_package_gives_the_same_rows(venv, tmp_path):
    saved = tmp_path / "rows.npz"
    in_venv(venv, "import numpy, varkelon\n"
                  f"numpy.savez({str(saved)!r}, **varkelon.teach(5, 3000, 'sin+random', "
                  "switches={1000: 'random'}, neurons={2000: 4}))")
    there = np.load(saved)
    here = varkelon.teach(5, 3000, "sin+random", switches={1000: "random"}, neurons={2000: 4})
    for name in here:
        assert np.array_equal(there[name], here[name]), name


@pytest.mark.parametrize("code,errors", [
    ("import varkelon\nrows = varkelon.teach(1, 10, 'sin')\nx: float = rows['estimation'][0]\n", 0),
    ("import varkelon\nvarkelon.teach(1, 10, 'square')\n", 1),
    ("import varkelon\nm = varkelon.Model(1)\nm.hidden_count = 'many'\nm.run('x')\n", 2),
])
def test_mypy_finds_the_installed_stub(venv, tmp_path, code, errors):
    python, environment, _ = venv
    program = tmp_path / "program.py"
    program.write_text(code)
    environment = dict(environment)
    environment.pop("MYPYPATH", None)
    checked = subprocess.run([python, "-m", "mypy", "--no-incremental", str(program)],
                             capture_output=True, text=True, env=environment, cwd=tmp_path)
    assert checked.stdout.count(": error:") == errors, checked.stdout
