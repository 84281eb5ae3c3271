#!/usr/bin/python3
"""The areas of the parcels of SIMA files, by Shapely (Debian's python3-shapely).

    shapelyareas.py FILE...

Reads each file on its own terms, independently of Tavorin's readers: the
points between "A00" and "A99" (number, X, Y), then each "D00" block's "B01"
vertices by point number. Prints one line per parcel: the file's name, the
parcel's number and its area in square metres as Python's repr gives it (the
shortest text that reads back as the same double). A parcel with a vertex
that is not among the points prints "-" for its area.
"""
import os
import re
import sys

from shapely.geometry import Polygon


def text_of(data):
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932")


def fields_of(line):
    return [field.strip(" \t") for field in line.split(",")]


def parcels_of(path):
    with open(path, "rb") as f:
        lines = re.split(r"\r\n|\r|\n", text_of(f.read()))
    points = {}
    parcels = []
    section = "header"
    for line in lines:
        fields = fields_of(line)
        tag = fields[0]
        if section == "header":
            if "A00" in fields:
                section = "points"
        elif section == "points":
            if tag == "A99":
                section = "parcels"
            elif tag == "A01":
                points.setdefault(fields[1], (float(fields[3]), float(fields[4])))
        elif tag == "D00":
            parcels.append((fields[1], []))
        elif tag == "B01" and parcels:
            parcels[-1][1].append(points.get(fields[1]))
    return parcels


for path in sys.argv[1:]:
    for number, ring in parcels_of(path):
        area = "-" if None in ring else repr(Polygon(ring).area)
        print(f"{os.path.basename(path)}\t{number}\t{area}")
