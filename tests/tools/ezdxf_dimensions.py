"""Prints what ezdxf reads of a file's dimensions, as JSON: the audit's
error count and, per DIMENSION, its kind, stored measurement, the value
ezdxf measures from its points (null where it cannot) and whether its
picture block is there."""
import json
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
out = []
for dim in doc.modelspace().query("DIMENSION"):
    try:
        measured = dim.get_measurement()
        measured = abs(measured) if isinstance(measured, float) else None
    except Exception:  # kinds ezdxf does not measure
        measured = None
    out.append({
        "kind": dim.dimtype,
        "stored": dim.dxf.get("actual_measurement"),
        "measured": measured,
        "block": dim.get_geometry_block() is not None,
    })
print(json.dumps({"errors": len(auditor.errors), "dimensions": out}))
