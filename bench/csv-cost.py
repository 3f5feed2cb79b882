#!/usr/bin/python3
"""What writing every row costs varkelon-teach: the CPU time (user + system)
of 10^6 cycles with the full CSV against --quiet, the best of nine runs each.
A measurement, not a test.

    bench/csv-cost.py build/bin/varkelon-teach [REGIME...]   (default: all four)
"""
import os
import subprocess
import sys


def best(args):
    times = []
    for _ in range(9):
        process = subprocess.Popen(args, stdout=subprocess.DEVNULL)
        _, _, usage = os.wait4(process.pid, 0)
        times.append(usage.ru_utime + usage.ru_stime)
    return min(times)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = sys.argv[1]
    for regime in sys.argv[2:] or ["static", "sin", "sin+random", "random"]:
        args = [program, "--clock", "1700000000", "--cycles", "1000000", "--regime", regime]
        full, quiet = best(args), best(args + ["--quiet"])
        print(f"{regime:>10}: full {full:.3f} s, --quiet {quiet:.3f} s, {full / quiet:.2f}x")


if __name__ == "__main__":
    main()
