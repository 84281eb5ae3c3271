#pragma once

#include "pointreading.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The registry's maps (登記所備付地図データ), which the Ministry of Justice
// publishes in its map XML format (地図XML): one file a map, its points and
// lines in 空間属性, what they are in 主題属性.
namespace tavorin::registry {

// What a record of a map reading is.
enum class PointKind : quint8 {
    Boundary, // 筆界点, named by its 点番名
    Control, // 基準点, named by its 名称
    // A corner of a parcel that no 筆界点 or 基準点 names: a GM_Point that
    // only a 筆界線 refers to, or a position written into the 筆界線 itself
    // (GM_Position.direct). Its name is empty.
    Corner,
};

// What reading one map gives.
struct MapReading
{
    // As any point file's reading gives it: the 筆界点 and 基準点 in file
    // order (the points cut as the CSV reader cuts them, the records whole,
    // without point numbers or elevations, each record's line the line of
    // its 筆界点 or 基準点), then the corners; the parcels; the zone (1 to
    // 19, or geodesy::LocalZone for 任意座標系, 0 when the file names none
    // the program knows); the 地図名 as the job name. A refused reading
    // (failure 9 past 10001 points, or a message) has nothing else.
    PointFileReading reading;
    // What each record is, in step with reading.records.
    QList<PointKind> kinds;

    QString mapName; // 地図名
    QString municipalityCode; // 市区町村コード
    QString municipality; // 市区町村名, e.g. 熊毛郡屋久島町
    QString coordinateSystem; // 座標系 as written: 公共座標2系, 任意座標系
    QString datum; // 測地系判別: 測量成果, 変換 (converted from the Tokyo datum)
    QString conversionProgram; // 変換プログラム, e.g. TKY2JGD; empty if none
    // The 大字名 of the map's 筆 each once, in file order.
    QStringList districts;
    // The 筆 left out of reading.parcels: those whose 地番 begins with
    // 地区外 (outside the surveyed district) or 別図 (drawn on another map).
    int parcelsLeftOut = 0;
    // A reading refused with a failure number (0 for none) and a message.
    static MapReading refused(int failureNumber, QString message);
};

// Reads one 地図XML file. Every 筆界点 and 基準点 becomes a point and a
// record, with X (north) and Y (east) as the GM_Point it refers to writes
// them. Every 筆 but those left out becomes a parcel named by its 地番,
// its ring the exterior of its GM_Surface: the control points of its
// 筆界線 (GM_Curve) one after another, a curve whose orientation is "-"
// taken backwards, the point two consecutive curves share taken once (as is
// a point a curve gives twice in a row), the closing point (the first
// again) dropped. Each vertex is the record of the
// point it refers to; a corner no 筆界点 or 基準点 names, or a position
// written into the curve (matched by X and Y to a point read before, if one
// lies there), is added as a record of kind Corner, once however many rings
// share it. A parcel whose shape, curve or point is missing, whose curves do
// not join or whose ring does not close gets a fault and keeps the vertices
// found so far. Interior rings (holes) are not read.
//
// Bytes that are not 地図XML, broken XML (the message names the line) or a
// coordinate that is not a number refuse the reading; so do more than 10001
// points (failure 9, as a CSV file).
MapReading readMapXml(QByteArrayView bytes);

// The 地図名 of a 地図XML file, read no further than that element; empty if
// the bytes have none.
QString mapNameOf(QByteArrayView bytes);

// The source line the data's terms of use ask for under anything shown or
// made from a map of municipality (its 市区町村名).
QString sourceLine(const QString &municipality);

} // namespace tavorin::registry
