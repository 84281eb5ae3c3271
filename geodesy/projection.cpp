#include "projection.h"

#include "planezones.h"

#include <GeographicLib/TransverseMercator.hpp>

#include <array>
#include <cmath>

namespace tavorin::geodesy {

namespace {

// GRS80, the ellipsoid of JGD2000 and JGD2011.
constexpr double SemiMajorAxis = 6378137.0;
constexpr double InverseFlattening = 298.257222101;
constexpr double ScaleOnCentralMeridian = 0.9999;

const GeographicLib::TransverseMercator &projection()
{
    static const GeographicLib::TransverseMercator tm(
        SemiMajorAxis, 1 / InverseFlattening, ScaleOnCentralMeridian);
    return tm;
}

// The projection counts northings from the equator; a zone's X counts from
// its origin's latitude, whose northing is worked out once per zone.
const std::array<double, ZoneCount> &originNorthings()
{
    static const std::array<double, ZoneCount> northings = [] {
        std::array<double, ZoneCount> n {};
        for (const Zone &z : zones()) {
            double easting = 0;
            projection().Forward(z.centralMeridian(), z.originLatitude, z.centralMeridian(),
                easting, n[std::size_t(z.number - 1)]);
        }
        return n;
    }();
    return northings;
}

} // namespace

std::optional<LatLon> toLatLon(int zoneNumber, PlanePoint point)
{
    const Zone *z = zone(zoneNumber);
    if (!z || !std::isfinite(point.x) || !std::isfinite(point.y))
        return std::nullopt;
    LatLon position;
    projection().Reverse(z->centralMeridian(), point.y,
        point.x + originNorthings()[std::size_t(zoneNumber - 1)], position.latitude,
        position.longitude);
    if (!std::isfinite(position.latitude) || !std::isfinite(position.longitude))
        return std::nullopt;
    return position;
}

std::optional<PlanePoint> toPlane(int zoneNumber, LatLon position)
{
    const Zone *z = zone(zoneNumber);
    if (!z || !std::isfinite(position.latitude) || !std::isfinite(position.longitude))
        return std::nullopt;
    double easting = 0, northing = 0;
    projection().Forward(
        z->centralMeridian(), position.latitude, position.longitude, easting, northing);
    const PlanePoint point { northing - originNorthings()[std::size_t(zoneNumber - 1)], easting };
    if (!std::isfinite(point.x) || !std::isfinite(point.y))
        return std::nullopt;
    return point;
}

} // namespace tavorin::geodesy
