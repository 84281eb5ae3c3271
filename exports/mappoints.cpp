#include "mappoints.h"

#include "coordinatevalue.h"
#include "parcelshapes.h"

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

namespace {

// The parcel's ring placed in zone, closed and counterclockwise on the map;
// none where a vertex has no place.
std::optional<QList<geodesy::LatLon>> placedRing(
    const Parcel &parcel, const FilePoints &points, int zone)
{
    const auto ring = parcelRing(parcel, points);
    if (!ring)
        return std::nullopt;
    QList<geodesy::LatLon> places;
    places.reserve(ring->size() + 1);
    for (const geodesy::PlanePoint &vertex : *ring) {
        const auto position = geodesy::toLatLon(zone, vertex);
        if (!position)
            return std::nullopt;
        places.append(*position);
    }
    // The shoelace sum over longitude (east) and latitude (north): positive
    // for a counterclockwise ring.
    double twiceArea = 0;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const geodesy::LatLon &a = places[i];
        const geodesy::LatLon &b = places[(i + 1) % places.size()];
        twiceArea += (a.longitude - places[0].longitude) * (b.latitude - places[0].latitude)
            - (b.longitude - places[0].longitude) * (a.latitude - places[0].latitude);
    }
    if (twiceArea < 0)
        std::reverse(places.begin(), places.end());
    places.append(places.constFirst());
    return places;
}

} // namespace

QList<MapParcel> mapParcels(const Parcels &parcels, const QList<parcels::LandClass> &landClasses,
    const FilePoints &points, int zone)
{
    QList<MapParcel> placed;
    for (qsizetype i = 0; i < parcels.size(); ++i) {
        const Parcel &parcel = parcels[i];
        auto ring = placedRing(parcel, points, zone);
        if (!ring)
            continue;
        const auto area = parcels::areaTable(parcel, points, parcels::AreaForm::XTimesDeltaY,
            landClasses.value(i, parcels::LandClass::Residential));
        placed.append({ parcel.number, parcel.name, area ? area->registeredArea : QString(),
            std::move(*ring) });
    }
    return placed;
}

qsizetype parcelsOffMap(const Parcels &parcels, const FilePoints &points, int zone)
{
    return std::count_if(parcels.cbegin(), parcels.cend(),
        [&](const Parcel &parcel) { return parcel.isGood() && !placedRing(parcel, points, zone); });
}

} // namespace tavorin
