#!/usr/bin/python3
"""Prints the modelspace entities of a DXF file as ezdxf reads them, as JSON.

Used as the reference for the DXF reader's geometry: every coordinate is in
world space. ATTRIBs follow their INSERT as TEXT, invisible ones left out;
kinds the drawing model does not hold are left out, and so are the MTEXTs of
leaders, which the model keeps with their leader.
"""
import json
import math
import sys

try:
    import ezdxf
    from ezdxf import recover
    from ezdxf.tools.text import plain_text
except ImportError:
    print("ezdxf is not installed for this Python", file=sys.stderr)
    sys.exit(3)


def v(p):
    return [float(p[0]), float(p[1]), float(p[2]) if len(p) > 2 else 0.0]


def ocs_point(e, p):
    return v(e.ocs().to_wcs(p))


def text_item(e):
    return {"kind": "TEXT", "p": ocs_point(e, e.dxf.insert), "text": plain_text(e.dxf.text)}


def dump(e):
    t = e.dxftype()
    if t == "3DLINE":  # ezdxf keeps the R2.6 3-D line without its points
        return {"kind": "LINE", "unchecked": True}
    if t == "LINE":
        return {"kind": "LINE", "p1": v(e.dxf.start), "p2": v(e.dxf.end)}
    if t == "POINT":
        return {"kind": "POINT", "p": v(e.dxf.location)}
    if t == "CIRCLE":
        return {"kind": "CIRCLE", "center": ocs_point(e, e.dxf.center), "radius": e.dxf.radius}
    if t == "ARC":
        return {"kind": "ARC", "center": ocs_point(e, e.dxf.center), "radius": e.dxf.radius,
                "start": v(e.start_point), "end": v(e.end_point)}
    if t == "ELLIPSE":
        return {"kind": "ELLIPSE", "center": v(e.dxf.center), "major": v(e.dxf.major_axis),
                "ratio": e.dxf.ratio, "ends": sorted([v(e.start_point), v(e.end_point)])}
    if t == "LWPOLYLINE":
        ocs = e.ocs()
        z = e.dxf.elevation
        pts = [v(ocs.to_wcs((x, y, z))) for x, y, *_ in e.get_points("xy")]
        flip = -1.0 if e.dxf.extrusion[2] < 0 else 1.0
        return {"kind": "POLYLINE", "closed": bool(e.closed), "vertices": pts,
                "bulges": [b * flip for *_, b in e.get_points("b")]}
    if t == "POLYLINE":
        if e.is_poly_face_mesh or e.is_polygon_mesh:
            return None
        vs = [x for x in e.vertices if not (x.dxf.flags & 16)]
        if e.is_3d_polyline:
            pts = [v(x.dxf.location) for x in vs]
            bulges = [0.0] * len(vs)
        else:
            ocs = e.ocs()
            z = e.dxf.elevation[2]
            pts = [v(ocs.to_wcs((x.dxf.location[0], x.dxf.location[1], z))) for x in vs]
            flip = -1.0 if e.dxf.extrusion[2] < 0 else 1.0
            bulges = [x.dxf.bulge * flip for x in vs]
        return {"kind": "POLYLINE", "closed": bool(e.is_closed), "vertices": pts, "bulges": bulges}
    if t == "SPLINE":
        return {"kind": "SPLINE", "degree": e.dxf.degree, "knots": [float(k) for k in e.knots],
                "control": [v(p) for p in e.control_points], "fit": [v(p) for p in e.fit_points]}
    if t == "TEXT":
        return text_item(e)
    if t == "MTEXT":
        return {"kind": "MTEXT", "p": v(e.dxf.insert), "text": e.plain_text(split=False)}
    if t == "INSERT":
        m = e.matrix44()
        return {"kind": "INSERT", "p": ocs_point(e, e.dxf.insert), "ux": v(m.ux), "uy": v(m.uy)}
    if t == "HATCH":
        return {"kind": "HATCH", "loops": len(e.paths)}
    if t == "DIMENSION":
        return {"kind": "DIMENSION", "p": v(e.dxf.defpoint)}
    if t in ("SOLID", "TRACE", "3DFACE"):
        # corners in the order the file gives them (ezdxf's wcs_vertices
        # would swap the last two)
        names = ("vtx0", "vtx1", "vtx2", "vtx3")
        pts = [e.dxf.get(n, e.dxf.vtx2) for n in names]
        pts = [v(p) for p in pts] if t == "3DFACE" else [ocs_point(e, p) for p in pts]
        return {"kind": "SOLID", "corners": pts}
    if t in ("RAY", "XLINE"):
        d = e.dxf.unit_vector
        n = math.sqrt(d[0] ** 2 + d[1] ** 2 + d[2] ** 2)
        return {"kind": t, "p": v(e.dxf.start), "direction": [c / n for c in v(d)]}
    if t == "IMAGE":
        return {"kind": "IMAGE", "p": v(e.dxf.insert),
                "file": e.image_def.dxf.filename if e.image_def else "",
                "size": [e.dxf.image_size[0], e.dxf.image_size[1]]}
    if t == "LEADER" and len(e.vertices) >= 2:
        return {"kind": "LEADER", "vertices": [v(p) for p in e.vertices]}
    return None


def annotations(entities):
    """Handles of the texts that leaders point to: the model keeps them with the leader."""
    return {e.dxf.annotation_handle for e in entities
            if e.dxftype() == "LEADER" and len(e.vertices) >= 2 and e.dxf.hasattr("annotation_handle")}


def main():
    path = sys.argv[1]
    try:
        doc = ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        doc, _ = recover.readfile(path)
    out = []
    folded = annotations(doc.modelspace())
    for e in doc.modelspace():
        if e.dxftype() == "MTEXT" and e.dxf.handle in folded:
            continue
        item = dump(e)
        if item is None:
            continue
        out.append(item)
        if e.dxftype() == "INSERT":
            for a in e.attribs:
                if not a.dxf.flags & 1:
                    out.append(text_item(a))
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main()
