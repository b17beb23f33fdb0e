#!/usr/bin/env python3
"""Writes the DXF files the DXF open benchmark reads.

make_lines_dxf.py LINES_FILE N [POLYLINE_FILE M]
  LINES_FILE:    N LINEs that chain into closed outlines, shuffled, each drawn
                 in a random direction (as a DXF of a cut part broken into
                 loose pieces looks).
  POLYLINE_FILE: M segments as LWPOLYLINEs of 10 segments each, some bulged.
"""
import random
import sys

HEADER = (
    "999\nmake_lines_dxf.py\n"
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n"
    "  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
)
FOOTER = "  0\nENDSEC\n  0\nEOF\n"


def outline_points(rng, count):
    x, y = rng.uniform(0, 1000), rng.uniform(0, 1000)
    points = []
    for _ in range(count):
        x += rng.uniform(-5, 5)
        y += rng.uniform(-5, 5)
        points.append((x, y))
    return points


def write_lines(path, n, rng):
    segments = []
    while len(segments) < n:
        pts = outline_points(rng, min(200, n - len(segments)))
        for i, a in enumerate(pts):
            b = pts[(i + 1) % len(pts)]
            segments.append((b, a) if rng.random() < 0.5 else (a, b))
    rng.shuffle(segments)
    with open(path, "w", newline="\n") as f:
        f.write(HEADER)
        handle = 0x100
        for (x1, y1), (x2, y2) in segments[:n]:
            f.write(
                f"  0\nLINE\n  5\n{handle:X}\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                f" 10\n{x1:.10g}\n 20\n{y1:.10g}\n 30\n0.0\n"
                f" 11\n{x2:.10g}\n 21\n{y2:.10g}\n 31\n0.0\n"
            )
            handle += 1
        f.write(FOOTER)


def write_polylines(path, m, rng):
    per = 10
    with open(path, "w", newline="\n") as f:
        f.write(HEADER)
        handle = 0x100
        for _ in range(max(1, m // per)):
            pts = outline_points(rng, per + 1)
            f.write(
                f"  0\nLWPOLYLINE\n  5\n{handle:X}\n100\nAcDbEntity\n  8\n0\n"
                f"100\nAcDbPolyline\n 90\n{len(pts)}\n 70\n0\n"
            )
            for x, y in pts:
                f.write(f" 10\n{x:.10g}\n 20\n{y:.10g}\n")
                if rng.random() < 0.2:
                    f.write(f" 42\n{rng.uniform(-1, 1):.10g}\n")
            handle += 1
        f.write(FOOTER)


def main():
    rng = random.Random(1)
    write_lines(sys.argv[1], int(sys.argv[2]), rng)
    if len(sys.argv) > 4:
        write_polylines(sys.argv[3], int(sys.argv[4]), rng)


if __name__ == "__main__":
    main()
