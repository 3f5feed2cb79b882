"""The compiled part of the Python package for pip: CMake builds it, with the
window, the tests and the benchmarks left out. The rest is in pyproject.toml."""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

TOP = Path(__file__).resolve().parent


def project_version():
    """The version CMakeLists.txt gives the project, the one every program shows."""
    text = (TOP / "CMakeLists.txt").read_text()
    return re.search(r"project\(Varkelon VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        tree = Path(self.build_temp).resolve() / "cmake"
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "-S", str(TOP), "-B", str(tree), "-DCMAKE_BUILD_TYPE=Release",
                        "-DVARKELON_WINDOW=OFF", "-DVARKELON_TESTS=OFF", "-DVARKELON_BENCH=OFF",
                        f"-DPython3_EXECUTABLE={sys.executable}"], check=True)
        subprocess.run(["cmake", "--build", str(tree), "--target", "varkelon_python",
                        "--parallel", jobs], check=True)
        built = next((tree / "python" / "varkelon").glob("_varkelon*.so"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


# Beside CMake's own build trees, which .gitignore leaves out.
BUILD = TOP / "build-pip"
BUILD.mkdir(exist_ok=True)

setup(
    version=project_version(),
    ext_modules=[Extension("varkelon._varkelon", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": str(BUILD)}, "egg_info": {"egg_base": str(BUILD)}},
)
