#!/usr/bin/env python3
"""Writes wing-rib.dxf: a NACA 2412 rib outline, 200 units chord, as LINEs
along both surfaces and one ARC round the nose, in random order and
direction. The demo turns it into a DAT file."""
import math
import random

CHORD = 200.0
STATIONS = 40


def naca2412(x):
    m, p, t = 0.02, 0.4, 0.12
    yt = 5 * t * (0.2969 * math.sqrt(x) - 0.1260 * x - 0.3516 * x**2 + 0.2843 * x**3 - 0.1036 * x**4)
    if x < p:
        yc, dyc = m / p**2 * (2 * p * x - x**2), 2 * m / p**2 * (p - x)
    else:
        yc, dyc = m / (1 - p)**2 * (1 - 2 * p + 2 * p * x - x**2), 2 * m / (1 - p)**2 * (p - x)
    th = math.atan(dyc)
    return (x - yt * math.sin(th), yc + yt * math.cos(th)), (x + yt * math.sin(th), yc - yt * math.cos(th))


def circle_through(a, b, c):
    ax, ay = a; bx, by = b; cx, cy = c
    d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by))
    ux = ((ax**2 + ay**2) * (by - cy) + (bx**2 + by**2) * (cy - ay) + (cx**2 + cy**2) * (ay - by)) / d
    uy = ((ax**2 + ay**2) * (cx - bx) + (bx**2 + by**2) * (ax - cx) + (cx**2 + cy**2) * (bx - ax)) / d
    return (ux, uy), math.hypot(ax - ux, ay - uy)


def main():
    xs = [0.04 + (1 - 0.04) * (1 - math.cos(math.pi * i / STATIONS)) / 2 for i in range(STATIONS + 1)]
    upper = [tuple(v * CHORD for v in naca2412(x)[0]) for x in xs]
    lower = [tuple(v * CHORD for v in naca2412(x)[1]) for x in xs]
    lower[-1] = upper[-1]  # a closed trailing edge
    entities = []
    for pts in (upper, lower):
        for a, b in zip(pts, pts[1:]):
            entities.append(("LINE", a, b))
    nose = (naca2412(0.0)[0][0] * CHORD, naca2412(0.0)[0][1] * CHORD)
    centre, radius = circle_through(upper[0], nose, lower[0])
    start = math.degrees(math.atan2(upper[0][1] - centre[1], upper[0][0] - centre[0]))
    end = math.degrees(math.atan2(lower[0][1] - centre[1], lower[0][0] - centre[0]))
    entities.append(("ARC", centre, radius, start % 360, end % 360))

    rng = random.Random(2412)
    rng.shuffle(entities)
    out = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009", "0", "ENDSEC",
           "0", "SECTION", "2", "ENTITIES"]
    for e in entities:
        if e[0] == "LINE":
            a, b = (e[1], e[2]) if rng.random() < 0.5 else (e[2], e[1])
            out += ["0", "LINE", "8", "RIB", "10", f"{a[0]:.10f}", "20", f"{a[1]:.10f}", "30", "0",
                    "11", f"{b[0]:.10f}", "21", f"{b[1]:.10f}", "31", "0"]
        else:
            _, c, r, s, t = e
            out += ["0", "ARC", "8", "RIB", "10", f"{c[0]:.10f}", "20", f"{c[1]:.10f}", "30", "0",
                    "40", f"{r:.10f}", "50", f"{s:.10f}", "51", f"{t:.10f}"]
    out += ["0", "ENDSEC", "0", "EOF"]
    with open("wing-rib.dxf", "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
