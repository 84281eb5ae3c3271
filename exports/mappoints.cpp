#include "mappoints.h"

#include "coordinatevalue.h"
#include "listline.h"

namespace tavorin {

QList<MapPoint> mapPoints(const QStringList &lines, int zone)
{
    QList<MapPoint> points;
    points.reserve(lines.size());
    for (const QString &line : lines) {
        const ListLine::Columns columns = ListLine::takeApart(line);
        const auto x = coordinateValue(columns.x);
        const auto y = coordinateValue(columns.y);
        if (!x || !y)
            continue;
        const auto position = geodesy::toLatLon(zone, { *x, *y });
        if (!position)
            continue;
        QString name = columns.name;
        while (name.endsWith(u' '))
            name.chop(1);
        points.append({ name, columns.x.trimmed(), columns.y.trimmed(), *position });
    }
    return points;
}

} // namespace tavorin
