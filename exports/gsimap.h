#pragma once

#include "mappoints.h"

#include <QUrl>

namespace tavorin {

// The GSI's map (地理院地図) at the middle of the points on the map (in Web
// Mercator, so that the northernmost is as far from the middle as the
// southernmost), at the largest
// zoom (2 to 18) that shows them all in a browser window of about
// 1000 by 600 pixels: https://maps.gsi.go.jp/#ZOOM/LAT/LON/ with 6
// decimals. A single point, or points on one spot, at zoom 18. Needs at
// least one point.
QUrl gsiMapUrl(const QList<MapPoint> &points);

} // namespace tavorin
