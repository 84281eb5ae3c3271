// The registry's maps (地図XML) through the program: --export of the real
// file to each format, its source line read back by each format's own
// reader; --map among several maps; 地図XML読込 in the window.
#include "codepage932.h"
#include "exporttext.h"
#include "planezones.h"
#include "planwindow.h"
#include "registryfile.h"
#include "runprogram.h"
#include "simaparcels.h"
#include "simareader.h"
#include "startup.h"
#include "testzip.h"
#include "windowfixture.h"

#include <QDropEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

const QString RealZip = u"" TAVORIN_SHARED_DATA_DIR "/chizu-xml/46505-3411-1.zip"_s;
const QString RealXml = u"" TAVORIN_SHARED_DATA_DIR "/chizu-xml/46505-3411-1.xml"_s;
const QString MapName = u"AYA1anbou22B06_2000"_s;
const QString Source = u"出典：「登記所備付地図データ 熊毛郡屋久島町」（法務省）を加工して作成"_s;
const QString LeftOut = u"別図・地区外の 6 筆は読み込んでいません。"_s;

QByteArray note(const QString &path, const QString &text)
{
    return (u"tavorin: "_s + path + u": "_s + text).toLocal8Bit() + Eol;
}

// A municipality's zip file of two maps, each in a zip of its own: the real
// one, then the same points under another 地図名 and 大字名.
QString twoMaps(const QTemporaryDir &dir)
{
    const QByteArray real = fileBytes(RealXml);
    QByteArray other = real;
    other.replace(MapName.toUtf8(), "OTHER_MAP").replace(u"安房"_s.toUtf8(), u"小瀬田"_s.toUtf8());
    const QString a = dir.filePath(u"a.zip"_s), b = dir.filePath(u"b.zip"_s);
    test::writeZip(a, { { u"a.xml"_s, real } });
    test::writeZip(b, { { u"b.xml"_s, other } });
    const QString both = dir.filePath(u"46505.zip"_s);
    test::writeZip(both, { { u"a.zip"_s, fileBytes(a) }, { u"b.zip"_s, fileBytes(b) } });
    return both;
}

// The source line as each format's reader finds it.
QString geoJsonSource(const QByteArray &bytes)
{
    const QJsonObject collection = QJsonDocument::fromJson(bytes).object();
    return collection[u"properties"_s][u"出典"_s].toString() + u'|'
        + QString::number(collection[u"features"_s].toArray().size());
}

QString kmlSource(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    QStringList path;
    QString found;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            path << xml.name().toString();
            const QString at = path.join(u'/');
            if (at == u"kml/Document/ExtendedData/Data"_s)
                found += xml.attributes().value(u"name"_s).toString() + u'=';
            if (at == u"kml/Document/ExtendedData/Data/value"_s)
                found += xml.readElementText();
        }
        if (xml.isEndElement())
            path.removeLast();
    }
    return found + xml.errorString();
}

QString simaSource(const QByteArray &bytes)
{
    const Result<SimaReading> reading = readSima(bytes);
    if (!reading)
        return u"unread"_s;
    return cp932::decode(bytes.split('\n').value(1)).trimmed() + u'|'
        + QString::number(reading->records.size()) + u'|'
        + QString::number(readSimaParcels(bytes, reading->records).size());
}

QString pdfSource(const QString &path)
{
    const std::optional<QString> text
        = poppler(u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, path, u"-"_s });
    return text ? pageLines(*text).mid(pageLines(*text).size() - 2).join(u'|') : u"no pdftotext"_s;
}

QString dxfSource(const QString &path)
{
    QProcess python;
    python.start(
        u"/usr/bin/python3"_s, { u"" TAVORIN_SOURCE_DIR "/tests/exports/dxfcheck.py"_s, path });
    if (!python.waitForFinished(60000) || python.exitCode() == 77)
        return u"no ezdxf"_s;
    const QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
    return lines.mid(1, 2).join(u'|') + u'|'
        + QString::number(lines.filter(u"POLYLINE PARCELS closed"_s).size());
}

} // namespace

// The real map, as distributed (zip) and unpacked (xml), to each format:
// the points, the two parcels and the source line read back, the 筆 left
// out noted. CSV carries no source line: its rows are points only.
TEST(MapExport, EveryFormatCarriesTheSourceLine)
{
    QTemporaryDir dir;
    const std::tuple<QString, QString, QString> cases[] = {
        { RealZip, u"map.sim"_s, u"Z00,"_s + Source + u",|164|2"_s },
        { RealXml, u"map.geojson"_s, Source + u"|166"_s },
        { RealZip, u"map.kml"_s, u"出典="_s + Source },
        { RealXml, u"map.pdf"_s, u"座標系 Ⅱ系 作成日 2025年4月1日 1/12|"_s + Source },
        { RealZip, u"map.dxf"_s, u"comment "_s + Source + u"|audit errors 0 fixes 0|2"_s },
    };
    for (const auto &[in, name, expected] : cases) {
        const QString out = dir.filePath(name);
        QStringList arguments { u"--export"_s, out, in };
        if (name.endsWith(u".pdf"_s))
            arguments << u"--date"_s << u"2025-04-01"_s;
        EXPECT_EQ(runProgram(arguments), "0||" + note(in, LeftOut)) << name.toStdString();
        const QByteArray bytes = fileBytes(out);
#ifdef Q_OS_WIN
        // Wine has neither poppler nor ezdxf: the PDF's and the DXF's texts are
        // read back on Linux (and the PDF's again by tests/windows/check-pdf).
        if (name.endsWith(u".pdf"_s)) {
            EXPECT_TRUE(bytes.startsWith("%PDF-1.4")) << name.toStdString();
            continue;
        }
        if (name.endsWith(u".dxf"_s)) {
            EXPECT_TRUE(bytes.startsWith("999\r\n" + cp932::encode(Source) + "\r\n"));
            continue;
        }
#endif
        const QString read = name.endsWith(u".sim"_s) ? simaSource(bytes)
            : name.endsWith(u".geojson"_s)            ? geoJsonSource(bytes)
            : name.endsWith(u".kml"_s)                ? kmlSource(bytes)
            : name.endsWith(u".pdf"_s)                ? pdfSource(out)
                                                      : dxfSource(out);
        EXPECT_EQ(read, expected) << name.toStdString();
    }
    EXPECT_EQ(runProgram({ u"--export"_s, dir.filePath(u"map.csv"_s), RealZip }),
        "0||" + note(RealZip, LeftOut));
    EXPECT_FALSE(fileBytes(dir.filePath(u"map.csv"_s)).contains(Source.toUtf8()));
    EXPECT_FALSE(cp932::decode(fileBytes(dir.filePath(u"map.csv"_s))).contains(u"出典"_s));
}

// The real map in 任意座標系 (local coordinates).
QString localMap(const QTemporaryDir &dir)
{
    const QString local = dir.filePath(u"local.xml"_s);
    writeFile(
        local, fileBytes(RealXml).replace(u"公共座標2系"_s.toUtf8(), u"任意座標系"_s.toUtf8()));
    return local;
}

// A file of several maps is read by 地図名 only; without one it writes
// nothing and names them. A map of local coordinates is on no map.
TEST(MapExport, SeveralMapsNeedMapAndLocalOnesNoZone)
{
    QTemporaryDir dir;
    const QString in = twoMaps(dir), out = dir.filePath(u"out.sim"_s), local = localMap(dir);
    const std::pair<QStringList, QByteArray> cases[] = {
        { { u"--export"_s, dir.filePath(u"local.kml"_s), local },
            "1||" + note(local, exporttext::LocalZoneNoMap) },
        { { u"--export"_s, out, in },
            "1||"
                + note(in,
                    u"このファイルには地図が2枚あります。読む地図の地図名を --map "
                    u"で指定して下さい：AYA1anbou22B06_2000、OTHER_MAP"_s) },
        { { u"--export"_s, out, u"--map"_s, u"NONE"_s, in },
            "1||" + note(in, u"地図「NONE」はこのファイルにありません。"_s) },
        { { u"--export"_s, out, u"--map"_s, u"OTHER_MAP"_s, RealXml.chopped(3) + u"sim"_s },
            "1||"
                + u"tavorin: --map は地図XMLのファイル（*.xml、*.zip）を読み込むときに使います。"_s
                      .toLocal8Bit()
                + Eol },
        { { u"--export"_s, out, u"--map"_s, u"OTHER_MAP"_s, in }, "0||" + note(in, LeftOut) },
    };
    for (const auto &[arguments, expected] : cases)
        EXPECT_EQ(runProgram(arguments), expected) << arguments.join(u' ').toStdString();
    EXPECT_TRUE(fileBytes(out).startsWith("G00,01,OTHER_MAP,\r\n"));
}

namespace {

class MapFileLoad : public WindowTest
{
protected:
    void load(const QString &path)
    {
        dialogs.chooseNextFile(path);
        menuAction(u"MapFileLoad"_s)->trigger();
    }
    QString planFileText()
    {
        menuAction(u"PlanView"_s)->trigger();
        return form->findChild<QLabel *>(u"PlanFile"_s)->text();
    }
};

} // namespace

// The real zip: its 139 筆界点 and 25 基準点 listed, zone II, the two
// parcels; the 筆 left out told; the plan names the map and its source.
TEST_F(MapFileLoad, ListsTheRealMapWithItsZoneAndParcels)
{
    load(RealZip);
    EXPECT_EQ(fileDialogs(QDir()),
        QStringList(u"Open 地図XML (*.xml *.zip);;すべてのファイル (*.*)||"_s));
    EXPECT_EQ(list(1)->lines().size(), 164);
    EXPECT_EQ(form->records().size(), 164);
    EXPECT_EQ(form->zone(), 2);
    ASSERT_EQ(form->fileParcels().size(), 2);
    EXPECT_EQ(form->fileParcels()[0].name + form->fileParcels()[1].name, u"2740-12740-2"_s);
    EXPECT_EQ(prompts(), QStringList(u"メッセージ|"_s + LeftOut));
    EXPECT_EQ(planFileText(),
        u"地図名 AYA1anbou22B06_2000　熊毛郡屋久島町　測地系判別 変換（変換プログラム TKY2JGD）\n"_s
            + Source);
    // 書込 offers the map's name as a SIMA file's.
    menuAction(u"SimFileSave"_s)->trigger();
    EXPECT_EQ(fileDialogs(QFileInfo(RealZip).dir()).value(1),
        u"Save ＳＩＭファイル Files (*.sim)|46505-3411-1.sim|"_s);
    // The window's exports carry the source line too.
    QTemporaryDir dir;
    dialogs.chooseNextFile(dir.filePath(u"map.geojson"_s));
    menuAction(u"GeoJsonKmlExport"_s)->trigger();
    EXPECT_EQ(geoJsonSource(fileBytes(dir.filePath(u"map.geojson"_s))), Source + u"|166"_s);
}

// A map file dropped on the window or given at start is read as the menu
// reads it.
TEST_F(MapFileLoad, DroppedOrGivenAtStart)
{
    QTemporaryDir dir;
    const QString local = localMap(dir);
    FileReadAtStart(local).handTo(*form);
    EXPECT_EQ(list(1)->lines().size(), 164);
    EXPECT_EQ(form->currentFilePath(), local);
    EXPECT_EQ(form->zone(), geodesy::LocalZone);
    loadPoints({ { "A", "1", "2" } });
    EXPECT_EQ(form->zone(), 0);
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(RealZip) });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form.get(), &dropped);
    EXPECT_EQ(list(1)->lines().size(), 164);
    EXPECT_EQ(form->zone(), 2);
    EXPECT_EQ(prompts(), QStringList(2, u"メッセージ|"_s + LeftOut));
}

// Of several maps the user chooses one, each listed with its 大字名 and
// points; a cancel reads nothing.
TEST_F(MapFileLoad, TheUserChoosesAmongSeveralMaps)
{
    QTemporaryDir dir;
    const QString in = twoMaps(dir);
    load(in); // cancelled
    dialogs.chooseNextItem(1);
    load(in);
    EXPECT_EQ(dialogs.itemRequests,
        QStringList(2,
            u"地図XML読込|このファイルには地図が2枚あります。読む地図を選んで下さい。|"
            u"AYA1anbou22B06_2000　安房　164点\nOTHER_MAP　小瀬田　164点|0"_s));
    EXPECT_EQ(list(1)->lines().size(), 164);
    EXPECT_EQ(prompts(), QStringList(u"メッセージ|"_s + LeftOut));
    EXPECT_TRUE(planFileText().startsWith(u"地図名 OTHER_MAP　"_s));
}

// A file that is no map, broken XML, or a zip file without one: one message,
// and the lists, the zone and the plan's text stay as they were.
TEST_F(MapFileLoad, AFileThatIsNoMapChangesNothing)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(u"broken.xml"_s), other = dir.filePath(u"other.xml"_s),
                  empty = dir.filePath(u"empty.zip"_s);
    writeFile(broken, fileBytes(RealXml).left(1000));
    writeFile(other, "<?xml version=\"1.0\"?>\n<kml/>\n");
    test::writeZip(empty, { { u"readme.txt"_s, "no map" } });
    load(RealXml);
    dialogs.clearRecord();
    const std::pair<QString, QString> cases[] = {
        { broken,
            u"地図XMLの20行目が正しいXMLになっていません。ファイルが壊れているか、途中で切れています。"_s },
        { other, u"このファイルは地図XML（登記所備付地図データ）ではありません。"_s },
        { empty, u"このZIPファイルには地図XMLのファイルがありません。"_s },
    };
    for (const auto &[path, message] : cases) {
        load(path);
        EXPECT_EQ(prompts().takeLast(), u"エラーメッセージ|"_s + message) << path.toStdString();
    }
    EXPECT_EQ(prompts().size(), 3);
    EXPECT_EQ(list(1)->lines().size(), 164);
    EXPECT_EQ(form->zone(), 2);
    EXPECT_EQ(form->currentFilePath(), RealXml);
    EXPECT_TRUE(planFileText().startsWith(u"地図名 AYA1anbou22B06_2000　"_s));
}
