#!/usr/bin/python3
"""Teaching cycles per second of varkelon-teach's runs: natively (the plain
loops and the fastest vector build), as WebAssembly in node and in headless
Chromium (the plain loops and the WebAssembly SIMD build). The runs alternate
between the six, round after round, so that a busy machine slows all alike;
each figure is the median of its rounds. A measurement, not a test.

    bench/web-speed.py [ROUNDS [CYCLES [REGIME]]]    (default: 5 200000 sin+random)

Run from the source tree after building the ci and wasm presets
(build/bin/varkelon-bench-teach, build-wasm/bin/varkelon-bench-teach.js and
build-wasm/bin/varkelon-bench-teach-page.html). Chromium is Debian's, driven
by chromium-driver through python3-selenium, opening the page from file://.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import urllib.parse

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NATIVE = os.path.join(TOP, "build/bin/varkelon-bench-teach")
NODE = os.path.join(TOP, "build-wasm/bin/varkelon-bench-teach.js")
PAGE = os.path.join(TOP, "build-wasm/bin/varkelon-bench-teach-page.html")
sys.path.insert(0, os.path.join(TOP, "tests", "web"))
from headless_chromium import chromium  # noqa: E402


def in_page(browser, arguments):
    query = "&".join(urllib.parse.quote(argument) for argument in arguments)
    browser.get("file://" + PAGE + "?" + query)
    WebDriverWait(browser, 600).until(lambda b: b.find_elements(By.ID, "done"))
    return browser.find_element(By.ID, "output").text


def measure(line):
    """cycles per second and the last estimation from the program's line."""
    words = line.split()
    return float(words[words.index("cycles/s") - 1]), words[-1]


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    cycles = sys.argv[2] if len(sys.argv) > 2 else "200000"
    regime = sys.argv[3] if len(sys.argv) > 3 else "sin+random"
    run = ["--clock", "1700000000", "--cycles", cycles, "--regime", regime]
    best = subprocess.run([NATIVE] + run, capture_output=True, text=True, check=True).stdout.split()[0]

    with tempfile.TemporaryDirectory() as profile:
        browser = chromium(profile)
        try:
            ways = {
                "native scalar": lambda: subprocess.run(
                    [NATIVE] + run + ["--kernels", "scalar"], capture_output=True, text=True,
                    check=True).stdout,
                "native " + best: lambda: subprocess.run(
                    [NATIVE] + run + ["--kernels", best], capture_output=True, text=True,
                    check=True).stdout,
                "node scalar": lambda: subprocess.run(
                    ["node", NODE] + run + ["--kernels", "scalar"], capture_output=True,
                    text=True, check=True).stdout,
                "node simd128": lambda: subprocess.run(
                    ["node", NODE] + run + ["--kernels", "simd128"], capture_output=True,
                    text=True, check=True).stdout,
                "chromium scalar": lambda: in_page(browser, run + ["--kernels", "scalar"]),
                "chromium simd128": lambda: in_page(browser, run + ["--kernels", "simd128"]),
            }
            rates = {name: [] for name in ways}
            estimations = set()
            for _ in range(rounds):
                for name, way in ways.items():
                    rate, estimation = measure(way())
                    rates[name].append(rate)
                    estimations.add(estimation)
        finally:
            browser.quit()

    print("%s cycles of %s, clock 1700000000, median of %d alternating rounds"
          % (cycles, regime, rounds))
    scalar = statistics.median(rates["native scalar"])
    for name, values in rates.items():
        median = statistics.median(values)
        print("%-17s %9.0f cycles/s  %5.2fx the time of native scalar"
              % (name, median, scalar / median))
    if len(estimations) != 1:
        print("the runs ended on different estimations: %s" % sorted(estimations))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
