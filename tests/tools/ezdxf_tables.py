"""Prints as JSON what ezdxf reads of a DXF file's layers, blocks, current
layer, colour, line weight and dimension style, and model-space references, after
recover + audit (whose error count is included)."""
import json
import sys

from ezdxf import recover

doc, auditor = recover.readfile(sys.argv[1])
out = {
    "auditErrors": len(auditor.errors),
    "layers": {
        l.dxf.name: {
            "color": abs(l.dxf.color),
            "on": l.is_on(),
            "frozen": l.is_frozen(),
            "locked": l.is_locked(),
            "lineWeight": l.dxf.lineweight,
        }
        for l in doc.layers
    },
    "currentLayer": doc.header.get("$CLAYER"),
    "currentColor": doc.header.get("$CECOLOR"),
    "currentLineWeight": doc.header.get("$CELWEIGHT"),
    "dimStyle": {
        k: doc.dimstyles.get(doc.header.get("$DIMSTYLE", "Standard")).dxf.get(k)
        for k in ("dimtxt", "dimasz", "dimexo", "dimexe", "dimgap", "dimdec", "dimcen", "dimtad")
    },
    "blocks": {b.name: len(b) for b in doc.blocks if not b.name.startswith("*")},
    "inserts": [
        [e.dxf.name, e.dxf.insert.x, e.dxf.insert.y, e.dxf.xscale, e.dxf.rotation]
        for e in doc.modelspace().query("INSERT")
    ],
}
print(json.dumps(out))
