#!/usr/bin/env python3
"""The long ruled lines of two rasters of the same page (binary PGM), found as in e2e_pdf.sh: rows and
columns whose longest dark run passes 20 mm. Each line of the reference must have one in the other
within TOLERANCE millimetres; prints the largest deviation.
  ruled_lines.py REFERENCE.pgm OTHER.pgm TOLERANCE_MM DPI"""
import sys


def read(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos:pos + width * height]


def longest(cells):
    best = run = 0
    for c in cells:
        run = run + 1 if c < 128 else 0
        best = max(best, run)
    return best


def lines(values, minimum):
    found, group = [], []
    for i, n in enumerate(values):
        if n >= minimum:
            group.append(i)
        elif group:
            found.append(sum(group) / len(group))
            group = []
    if group:
        found.append(sum(group) / len(group))
    return found


def ruled(path, mm):
    w, h, px = read(path)
    columns = [longest(px[x::w]) for x in range(w)]
    rows = [longest(px[y * w:(y + 1) * w]) for y in range(h)]
    return lines(columns, 20 * mm), lines(rows, 20 * mm)


def main():
    dpi = float(sys.argv[4]) if len(sys.argv) > 4 else 300
    mm = dpi / 25.4
    tol = float(sys.argv[3])
    ref, other = ruled(sys.argv[1], mm), ruled(sys.argv[2], mm)
    bad = 0
    worst = 0.0
    for name, want, got in (('vertical', ref[0], other[0]), ('horizontal', ref[1], other[1])):
        if len(want) != len(got):
            print(f'{name}: {len(want)} ruled lines in the reference, {len(got)} in the other', file=sys.stderr)
            bad += 1
        for w in want:
            d = min((abs(g - w) for g in got), default=1e9) / mm
            worst = max(worst, d)
            if d > tol:
                print(f'{name} line at {w / mm:.2f} mm: nearest {d:.2f} mm away', file=sys.stderr)
                bad += 1
    print(f'ruled lines: {len(ref[0])} vertical, {len(ref[1])} horizontal, largest deviation {worst:.3f} mm')
    return 1 if bad else 0


sys.exit(main())
