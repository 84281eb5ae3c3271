#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "parcelarea.h"
#include "projection.h"

#include <QList>
#include <QString>

namespace tavorin {

// A point as a map shows it: its whole name, X and Y as its file holds
// them, where it lies, and its number and elevation as written (empty where
// the file has none).
struct MapPoint
{
    QString name;
    QString x;
    QString y;
    geodesy::LatLon position;
    QString number;
    QString elevation;
};

// The points placed in zone (1..19), in file order. A point whose X or Y is
// not a number has no place and is left out, as the plan leaves it out.
QList<MapPoint> mapPoints(const FilePoints &points, int zone);

// How many of points have numeric X and Y beyond any zone's reach
// (geodesy::withinReach), which mapPoints leaves out.
qsizetype pointsBeyondReach(const FilePoints &points);

// A parcel as a map shows it: its number and name as the file gives them,
// its 地積 (parcels::registeredAreaText) and its ring of places,
// counterclockwise as a map shows it and closed (the first place repeated
// at the end), as RFC 7946 asks of a polygon's outer ring.
struct MapParcel
{
    QString number;
    QString name;
    QString registeredArea;
    QList<geodesy::LatLon> ring;
};

// The good parcels placed in zone, in file order. A parcel with a vertex
// that has no place (no numeric X and Y, or beyond the zone's reach) is left
// out. landClasses as in ExportJob.
QList<MapParcel> mapParcels(const Parcels &parcels, const QList<parcels::LandClass> &landClasses,
    const FilePoints &points, int zone);

// How many good parcels mapParcels leaves out.
qsizetype parcelsOffMap(const Parcels &parcels, const FilePoints &points, int zone);

} // namespace tavorin
