"""Prints as JSON what ezdxf reads of a DXF file's images after recover +
audit: each IMAGE's file name (through its IMAGEDEF), insertion point, pixel
size and pixel width, and the audit's error count."""
import json
import sys

from ezdxf import recover

doc, auditor = recover.readfile(sys.argv[1])
images = []
for e in doc.modelspace().query("IMAGE"):
    definition = e.image_def
    images.append(
        {
            "file": definition.dxf.filename if definition else None,
            "insert": [e.dxf.insert.x, e.dxf.insert.y],
            "size": [e.dxf.image_size.x, e.dxf.image_size.y],
            "pixel": e.dxf.u_pixel.x,
        }
    )
print(json.dumps({"auditErrors": len(auditor.errors), "images": images}))
