#pragma once

#include "filepoint.h"
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

} // namespace tavorin
