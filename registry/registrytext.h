#pragma once

#include <QString>

// What reading the registry's map files (地図XML) says: why a file cannot be
// read, why a parcel cannot be drawn, and the source line the data's terms
// of use ask every plan, map or file made from it to carry.
namespace tavorin::registry::registrytext {

using namespace Qt::StringLiterals;

// Why a file gives nothing.
inline const QString NotMapXml = u"このファイルは地図XML（登記所備付地図データ）ではありません。"_s;
// %1: the line where the XML stops being readable.
inline const QString BrokenXml
    = u"地図XMLの%1行目が正しいXMLになっていません。ファイルが壊れているか、途中で切れています。"_s;
// %1: the line of the point (GM_Point) whose X or Y is not a number.
inline const QString CoordinateNotANumber = u"地図XMLの%1行目の座標が数値ではありません。"_s;
// %1: the line of the 筆界点 or 基準点, %2 its name.
inline const QString PointWithoutPosition
    = u"地図XMLの%1行目の点「%2」の座標がファイルにありません。"_s;
inline const QString BrokenZip = u"ZIPファイルが壊れているため読めません。"_s;
// libzip could not be loaded (Linux: the package libzip4 is missing).
inline const QString NoZipLibrary
    = u"ZIPファイルを読むためのライブラリー（libzip）が見つかりません。"_s;
inline const QString NoMapInZip = u"このZIPファイルには地図XMLのファイルがありません。"_s;
// %1: the 地図名 asked for.
inline const QString MapNotFound = u"地図「%1」はこのファイルにありません。"_s;
// %1: how many maps the file holds.
inline const QString SeveralMaps
    = u"このファイルには地図が%1枚あります。読む地図を選んで下さい。"_s;
// A map inside a zip file larger than the program reads.
inline const QString MapTooLarge = u"ZIPファイルの中の地図XMLが大きすぎて読めません。"_s;
// %1: the limit ("8GB"). What all the zip's entries, nested zips included,
// unpack to is more than the program unpacks.
inline const QString ZipTooLarge = u"このZIPファイルは展開すると%1を超えるため読めません。"_s;
// %1: the entry ("town.zip/1.zip/a.xml"), which unpacks to far more than
// 地図XML ever does from its packed size.
inline const QString ZipEntrySuspicious
    = u"ZIPファイルの中の「%1」は圧縮前の大きさが異常に大きいため読めません。地図XMLのZIPファイルではないおそれがあります。"_s;

// Why a parcel (筆) cannot be drawn, measured or exported.
// %1: the identifier the file gives the missing part ("F000000001").
inline const QString ShapeMissing = u"筆の形状（%1）がファイルにありません。"_s;
inline const QString CurveMissing = u"筆界線（%1）がファイルにありません。"_s;
inline const QString PointMissing = u"筆界点（%1）がファイルにありません。"_s;
inline const QString CurvesNotJoined = u"筆界線がつながっていません。"_s;
inline const QString RingNotClosed = u"筆界線が閉じていません。"_s;
inline const QString TooFewVertices = u"筆界点が3点に足りません。"_s;

// The source line; %1: the 市区町村名 the file gives ("熊毛郡屋久島町").
inline const QString SourceLine = u"出典：「登記所備付地図データ %1」（法務省）を加工して作成"_s;

} // namespace tavorin::registry::registrytext
