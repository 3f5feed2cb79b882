#!/usr/bin/env python3
"""Checks a picture of the estimation plot (the 374 x 246 paint box, as PPM).

    check-plot.py IMAGE.ppm plot       the frame, and a trace inside it
    check-plot.py IMAGE.ppm gap R      as plot, and in the Running mode with
                                       the newest entry at ring position R,
                                       the ten positions after R left blank

The frame is the rectangle from (10, 30) to (364, 216), its top right corner
left out (every line leaves out its end pixel). Ring position p is
drawn in column x(p) = truncate(10 + p x step), step = 354 / 139 in single
precision; its segment runs from x(p - 1) to x(p), so the columns strictly
between those two belong to position p alone.
"""
import struct
import sys

WIDTH, HEIGHT = 374, 246
LEFT, TOP, RIGHT, BOTTOM = 10, 30, 364, 216
RING = 140


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = data.split(maxsplit=4)
    if fields[0] != b"P6" or int(fields[3]) != 255:
        sys.exit("%s: not an 8-bit PPM" % path)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    return width, height, lambda x, y: pixels[3 * (y * width + x):3 * (y * width + x) + 3]


def column(p):
    step = struct.unpack("f", struct.pack("f", (WIDTH - 20) / (RING - 1)))[0]
    return int(LEFT + p * step)


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in ("plot", "gap"):
        sys.exit("usage: check-plot.py IMAGE.ppm plot|gap [R]")
    width, height, pixel = read_ppm(sys.argv[1])
    if (width, height) != (WIDTH, HEIGHT):
        sys.exit("FAIL: the picture is %d x %d" % (width, height))
    black = b"\0\0\0"
    wrong = []

    frame = [(x, TOP) for x in range(LEFT, RIGHT)] + [(x, BOTTOM) for x in range(LEFT, RIGHT)]
    frame += [(x, y) for x in (LEFT, RIGHT) for y in range(TOP + 1, BOTTOM + 1)]
    missing = [point for point in frame if pixel(*point) != black]
    if missing:
        wrong.append("%d frame pixels are not black, the first at %s" % (len(missing), missing[0]))

    blank = set()
    if sys.argv[2] == "gap":
        newest = int(sys.argv[3])
        for p in range(newest + 1, newest + 11):
            p %= RING
            if p != 0:  # position 0 is the vertical stroke on the left frame line
                blank.update(range(column(p - 1) + 1, column(p)))
    trace = 0
    for x in range(LEFT + 1, RIGHT):
        for y in range(TOP + 1, BOTTOM):
            if pixel(x, y) == black:
                if x in blank:
                    wrong.append("the gap after position %s is drawn at %d, %d"
                                 % (sys.argv[3], x, y))
                    break
                trace += 1
    if trace == 0:
        wrong.append("no trace inside the frame")

    for line in wrong[:5]:
        print("FAIL:", line, file=sys.stderr)
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
