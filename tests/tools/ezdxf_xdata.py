#!/usr/bin/python3
"""Prints the extended data of each modelspace entity as ezdxf reads it, as
JSON: a list (one item per entity) of lists of [application, [[code,
value], ...]], points split into their 1010/1020/1030-style groups, binary
chunks as upper-case hexadecimal, numbers as numbers.
"""
import json
import sys

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed for this Python", file=sys.stderr)
    sys.exit(3)


def groups(tags):
    out = []
    for tag in tags:
        code, value = tag.code, tag.value
        if code == 1001:
            continue
        if isinstance(value, (tuple, list)) or hasattr(value, "x"):
            for i, c in enumerate((value[0], value[1], value[2] if len(value) > 2 else 0.0)):
                out.append([code + 10 * i, float(c)])
        elif isinstance(value, (bytes, bytearray)):
            out.append([code, value.hex().upper()])
        else:
            out.append([code, value])
    return out


doc = ezdxf.readfile(sys.argv[1])
result = []
for e in doc.modelspace():
    apps = []
    if e.xdata is not None:
        for app, tags in e.xdata.data.items():
            apps.append([app, groups(tags)])
    result.append(apps)
print(json.dumps(result))
