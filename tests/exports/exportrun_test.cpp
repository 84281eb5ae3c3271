// The command line's export of a SIMA file with parcels: the bad ones named
// on standard error, the others in the file, the exit code 0.
#include "exporting.h"
#include "pointreading.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// The textbook's parcel, one through a point beyond the zone's reach and
// one of two vertices.
const QByteArray ParcelFile
    = "G00,01,parcels,\r\nA00,\r\nA01,1,A,5.000,20.000,,\r\nA01,2,B,15.000,15.000,,\r\n"
      "A01,3,C,30.000,25.000,,\r\nA01,4,D,20.000,40.000,,\r\nA01,5,E,10.000,35.000,,\r\n"
      "A01,6,F,2000000.000,20.000,,\r\nA99,\r\n"
      "D00,1,A-1,1,\r\nB01,1,A,\r\nB01,2,B,\r\nB01,3,C,\r\nB01,4,D,\r\nB01,5,E,\r\nD99,\r\n"
      "D00,2,F-1,1,\r\nB01,1,A,\r\nB01,2,B,\r\nB01,6,F,\r\nD99,\r\n"
      "D00,3,AB,1,\r\nB01,1,A,\r\nB01,2,B,\r\nD99,\r\n";

TEST(ExportRun, BadParcelsAreNamedOnStandardErrorAndTheExitCodeStaysZero)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"parcels.sim"_s);
    test::writeFile(in, ParcelFile);
    const QString bad = u"tavorin: "_s + in
        + u": 筆 3 AB は書き出しませんでした。頂点が2点しかありません。3点以上必要です。\n"_s;
    const std::pair<QString, QString> cases[] = {
        { u"out.dxf"_s, QString() },
        { u"out.geojson"_s,
            u"1 点は系の原点から1000 kmより遠いので、書き出しませんでした。 1 "
            u"筆は地図に置けない頂点があるので、書き出しませんでした。"_s },
    };
    for (const auto &[name, note] : cases) {
        ExportRequest request { dir.filePath(name), in, {}, {} };
        request.options.zone = 9;
        const ExportOutcome outcome = runExport(request);
        EXPECT_EQ(QString::number(outcome.exitCode) + u'|' + outcome.errors + u'|' + outcome.notes,
            u"0||"_s + bad
                + (note.isEmpty() ? QString()
                                  : u"tavorin: "_s + request.outPath + u": "_s + note + u'\n'))
            << name.toStdString();
    }
}

// A real file's parcels written to .sim by the command line read back the
// same, in the same order, from their place after the points.
TEST(ExportRun, ASimaFileKeepsItsParcels)
{
    QTemporaryDir dir;
    const QString in = QStringLiteral(
        TAVORIN_SHARED_DATA_DIR "/sima-real/kmrjs-polygonGeoJSON.simaObjSpaced.sim");
    const ExportRequest request { dir.filePath(u"out.sim"_s), in, {}, {} };
    EXPECT_EQ(runExport(request).exitCode, 0);
    const PointFileReading read = readPointFile(in), written = readPointFile(request.outPath);
    ASSERT_TRUE(written.isComplete());
    EXPECT_EQ(written.records.size(), read.records.size());
    ASSERT_EQ(written.parcels.size(), 3);
    for (qsizetype i = 0; i < read.parcels.size(); ++i) {
        Parcel parcel = written.parcels.at(i);
        parcel.line = read.parcels.at(i).line;
        EXPECT_EQ(parcel, read.parcels.at(i)) << i;
    }
}

} // namespace
