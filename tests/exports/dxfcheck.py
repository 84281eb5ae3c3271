"""Reads a DXF file with ezdxf and prints what the DXF test compares: the
version, the encoding, the 999 comments (where any), the audit's findings, the layers and every entity of
the model space (POINT location; TEXT layer, insert, height, text and the
text's code page 932 bytes in hex). Exits 77 where ezdxf is missing.

Usage: python3 dxfcheck.py FILE.dxf
"""
import sys

try:
    import ezdxf
    import ezdxf.comments
except ImportError:
    print("ezdxf is missing (Debian: python3-ezdxf)")
    sys.exit(77)


def xyz(v):
    return f"{v.x!r} {v.y!r} {v.z!r}"


doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("version", doc.dxfversion, "encoding", doc.encoding)
for comment in ezdxf.comments.from_file(sys.argv[1]):
    print("comment", comment.value)
print("audit errors", len(auditor.errors), "fixes", len(auditor.fixes))
for error in auditor.errors + auditor.fixes:
    print("  ", error.message)
print("layers", " ".join(sorted(layer.dxf.name for layer in doc.layers)))
print("styles", " ".join(sorted(f"{s.dxf.name}:{s.dxf.font}" for s in doc.styles)))
for entity in doc.modelspace():
    kind = entity.dxftype()
    if kind == "POINT":
        print(kind, entity.dxf.layer, xyz(entity.dxf.location))
    elif kind == "TEXT":
        text = entity.dxf.text
        centred = ""
        if entity.dxf.halign or entity.dxf.valign:
            centred = f" centred {entity.dxf.halign} {entity.dxf.valign} {xyz(entity.dxf.align_point)}"
        print(kind, entity.dxf.layer, entity.dxf.style, xyz(entity.dxf.insert),
              repr(entity.dxf.height), text, text.encode("cp932").hex() + centred)
    elif kind == "POLYLINE":
        print(kind, entity.dxf.layer, "closed" if entity.is_closed else "open",
              " | ".join(xyz(v.dxf.location) for v in entity.vertices))
    else:
        print(kind)
