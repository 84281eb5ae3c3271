#include "parcelarea.h"

namespace parcels {

std::optional<qint64> millimetres(QStringView)
{
    return std::nullopt;
}

std::optional<AreaTable> areaTable(const tavorin::Parcel &, const tavorin::FilePoints &, AreaForm, LandClass)
{
    return std::nullopt;
}

std::optional<SideTable> sideTable(const tavorin::Parcel &, const tavorin::FilePoints &, DistanceRounding)
{
    return std::nullopt;
}

QString registeredAreaText(qint64, LandClass)
{
    return {};
}

QString landClassName(LandClass landClass)
{
    return landClass == LandClass::Residential ? QStringLiteral("宅地・鉱泉地") : QStringLiteral("その他");
}

} // namespace parcels
