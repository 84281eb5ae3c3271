#pragma once

#include <QString>

// The texts of the plan on paper. The footer's zone line reads ZonePrefix and
// the zone's label ("Ⅸ系") or LocalGrid, then DatumPrefix and the datum
// where one was chosen; the scale reads ScalePrefix and N.
namespace tavorin::PaperText {

using namespace Qt::StringLiterals;

inline const QString ZonePrefix = u"座標系 "_s;
inline const QString LocalGrid = u"任意座標"_s;
inline const QString FooterSeparator = u"　"_s;
inline const QString DatumPrefix = u"測地系 "_s;
// The datums a file's coordinates may be of; the footer states the one the
// user chose, and none unless chosen.
inline const QString Jgd2024 = u"世界測地系（測地成果2024）"_s;
inline const QString Jgd2011 = u"世界測地系（測地成果2011）"_s;
inline const QString Jgd2000 = u"世界測地系（測地成果2000）"_s;
inline const QString TokyoDatum = u"日本測地系"_s;
inline const QString DatumUnstated = u"記載しない"_s;
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
