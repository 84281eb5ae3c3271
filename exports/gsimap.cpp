#include "gsimap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavorin {

namespace {

constexpr int MaxZoom = 18;
constexpr int MinZoom = 2;
// The part of a browser window the points should fill, in pixels.
constexpr double ViewWidth = 1000;
constexpr double ViewHeight = 600;

// Web Mercator's y of a latitude, in tiles' widths at zoom 0 (0 to 1).
double mercatorY(double latitude)
{
    const double phi = latitude * std::numbers::pi / 180;
    return (1 - std::log(std::tan(phi) + 1 / std::cos(phi)) / std::numbers::pi) / 2;
}

// The latitude of Web Mercator's y.
double mercatorLatitude(double y)
{
    return std::atan(std::sinh(std::numbers::pi * (1 - 2 * y))) * 180 / std::numbers::pi;
}

} // namespace

QUrl gsiMapUrl(const QList<MapPoint> &points)
{
    double south = 90, north = -90, west = 180, east = -180;
    for (const MapPoint &p : points) {
        south = std::min(south, p.position.latitude);
        north = std::max(north, p.position.latitude);
        west = std::min(west, p.position.longitude);
        east = std::max(east, p.position.longitude);
    }
    // Width and height of the points at zoom 0, in pixels of its 256-pixel
    // world; each zoom level doubles them.
    const double width = (east - west) / 360 * 256;
    const double height = std::abs(mercatorY(south) - mercatorY(north)) * 256;
    int zoom = MaxZoom;
    while (zoom > MinZoom
        && (width * std::ldexp(1.0, zoom) > ViewWidth
            || height * std::ldexp(1.0, zoom) > ViewHeight))
        --zoom;
    // The middle on the map, where the zoom was fitted: in Mercator's y,
    // which stretches northwards, not halfway between the latitudes.
    const double middle = mercatorLatitude((mercatorY(south) + mercatorY(north)) / 2);
    return QUrl(QStringLiteral("https://maps.gsi.go.jp/#%1/%2/%3/")
                    .arg(zoom)
                    .arg(middle, 0, 'f', 6)
                    .arg((west + east) / 2, 0, 'f', 6));
}

} // namespace tavorin
