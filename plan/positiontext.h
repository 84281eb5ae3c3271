#pragma once

#include "plangeometry.h"

#include <QString>

namespace tavorin {

// Where the survey point p of zone (1..19) lies: latitude and longitude in
// decimal degrees and in the GSI's degrees, minutes and seconds. Without a
// zone (0) the hint to choose one; beyond the zone's reach, that it has
// none; empty where the conversion gives no finite result.
QString latLonText(int zone, SurveyPoint p);

// The status line's text for the cursor at p: X and Y to the millimetre,
// then latLonText.
QString cursorText(int zone, SurveyPoint p);

} // namespace tavorin
