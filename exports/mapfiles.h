#pragma once

#include "failure.h"
#include "mappoints.h"

#include <QByteArray>

namespace tavorin {

// A GeoJSON file (RFC 7946, UTF-8): a FeatureCollection with a Point for
// each point, at [longitude, latitude] to 9 places (about 0.1 mm). Its
// properties: name, 点番号 (where the point has a number), X and Y as texts,
// 標高 (where it has an elevation) as a text, 系 (the zone's number), and
// "_markerType": "DivIcon" with the name, HTML-escaped, in "_html", which
// makes the GSI's map (地理院地図) show each name as a label. Then a Polygon
// for each parcel, its ring as placed (counterclockwise, closed), its
// properties 番号 and name as texts and 地積 as a number: the 地積's text
// written as it is, "362.50", a JSON number that reads as 362.5, so that no
// digit of the registered value is rounded on the way; null where the text
// is no decimal number.
//
// A source (registry::sourceLine) is the collection's own property:
// "properties": {"出典": source} before its features.
QByteArray geoJsonBytes(const QList<MapPoint> &points, int zone,
    const QList<MapParcel> &parcels = {}, const QString &source = {});

// A KML 2.2 file (UTF-8): a Placemark for each point with its name, a
// description with its number and elevation where it has them, its number,
// X, Y, elevation and 系 as data, and
// <coordinates>longitude,latitude,0</coordinates>; then a Placemark for
// each parcel with its name, its 番号 and 地積 (as text) as data, and a
// Polygon whose outerBoundaryIs holds its ring as placed.
// A source is the document's data, before its placemarks:
// <ExtendedData><Data name="出典"><value>source</value></Data></ExtendedData>.
QByteArray kmlBytes(const QList<MapPoint> &points, int zone, const QList<MapParcel> &parcels = {},
    const QString &source = {});

// Saves bytes at path as safely as a SIMA file is saved, with the same
// failure numbers (76, 70, 75, 61, 57); the file that was there stays as it
// was on a failure.
Result<void> saveBytes(const QString &path, const QByteArray &bytes);

} // namespace tavorin
