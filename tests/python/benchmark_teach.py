#!/usr/bin/python3
"""The Python module's numbers, measured (not a test: no time is asserted).

    PYTHONPATH=build/python /usr/bin/python3 tests/python/benchmark_teach.py build/bin/varkelon-teach

Prints the best of a few rounds: teach_many's speed-up with 2 workers over 1
(8 runs of 250,000 cycles), the bytes per row of teach()'s result, and
teach() against varkelon-teach --quiet for 10^6 cycles. The speed-up needs
two idle cores: the rounds print the process's CPU time beside the wall time,
which shows when other work took the second core.
"""

import resource
import subprocess
import sys
import time

import varkelon


def timed(call, rounds):
    best = None
    for _ in range(rounds):
        start = resource.getrusage(resource.RUSAGE_SELF)
        started = time.perf_counter()
        call()
        wall = time.perf_counter() - started
        end = resource.getrusage(resource.RUSAGE_SELF)
        cpu = end.ru_utime - start.ru_utime + end.ru_stime - start.ru_stime
        if best is None or wall < best[0]:
            best = (wall, cpu)
    return best


def main():
    teach_program = sys.argv[1] if len(sys.argv) > 1 else "build/bin/varkelon-teach"
    runs = [dict(clock=1700000000 + n, cycles=250000, regime="sin") for n in range(8)]
    one = timed(lambda: varkelon.teach_many(runs, workers=1), 3)
    two = timed(lambda: varkelon.teach_many(runs, workers=2), 3)
    print(f"teach_many, 8 x 250000 cycles: 1 worker {one[0]:.3f} s (cpu {one[1]:.3f} s), "
          f"2 workers {two[0]:.3f} s (cpu {two[1]:.3f} s): {one[0] / two[0]:.2f}x")

    rows = varkelon.teach(1700000000, 10**6, "sin")
    print(f"teach(10**6) result: {sum(c.nbytes for c in rows.values()) / len(rows['iteration']):.0f} "
          "bytes per row")
    module = timed(lambda: varkelon.teach(1700000000, 10**6, "sin"), 5)[0]
    command = [teach_program, "--clock", "1700000000", "--cycles", "1000000", "--regime", "sin",
               "--quiet"]
    program = timed(lambda: subprocess.run(command, check=True, stdout=subprocess.DEVNULL), 5)[0]
    print(f"10^6 cycles: teach() {module:.3f} s, varkelon-teach --quiet {program:.3f} s: "
          f"{module / program:.2f}x")


if __name__ == "__main__":
    main()
