#!/usr/bin/env python3
"""varkelon-teach natively and as WebAssembly in node, run for run.

    native-against-wasm.py NATIVE_PROGRAM WASM_PROGRAM_JS

Each run of the table goes through both programs; standard output, standard
error and the exit status must be the same bytes. The model's one call into
the maths library is sin, and WebAssembly has musl's where the native program
has glibc's: the two differ in the last bit of the double for a few percent
of arguments, which only the rounding to float hides. Every regime, regime
switches, neuron changes and the extreme clocks run here, so that a change in
either library or in the code cannot pass unseen. Prints every disagreement
with its first differing line; exits with 1 when there is one.
"""
import os
import subprocess
import sys

CYCLES = "3000"

# Each run: the arguments after --clock and --cycles.
RUNS = [
    ("0", ["--regime", "static"]),
    ("1", ["--regime", "sin"]),
    ("1700000000", ["--regime", "sin+random"]),
    ("4294967295", ["--regime", "random"]),
    ("1700000000", ["--regime", "none"]),
    ("1", ["--regime", "sin", "--switch", "700:random", "--switch", "1500:sin+random",
           "--switch", "2500:none", "--switch", "2600:static",
           "--neurons", "300:1", "--neurons", "900:10", "--neurons", "2000:4"]),
    ("4294967295", ["--regime", "sin+random", "--neurons", "1:1", "--neurons", "1500:10"]),
    ("0", ["--regime", "random", "--switch", "1000:sin", "--neurons", "1000:3"]),
    # The plain loops on both sides, against each side's fastest build above.
    ("1700000000", ["--regime", "sin", "--kernels", "scalar"]),
]
# Runs whose text is the program's own, not the model's; the last writes to
# a full disk (/dev/full), which both must report with status 1.
MESSAGES = [
    ["--help"],
    ["--clock", "4294967296", "--cycles", "1"],
    ["--clock", "1", "--cycles", "1", "--regime", "sine"],
]
FULL_DISK = ["--clock", "1", "--cycles", "10"]


def first_difference(a, b):
    for number, (x, y) in enumerate(zip(a.splitlines(), b.splitlines()), 1):
        if x != y:
            return "line %d: native %r, wasm %r" % (number, x, y)
    return "lengths %d and %d" % (len(a), len(b))


def main():
    native, wasm = sys.argv[1], sys.argv[2]
    if not os.path.isfile(wasm):
        print("FAIL %s is missing: build the WebAssembly tree first "
              "(cmake --preset wasm && cmake --build --preset wasm)" % wasm)
        return 1
    # Each command with the lines of a full run (None for a message) and
    # where its standard output goes (None: captured).
    commands = [(["--clock", clock, "--cycles", CYCLES] + rest, int(CYCLES) + 2, None)
                for clock, rest in RUNS]
    commands += [(arguments, None, None) for arguments in MESSAGES]
    commands += [(FULL_DISK, None, "/dev/full")]
    failed = 0
    for arguments, lines, output in commands:
        results = []
        for program in ([native], ["node", wasm]):
            with open(output or os.devnull, "wb") as sink:
                results.append(subprocess.run(program + arguments, stderr=subprocess.PIPE,
                                              stdout=sink if output else subprocess.PIPE))
        name = " ".join(arguments) + (" > " + output if output else "")
        for what in ("returncode", "stdout", "stderr"):
            ours, theirs = (getattr(result, what) for result in results)
            if ours != theirs:
                detail = (first_difference(ours.decode(), theirs.decode())
                          if isinstance(ours, bytes) else "%r against %r" % (ours, theirs))
                print("FAIL %s: %s differs, %s" % (name, what, detail))
                failed += 1
        written = (results[0].stdout or b"").count(b"\n")
        if lines is not None and written != lines:
            print("FAIL %s: %d lines, not %d" % (name, written, lines))
            failed += 1
    print("%d runs, %d disagreements" % (len(commands), failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
