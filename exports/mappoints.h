#pragma once

#include "projection.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tavorin {

// A point of the SIMA file list as a map shows it: its name without the
// blanks that pad it, X and Y as its list line holds them, and where it lies.
struct MapPoint
{
    QString name;
    QString x;
    QString y;
    geodesy::LatLon position;
};

// The points of list lines placed in zone (1..19), in list order. A line
// whose X or Y is not a number has no place and is left out, as the plan
// leaves it out.
QList<MapPoint> mapPoints(const QStringList &lines, int zone);

} // namespace tavorin
