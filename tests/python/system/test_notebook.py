"""The lesson notebook, executed from a fresh kernel as a teacher would."""

import os
import shutil
import subprocess
import sys

import pytest

NOTEBOOK = os.path.join(os.environ["VARKELON_SOURCE_DIR"], "examples", "lesson.ipynb")


def test_the_lesson_runs_through_and_draws_its_picture(tmp_path):
    nbformat = pytest.importorskip("nbformat")
    pytest.importorskip("nbconvert")
    shutil.copy(NOTEBOOK, tmp_path)
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "WAYLAND_DISPLAY", "MPLBACKEND")}
    subprocess.run([sys.executable, "-m", "nbconvert", "--to", "notebook", "--execute",
                    "--ExecutePreprocessor.timeout=600", "--output", "executed.ipynb",
                    "lesson.ipynb"], check=True, cwd=tmp_path, env=environment)
    executed = nbformat.read(str(tmp_path / "executed.ipynb"), as_version=4)
    code = [cell for cell in executed.cells if cell.cell_type == "code"]
    assert all(cell.execution_count for cell in code)
    outputs = [output for cell in code for output in cell.outputs]
    assert not [output for output in outputs if output.output_type == "error"]
    text = "".join(output.get("text", "") for output in outputs)
    assert "80 runs; (20, 3001)" in text and "200 of 200 runs" in text
    assert any("image/png" in output.get("data", {}) for output in outputs)
    assert (tmp_path / "lesson.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
