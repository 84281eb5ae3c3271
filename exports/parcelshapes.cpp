#include "parcelshapes.h"

#include "coordinatevalue.h"

#include <cmath>

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

geodesy::PlanePoint ringCentre(const QList<geodesy::PlanePoint> &ring)
{
    // Sums taken from the first vertex, which keeps the digits of
    // coordinates far from the zone's origin.
    const geodesy::PlanePoint origin = ring.constFirst();
    double twiceArea = 0;
    double cx = 0;
    double cy = 0;
    double mx = 0;
    double my = 0;
    for (qsizetype i = 0; i < ring.size(); ++i) {
        const geodesy::PlanePoint &a = ring[i];
        const geodesy::PlanePoint &b = ring[(i + 1) % ring.size()];
        const double ax = a.x - origin.x;
        const double ay = a.y - origin.y;
        const double bx = b.x - origin.x;
        const double by = b.y - origin.y;
        const double cross = ax * by - bx * ay;
        twiceArea += cross;
        cx += (ax + bx) * cross;
        cy += (ay + by) * cross;
        mx += ax;
        my += ay;
    }
    const double n = double(ring.size());
    if (std::abs(twiceArea) < 1e-9)
        return { origin.x + mx / n, origin.y + my / n };
    return { origin.x + cx / (3 * twiceArea), origin.y + cy / (3 * twiceArea) };
}

} // namespace tavorin
