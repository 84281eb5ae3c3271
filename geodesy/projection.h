#pragma once

#include <cmath>
#include <optional>

namespace tavorin::geodesy {

// Latitude and longitude in degrees on GRS80 (JGD2011), north and east
// positive.
struct LatLon
{
    double latitude = 0;
    double longitude = 0;
};

// A point of a zone in metres: x north of the zone's origin, y east of it.
struct PlanePoint
{
    double x = 0;
    double y = 0;
};

// How far from its origin a zone reaches, in metres, north or east: the
// zones span a few hundred kilometres, and beyond this the series give
// places that mean nothing (5000 km north lands in the Pacific at 48°N
// 140°W). Points further out have no latitude and longitude.
inline constexpr double ReachMetres = 1'000'000;

inline bool withinReach(PlanePoint point)
{
    return std::abs(point.x) <= ReachMetres && std::abs(point.y) <= ReachMetres;
}

// The conversions of the GSI's own calculator: Gauss-Krüger (Krüger's
// series to the sixth order, GeographicLib's TransverseMercator) on GRS80
// with scale 0.9999 on the central meridian, X counted from the origin's
// latitude. Good to a few nanometres within the zones. Nothing for a zone
// outside 1..19, a point beyond the zone's reach or values that give no
// finite result.
std::optional<LatLon> toLatLon(int zone, PlanePoint point);
std::optional<PlanePoint> toPlane(int zone, LatLon position);

} // namespace tavorin::geodesy
