#!/usr/bin/python3
"""The areas of the parcels (筆) of a 地図XML file, by Shapely (Debian's python3-shapely).

    shapelymapareas.py FILE LOT...

Reads the file with Python's own XML parser, independently of Tavorin's
reader: the GM_Point positions by id, each GM_Curve's control points (a
point referred to or a position written in place) taken backwards where its
orientation is "-", each GM_Surface's exterior ring as its curves one after
another (the point two curves share taken once), and each 筆's 地番 and
形状. Prints one line per LOT asked for: the 地番 and its area in square
metres as Python's repr gives it (X north, Y east, as the file writes them).
"""
import sys
import xml.etree.ElementTree as ET

from shapely.geometry import Polygon

T = "{http://www.moj.go.jp/MINJI/tizuxml}"
Z = "{http://www.moj.go.jp/MINJI/tizuzumen}"


def xy(element):
    return (float(element.find(Z + "X").text), float(element.find(Z + "Y").text))


root = ET.parse(sys.argv[1]).getroot()
points = {p.get("id"): xy(p.find(f"{Z}GM_Point.position/{Z}DirectPosition"))
          for p in root.iter(Z + "GM_Point")}
curves = {}
for curve in root.iter(Z + "GM_Curve"):
    ring = []
    for column in curve.iter(Z + "GM_PointArray.column"):
        direct = column.find(Z + "GM_Position.direct")
        if direct is not None:
            ring.append(xy(direct))
        else:
            ref = column.find(f"{Z}GM_Position.indirect/{Z}GM_PointRef.point")
            ring.append(points[ref.get("idref")])
    if curve.find(Z + "GM_OrientablePrimitive.orientation").text.strip() == "-":
        ring.reverse()
    curves[curve.get("id")] = ring
surfaces = {}
for surface in root.iter(Z + "GM_Surface"):
    exterior = surface.find(f".//{Z}GM_SurfaceBoundary.exterior")
    ring = []
    for generator in exterior.iter(Z + "GM_CompositeCurve.generator"):
        for point in curves[generator.get("idref")]:
            if not ring or ring[-1] != point:
                ring.append(point)
    surfaces[surface.get("id")] = ring
lots = {lot.find(T + "地番").text: lot.find(T + "形状").get("idref") for lot in root.iter(T + "筆")}
for number in sys.argv[2:]:
    print(f"{number}\t{Polygon(surfaces[lots[number]]).area!r}")
