#include "angletext.h"

#include <cmath>

namespace tavorin::geodesy {

QString decimalDegrees(double degrees)
{
    return QString::number(degrees, 'f', 8);
}

QString gsiDms(double degrees)
{
    // Counted in ten-thousandths of a second, so that a rounding up carries
    // into the seconds, minutes and degrees.
    const double units = std::round(std::abs(degrees) * 3600.0 * 10000.0);
    if (!std::isfinite(units))
        return {};
    const auto total = static_cast<long long>(units);
    const long long whole = total / 10000;
    return QStringLiteral("%1%2°%3′%4.%5″")
        .arg(degrees < 0 && total != 0 ? QStringLiteral("-") : QString())
        .arg(whole / 3600)
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 10000, 4, 10, QLatin1Char('0'));
}

} // namespace tavorin::geodesy
