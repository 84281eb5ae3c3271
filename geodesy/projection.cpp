#include "projection.h"

#include "planezones.h"

#include <GeographicLib/TransverseMercator.hpp>

#include <array>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

// GeographicLib's arithmetic is SSE code. On many Intel processors, SSE
// code that runs while the upper halves of the AVX registers are still in
// use (as Qt's GUI leaves them once it has started) pays a penalty on every
// instruction: 10001 points took 27 ms instead of 5 in the window's process.
// Marking the upper halves unused first costs next to nothing.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void clearUpperHalvesWithAvx()
{
    _mm256_zeroupper();
}

void clearUpperHalves()
{
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        clearUpperHalvesWithAvx();
}
#else
void clearUpperHalves()
{
}
#endif

} // namespace

std::optional<LatLon> toLatLon(int zoneNumber, PlanePoint point)
{
    const Zone *z = zone(zoneNumber);
    if (!z || !std::isfinite(point.x) || !std::isfinite(point.y) || !withinReach(point))
        return std::nullopt;
    clearUpperHalves();
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
    clearUpperHalves();
    double easting = 0, northing = 0;
    projection().Forward(
        z->centralMeridian(), position.latitude, position.longitude, easting, northing);
    const PlanePoint point { northing - originNorthings()[std::size_t(zoneNumber - 1)], easting };
    if (!std::isfinite(point.x) || !std::isfinite(point.y))
        return std::nullopt;
    return point;
}

} // namespace tavorin::geodesy
