#pragma once

#include <QString>

// The texts of the plan on paper. The footer's zone line reads ZonePrefix and
// the zone's label ("Ⅸ系") or LocalGrid, then DatumPrefix and the datum
// where one was chosen; the scale reads ScalePrefix and N.
namespace tavorin::papertext {

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
// A parcel's pages: the caption, its heading ("筆 3 123番4　地積 362.50 m²",
// the number where the file has one), the 座標求積表 (its headings by the
// form of the products) and the 辺長表, the file's own sides beside the
// computed ones where it has them, a mark where they differ.
inline const QString ParcelCaption = u"座標求積表・辺長表"_s;
inline const QString ParcelPrefix = u"筆 "_s;
inline const QString RegisteredAreaPrefix = u"地積 "_s;
inline const QString SquareMetres = u" m²"_s;
inline const QString AreaTableCaption = u"座標求積表"_s;
inline const QString PointNameHeading = u"点名"_s;
inline const QString XnHeading = u"Xn"_s;
inline const QString YnHeading = u"Yn"_s;
inline const QString DeltaYHeading = u"(Yn+1−Yn−1)"_s;
inline const QString XTimesDeltaYHeading = u"Xn×(Yn+1−Yn−1)"_s;
inline const QString DeltaXHeading = u"(Xn+1−Xn−1)"_s;
inline const QString YTimesDeltaXHeading = u"Yn×(Xn+1−Xn−1)"_s;
inline const QString DoubleAreaLabel = u"倍面積"_s;
inline const QString AreaLabel = u"面積"_s;
inline const QString RegisteredAreaLabel = u"地積"_s;
inline const QString SideTableCaption = u"辺長表"_s;
inline const QString FromHeading = u"始点"_s;
inline const QString ToHeading = u"終点"_s;
inline const QString DistanceHeading = u"辺長"_s;
inline const QString BearingHeading = u"方向角"_s;
inline const QString FileDistanceHeading = u"記載辺長"_s;
inline const QString FileBearingHeading = u"記載方向角"_s;
inline const QString DiffersMark = u"※"_s;
inline const QString PerimeterLabel = u"周長"_s;
inline const QString DiffersNote = u"※ 記載の辺長・方向角が計算値と1 mmまたは1″を超えて違う辺"_s;

} // namespace tavorin::papertext
