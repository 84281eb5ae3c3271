#include "mappoints.h"

#include "coordinatevalue.h"

#include <algorithm>

namespace tavorin {

QList<MapPoint> mapPoints(const FilePoints &points, int zone)
{
    QList<MapPoint> placed;
    placed.reserve(points.size());
    for (const FilePoint &p : points) {
        const auto x = coordinateValue(p.x());
        const auto y = coordinateValue(p.y());
        if (!x || !y)
            continue;
        const auto position = geodesy::toLatLon(zone, { *x, *y });
        if (!position)
            continue;
        placed.append({ p.name(), p.x(), p.y(), *position, p.number(), p.elevation() });
    }
    return placed;
}

qsizetype pointsBeyondReach(const FilePoints &points)
{
    return std::count_if(points.cbegin(), points.cend(), [](const FilePoint &p) {
        const auto x = coordinateValue(p.x());
        const auto y = coordinateValue(p.y());
        return x && y && !geodesy::withinReach({ *x, *y });
    });
}

} // namespace tavorin
