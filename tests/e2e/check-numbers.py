#!/usr/bin/env python3
"""Checks a window dump: the texts the widgets show against the model's values.

    check-numbers.py DUMP PAGE...    PAGE: table, estimation or graph

The expected texts are built here from the model's numbers, independently of
the program: readouts are the iteration plus one and the C library's %.6g of
the estimation and the noise level; table cells are %.10g behind three or
four spaces, with an exponent that would be cut off moved left to column 8,
cut after 12 columns. Prints every disagreement; exits with 1 when there is one.
"""
import math
import struct
import sys

READOUTS = {
    "table": ("Edit2", "Edit3", "Edit4"),
    "estimation": ("Edit8", "Edit9", "Edit10"),
    "graph": ("Edit5", "Edit6", "Edit7"),
}


def single(text):
    """The float the dump printed with %.9g, as the exact single-precision value."""
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def general(digits, value):
    """printf's %.<digits>g, with the window's names for what is not a number."""
    if math.isnan(value):
        return "-NAN" if math.copysign(1.0, value) < 0 else "+NAN"
    if math.isinf(value):
        return "-INF" if value < 0 else "+INF"
    return "%.*g" % (digits, value)


def cell(value):
    text = general(10, value)
    text = ("   " if text.startswith("-") else "    ") + text
    e = text.find("e")
    if e >= 9:
        text = text[:8] + text[e:]
    return text[:12]


def main():
    if len(sys.argv) < 3 or any(p not in READOUTS for p in sys.argv[2:]):
        sys.exit("usage: check-numbers.py DUMP table|estimation|graph...")
    dump = {}
    with open(sys.argv[1], encoding="utf-8") as lines:
        for line in lines:
            key, _, value = line.rstrip("\n").partition("\t")
            dump[key] = value

    wrong = []

    def expect(key, text):
        if dump.get(key) != text:
            wrong.append("%s shows %r, expected %r" % (key, dump.get(key), text))

    iteration = str(int(dump["iteration"]) + 1)
    estimation = general(6, single(dump["estimation"]))
    noise = general(6, single(dump["noiseLevel"]))
    for page in sys.argv[2:]:
        for key, text in zip(READOUTS[page], (iteration, estimation, noise)):
            expect(key, text)
        if page != "table":
            continue
        # The titles and channel labels written at creation, then the cells.
        expect("cell 0 0", "")
        for column, title in enumerate(("Object", "Neuronet", "Net Mistakes"), 1):
            expect("cell %d 0" % column, title)
        count = int(dump["outputCount"])
        if count != 17:
            wrong.append("the network has %d outputs, not 17" % count)
        for o in range(count):
            row = o + 1
            expect("cell 0 %d" % row, str(row))
            for column, name in enumerate(("plant", "network", "error"), 1):
                expect("cell %d %d" % (column, row), cell(single(dump["%s %d" % (name, o)])))

    for line in wrong:
        print("FAIL:", line, file=sys.stderr)
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
