#pragma once

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

// The conversions of the GSI's own calculator: Gauss-Krüger (Krüger's
// series to the sixth order, GeographicLib's TransverseMercator) on GRS80
// with scale 0.9999 on the central meridian, X counted from the origin's
// latitude. Good to a few nanometres within the zones. Nothing for a zone
// outside 1..19 or values that give no finite result.
std::optional<LatLon> toLatLon(int zone, PlanePoint point);
std::optional<PlanePoint> toPlane(int zone, LatLon position);

} // namespace tavorin::geodesy
