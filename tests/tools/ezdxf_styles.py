"""Prints as JSON what ezdxf reads of a DXF file's line types, text styles,
current line type and current text style, and multi-line style STANDARD with
its scale, after recover + audit (whose error count is included)."""
import json
import sys

from ezdxf import recover

doc, auditor = recover.readfile(sys.argv[1])
out = {
    "auditErrors": len(auditor.errors),
    "lineTypes": {
        t.dxf.name: [round(tag.value, 6) for tag in t.pattern_tags.tags if tag.code == 49]
        for t in doc.linetypes
    },
    "textStyles": {
        s.dxf.name: [s.dxf.font, s.dxf.height, s.dxf.width, round(s.dxf.oblique, 6)]
        for s in doc.styles
    },
    "currentLineType": doc.header.get("$CELTYPE"),
    "currentTextStyle": doc.header.get("$TEXTSTYLE"),
    "multiLine": [
        [[e.offset, e.color] for e in doc.mline_styles.get("Standard").elements],
        doc.header.get("$CMLSCALE"),
    ],
}
print(json.dumps(out))
