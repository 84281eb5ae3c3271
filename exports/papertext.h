#pragma once

#include <QString>

// The texts of the plan on paper. The footer's zone line reads ZonePrefix,
// the zone's label ("Ⅸ系"), ZoneSuffix; the scale reads ScalePrefix and N.
namespace tavorin::PaperText {

using namespace Qt::StringLiterals;

inline const QString ZonePrefix = u"座標系 "_s;
inline const QString ZoneSuffix = u"　測地系 世界測地系（測地成果2024）"_s;
inline const QString ScalePrefix = u"S=1/"_s;
inline const QString Metres = u" m"_s;
inline const QString North = u"N"_s;
inline const QString DatePrefix = u"作成日 "_s;
inline const QString DateFormat = u"yyyy年M月d日"_s;
// The point table's title and headings.
inline const QString TableCaption = u"座標一覧"_s;
inline const QString NumberHeading = u"点番号"_s;
inline const QString NameHeading = u"点名"_s;
inline const QString XHeading = u"X"_s;
inline const QString YHeading = u"Y"_s;
inline const QString ElevationHeading = u"標高"_s;

} // namespace tavorin::PaperText
