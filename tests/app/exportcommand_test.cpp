// tavorin --export OUT [--zone N] IN: its options, the real program without
// a display, and on Windows the console twin in a batch file.
#include "csvwriter.h"
#include "listline.h"
#include "mapfiles.h"
#include "simareader.h"
#include "simawriter.h"
#include "startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_WIN
const QByteArray Eol = "\r\n"; // the C runtime's text mode
#else
const QByteArray Eol = "\n";
#endif

const QString ZoneNeeded
    = u"平面直角座標系（系）を選んで下さい。「SIMAﾌｧｲﾙ」メニューの「平面直角座標系」"
      u"か、配置図の上の欄で選べます。"_s;

struct Ran
{
    int exitCode;
    QByteArray output;
    QByteArray errors;
};

// The program as a surveyor's loop starts it: no display, nothing of Qt's.
Ran run(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(u' ').toStdString();
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

QByteArray messageBytes(const QString &path, const QString &message)
{
    return (u"tavorin: "_s + path + u": "_s + message).toLocal8Bit() + Eol;
}

} // namespace

TEST(ExportOptions, ParsedOnceWithClearErrors)
{
    const struct
    {
        QStringList arguments;
        QString request; // OUT|IN|zone, or the error
    } cases[] = {
        { { "--export", "o.kml", "--zone", "9", "in.sim" }, "o.kml|in.sim|9" },
        { { "in.csv", "--export", "O.GeoJSON" }, "O.GeoJSON|in.csv|0" },
        { { "--export", "o.sim", "--zone", "19", "in.csv" }, "o.sim|in.csv|19" },
        { { "--export", "o.txt", "in.sim" },
            "tavorin: cannot write o.txt: give a name ending in .geojson, .kml, .sim, .csv\n" },
        { { "--export", "o.kml", "--zone", "0", "in.sim" },
            "tavorin: --zone takes a zone number from 1 to 19, not '0'\n" },
        { { "--export", "o.kml", "--zone", "20", "in.sim" },
            "tavorin: --zone takes a zone number from 1 to 19, not '20'\n" },
        { { "--export", "o.kml" }, "tavorin: --export needs the file to read\n" },
        { { "--zone", "9", "in.sim" }, "tavorin: --zone needs --export\n" },
        { { "--export", "o.sim", "a.sim", "b.sim" }, "tavorin: give at most one file\n" },
    };
    for (const auto &c : cases) {
        const CommandLine line = parseCommandLine(QStringList("tavorin") + c.arguments);
        EXPECT_TRUE(line.withoutWindow);
        const QString got = line.exportRequest
            ? line.exportRequest->outPath + u'|' + line.exportRequest->inPath + u'|'
                + QString::number(line.exportRequest->options.zone)
            : line.output;
        EXPECT_EQ(got, c.request) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(line.exitCode.value_or(0), line.exportRequest ? 0 : 1);
    }
}

TEST(ExportCommand, WritesEachFormatByItsExtensionWithoutADisplay)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"sample.sim"_s);
    ASSERT_TRUE(QFile::copy(u"" TAVORIN_SOURCE_DIR "/docs/sample.sim"_s, in));
    const Result<SimaReading> reading = readSima(fileBytes(in));
    ASSERT_TRUE(reading);
    QStringList lines;
    for (const PointRecord &point : reading->points)
        lines << ListLine::form(point);
    ASSERT_EQ(lines.size(), 23);
    const QList<MapPoint> placed = mapPoints(lines, 9);

    const struct
    {
        QString out;
        QStringList zone;
        QByteArray bytes;
    } cases[] = {
        { u"points.geojson"_s, { "--zone", "9" }, geoJsonBytes(placed, 9) },
        { u"points.kml"_s, { "--zone", "9" }, kmlBytes(placed, 9) },
        { u"points.sim"_s, {}, simaFileBytes(lines) },
        { u"points.csv"_s, { "--zone", "9" }, csvFileBytes(lines) },
    };
    for (const auto &c : cases) {
        const Ran done = run(u"" TAVORIN_EXECUTABLE ""_s,
            QStringList { u"--export"_s, dir.filePath(c.out) } + c.zone + QStringList(in));
        EXPECT_EQ(done.exitCode, 0) << c.out.toStdString() << done.errors.toStdString();
        EXPECT_EQ(done.output + done.errors, "");
        EXPECT_EQ(fileBytes(dir.filePath(c.out)), c.bytes) << c.out.toStdString();
    }
}

TEST(ExportCommand, FailuresWriteNothingAndSayTheWindowsMessageOnStandardError)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"sample.sim"_s);
    ASSERT_TRUE(QFile::copy(u"" TAVORIN_SOURCE_DIR "/docs/sample.sim"_s, in));
    QFile empty(dir.filePath(u"empty.sim"_s));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly) && empty.write("A00,\r\nA99,\r\n") == 12);
    empty.close();
    const QString out = dir.filePath(u"out.kml"_s);
    const struct
    {
        QStringList arguments;
        QByteArray errors;
    } cases[] = {
        { { "--export", out, in }, messageBytes(in, ZoneNeeded) },
        { { "--export", out, "--zone", "9", dir.filePath(u"none.sim"_s) },
            messageBytes(dir.filePath(u"none.sim"_s), u"エラーコード  53"_s) },
        { { "--export", out, "--zone", "9", empty.fileName() },
            messageBytes(empty.fileName(), u"座標のある測点がありません。"_s) },
        { { "--export", dir.filePath(u"no/out.sim"_s), in },
            messageBytes(dir.filePath(u"no/out.sim"_s), u"エラーコード  76"_s) },
    };
    for (const auto &c : cases) {
        const Ran done = run(u"" TAVORIN_EXECUTABLE ""_s, c.arguments);
        EXPECT_EQ(done.exitCode, 1);
        EXPECT_EQ(done.output, "");
        EXPECT_EQ(done.errors, c.errors) << c.arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList({ u"empty.sim"_s, u"sample.sim"_s }));
}

#ifdef TAVORIN_EXPORT_EXECUTABLE
// tavorin.exe is a window program, which a console neither waits for nor
// shows the output of; its console twin is what a batch file loops over.
TEST(ExportCommand, TheConsoleTwinGivesItsOutputAndExitCodeToABatchFile)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"sample.sim"_s);
    ASSERT_TRUE(QFile::copy(u"" TAVORIN_SOURCE_DIR "/docs/sample.sim"_s, in));
    // By a path with its drive, which Windows' cmd needs.
    const QString twin = QDir::toNativeSeparators(
        QFileInfo(u"" TAVORIN_EXPORT_EXECUTABLE ""_s).absoluteFilePath());
    QFile batch(dir.filePath(u"export.bat"_s));
    ASSERT_TRUE(batch.open(QIODevice::WriteOnly));
    batch.write(("@echo off\r\n\"" + twin
        + "\" --export out.kml sample.sim\r\n"
          "echo first %ERRORLEVEL%\r\n\""
        + twin
        + "\" --export out.kml --zone 9 sample.sim\r\n"
          "echo second %ERRORLEVEL%\r\n")
                    .toLocal8Bit());
    batch.close();
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
