#include "parcelshapes.h"

#include "coordinatevalue.h"
#include "plangeometry.h"

#include <vector>

namespace tavorin {

std::optional<QList<geodesy::PlanePoint>> parcelRing(
    const Parcel &parcel, const FilePoints &records)
{
    if (!parcel.isGood() || parcel.vertices.size() < 3)
        return std::nullopt;
    QList<geodesy::PlanePoint> ring;
    ring.reserve(parcel.vertices.size());
    for (const ParcelVertex &vertex : parcel.vertices) {
        if (vertex.record < 0 || vertex.record >= records.size())
            return std::nullopt;
        const FilePoint &record = records[vertex.record];
        const auto x = coordinateValue(record.x());
        const auto y = coordinateValue(record.y());
        if (!x || !y)
            return std::nullopt;
        ring.append({ *x, *y });
    }
    return ring;
}

geodesy::PlanePoint ringLabelPoint(const QList<geodesy::PlanePoint> &ring)
{
    std::vector<SurveyPoint> points;
    points.reserve(std::size_t(ring.size()));
    for (const geodesy::PlanePoint &p : ring)
        points.push_back({ p.x, p.y });
    const SurveyPoint label = labelPoint(points);
    return { label.x, label.y };
}

} // namespace tavorin
