#include "codepage932.h"
#include "pointreading.h"
#include "simaparcels.h"
#include "simareader.h"
#include "simawriter.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// Parcels as one text: per parcel "number|name|type@line:" and its vertices
// as "number|name>record", a side as "(length/bearing)", then "!fault".
std::string outcome(const Parcels &parcels)
{
    QString text;
    for (const Parcel &parcel : parcels) {
        if (!text.isEmpty())
            text += u"; "_s;
        text += parcel.number + u'|' + parcel.name + u'|' + parcel.type + u'@'
            + QString::number(parcel.line) + u':';
        for (const ParcelVertex &vertex : parcel.vertices) {
            text += u' ' + vertex.number + u'|' + vertex.name + u'>'
                + QString::number(vertex.record);
            if (vertex.side)
                text += u'(' + vertex.side->length + u'/' + vertex.side->bearing + u')';
        }
        if (!parcel.isGood())
            text += u" !"_s + parcel.fault;
    }
    return text.toStdString();
}

// Five points: numbers 1 to 4, and one without a number named "N".
const QByteArray Points = "G00,01,T,\r\nA00,\r\n"
                          "A01,1,P1,10.0,10.0,,\r\nA01,2,P2,10.0,20.0,,\r\n"
                          "A01,3,P3,20.0,20.0,,\r\nA01,4,P4,20.0,10.0,,\r\n"
                          "A01,,N,15.0,15.0,,\r\nA99,\r\n";

Parcels parcelsOf(const QByteArray &bytes)
{
    const Result<SimaReading> reading = readSima(bytes);
    return readSimaParcels(bytes, reading ? reading->records : FilePoints {});
}

QByteArray realFile(const char *name)
{
    QFile file(QStringLiteral(TAVORIN_SHARED_DATA_DIR "/sima-real/kmrjs-") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the points' part of bytes ends: after the line "A99,".
QByteArray withoutParcels(const QByteArray &bytes)
{
    return bytes.left(bytes.indexOf("A99,\r\n") + 6);
}

TEST(SimaParcels, ReadsBlocksAfterThePoints)
{
    const std::tuple<const char *, QByteArray, std::string> cases[] = {
        { "a block with sides, blanks round fields",
            Points
                + "Z00,区画ﾃﾞｰﾀ,\r\nD00,   7 , 野田第４ ,1,\r\nB01,  1,P1  ,\r\n"
                  "C03,  9.485,340.5218 "
                  ",\r\nB01,2,P2,\r\nB01,3,P3,\r\nC03,1.5,90.0000,\r\nD99,\r\n",
            "7|野田第４|1@10: 1|P1>0(9.485/340.5218) 2|P2>1 3|P3>2(1.5/90.0000)" },
        { "A99,END after the last block, a block the file ends without D99",
            Points
                + "D00,1,A,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nD99,\r\nA99,END\r\n"
                  "D00,2,B,,\r\nB01,2,P2,\r\nB01,3,P3,\r\nB01,4,P4,",
            "1|A|1@9: 1|P1>0 2|P2>1 3|P3>2; 2|B|@15: 2|P2>1 3|P3>2 4|P4>3" },
        { "a D00 ends the block before it; LF alone ends lines",
            QByteArray(Points).replace("\r\n", "\n")
                + "D00,1,A,1,\nB01,1,P1,\nB01,2,P2,\nB01,4,P4,\nD00,2,B,1,\nB01,1,P1,\n"
                  "B01,3,P3,\nB01,4,P4,\nD99,\n",
            "1|A|1@9: 1|P1>0 2|P2>1 4|P4>3; 2|B|1@13: 1|P1>0 3|P3>2 4|P4>3" },
        { "found by number, by name without one; a known name does not save a wrong number",
            Points
                + "D00,1,A,1,\r\nB01,,N,\r\nB01,2,,\r\nB01,3,P3,\r\nD99,\r\n"
                  "D00,2,B,1,\r\nB01,1,P1,\r\nB01,9,P2,\r\nB01,3,P3,\r\nD99,\r\n",
            "1|A|1@9: |N>4 2|>1 3|P3>2; 2|B|1@14: 1|P1>0 9|P2>-1 3|P3>2 "
            "!頂点9（P2）の座標がありません。" },
        { "unresolved by name, a vertex of neither",
            Points
                + "D00,1,A,1,\r\nB01,,X1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nD99,\r\n"
                  "D00,2,B,1,\r\nB01,1,P1,\r\nB01,,,\r\nB01,3,P3,\r\nB01,7,\r\nD99,\r\n",
            "1|A|1@9: |X1>-1 2|P2>1 3|P3>2 !頂点「X1」の座標がありません。; 2|B|1@14: 1|P1>0 |>-1 "
            "3|P3>2 7|>-1 !点番号も点名もない頂点があります。" },
        { "too few vertices",
            Points + "D00,1,A,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nD99,\r\nD00,2,B,1,\r\nD99,\r\n",
            "1|A|1@9: 1|P1>0 2|P2>1 !頂点が2点しかありません。3点以上必要です。; 2|B|1@13: "
            "!頂点がありません。" },
        { "the same vertex twice in a row, the last and the first too",
            Points
                + "D00,1,A,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,2,P2,\r\nB01,3,P3,\r\nD99,\r\n"
                  "D00,2,B,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nB01,,P1,\r\nD99,\r\n"
                  "D00,3,C,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,1,P1,\r\nB01,3,P3,\r\nD99,\r\n",
            "1|A|1@9: 1|P1>0 2|P2>1 2|P2>1 3|P3>2 !頂点2（P2）が続けて2回あります。; 2|B|1@15: "
            "1|P1>0 2|P2>1 3|P3>2 |P1>0 !頂点「P1」が続けて2回あります。; 3|C|1@21: 1|P1>0 "
            "2|P2>1 1|P1>0 3|P3>2" },
        { "a side before any vertex or a second one is passed over, as is all else",
            Points
                + "B01,1,P1,\r\nD99,\r\nZ00,x,\r\nD00,1,A,1,\r\nC03,1,2,\r\nB01,1,P1,\r\n"
                  "C03,3,4,\r\nC03,5,6,\r\nZ00,note,\r\nB02,9,\r\n\r\n  \r\nB01,2,P2,\r\n"
                  "B01,3,P3,\r\nD99,\r\nB01,4,P4,\r\nC03,7,8,\r\n",
            "1|A|1@12: 1|P1>0(3/4) 2|P2>1 3|P3>2" },
        { "quoted fields keep their commas; fields past the type are ignored",
            Points + "D00,1,\"4,5-2\",1,x,y,\r\nB01,1,P1,z,\r\nB01,\"2\",P2,\r\nB01,3,P3\r\nD99",
            "1|4,5-2|1@9: 1|P1>0 2|P2>1 3|P3>2" },
        { "nothing after A99: no parcels; D00 before it is a point record",
            QByteArray(Points).replace("A99,", "D00,1,A,1,\r\nB01,1,P1,\r\nA99,"), "" },
        { "no A99, no parcels",
            QByteArray(Points).replace("A99,", "Z00,") + "D00,1,A,1,\r\nB01,1,P1,\r\n", "" },
        { "0x1A ends the file", Points + "D00,1,A,1,\r\n\x1A" + "B01,1,P1,\r\n",
            "1|A|1@9: !頂点がありません。" },
        { "CR alone ends lines; code page 932 names",
            QByteArray(Points).replace("\r\n", "\r")
                + cp932::encode(u"D00,1,野田ﾃﾞｰﾀ,1,\rB01,1,P1,\rB01,2,P2,\rB01,3,P3,\rD99,\r"_s),
            "1|野田ﾃﾞｰﾀ|1@9: 1|P1>0 2|P2>1 3|P3>2" },
        { "UTF-8 names where the points are ASCII alone",
            Points
                + (u"D00,1,野田第４,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nD99,\r\n"_s)
                      .toUtf8(),
            "1|野田第４|1@9: 1|P1>0 2|P2>1 3|P3>2" },
    };
    for (const auto &[what, bytes, expected] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(outcome(parcelsOf(bytes)), expected);
        // The parcels change nothing the point reader reads.
        const Result<SimaReading> with = readSima(bytes), without = readSima(Points);
        if (bytes.startsWith(Points)) {
            ASSERT_TRUE(with && without);
            EXPECT_EQ(with->records, without->records);
            EXPECT_EQ(with->points, without->points);
            EXPECT_EQ(with->ending.failure(), 0);
        }
    }
}

// The real files' parcels: every vertex resolved to its point, and the points
// read the same as the file without its parcels.
TEST(SimaParcels, RealFiles)
{
    const std::string cp932Parcels = "1203|669|1@32: 3792 3816 3853 4007 3995 3916 3892 3961 3911 "
                                     "3699 3639 3764; 1210|673|1@46: 3324 3342 3504 3792 3764 "
                                     "3639 3539 3357 3180 3305; 1225|682|1@58: 2901 2695 2640 "
                                     "2732 2956 2995 3109 3305 3180";
    const std::pair<const char *, std::string> cases[] = {
        { "polygonGeoJSON.simaObj.sim", cp932Parcels },
        { "polygonGeoJSON.simaObjSpaced.sim", cp932Parcels },
        { "polygonGeoJSON.simaObj.DERIVED-cp932.sim", cp932Parcels },
        { "pointGeoJSON.simasplitted.sim", "1|446-2|1@8: 4 3 2 1" },
        { "pointGeoJSON.simasplitedSpaced.sim", "1|446-2|1@8: 4 3 2 1" },
    };
    for (const auto &[name, expected] : cases) {
        SCOPED_TRACE(name);
        const QByteArray bytes = realFile(name);
        const Result<SimaReading> reading = readSima(bytes);
        ASSERT_TRUE(reading && reading->ending);
        const Parcels parcels = readSimaParcels(bytes, reading->records);
        QString text;
        for (const Parcel &parcel : parcels) {
            text += (text.isEmpty() ? u""_s : u"; "_s) + parcel.number + u'|' + parcel.name + u'|'
                + parcel.type + u'@' + QString::number(parcel.line) + u':';
            EXPECT_EQ(parcel.fault, QString());
            for (const ParcelVertex &vertex : parcel.vertices) {
                text += u' ' + vertex.number;
                ASSERT_GE(vertex.record, 0);
                EXPECT_EQ(reading->records.at(vertex.record).number(), vertex.number);
                EXPECT_EQ(reading->records.at(vertex.record).name(), vertex.name);
                EXPECT_EQ(vertex.side, std::nullopt);
            }
        }
        EXPECT_EQ(text.toStdString(), expected);

        const Result<SimaReading> alone = readSima(withoutParcels(bytes));
        ASSERT_TRUE(alone);
        EXPECT_EQ(alone->records, reading->records);
        EXPECT_EQ(alone->points, reading->points);
        EXPECT_EQ(alone->jobName, reading->jobName);
    }
}

// Through readPointFile: parcels of a complete reading and of one cut short
// past the point table's 10001 points; none for a refused one.
TEST(SimaParcels, PointFileReadings)
{
    QByteArray full = "A00,\r\n";
    for (int i = 1; i <= PointTable::Size + 1; ++i)
        full += "A01," + QByteArray::number(i) + ",P,1,2,,\r\n";
    full += "A99,\r\nD00,1,A,1,\r\nB01,1,P,\r\nB01,2,P,\r\nB01,3,P,\r\nD99,\r\n"
            "D00,2,B,1,\r\nB01,1,P,\r\nB01,2,P,\r\nB01,10002,P,\r\nD99,\r\n";
    const std::tuple<const char *, QByteArray, PointFileReading::Ending, std::string> cases[] = {
        { "complete", realFile("pointGeoJSON.simasplitted.sim"), PointFileReading::Ending::Complete,
            "1|446-2|1@8: 4|T-5926>3 3|T-5929>2 2|T-5937>1 1|T-5965>0" },
        { "cut short", full, PointFileReading::Ending::CutShort,
            "1|A|1@10005: 1|P>0 2|P>1 3|P>2; 2|B|1@10010: 1|P>0 2|P>1 10002|P>-1 "
            "!頂点10002（P）の座標がありません。" },
        { "refused", "D00,1,A,1,\r\nA99,\r\nD00,1,A,1,\r\n", PointFileReading::Ending::Refused,
            "" },
    };
    QTemporaryDir dir;
    for (const auto &[what, bytes, ending, expected] : cases) {
        SCOPED_TRACE(what);
        const QString path = dir.filePath(QString::fromLatin1(what) + u".sim"_s);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const PointFileReading reading = readPointFile(path);
        EXPECT_EQ(reading.ending, ending);
        EXPECT_EQ(outcome(reading.parcels), expected);
        const Result<SimaReading> points = readSima(bytes);
        EXPECT_EQ(reading.records, points ? points->records : FilePoints {});
    }
}

// The records' own file carries the good parcels after its points, in their
// order with their sides, and reads back as the same parcels.
TEST(SimaParcels, WrittenWithTheRecordsAndReadBack)
{
    const QByteArray bytes = Points
        + "D00,1,\"4,5\",,\r\nB01,1,P1,\r\nC03,9.485,340.5218,\r\nB01,,N,\r\nB01,3,P3,\r\nD99,\r\n"
          "D00,2,bad,1,\r\nB01,1,P1,\r\nD99,\r\n"
          "D00,3,野田第４,2,\r\nB01,4,P4,\r\nB01,3,P3,\r\nB01,2,P2,\r\nC03,1.0,0.0000,\r\n";
    const Result<SimaReading> reading = readSima(bytes);
    ASSERT_TRUE(reading);
    const Parcels parcels = readSimaParcels(bytes, reading->records);
    const QByteArray written = simaRecordBytes(reading->records, u"T"_s, parcels);
    EXPECT_EQ(written,
        simaRecordBytes(reading->records, u"T"_s)
            + cp932::encode(u"Z00,区画ﾃﾞｰﾀ,\r\nD00,1,\"4,5\",1,\r\nB01,1,P1,\r\n"
                            u"C03,9.485,340.5218,\r\nB01,,N,\r\nB01,3,P3,\r\nD99,\r\n"
                            u"D00,3,野田第４,2,\r\nB01,4,P4,\r\nB01,3,P3,\r\nB01,2,P2,\r\n"
                            u"C03,1.0,0.0000,\r\nD99,\r\n"_s));
    const Result<SimaReading> reread = readSima(written);
    ASSERT_TRUE(reread && reread->ending);
    EXPECT_EQ(outcome(readSimaParcels(written, reread->records)),
        "1|4,5|1@11: 1|P1>0(9.485/340.5218) |N>4 3|P3>2; 3|野田第４|2@17: 4|P4>3 3|P3>2 "
        "2|P2>1(1.0/0.0000)");

    // A real file read and written: the same parcels, the same points.
    const QByteArray real = realFile("polygonGeoJSON.simaObjSpaced.sim");
    const Result<SimaReading> realReading = readSima(real);
    ASSERT_TRUE(realReading);
    const Parcels realParcels = readSimaParcels(real, realReading->records);
    const QByteArray realWritten
        = simaRecordBytes(realReading->records, realReading->jobName, realParcels);
    const Result<SimaReading> realReread = readSima(realWritten);
    ASSERT_TRUE(realReread);
    EXPECT_EQ(realReread->records.size(), realReading->records.size());
    Parcels rereadParcels = readSimaParcels(realWritten, realReread->records);
    ASSERT_EQ(rereadParcels.size(), realParcels.size());
    for (qsizetype i = 0; i < realParcels.size(); ++i) {
        rereadParcels[i].line = realParcels[i].line;
        EXPECT_EQ(rereadParcels[i], realParcels[i]);
    }
}

} // namespace
