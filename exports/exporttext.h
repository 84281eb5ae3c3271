#pragma once

#include <QString>

// Why an export writes nothing, in the window and on the command line alike.
namespace tavorin::exporttext {

using namespace Qt::StringLiterals;

// Asked when a map needs the zone and none is chosen; on the command line,
// with the option that gives it.
inline const QString ZoneNeeded = u"測点を地図に置く平面直角座標系（系）を選んで下さい。"_s;
inline const QString ZoneNeededOption = u"（--zone 1～19）"_s;
// A map action for a file whose coordinates are a local grid.
inline const QString LocalZoneNoMap = u"座標系が任意座標（系なし）なので、地図には置けません。"_s;
inline const QString NoPointsToPlace = u"座標のある測点がありません。"_s;
// Points a written file leaves out. %1: the N of the scale 1/N, %2: how many.
inline const QString PointsOffPlan = u"S=1/%1 では %2 点が図面の外になります。"_s;
// %1: how many.
inline const QString PointsBeyondReach
    = u"%1 点は系の原点から1000 kmより遠いので、書き出しませんでした。"_s;
// A parcel no format writes. %1: its number and name, %2: why (its fault).
inline const QString ParcelLeftOut = u"筆 %1 は書き出しませんでした。%2"_s;
// Good parcels a map leaves out. %1: how many.
inline const QString ParcelsOffMap
    = u"%1 筆は地図に置けない頂点があるので、書き出しませんでした。"_s;
// The registry's map: the 筆 drawn on another map (別図) or outside the
// district (地区外), which are not read. %1: how many.
inline const QString MapParcelsLeftOut = u"別図・地区外の %1 筆は読み込んでいません。"_s;
// On the command line, a file of several maps without --map. %1: how many,
// %2: their 地図名s.
inline const QString SeveralMapsOption
    = u"このファイルには地図が%1枚あります。読む地図の地図名を --map で指定して下さい：%2"_s;
inline const QString ExportTypeUnknown = u"書き出せるのは .geojson と .kml のファイルです。"_s;

} // namespace tavorin::exporttext
