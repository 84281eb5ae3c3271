#include "positiontext.h"

#include "angletext.h"
#include "planezones.h"
#include "plantext.h"
#include "projection.h"

namespace tavorin {

QString latLonText(int zone, SurveyPoint p)
{
    if (zone == geodesy::UnknownZone)
        return plantext::ChooseZoneHint;
    if (!geodesy::zone(zone)) // a local grid: nowhere on the earth
        return {};
    if (!geodesy::withinReach({ p.x, p.y }))
        return plantext::BeyondReach;
    const auto position = geodesy::toLatLon(zone, { p.x, p.y });
    if (!position)
        return {};
    return plantext::LatLon.arg(geodesy::decimalDegrees(position->latitude),
        geodesy::decimalDegrees(position->longitude), geodesy::gsiDms(position->latitude),
        geodesy::gsiDms(position->longitude));
}

QString cursorText(int zone, SurveyPoint p)
{
    return plantext::CursorPosition.arg(p.x, 0, 'f', 3).arg(p.y, 0, 'f', 3) + QStringLiteral("   ")
        + latLonText(zone, p);
}

} // namespace tavorin
