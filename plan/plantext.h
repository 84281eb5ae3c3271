#pragma once

#include <QString>

// The texts of the plan window. The caption doubles as the menu item that
// opens it; the count of points without coordinates reads
// NoCoordinatesPrefix, the number, NoCoordinatesSuffix.
namespace tavorin::plantext {

using namespace Qt::StringLiterals;

inline const QString Caption = u"配置図"_s;
// Between the caption and the zone in the title: "配置図 — Ⅸ系".
inline const QString TitleSeparator = u" — "_s;
inline const QString NoCoordinatesPrefix = u"座標なし "_s;
inline const QString NoCoordinatesSuffix = u"点"_s;
// The button that fits every point into the window again.
inline const QString FitCaption = u"全体表示"_s;

// Above the plan: the file its points come from, and for a registry's map
// (地図XML) its 地図名, 市区町村名 and 測地系判別 (with the 変換プログラム where
// the file names one), then the source line the data's terms ask for.
inline const QString FileCaption = u"ファイル %1"_s;
inline const QString MapCaption = u"地図名 %1　%2　測地系判別 %3"_s;
inline const QString ConversionProgram = u"（変換プログラム %1）"_s;

// The zone, the map file, the plan on paper, the DXF file and the GSI's map.
// The commands are also items of the SIMA file menu.
inline const QString ZoneCaption = u"平面直角座標系"_s;
inline const QString ZonePlaceholder = u"（系を選んで下さい）"_s;
inline const QString GeoJsonKmlExportCaption = u"地図用に書き出し"_s;
inline const QString PdfExportCaption = u"配置図PDF"_s;
inline const QString DxfExportCaption = u"DXF書込"_s;
inline const QString GsiMapCaption = u"地理院地図で開く"_s;

// The status line: the cursor's X and Y, then with a zone its latitude and
// longitude in decimal degrees and in the GSI's degrees, minutes and
// seconds; without one a hint to choose it. A point's tooltip: its whole
// name, its number, X and Y and its elevation as its file holds them (the
// number and the elevation where it has them), then the same.
inline const QString CursorPosition = u"X %1   Y %2"_s;
inline const QString PointNumber = u"点番号 %1"_s;
inline const QString Elevation = u"標高 %1"_s;
inline const QString LatLon = u"緯度 %1°  経度 %2°   %3  %4"_s;
inline const QString BeyondReach = u"系の原点から1000 kmより遠いので、緯度・経度はありません"_s;
inline const QString ChooseZoneHint = u"緯度・経度は平面直角座標系（系）を選ぶと表示されます"_s;

// Parcels (画地): the list beside the plan, a parcel picked on the plan or
// in the list in the status line (its name, 地積, 面積 and 周長, or why it
// cannot be measured), and the command that selects its points in List1.
inline const QString ParcelsCaption = u"画地"_s;
inline const QString ParcelNumberHeading = u"番号"_s;
inline const QString ParcelNameHeading = u"地番・名称"_s;
inline const QString ParcelFaultHeading = u"備考"_s;
inline const QString ParcelStatus = u"%1   地積 %2 m²   面積 %3 m²   周長 %4 m"_s;
inline const QString BadParcelStatus = u"%1   %2"_s; // the name, then Parcel::fault
inline const QString StakeParcelCaption = u"画地の点を選ぶ"_s;
inline const QString ParcelTablesCaption = u"求積表"_s;

// The parcel window: the 座標求積表 and the 辺長表 of the parcel picked,
// their choices, and the copy of both for a spreadsheet.
inline const QString AreaTableCaption = u"座標求積表"_s;
inline const QString SideTableCaption = u"辺長表"_s;
inline const QString PointNameHeading = u"点名"_s;
inline const QString XHeading = u"Xn"_s;
inline const QString YHeading = u"Yn"_s;
inline const QString DeltaYHeading = u"(Yn+1−Yn−1)"_s;
inline const QString DeltaXHeading = u"(Xn+1−Xn−1)"_s;
inline const QString XTimesDeltaYHeading = u"Xn×(Yn+1−Yn−1)"_s;
inline const QString YTimesDeltaXHeading = u"Yn×(Xn+1−Xn−1)"_s;
inline const QString DoubleAreaHeading = u"倍面積"_s;
inline const QString AreaHeading = u"面積"_s;
inline const QString RegisteredAreaHeading = u"地積"_s;
inline const QString FromHeading = u"始点"_s;
inline const QString ToHeading = u"終点"_s;
inline const QString DistanceHeading = u"距離"_s;
inline const QString BearingHeading = u"方向角"_s;
inline const QString FileDistanceHeading = u"ファイルの距離"_s;
inline const QString FileBearingHeading = u"ファイルの方向角"_s;
inline const QString CheckHeading = u"照合"_s;
inline const QString SideMatches = u"一致"_s;
inline const QString SideDiffers = u"相違"_s;
inline const QString PerimeterHeading = u"周長"_s;
inline const QString FormLabel = u"求積の式"_s;
inline const QString RoundingLabel = u"距離の端数"_s;
inline const QString HalfUpEntry = u"四捨五入"_s;
inline const QString CutEntry = u"切り捨て"_s;
inline const QString LandClassLabel = u"地目"_s;
inline const QString PdfPagesLabel = u"配置図PDFに求積表と辺長表を入れる"_s;
inline const QString CopyTablesCaption = u"表をコピー"_s;
inline const QString NoParcelPicked = u"画地を選んで下さい"_s;

} // namespace tavorin::plantext
