"""Prints as JSON what ezdxf reads of a DXF file's paper-space layouts, in tab
order, with their paper width, height and plot rotation, and the active one,
after recover + audit (whose error count is included)."""
import json
import sys

from ezdxf import recover

doc, auditor = recover.readfile(sys.argv[1])
layouts = [doc.layouts.get(name) for name in doc.layouts.names_in_taborder() if name != "Model"]
out = {
    "auditErrors": len(auditor.errors),
    "pages": [
        [p.name, round(p.dxf.paper_width, 3), round(p.dxf.paper_height, 3), p.dxf.plot_rotation]
        for p in layouts
    ],
    "current": doc.layouts.active_layout().name,
}
print(json.dumps(out))
