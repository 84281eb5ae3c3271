#pragma once

#include <QString>

// Angles as texts, in the forms the GSI's tools print them.
namespace tavorin::geodesy {

// Decimal degrees to 8 places ("36.10404755"), about a millimetre.
QString decimalDegrees(double degrees);

// Degrees, minutes and seconds in the GSI's style: minutes and whole
// seconds in two digits, seconds to 4 places, "36°06′14.5712″"; a minus
// sign before a negative angle. Rounding that reaches 60″ or 60′ carries.
QString gsiDms(double degrees);

} // namespace tavorin::geodesy
