"""Reads a DXF with ezdxf (recover + audit) and prints, as JSON, what the
draw-command tests compare: per entity its kind and geometry as ezdxf
computes it, and the number of audit errors."""
import json
import math
import sys

from ezdxf import recover


def describe(e):
    kind = e.dxftype()
    d = {"kind": kind}
    if kind == "ARC":
        d.update(center=list(e.dxf.center)[:2], radius=e.dxf.radius,
                 start=e.dxf.start_angle, end=e.dxf.end_angle)
    elif kind == "CIRCLE":
        d.update(center=list(e.dxf.center)[:2], radius=e.dxf.radius)
    elif kind == "ELLIPSE":
        d.update(center=list(e.dxf.center)[:2], major=list(e.dxf.major_axis)[:2],
                 ratio=e.dxf.ratio)
    elif kind == "LWPOLYLINE":
        d.update(points=[[p[0], p[1], p[4]] for p in e.get_points("xyseb")], closed=e.closed)
    elif kind == "SPLINE":
        curve = e.construction_tool()
        pts = list(curve.flattening(1e-6))
        worst = 0.0
        for f in e.fit_points:
            worst = max(worst, min(math.hypot(f[0] - p.x, f[1] - p.y) for p in pts))
        d.update(degree=e.dxf.degree, controls=len(e.control_points),
                 fits=len(e.fit_points), fitDistance=worst)
    elif kind in ("RAY", "XLINE"):
        d.update(base=list(e.dxf.start)[:2], direction=list(e.dxf.unit_vector)[:2])
    elif kind == "TEXT":
        d.update(text=e.dxf.text, height=e.dxf.height, rotation=e.dxf.rotation)
    elif kind == "HATCH":
        d.update(pattern=e.dxf.pattern_name, paths=len(e.paths),
                 lines=len(e.pattern.lines) if e.pattern else 0)
    return d


doc, auditor = recover.readfile(sys.argv[1])
audit = doc.audit()
print(json.dumps({"errors": len(auditor.errors) + len(audit.errors),
                  "entities": [describe(e) for e in doc.modelspace()]}))
