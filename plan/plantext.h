#pragma once

#include <QString>

// The texts of the plan window. The caption doubles as the menu item that
// opens it; the count of points without coordinates reads
// NoCoordinatesPrefix, the number, NoCoordinatesSuffix.
namespace tavorin::PlanText {

using namespace Qt::StringLiterals;

inline const QString Caption = u"配置図"_s;
// Between the caption and the zone in the title: "配置図 — Ⅸ系".
inline const QString TitleSeparator = u" — "_s;
inline const QString NoCoordinatesPrefix = u"座標なし "_s;
inline const QString NoCoordinatesSuffix = u"点"_s;
// The button that fits every point into the window again.
inline const QString FitCaption = u"全体表示"_s;

// The zone, the map file, the plan on paper, the DXF file and the GSI's map.
// The commands are also items of the SIMA file menu.
inline const QString ZoneCaption = u"平面直角座標系"_s;
inline const QString ZonePlaceholder = u"（系を選んで下さい）"_s;
inline const QString ExportCaption = u"書き出し"_s;
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

} // namespace tavorin::PlanText
