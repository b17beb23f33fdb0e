#!/usr/bin/env python3
"""Writes contour-N.dxf: one closed polygon of N unit-length LINEs (a circle
of N sides), the first line first and the rest in random order and
direction, for timing `brondel-cli convert` end to end.

Usage: make_contour_dxf.py FOLDER [N]   (N defaults to 1,000,000)
"""
import math
import os
import random
import sys


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
    path = os.path.join(folder, f"contour-{n}.dxf")
    if os.path.exists(path):
        return
    rng = random.Random(3)
    r = n / (2 * math.pi)
    pts = [(f"{r * math.cos(2 * math.pi * i / n):.10g}", f"{r * math.sin(2 * math.pi * i / n):.10g}")
           for i in range(n)]
    segs = []
    for i in range(n):
        a, b = pts[i], pts[(i + 1) % n]
        segs.append((b, a) if (i > 0 and rng.random() < 0.5) else (a, b))
    first, rest = segs[0], segs[1:]
    rng.shuffle(rest)
    with open(path, "w") as f:
        f.write("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
                "  0\nSECTION\n  2\nENTITIES\n")
        for (x1, y1), (x2, y2) in [first] + rest:
            f.write(f"  0\nLINE\n  8\n0\n 10\n{x1}\n 20\n{y1}\n 30\n0.0\n 11\n{x2}\n 21\n{y2}\n 31\n0.0\n")
        f.write("  0\nENDSEC\n  0\nEOF\n")


if __name__ == "__main__":
    main()
