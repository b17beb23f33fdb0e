"""Prints as JSON what ezdxf reads of a DXF file's external references
after recover + audit: each block's name, flags, xref path and entity
count, the INSERTs of model space by block name, and the audit's error
count."""
import json
import sys

from ezdxf import recover

doc, auditor = recover.readfile(sys.argv[1])
blocks = []
for layout in doc.blocks:
    if layout.name.startswith("*"):
        continue
    blocks.append(
        {
            "name": layout.name,
            "flags": layout.block.dxf.flags,
            "path": layout.block.dxf.get("xref_path", ""),
            "entities": len(layout),
        }
    )
inserts = [e.dxf.name for e in doc.modelspace().query("INSERT")]
print(json.dumps({"auditErrors": len(auditor.errors), "blocks": blocks, "inserts": inserts}))
