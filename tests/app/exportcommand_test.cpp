// tavorin's command line: a file for the window, or --export OUT [options]
// IN without one; the real program without a display, and on Windows the
// console twin in a batch file.
#include "codepage932.h"
#include "commandline.h"
#include "commandtext.h"
#include "csvreader.h"
#include "csvwriter.h"
#include "dxffile.h"
#include "exporttext.h"
#include "listline.h"
#include "mapfiles.h"
#include "mappoints.h"
#include "planpdf.h"
#include "runprogram.h"
#include "scripteddialogs.h"
#include "simaparcels.h"
#include "simareader.h"
#include "simawriter.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <span>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

const QString ZoneNeeded
    = u"測点を地図に置く平面直角座標系（系）を選んで下さい。（--zone 1～19）"_s;

// docs/sample.sim copied into dir.
QString sample(const QTemporaryDir &dir)
{
    const QString in = dir.filePath(u"sample.sim"_s);
    EXPECT_TRUE(QFile::copy(u"" TAVORIN_SOURCE_DIR "/docs/sample.sim"_s, in));
    return in;
}

// A line as the program prints it.
QByteArray printed(const QString &line)
{
    return line.toLocal8Bit() + Eol;
}

QByteArray messageBytes(const QString &path, const QString &message)
{
    return printed(u"tavorin: "_s + path + u": "_s + message);
}

} // namespace

// What parseCommandLine makes of the arguments: the file the window opens
// ("open FILE"), an export's "OUT|IN|options" (optionsText, then the datum
// stated and "overwrite" where asked), or the exit code and what is printed.
QString parsed(const CommandLine &line)
{
    if (line.exitCode)
        return QString::number(*line.exitCode) + u' ' + line.output;
    if (line.exportRequest) {
        const ExportOptions &options = line.exportRequest->options;
        return line.exportRequest->outPath + u'|' + line.exportRequest->inPath + u'|'
            + optionsText(options) + (line.overwrite ? u" overwrite"_s : QString());
    }
    return u"open "_s + line.filePath;
}

TEST(CommandLine, ParsedOnceWithClearErrors)
{
    using Case = std::pair<QStringList, QString>; // the arguments, and what they parse to
    // One file for the window, wherever the options stand; Qt's own options
    // are QApplication's.
    const Case window[] = {
        { { "a.sim" }, "open a.sim" },
        { { "--", "-b.sim" }, "open -b.sim" },
        { { "-platform", "offscreen", "--style=fusion", "-reverse", "a.sim" }, "open a.sim" },
        { { "a.sim", "b.sim" }, "1 tavorin: 読み込むファイルは1つだけにして下さい。\n" },
        { { "--version", "a.sim" }, "0 tavorin 1.1\n" },
        { { "a.sim", "--bogus", "-x" },
            "1 tavorin: --bogus というオプションはありません。\n"
            "tavorin: -x というオプションはありません。\n" },
        { { "-bogus" }, "1 tavorin: -bogus というオプションはありません。\n" },
    };
    // An export and its options, and their errors, need no window.
    const Case exports[] = {
        { { "--export", "o.kml", "--zone", "9", "in.sim" }, "o.kml|in.sim|A4P 0 1 9" },
        { { "in.csv", "--export", "O.GeoJSON", "-platform", "offscreen" },
            "O.GeoJSON|in.csv|A4P 0 1 0" },
        { { "--export", "o.sim", "--zone", "19", "--overwrite", "in.csv" },
            "o.sim|in.csv|A4P 0 1 19 overwrite" },
        { { "--export", "o.csv", "--zone", "None", "in.sim" }, "o.csv|in.sim|A4P 0 1 -1" },
        { { "--export", "o.PDF", "--paper", "a3", "--landscape", "--scale", "1/250", "--date",
              "2025-04-01", "--datum", "2011", "in.sim" },
            "o.PDF|in.sim|A3L 250 1 0 2025-04-01 datum 2011" },
        { { "--export", "o.pdf", "--portrait", "--scale", "500", "--paper", "A4", "--datum", "2024",
              "in.sim" },
            "o.pdf|in.sim|A4P 500 1 0 datum 2024" },
        { { "--export", "o.pdf", "--datum", "2000", "in.sim" },
            "o.pdf|in.sim|A4P 0 1 0 datum 2000" },
        { { "--export", "o.pdf", "--datum", "Tokyo", "in.sim" },
            "o.pdf|in.sim|A4P 0 1 0 datum tokyo" },
        { { "--export", "o.dxf", "--text-height", "2.5", "in.sim" }, "o.dxf|in.sim|A4P 0 2.5 0" },
        { { "--export", "o.dxf", "--dxf-elevation", "in.sim" }, "o.dxf|in.sim|A4P 0 1 0 Z" },
        { { "--export", "o.txt", "in.sim" },
            "1 tavorin: o.txt: 書き出せない形式です。拡張子を .geojson, .kml, .sim, .csv, .pdf, "
            ".dxf のどれかにして下さい。\n" },
        { { "--export", "o.kml", "--zone", "20", "in.sim" },
            "1 tavorin: --zone には 1～19 の系の番号か none "
            "を指定して下さい。「20」は使えません。\n" },
        { { "--export", "o.kml", "--zone", "0", "in.sim" },
            "1 tavorin: --zone には 1～19 の系の番号か none "
            "を指定して下さい。「0」は使えません。\n" },
        { { "--export", "o.kml", "--zone", "-3", "in.sim" },
            "1 tavorin: --zone には 1～19 の系の番号か none "
            "を指定して下さい。「-3」は使えません。\n" },
        { { "--export", "o.kml", "--zone=-1", "in.sim" },
            "1 tavorin: --zone には 1～19 の系の番号か none "
            "を指定して下さい。「-1」は使えません。\n" },
        { { "--export", "o.pdf", "--paper", "B4", "in.sim" },
            "1 tavorin: --paper には A4 か A3 を指定して下さい。「B4」は使えません。\n" },
        { { "--export", "o.pdf", "--landscape", "--portrait", "in.sim" },
            "1 tavorin: --landscape と --portrait は、どちらか一方にして下さい。\n" },
        { { "--export", "o.pdf", "--scale", "0", "in.sim" },
            "1 tavorin: --scale には縮尺 1/N の N を、500 のような整数で指定して下さい。"
            "「0」は使えません。\n" },
        { { "--export", "o.pdf", "--scale", "1000000000000001", "in.sim" },
            "1 tavorin: --scale には縮尺 1/N の N を、500 のような整数で指定して下さい。"
            "「1000000000000001」は使えません。\n" },
        { { "--export", "o.pdf", "--date", "2025-02-29", "in.sim" },
            "1 tavorin: --date には日付を YYYY-MM-DD の形で指定して下さい。"
            "「2025-02-29」は使えません。\n" },
        { { "--export", "o.pdf", "--datum", "1990", "in.sim" },
            "1 tavorin: --datum には 2024、2011、2000、tokyo のどれかを指定して下さい。"
            "「1990」は使えません。\n" },
        { { "--export", "o.dxf", "--text-height", "0", "in.sim" },
            "1 tavorin: --text-height には 0.01～1000 の高さをメートルで指定して下さい。"
            "「0」は使えません。\n" },
        { { "--export", "o.kml", "--paper", "A3", "in.sim" },
            "1 tavorin: --paper は .pdf ファイルへの --export と一緒に使います。\n" },
        { { "--export", "o.dxf", "--datum", "2024", "in.sim" },
            "1 tavorin: --datum は .pdf ファイルへの --export と一緒に使います。\n" },
        { { "--scale", "500", "in.sim" },
            "1 tavorin: --scale は .pdf ファイルへの --export と一緒に使います。\n" },
        { { "--export", "o.pdf", "--dxf-elevation", "in.sim" },
            "1 tavorin: --dxf-elevation は .dxf ファイルへの --export と一緒に使います。\n" },
        { { "--export", "o.kml" }, "1 tavorin: --export には読み込むファイルが要ります。\n" },
        { { "--zone", "9", "in.sim" }, "1 tavorin: --zone は --export と一緒に使います。\n" },
        { { "--overwrite", "in.sim" }, "1 tavorin: --overwrite は --export と一緒に使います。\n" },
        { { "--export", "o.kml", "in.sim", "--zone" },
            "1 tavorin: --zone の後に値がありません。\n" },
        { { "--export", "o.sim", "--landscape=yes", "in.sim" },
            "1 tavorin: --landscape は値を取りません。\n" },
        { { "--export", "o.sim", "a.sim", "b.sim" },
            "1 tavorin: 読み込むファイルは1つだけにして下さい。\n" },
    };
    for (const auto &[cases, withoutWindow] : { std::pair(std::span<const Case>(window), false),
             std::pair(std::span<const Case>(exports), true) }) {
        for (const auto &[arguments, expected] : cases) {
            const CommandLine line = parseCommandLine(QStringList("tavorin") + arguments);
            const std::string what = arguments.join(u' ').toStdString();
            EXPECT_EQ(parsed(line), expected) << what;
            EXPECT_EQ(line.withoutWindow, withoutWindow) << what;
            EXPECT_EQ(line.paints, arguments.contains(u"o.pdf"_s, Qt::CaseInsensitive)) << what;
        }
    }
}

// --help and --version print on standard output, and a bad option is
// refused before Qt looks for a display, which there is none of.
TEST(CommandLine, TheRealProgramAnswersWithoutADisplay)
{
    EXPECT_EQ(runProgram({ u"--version"_s }), "0|tavorin 1.1" + Eol + '|');
    const QByteArray help = runProgram({ u"--help"_s });
    EXPECT_TRUE(help.startsWith("0|"
        + printed(u"使い方: tavorin [オプション] [FILE.sim|FILE.csv|FILE.xml|FILE.zip]"_s)
        + printed(
            u"SIMA座標ファイル（*.sim）やCSVファイル（*.csv）の測点を、シリアルポートにつない"_s)))
        << help.toStdString();
    EXPECT_TRUE(help.contains(printed(
        u"  --overwrite                     --export で：OUT がすでにあれば置き換えます。"_s)))
        << help.toStdString();
    const QByteArray bogus = "1||" + printed(u"tavorin: --bogus というオプションはありません。"_s);
    EXPECT_EQ(runProgram({ "--bogus" }), bogus);
    EXPECT_EQ(runProgram({ "a.sim", "--bogus" }), bogus);
    EXPECT_EQ(runProgram({ "-platform", "offscreen", "--bogus" }), bogus);
}

TEST(ExportCommand, WritesEachFormatByItsExtensionWithoutADisplay)
{
    QTemporaryDir dir;
    const QString in = sample(dir);
    const Result<SimaReading> reading = readSima(fileBytes(in));
    ASSERT_TRUE(reading);
    const QList<MapPoint> placed = mapPoints(reading->records, 9);
    const QString title = planTitle(reading->jobName, in);

    const std::tuple<QString, QStringList, QByteArray> cases[] = {
        { u"points.geojson"_s, { "--zone", "9" }, geoJsonBytes(placed, 9) },
        { u"points.kml"_s, { "--zone", "9" }, kmlBytes(placed, 9) },
        { u"points.sim"_s, {}, simaRecordBytes(reading->records, title) },
        // No map: 系なし is no hindrance.
        { u"points.csv"_s, { "--zone", "none" }, csvRecordBytes(reading->records) },
        { u"points.dxf"_s, { "--text-height", "2.5" },
            dxf::fileBytes(reading->records, { 2.5, false }) },
        { u"points-z.dxf"_s, { "--dxf-elevation" }, dxf::fileBytes(reading->records, { 1, true }) },
    };
    for (const auto &[out, options, bytes] : cases) {
        EXPECT_EQ(
            runProgram(QStringList { u"--export"_s, dir.filePath(out) } + options << in), "0||");
        EXPECT_EQ(fileBytes(dir.filePath(out)), bytes) << out.toStdString();
    }
}

// A web GIS's SIMA file: its whole names, numbers and elevations reach the
// SIMA and CSV files, which read back as the same points.
TEST(ExportCommand, KeepsTheFilesOwnPointsWholeInSimaAndCsv)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"site.sim"_s);
    ASSERT_TRUE(QFile::copy(
        u"" TAVORIN_SHARED_DATA_DIR "/sima-real/kmrjs-polygonGeoJSON.simaObjSpaced.sim"_s, in));
    const Result<SimaReading> original = readSima(fileBytes(in));
    ASSERT_TRUE(original && original->records.size() == 26);
    const auto withoutLines = [](FilePoints points) {
        for (FilePoint &p : points)
            p = FilePoint(p.number(), p.name(), p.x(), p.y(), p.elevation(), 0);
        return points;
    };

    const QString sim = dir.filePath(u"out.sim"_s);
    const QString csv = dir.filePath(u"out.csv"_s);
    EXPECT_EQ(runProgram({ u"--export"_s, sim, in }), "0||");
    EXPECT_EQ(runProgram({ u"--export"_s, csv, in }), "0||");
    const QByteArray simBytes = fileBytes(sim);
    EXPECT_TRUE(simBytes.startsWith(cp932::encode(u"G00,01,site.sim,\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n"
                                                  u"A01,2640,Auto-3374,-23795.960,-32832.251,0.000,"
                                                  u"\r\nA01,2695,Auto-3423,"_s)))
        << simBytes.left(200).toStdString();
    const Result<SimaReading> again = readSima(simBytes);
    ASSERT_TRUE(again && again->ending);
    EXPECT_EQ(withoutLines(again->records), withoutLines(original->records));

    // CAD gets the whole names too, the elevations when asked, and the
    // file's parcels.
    const QString dxfPath = dir.filePath(u"out.dxf"_s);
    EXPECT_EQ(runProgram({ u"--export"_s, dxfPath, u"--dxf-elevation"_s, in }), "0||");
    const QByteArray dxfBytes = fileBytes(dxfPath);
    EXPECT_EQ(dxfBytes,
        dxf::fileBytes(
            original->records, { 1, true }, readSimaParcels(fileBytes(in), original->records)));
    EXPECT_TRUE(dxfBytes.contains("\r\nAuto-3374\r\n"));

    const QByteArray csvBytes = fileBytes(csv);
    EXPECT_TRUE(
        csvBytes.startsWith(cp932::encode(u"点番号,点名,X,Y,標高\r\n"
                                          u"2640,Auto-3374,-23795.960,-32832.251,0.000\r\n"_s)))
        << csvBytes.left(200).toStdString();
    const Result<CsvReading> fromCsv = readCsv(csvBytes);
    ASSERT_TRUE(fromCsv && fromCsv->fault == CsvFault::None);
    EXPECT_EQ(withoutLines(fromCsv->records), withoutLines(original->records));
}

// The sheet by the options, the title from the file's job name, the scale,
// the zone's line, and the footer dated today unless --date says otherwise.
TEST(ExportCommand, WritesThePlanOnTheSheetAndScaleAsked)
{
    QTemporaryDir dir;
    const QString in = u"" TAVORIN_SOURCE_DIR "/docs/sample.sim"_s;
    const QString pdf = dir.filePath(u"plan.pdf"_s);
    const QString today = QDate::currentDate().toString(u"yyyy年M月d日"_s);
    // The plan replaces the one before; a chosen scale may leave points off
    // the page, which is said.
    const std::tuple<QStringList, QString, QString, QString, QByteArray> cases[] = {
        { { "--landscape", "--zone", "9", "--datum", "2024" }, u"842 x 595 pts (A4)"_s,
            u"本町二丁目 境界測量 S=1/2500"_s,
            u"座標系 Ⅸ系 測地系 世界測地系（測地成果2024） 作成日 "_s + today + u" 1/2"_s, {} },
        { { "--paper", "A3", "--scale", "250", "--date", "2025-04-01", "--overwrite" },
            u"842 x 1191 pts (A3)"_s, u"本町二丁目 境界測量 S=1/250"_s, u"作成日 2025年4月1日 1/2"_s,
            messageBytes(pdf, u"S=1/250 では 12 点が図面の外になります。"_s) },
    };
    for (const auto &[options, size, first, last, notes] : cases) {
        const QByteArray ran = runProgram(QStringList { "--export", pdf } + options << in);
        ASSERT_EQ(ran, "0||" + notes);
        POPPLER(info, u"pdfinfo"_s, { pdf });
        EXPECT_EQ(pageLines(*info).filter(QRegularExpression(u"^(Title|Page size):"_s)),
            QStringList({ u"Title: 本町二丁目 境界測量"_s, u"Page size: "_s + size }));
        POPPLER(text, u"pdftotext"_s, { u"-layout"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
        const QStringList page = pageLines(*text);
        EXPECT_EQ(page.first() + u'|' + page.last(), first + u'|' + last);
    }
}

// Nothing is written over the file read, by whatever name, nor over an
// existing file without --overwrite, which is checked before reading.
TEST(ExportCommand, FailuresWriteNothingAndSayTheWindowsMessageOnStandardError)
{
    QTemporaryDir dir;
    const QString in = sample(dir), empty = dir.filePath(u"empty.sim"_s);
    const QByteArray sampleBytes = fileBytes(in);
    writeFile(empty, "A00,\r\nA99,\r\n");
    const QString cut = dir.filePath(u"cut.sim"_s);
    writeFile(cut, "A00,\r\nA01,1,P1,-35000.000,18000.000,\r\n");
    const QString csv = dir.filePath(u"site.csv"_s);
    writeFile(csv, "old\r\n");
    QStringList files { u"cut.sim"_s, u"empty.sim"_s, u"sample.sim"_s, u"site.csv"_s };
#ifdef Q_OS_WIN
    const QString sameFile = dir.filePath(u"SAMPLE.SIM"_s);
#else
    const QString sameFile = dir.filePath(u"link.sim"_s);
    ASSERT_TRUE(QFile::link(in, sameFile));
    files.insert(2, u"link.sim"_s);
#endif
    const QString out = dir.filePath(u"out.kml"_s), none = dir.filePath(u"none.sim"_s);
    const QString sameAsInput = u"読み込むファイルと同じファイルには書き出せません。"_s;
    const QString exists
        = u"同じ名前のファイルがもうあります。置き換えるときは --overwrite を付けて下さい。"_s;
    const std::pair<QStringList, QByteArray> cases[] = {
        { { "--export", out, in }, messageBytes(in, ZoneNeeded) },
        { { "--export", out, "--zone", "9", none }, messageBytes(none, u"エラーコード  53"_s) },
        { { "--export", out, "--zone", "9", empty },
            messageBytes(empty, u"座標のある測点がありません。"_s) },
        { { "--export", dir.filePath(u"no/out.pdf"_s), in },
            messageBytes(dir.filePath(u"no/out.pdf"_s), u"エラーコード  76"_s) },
        { { "--export", dir.filePath(u"out.dxf"_s), empty },
            messageBytes(empty, u"座標のある測点がありません。"_s) },
        { { "--export", dir.filePath(u"out.sim"_s), cut },
            messageBytes(cut, u"エラーコード  62"_s) },
        { { "--export", dir.filePath(u"out.geojson"_s), "--zone", "none", in },
            messageBytes(in, exporttext::LocalZoneNoMap) },
        { { "--export", in, in }, messageBytes(in, sameAsInput) },
        { { "--export", dir.path() + u"/./sample.sim"_s, "--overwrite", in },
            messageBytes(dir.path() + u"/./sample.sim"_s, sameAsInput) },
        { { "--export", sameFile, "--overwrite", in }, messageBytes(sameFile, sameAsInput) },
        { { "--export", in, csv }, messageBytes(in, exists) },
        { { "--export", csv, none }, messageBytes(csv, exists) },
    };
    for (const auto &[arguments, errors] : cases)
        EXPECT_EQ(runProgram(arguments), "1||" + errors) << arguments.join(u' ').toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), files);
    EXPECT_EQ(fileBytes(in), sampleBytes);
    EXPECT_EQ(fileBytes(csv), "old\r\n");

    EXPECT_EQ(runProgram({ "--export", csv, "--overwrite", in }), "0||");
    const Result<SimaReading> reading = readSima(sampleBytes);
    ASSERT_TRUE(reading);
    EXPECT_EQ(fileBytes(csv), csvRecordBytes(reading->records));
}

// A CSV file's zone places its points on the map without --zone, and
// --zone over it; a point beyond the zone's reach is left out, and said to
// be.
TEST(ExportCommand, TakesTheCsvFilesZoneAndSaysWhatTheMapLeavesOut)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"site.csv"_s);
    writeFile(in,
        cp932::encode(u"点名,X,Y,系\r\nT1,-35000.000,18000.000,9\r\nT2,-34990.000,18010.000,9\r\n"
                      u"遠,1000000.001,0.000,9\r\n"_s));
    const Result<CsvReading> reading = readCsv(fileBytes(in));
    ASSERT_TRUE(reading && reading->records.size() == 3);
    const std::pair<QStringList, int> cases[] = { { {}, 9 }, { { "--zone", "10" }, 10 } };
    for (const auto &[options, zone] : cases) {
        const QString out = dir.filePath(u"site%1.geojson"_s.arg(zone));
        EXPECT_EQ(runProgram(QStringList { "--export", out } + options << in),
            "0||"
                + messageBytes(
                    out, u"1 点は系の原点から1000 kmより遠いので、書き出しませんでした。"_s));
        const QByteArray bytes = fileBytes(out);
        EXPECT_EQ(bytes, geoJsonBytes(mapPoints(reading->records, zone), zone));
        EXPECT_EQ(bytes.count(u"\"系\": %1,"_s.arg(zone).toUtf8()), 2);
    }
}

#ifdef TAVORIN_EXPORT_EXECUTABLE
// tavorin.exe is a window program, which a console neither waits for nor
// shows the output of; its console twin is what a batch file loops over.
TEST(ExportCommand, TheConsoleTwinGivesItsOutputAndExitCodeToABatchFile)
{
    QTemporaryDir dir;
    sample(dir);
    // By a path with its drive, which Windows' cmd needs.
    const QString twin = QDir::toNativeSeparators(
        QFileInfo(u"" TAVORIN_EXPORT_EXECUTABLE ""_s).absoluteFilePath());
    writeFile(dir.filePath(u"export.bat"_s),
        ("@echo off\r\n\"" + twin
            + "\" --export out.kml sample.sim\r\necho first %ERRORLEVEL%\r\n\"" + twin
            + "\" --export out.kml --zone 9 sample.sim\r\necho second %ERRORLEVEL%\r\n")
            .toLocal8Bit());
    QProcess cmd;
    cmd.setWorkingDirectory(dir.path());
    cmd.start(u"cmd.exe"_s, { u"/c"_s, u"export.bat"_s });
    ASSERT_TRUE(cmd.waitForFinished(60000));
    EXPECT_EQ(cmd.readAllStandardOutput(), "first 1\r\nsecond 0\r\n");
    EXPECT_EQ(cmd.readAllStandardError(), messageBytes(u"sample.sim"_s, ZoneNeeded));
    EXPECT_EQ(fileBytes(dir.filePath(u"out.kml"_s)).left(38),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}
#endif
