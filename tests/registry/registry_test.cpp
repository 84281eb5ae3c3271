// Reading the registry's maps (地図XML): the real file of 屋久島町 as a .xml
// and as the .zip it is distributed in, small maps written here for what it
// lacks, and zip files of zip files made with libzip.
#include "mapxml.h"
#include "parcelarea.h"
#include "planezones.h"
#include "projection.h"
#include "registryfile.h"
#include "registrytext.h"
#include "testsupport.h"
#include "testzip.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace tavorin;
using namespace tavorin::registry;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

const QString RealXml = QStringLiteral(TAVORIN_SHARED_DATA_DIR "/chizu-xml/46505-3411-1.xml");
const QString RealZip = QStringLiteral(TAVORIN_SHARED_DATA_DIR "/chizu-xml/46505-3411-1.zip");

// The vertices of a parcel as "name name ...".
QString ringNames(const Parcel &parcel)
{
    QStringList names;
    for (const ParcelVertex &vertex : parcel.vertices)
        names.append(vertex.name);
    return names.join(u' ');
}

QString recordText(const MapReading &map)
{
    QStringList lines;
    for (qsizetype i = 0; i < map.reading.records.size(); ++i) {
        const FilePoint &r = map.reading.records[i];
        const PointRecord &p = map.reading.points[i];
        lines.append(u"%1 %2 %3 %4 | %5 %6 %7"_s.arg(int(map.kinds[i]))
                         .arg(r.name(), r.x(), r.y(), p.name, p.x, p.y));
    }
    return lines.join(u'\n');
}

// A small 地図XML file: points are "id:X:Y", named points "kind:name:id"
// (kind 筆界点 or 基準点), curves "id:orientation:v,v,..." where v is a point
// id or "X/Y" written in place, surfaces "id:curve,curve,...", 筆 "地番:surface".
QByteArray mapXml(const QString &system, const QStringList &points, const QStringList &named,
    const QStringList &curves, const QStringList &surfaces, const QStringList &lots,
    const QString &name = u"M1"_s, const QString &district = u"本町"_s)
{
    QString xml
        = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<地図 xmlns=\"http://www.moj.go.jp/MINJI/tizuxml\" xmlns:zmn=\"http://www.moj.go.jp/MINJI/tizuzumen\">\n<地図名>%1</地図名>\n<市区町村名>テスト町</市区町村名>\n<座標系>%2</座標系>\n<空間属性>\n"_s
              .arg(name, system);
    for (const QString &point : points) {
        const QStringList f = point.split(u':');
        xml += u"<zmn:GM_Point id=\"%1\"><zmn:GM_Point.position><zmn:DirectPosition><zmn:X>%2</zmn:X><zmn:Y>%3</zmn:Y></zmn:DirectPosition></zmn:GM_Point.position></zmn:GM_Point>\n"_s
                   .arg(f[0], f[1], f[2]);
    }
    for (const QString &curve : curves) {
        const QStringList f = curve.split(u':');
        xml += u"<zmn:GM_Curve id=\"%1\"><zmn:GM_OrientablePrimitive.orientation>%2</zmn:GM_OrientablePrimitive.orientation><zmn:GM_Curve.segment><zmn:GM_LineString><zmn:GM_LineString.controlPoint>\n"_s
                   .arg(f[0], f[1]);
        for (const QString &v : f[2].split(u',')) {
            const QStringList xy = v.split(u'/');
            xml += xy.size() == 2
                ? u"<zmn:GM_PointArray.column><zmn:GM_Position.direct><zmn:X>%1</zmn:X><zmn:Y>%2</zmn:Y></zmn:GM_Position.direct></zmn:GM_PointArray.column>\n"_s
                      .arg(xy[0], xy[1])
                : u"<zmn:GM_PointArray.column><zmn:GM_Position.indirect><zmn:GM_PointRef.point idref=\"%1\"/></zmn:GM_Position.indirect></zmn:GM_PointArray.column>\n"_s
                      .arg(v);
        }
        xml += u"</zmn:GM_LineString.controlPoint></zmn:GM_LineString></zmn:GM_Curve.segment></zmn:GM_Curve>\n"_s;
    }
    for (const QString &surface : surfaces) {
        const QStringList f = surface.split(u':');
        xml += u"<zmn:GM_Surface id=\"%1\"><zmn:GM_Surface.patch><zmn:GM_Polygon><zmn:GM_Polygon.boundary><zmn:GM_SurfaceBoundary><zmn:GM_SurfaceBoundary.exterior><zmn:GM_Ring>\n"_s
                   .arg(f[0]);
        for (const QString &c : f[1].split(u','))
            xml += u"<zmn:GM_CompositeCurve.generator idref=\"%1\"/>\n"_s.arg(c);
        xml += u"</zmn:GM_Ring></zmn:GM_SurfaceBoundary.exterior></zmn:GM_SurfaceBoundary></zmn:GM_Polygon.boundary></zmn:GM_Polygon></zmn:GM_Surface.patch></zmn:GM_Surface>\n"_s;
    }
    xml += u"</空間属性>\n<主題属性>\n"_s;
    for (const QString &point : named) {
        const QStringList f = point.split(u':');
        xml += u"<%1><%2>%3</%2><形状 idref=\"%4\"/></%1>\n"_s.arg(
            f[0], f[0] == u"基準点" ? u"名称"_s : u"点番名"_s, f[1], f[2]);
    }
    for (const QString &lot : lots) {
        const QStringList f = lot.split(u':');
        xml += u"<筆><大字名>%1</大字名><地番>%2</地番><形状 idref=\"%3\"/></筆>\n"_s.arg(
            district, f[0], f[1]);
    }
    xml += u"</主題属性>\n</地図>\n"_s;
    return xml.toUtf8();
}

// A square A B C D, its sides curves C1 to C4, one 筆 on it.
QByteArray square(const QString &name = u"M1"_s, const QString &district = u"本町"_s)
{
    return mapXml(u"公共座標9系"_s,
        { u"P1:0.000:0.000"_s, u"P2:10.000:0.000"_s, u"P3:10.000:10.000"_s, u"P4:0.000:10.000"_s },
        { u"筆界点:A:P1"_s, u"筆界点:B:P2"_s, u"筆界点:C:P3"_s, u"基準点:D:P4"_s },
        { u"C1:+:P1,P2"_s, u"C2:+:P2,P3"_s, u"C3:+:P3,P4"_s, u"C4:+:P4,P1"_s },
        { u"F1:C1,C2,C3,C4"_s }, { u"1-1:F1"_s }, name, district);
}

TEST(RegistryMap, ReadsTheRealFileAsXmlAndAsZip)
{
    for (const QString &path : { RealXml, RealZip }) {
        SCOPED_TRACE(path.toStdString());
        const MapReading map = readMapFile(path);
        ASSERT_TRUE(map.reading.isComplete()) << map.reading.message.toStdString();
        EXPECT_EQ(map.mapName, u"AYA1anbou22B06_2000"_s);
        EXPECT_EQ(map.reading.jobName, u"AYA1anbou22B06_2000"_s);
        EXPECT_EQ(map.municipalityCode, u"46505"_s);
        EXPECT_EQ(map.municipality, u"熊毛郡屋久島町"_s);
        EXPECT_EQ(sourceLine(map.municipality),
            u"出典：「登記所備付地図データ 熊毛郡屋久島町」（法務省）を加工して作成"_s);
        EXPECT_EQ(map.coordinateSystem, u"公共座標2系"_s);
        EXPECT_EQ(map.reading.zone, 2);
        EXPECT_EQ(map.datum, u"変換"_s);
        EXPECT_EQ(map.conversionProgram, u"TKY2JGD"_s);
        EXPECT_EQ(map.districts, QStringList { u"安房"_s });
        EXPECT_EQ(map.parcelsLeftOut, 6); // 別図-5 and 地区外-43774 to 43778
        // The 25 基準点 come first in the file, then the 139 筆界点.
        QStringList names, expected;
        for (int i = 1; i <= 25; ++i)
            expected.append(QString::number(i));
        for (int i = 62600; i <= 62738; ++i)
            expected.append(QString::number(i));
        ASSERT_EQ(map.reading.records.size(), 164);
        ASSERT_EQ(map.reading.points.size(), 164);
        for (const FilePoint &record : map.reading.records)
            names.append(record.name());
        EXPECT_EQ(names, expected);
        EXPECT_EQ(map.kinds.count(PointKind::Control), 25);
        EXPECT_EQ(map.kinds.count(PointKind::Boundary), 139);
        EXPECT_EQ(map.kinds.mid(0, 25).count(PointKind::Control), 25);
        // The first point (基準点 1, P000000001) and its line.
        EXPECT_EQ(map.reading.records[0],
            FilePoint(u""_s, u"1"_s, u"-297594.961"_s, u"-34574.241"_s, u""_s, 7405));
        EXPECT_EQ(
            map.reading.points[0], (PointRecord { u"1"_s, u"-297594.961"_s, u"-34574.241"_s }));

        ASSERT_EQ(map.reading.parcels.size(), 2);
        const Parcel &first = map.reading.parcels[0];
        const Parcel &second = map.reading.parcels[1];
        EXPECT_EQ(first.name, u"2740-1"_s);
        EXPECT_EQ(first.fault, u""_s);
        EXPECT_EQ(first.line, 9239);
        EXPECT_EQ(ringNames(first),
            u"62641 62640 62639 62636 62635 62634 62633 62632 62631 62630 62629 62628 62627 62626 62625 62624 62695 62694 62693 62692 62691 62690 62689 62688 62687 62686 62727 62728 62729 62730 62731 62732 62733 62734 62735 62736 62737 62738 62714 62713 62712 62711 62710 62709 62708 62707 62706 62705 62704 62703 62702 62701 62700 62699 62698 62697 62696 62726 62725 62724 62723 62722 62721 62720 62719 62718 62717 62655 62654 62653 62652 62651 62650 62649 62648 62647 62674 62673 62672 62671 62670 62669 62668 62667 62666 62665 62664 62663 62662 62661 62660 62659 62658 62620 62619 62618 62617 62616 62615 62614 62613 62612 62611 62610 62646 62645 62644 62643 62642"_s);
        EXPECT_EQ(second.name, u"2740-2"_s);
        EXPECT_EQ(second.fault, u""_s);
        EXPECT_EQ(ringNames(second),
            u"62682 62681 62680 62679 62678 62677 62715 62714 62738 62737 62736 62735 62734 62733 62732 62731 62730 62729 62728 62727 62686 62685 62684 62683"_s);
        // Each vertex is the record of its name.
        for (const Parcel &parcel : map.reading.parcels)
            for (const ParcelVertex &vertex : parcel.vertices)
                EXPECT_EQ(map.reading.records[vertex.record].name(), vertex.name);
    }
    const MapListing listing = listMaps(RealZip);
    ASSERT_TRUE(listing.ok()) << listing.message.toStdString();
    ASSERT_EQ(listing.maps.size(), 1);
    EXPECT_EQ(listing.maps[0].entry, u"46505-3411-1.zip/46505-3411-1.xml"_s);
    EXPECT_EQ(listing.maps[0].mapName, u"AYA1anbou22B06_2000"_s);
    EXPECT_EQ(listing.maps[0].districts, QStringList { u"安房"_s });
    EXPECT_EQ(listing.maps[0].pointCount, 164);
}

// Local coordinates; a ring with a curve run backwards and positions written
// in the curves: one at point B, which becomes B, one where no point lies,
// which becomes a corner, shared by the second parcel's ring; a name longer
// than a point's 8 characters.
TEST(RegistryMap, ReadsLocalCoordinatesWrittenPositionsAndBackwardCurves)
{
    const MapReading map = readMapXml(mapXml(u"任意座標系"_s,
        { u"P1:0.0:0.0"_s, u"P2:10.0:0.0"_s, u"P3:10.0:10.0"_s, u"P9:5.0:5.0"_s },
        { u"筆界点:境界標あいうえおか:P1"_s, u"筆界点:B:P2"_s, u"基準点:T1:P3"_s },
        { u"C1:+:P1,10.000/0"_s, u"C2:-:0.0/10.0,10.0/10.0,10/0"_s, u"C3:+:0.0/10.0,P1"_s,
            u"C4:+:P2,P3,P9,0/10"_s, u"C5:+:0.0/10.0,P2"_s },
        { u"F1:C1,C2,C3"_s, u"F2:C4,C5"_s }, { u"1:F1"_s, u"2:F2"_s, u"別図-1:F1"_s }));
    ASSERT_TRUE(map.reading.isComplete()) << map.reading.message.toStdString();
    EXPECT_EQ(map.reading.zone, geodesy::LocalZone);
    EXPECT_EQ(map.parcelsLeftOut, 1);
    EXPECT_EQ(recordText(map),
        u"0 境界標あいうえおか 0.0 0.0 | 境界標あいうえお 0.0 0.0\n"
        "0 B 10.0 0.0 | B 10.0 0.0\n"
        "1 T1 10.0 10.0 | T1 10.0 10.0\n"
        "2  0.0 10.0 |  0.0 10.0\n"
        "2  5.0 5.0 |  5.0 5.0"_s);
    ASSERT_EQ(map.reading.parcels.size(), 2);
    EXPECT_EQ(map.reading.parcels[0].fault, u""_s);
    EXPECT_EQ(ringNames(map.reading.parcels[0]), u"境界標あいうえおか B T1 "_s);
    QList<qsizetype> records;
    for (const ParcelVertex &vertex : map.reading.parcels[1].vertices)
        records.append(vertex.record);
    EXPECT_EQ(records, (QList<qsizetype> { 1, 2, 4, 3 }));
}

TEST(RegistryMap, GivesABadParcelItsFault)
{
    const QStringList points { u"P1:0:0"_s, u"P2:1:0"_s, u"P3:1:1"_s };
    const QStringList named { u"筆界点:A:P1"_s, u"筆界点:B:P2"_s, u"筆界点:C:P3"_s };
    const struct
    {
        QStringList curves;
        QString surface;
        QString fault;
        QString ring;
    } cases[] = {
        { { u"C1:+:P1,P2,P3,P1"_s }, u"F9:C1"_s, u"筆の形状（F1）がファイルにありません。"_s,
            u""_s },
        { { u"C1:+:P1,P2"_s }, u"F1:C1,C2"_s, u"筆界線（C2）がファイルにありません。"_s, u"A B"_s },
        { { u"C1:+:P1,P2,P7,P1"_s }, u"F1:C1"_s, u"筆界点（P7）がファイルにありません。"_s,
            u"A B"_s },
        { { u"C1:+:P1,P2"_s, u"C2:+:P3,P1"_s }, u"F1:C1,C2"_s, u"筆界線がつながっていません。"_s,
            u"A B"_s },
        { { u"C1:+:P1,P2,P3"_s }, u"F1:C1"_s, u"筆界線が閉じていません。"_s, u"A B C"_s },
        { { u"C1:+:P1,P2"_s, u"C2:+:P2,P1"_s }, u"F1:C1,C2"_s, u"筆界点が3点に足りません。"_s,
            u"A B"_s },
        { { u"C1:+:P1,P2"_s, u"C2:-:P1,P3,P2"_s }, u"F1:C1,C2"_s, u""_s, u"A B C"_s },
        // A point twice in a row, by its id or its position, is one vertex.
        { { u"C1:+:P1,0/0,P2,P2"_s, u"C2:+:P2,P3,P1,P1"_s }, u"F1:C1,C2"_s, u""_s, u"A B C"_s },
        { { u"C1:+:P1,P2,P2,P1"_s }, u"F1:C1"_s, u"筆界点が3点に足りません。"_s, u"A B"_s },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fault.toStdString());
        const MapReading map = readMapXml(
            mapXml(u"公共座標１２系"_s, points, named, c.curves, { c.surface }, { u"9:F1"_s }));
        ASSERT_EQ(map.reading.parcels.size(), 1);
        EXPECT_EQ(map.reading.parcels[0].fault, c.fault);
        EXPECT_EQ(ringNames(map.reading.parcels[0]), c.ring);
        EXPECT_EQ(map.reading.records.size(), 3);
        EXPECT_EQ(map.reading.zone, 12); // full-width digits
    }
}

TEST(RegistryMap, RefusesWhatItCannotRead)
{
    QByteArray cut = square();
    cut.truncate(cut.indexOf("<zmn:GM_Point id=\"P3\"") + 30);
    const QByteArray notANumber = mapXml(u"公共座標1系"_s, { u"P1:1,5:0"_s }, {}, {}, {}, {});
    const QByteArray unnamed = mapXml(
        u"公共座標1系"_s, { u"P1:1:0"_s }, { u"筆界点:A:P1"_s, u"筆界点:B:P2"_s }, {}, {}, {});
    QByteArray unclosed = square(), entity = square(u"A&foo;"_s);
    unclosed.replace("10.000</zmn:X>", "10.000</zmn:Y>");
    const std::pair<QByteArray, QString> cases[] = {
        { unclosed,
            u"地図XMLの8行目が正しいXMLになっていません。ファイルが壊れているか、途中で切れています。"_s },
        { entity,
            u"地図XMLの3行目が正しいXMLになっていません。ファイルが壊れているか、途中で切れています。"_s },
        { "", u"このファイルは地図XML（登記所備付地図データ）ではありません。"_s },
        { "%PDF-1.4\n", u"このファイルは地図XML（登記所備付地図データ）ではありません。"_s },
        { "<?xml version=\"1.0\"?>\n<kml><Document/></kml>",
            u"このファイルは地図XML（登記所備付地図データ）ではありません。"_s },
        { cut,
            u"地図XMLの9行目が正しいXMLになっていません。ファイルが壊れているか、途中で切れています。"_s },
        { notANumber, u"地図XMLの7行目の座標が数値ではありません。"_s },
        { unnamed, u"地図XMLの11行目の点「B」の座標がファイルにありません。"_s },
    };
    for (const auto &[bytes, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        const MapReading map = readMapXml(bytes);
        EXPECT_EQ(map.reading.ending, PointFileReading::Ending::Refused);
        EXPECT_EQ(map.reading.failureNumber, 0);
        EXPECT_EQ(map.reading.message, message);
        EXPECT_EQ(
            map.reading.records.size() + map.reading.points.size() + map.reading.parcels.size(), 0);
    }
}

TEST(RegistryMap, TakesAtMost10001Points)
{
    for (const int count : { 10001, 10002 }) {
        QStringList points, named;
        for (int i = 0; i < count; ++i) {
            points.append(u"P%1:%1.000:0.000"_s.arg(i));
            named.append(u"筆界点:%1:P%1"_s.arg(i));
        }
        const MapReading map = readMapXml(mapXml(u"公共座標1系"_s, points, named, {}, {}, {}));
        EXPECT_EQ(map.reading.isComplete(), count == 10001);
        EXPECT_EQ(map.reading.failureNumber, count == 10001 ? 0 : 9);
        EXPECT_EQ(map.reading.records.size(), count == 10001 ? 10001 : 0);
        EXPECT_EQ(map.reading.points.size(), count == 10001 ? 10001 : 0);
    }
}

TEST(RegistryFile, ListsAndReadsTheMapsOfAZipOfZips)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(u"1.zip"_s), second = dir.filePath(u"2.zip"_s);
    const QString outer = dir.filePath(u"town.zip"_s);
    test::writeZip(first, { { u"a.xml"_s, square(u"北1"_s, u"北町"_s) } });
    // A 地図名 deeper in the file is not the map's name.
    test::writeZip(second,
        { { u"readme.txt"_s, "not a map" },
            { u"b.xml"_s,
                square(u"南2"_s, u"南町"_s)
                    .replace(
                        "</主題属性>", "<筆界線><地図名>北1</地図名></筆界線></主題属性>") } });
    test::writeZip(outer, { { u"1.zip"_s, fileBytes(first) }, { u"2.zip"_s, fileBytes(second) } });

    const MapListing listing = listMaps(outer);
    ASSERT_TRUE(listing.ok()) << listing.message.toStdString();
    ASSERT_EQ(listing.maps.size(), 2);
    EXPECT_EQ(listing.maps[0].entry, u"town.zip/1.zip/a.xml"_s);
    EXPECT_EQ(listing.maps[0].mapName, u"北1"_s);
    EXPECT_EQ(listing.maps[0].districts, QStringList { u"北町"_s });
    EXPECT_EQ(listing.maps[1].entry, u"town.zip/2.zip/b.xml"_s);
    EXPECT_EQ(listing.maps[1].mapName, u"南2"_s);
    EXPECT_EQ(listing.maps[1].pointCount, 4);

    const MapReading south = readMapFile(outer, u"南2"_s);
    ASSERT_TRUE(south.reading.isComplete()) << south.reading.message.toStdString();
    EXPECT_EQ(south.districts, QStringList { u"南町"_s });
    EXPECT_EQ(ringNames(south.reading.parcels.value(0)), u"A B C D"_s);
    EXPECT_EQ(south.reading.zone, 9);
    // Two maps of one 地図名 are told apart by their place.
    const QString twins = dir.filePath(u"twins.zip"_s);
    test::writeZip(twins,
        { { u"a.xml"_s, square(u"北1"_s, u"北町"_s) },
            { u"b.xml"_s, square(u"北1"_s, u"南町"_s) } });
    EXPECT_EQ(readMapAt(twins, 1).districts, QStringList { u"南町"_s });
    EXPECT_EQ(readMapAt(twins, 2).reading.message, u"地図「3」はこのファイルにありません。"_s);

    const QString empty = dir.filePath(u"empty.zip"_s), broken = dir.filePath(u"broken.zip"_s);
    test::writeZip(empty, { { u"readme.txt"_s, "no map" } });
    writeFile(broken, fileBytes(outer).first(100));
    const std::pair<MapReading, QString> refusals[] = {
        { readMapFile(outer), u"このファイルには地図が2枚あります。読む地図を選んで下さい。"_s },
        { readMapFile(outer, u"東3"_s), u"地図「東3」はこのファイルにありません。"_s },
        { readMapFile(empty), u"このZIPファイルには地図XMLのファイルがありません。"_s },
        { readMapFile(broken), u"ZIPファイルが壊れているため読めません。"_s },
    };
    for (const auto &[map, message] : refusals) {
        EXPECT_EQ(map.reading.ending, PointFileReading::Ending::Refused);
        EXPECT_EQ(map.reading.message, message);
    }
    EXPECT_EQ(listMaps(dir.filePath(u"none.zip"_s)).failureNumber, 53);
    EXPECT_EQ(listMaps(broken).message, u"ZIPファイルが壊れているため読めません。"_s);
}

// Bytes that do not pack: a map's worth of digits from a fixed generator.
QByteArray digits(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = char('0' + (seed >> 24) % 10);
    }
    return bytes;
}

TEST(RegistryFile, RefusesAZipThatBlowsUpWhenUnpacked)
{
    QTemporaryDir dir;
    // 20 MiB of zeros packs to about 20 KB, in a zip and in a zip of zips.
    const QString bomb = dir.filePath(u"bomb.zip"_s), town = dir.filePath(u"town.zip"_s);
    test::writeZip(
        bomb, { { u"a.xml"_s, square() }, { u"zero.xml"_s, QByteArray(20 << 20, '\0') } });
    test::writeZip(town, { { u"1.zip"_s, fileBytes(bomb) } });
    ASSERT_LT(QFileInfo(bomb).size(), 100000);
    for (const auto &[path, entry] : { std::pair { bomb, u"bomb.zip/zero.xml"_s },
             std::pair { town, u"town.zip/1.zip/zero.xml"_s } }) {
        const QString message
            = u"ZIPファイルの中の「%1」は圧縮前の大きさが異常に大きいため読めません。地図XMLのZIPファイルではないおそれがあります。"_s
                  .arg(entry);
        EXPECT_EQ(listMaps(path).message, message);
        EXPECT_EQ(readMapFile(path).reading.message, message);
    }

    // The total counts the zips inside and the XML files in them alike:
    // 300,000 bytes of digits in each of three zips of one XML file each
    // pass a limit of 1 MiB twice, not three times.
    QList<std::pair<QString, QByteArray>> inner;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(u"%1.zip"_s.arg(i));
        test::writeZip(path, { { u"m.xml"_s, digits(300000, quint32(i)) } });
        inner.append({ u"%1.zip"_s.arg(i), fileBytes(path) });
    }
    test::writeZip(town, inner);
    QStringList visited;
    const QString message = forEachMapXml(
        fileBytes(town), u"town.zip"_s,
        [&visited](const QString &entry, const QByteArray &xml) {
            visited.append(u"%1 %2"_s.arg(entry).arg(xml.size()));
            return true;
        },
        ZipLimits { .total = 1 << 20 });
    EXPECT_EQ(message, u"このZIPファイルは展開すると1MBを超えるため読めません。"_s);
    EXPECT_EQ(visited,
        QStringList({ u"town.zip/0.zip/m.xml 300000"_s, u"town.zip/1.zip/m.xml 300000"_s }));
}

// The 面積 of the real map's two parcels, in both forms of the 座標求積表,
// against Shapely's (Debian's python3-shapely, reading the XML on its own
// through shapelymapareas.py) to 1e-6 m², as for the SIMA files.
TEST(RegistryOracle, RealParcelAreasAgreeWithShapely)
{
    QProcess python;
    python.start(u"/usr/bin/python3"_s,
        { QStringLiteral(TAVORIN_TEST_DATA_DIR "/registry/shapelymapareas.py"), RealXml,
            u"2740-1"_s, u"2740-2"_s });
    if (!python.waitForFinished(60'000) || python.exitCode() != 0)
        GTEST_SKIP() << "no /usr/bin/python3 with Shapely (Debian: python3-shapely)";
    const QStringList oracle
        = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const MapReading map = readMapFile(RealXml);
    ASSERT_EQ(map.reading.parcels.size(), 2);
    ASSERT_EQ(oracle.size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        const Parcel &parcel = map.reading.parcels[i];
        const QStringList expected = oracle[i].split(u'\t');
        ASSERT_EQ(expected.value(0), parcel.name);
        for (const auto form :
            { parcels::AreaForm::XTimesDeltaY, parcels::AreaForm::YTimesDeltaX }) {
            const auto table = parcels::areaTable(parcel, map.reading.records, form);
            ASSERT_TRUE(table);
            EXPECT_NEAR(double(table->areaMicro) / 1e6, expected.value(1).toDouble(), 1e-6)
                << parcel.name.toStdString();
        }
    }
}

#ifdef TAVORIN_TRANSVERSE_MERCATOR_PROJ
// The real map's first 基準点 (名称 1) on the ground: the program's latitude
// and longitude in zone II against GeographicLib's exact transverse Mercator
// run as a separate program, to 1e-11 degrees (about a micrometre).
TEST(RegistryOracle, RealControlPointAgreesWithTheExactProjection)
{
    const MapReading map = readMapFile(RealXml);
    const qsizetype first = map.kinds.indexOf(PointKind::Control);
    ASSERT_GE(first, 0);
    const FilePoint &point = map.reading.records[first];
    ASSERT_EQ(QStringList({ point.name(), point.x(), point.y() }),
        QStringList({ u"1"_s, u"-297594.961"_s, u"-34574.241"_s }));
    ASSERT_EQ(map.reading.zone, 2);
    const geodesy::Zone &zone = geodesy::zones()[1];
    // The tool counts northings from the equator: the origin's first.
    QProcess tool;
    tool.start(QStringLiteral(TAVORIN_TRANSVERSE_MERCATOR_PROJ),
        { u"-k"_s, u"0.9999"_s, u"-e"_s, u"6378137"_s, u"1/298.257222101"_s, u"-l"_s,
            QString::number(zone.centralMeridian(), 'g', 17), u"-p"_s, u"10"_s });
    tool.write(QByteArray::number(zone.originLatitude) + ' '
        + QByteArray::number(zone.centralMeridian(), 'g', 17) + '\n');
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(20000));
    const double originNorthing
        = tool.readAllStandardOutput().trimmed().split(' ').value(1).toDouble();
    tool.start(QStringLiteral(TAVORIN_TRANSVERSE_MERCATOR_PROJ),
        { u"-k"_s, u"0.9999"_s, u"-e"_s, u"6378137"_s, u"1/298.257222101"_s, u"-l"_s,
            QString::number(zone.centralMeridian(), 'g', 17), u"-p"_s, u"10"_s, u"-r"_s });
    tool.write(QByteArray::number(point.y().toDouble(), 'g', 17) + ' '
        + QByteArray::number(point.x().toDouble() + originNorthing, 'g', 17) + '\n');
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(20000));
    const QList<QByteArray> exact = tool.readAllStandardOutput().trimmed().split(' ');
    const auto position = geodesy::toLatLon(2, { point.x().toDouble(), point.y().toDouble() });
    ASSERT_TRUE(position);
    ASSERT_GE(exact.size(), 2);
    std::printf("control point 1: %.11f %.11f, exact %s %s\n", position->latitude,
        position->longitude, exact[0].constData(), exact[1].constData());
    EXPECT_NEAR(position->latitude, exact[0].toDouble(), 1e-11);
    EXPECT_NEAR(position->longitude, exact[1].toDouble(), 1e-11);
}
#endif

} // namespace
