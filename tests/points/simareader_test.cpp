#include "codepage932.h"
#include "failure.h"
#include "simareader.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// A reading as one text: its points as [name|x|y], then the failure that
// ended it (0 at "A99"); "none" and the failure when the records never began.
std::string outcome(const Result<SimaReading> &reading)
{
    if (!reading)
        return "none " + std::to_string(reading.failure());
    std::string text;
    for (const PointRecord &p : reading->points)
        text
            += "[" + p.name.toStdString() + "|" + p.x.toStdString() + "|" + p.y.toStdString() + "]";
    return text + " " + std::to_string(reading->ending.failure());
}

const QByteArray Header = "G00, 1,TITLE,\r\nZ00,,\r\nA00,\r\n";

QByteArray file(const QByteArray &records)
{
    return Header + records + "A99,\r\n";
}

TEST(SimaReader, ReadsPointsBeginningAndFailure)
{
    const std::tuple<const char *, QByteArray, const char *> cases[] = {
        { "no points between A00 and A99", "A00,\r\nA99,\r\n", " 0" },
        { "no A00: nothing begins", "G00, 1,T,\r\nA01,1,P,1,2,,\r\nA99,\r\n", "none 62" },
        { "an empty file", "", "none 62" },
        { "A00 line without its line end", "G00,1,\r\nA00,", "none 62" },
        { "a last record cut before its Y", Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,", "[P|1|2] 62" },
        { "a last record cut after its Y", Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,4",
            "[P|1|2][Q|3|4] 62" },
        { "A99 without its line end", Header + "A01,1,P,1,2,,\r\nA99", "[P|1|2] 0" },
        { "any tag but A99 is a point record, a99 too",
            file("B01,1,P,1,2,,\r\na99,2,Q,3,4,,\r\nA02,3,R,5,6,,\r\n"),
            "[P|1|2][Q|3|4][R|5|6] 0" },
        { "one record per line: missing final comma, elevation, fields; extra fields",
            file("A01,1,P,1,2,0\r\nA01,2,Q,3,4\r\nA01,3,R,5\r\nA01\r\nA01,5,S,6,7,,x,y,z,\r\n"),
            "[P|1|2][Q|3|4][R|5|][||][S|6|7] 0" },
        { "A99 in a name or coordinate does not end the reading",
            file("A01,1,A99,A99,A99,,\r\nA01,2,Q,3,4,,\r\n"), "[A99|A99|A99][Q|3|4] 0" },
        { "blanks and tabs around fields are dropped",
            file("A01,    1,   P 1   ,\t-1.5\t, 2.5 ,,\r\n"), "[P 1|-1.5|2.5] 0" },
        { "a padded field longer than what is kept",
            file("A01,1,AB" + QByteArray(100, ' ') + ",1,2,,\r\nA01,2,CD" + QByteArray(100, ' ')
                + "E,1,2,,\r\n"),
            "[AB|1|2][CD      |1|2] 0" },
        { "quotes keep commas and spaces; an unclosed one ends at the line end",
            file("A01,1,\" P, 1\" skipped,\"1,5\",2,,\r\nA01,2,\"P,1\r\n"),
            "[ P, 1|1,5|2][P,1||] 0" },
        { "blank lines are skipped, a line of commas is not",
            file("\r\n   \r\nA01,1,P,1,2,,\r\n\r\n\t\r\n,,,\r\n"), "[P|1|2][||] 0" },
        { "0x1A ends the file", Header + "A01,1,P,1,2,,\r\n\x1A" + "A99,\r\n", "[P|1|2] 62" },
        { "A00 may stand anywhere before the records",
            "Z00,A00,ignored\r\nA01,1,P,1,2,,\r\nA99,\r\n", "[P|1|2] 0" },
        { "only what comes before A99 is read", file("A01,1,P,1,2,,\r\n") + "A01,2,Q,3,4,,\r\n\x1A",
            "[P|1|2] 0" },
        { "UTF-8 with a byte order mark before A00",
            "\xEF\xBB\xBF" + (u"A00,\r\nA01,1,基準点,1,2,,\r\nA99,\r\n"_s).toUtf8(),
            "[基準点|1|2] 0" },
        { "UTF-8 with a byte order mark, its other characters of two bytes",
            "\xEF\xBB\xBF" + (u"A00,\r\nA01,1,α1,25°,é,,\r\nA99,\r\n"_s).toUtf8(), "[α1|25°|é] 0" },
        { "UTF-8 without a byte order mark", file(u"A01,1,ﾃﾞｰﾀ点,1,2,,\r\n"_s.toUtf8()),
            "[ﾃﾞｰﾀ点|1|2] 0" },
        { "UTF-8 cut inside its last character",
            (u"A00,\r\nA01,1,基準点,1,2,,\r\nA01,2,点"_s).toUtf8().chopped(1), "[基準点|1|2] 62" },
        // As a web GIS writes it: LF line ends, half-width katakana in the
        // title, a parcel section after the points, and a second A99.
        { "a file written by a web GIS",
            cp932::encode(
                u"G00,01,現場ﾃﾞｰﾀ,\nZ00,座標ﾃﾞｰﾀ,\nA00,\nA01,1,K-1,-23795.960,"
                u"-32832.251,0.000,\nA01,2,ｸｲ2,-23898.372,-32863.633,0.000,\nA99,\n"
                u"Z00,区画ﾃﾞｰﾀ,\nD00,1,669,1,\nB01,1,K-1,\nB01,2,ｸｲ2,\nD99,\nA99,END\n"_s),
            "[K-1|-23795.960|-32832.251][ｸｲ2|-23898.372|-32863.633] 0" },
        // ﾄｳ is C4 B3, also well-formed UTF-8 (U+0133): still code page 932.
        { "code page 932 katakana pairs that look like two-byte UTF-8",
            file("A01,1," + cp932::encode(u"ﾄｳ") + ",1,2,,\r\n"), "[ﾄｳ|1|2] 0" },
        { "bytes invalid in code page 932 read as U+FFFD, a lead byte at a field end too",
            file("A01,1,\x85\x40P\x80,1,2,,\r\nA01,2,P\x82,3,4,,\r\n"),
            "[\uFFFDP\uFFFD|1|2][P\uFFFD|3|4] 0" },
    };
    for (const auto &[what, bytes, read] : cases) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(outcome(readSima(bytes)), read) << what;
        EXPECT_EQ(outcome(readSima(buffer)), read) << what;
    }
}

TEST(SimaReader, TakesTenThousandAndOnePointsAndFailsWithNineOnTheNext)
{
    for (const int count : { 10001, 10002 }) {
        QByteArray bytes = Header;
        for (int i = 1; i <= count; ++i)
            bytes += "A01," + QByteArray::number(i) + ",P" + QByteArray::number(i)
                + ",1.5,-2.5,,\r\n";
        const Result<SimaReading> reading = readSima(bytes + "A99,\r\n");
        ASSERT_TRUE(reading);
        EXPECT_EQ(
            reading->ending.failure(), count == 10001 ? 0 : failurenumber::SubscriptOutOfRange);
        ASSERT_EQ(reading->points.size(), 10001);
        EXPECT_EQ(reading->points.last(), (PointRecord { "P10001", "1.5", "-2.5" }));
    }
}

TEST(SimaReader, KeepsTheJobNameOfTheFirstG00RecordBeforeA00)
{
    const QByteArray records = "A00,\r\nA01,1,P,1,2,,\r\nA99,\r\n";
    const QByteArray forty = QByteArray("0123456789").repeated(4);
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        { "as this program writes it, its padding dropped",
            cp932::encode(u"G00, 1,ＳＩＭＡファイル                                ,\r\nZ00,,\r\n"),
            u"ＳＩＭＡファイル"_s },
        { "no G00 record", "Z00,G00,NAME,\r\n", QString() },
        { "a G00 record without a job name", "G00, 1\r\nZ00,,\r\n", QString() },
        { "the first G00 record counts", "G00,1,FIRST,\r\nG00,1,SECOND,\r\n", u"FIRST"_s },
        { "quoted, with a comma and blanks", "G00,1,\" Job, 2 \",\r\n", u" Job, 2 "_s },
        { "cut to 40 characters", "G00,1," + forty + "XYZ,\r\n", QString::fromLatin1(forty) },
        { "half-width katakana and kanji in code page 932",
            "G00,1," + cp932::encode(u"ｺﾞﾃﾝ現場") + ",\r\n", u"ｺﾞﾃﾝ現場"_s },
        { "UTF-8", u"G00,1,五反田現場,\r\n"_s.toUtf8(), u"五反田現場"_s },
        { "a lower-case tag is no G00 record", "g00,1,JOB,\r\n", QString() },
    };
    for (const auto &[what, header, jobName] : cases) {
        const Result<SimaReading> reading = readSima(header + records);
        ASSERT_TRUE(reading) << what;
        EXPECT_EQ(reading->jobName, jobName) << what;
        EXPECT_EQ(outcome(reading), "[P|1|2] 0") << what;
    }
    // A G00 record after A00 is a point record, and no job name.
    EXPECT_EQ(readSima(QByteArray("A00,\r\nG00,1,JOB,2,,\r\nA99,\r\n"))->jobName, QString());
}

// Hands out its data 7 bytes at a time and then fails to read.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(const QByteArray &data)
    {
        setData(data);
        open(ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = QBuffer::readData(data, std::min<qint64>(maxSize, 7));
        return n > 0 ? n : -1;
    }
};

TEST(SimaReader, AFailingReadGivesFiftySevenAndKeepsThePointsBefore)
{
    FailingDevice afterPoints(Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,4,,\r\nA01,3,R");
    EXPECT_EQ(outcome(readSima(afterPoints)), "[P|1|2][Q|3|4] 57");
    FailingDevice beforeBegin("G00,1,\r\nZ00,");
    EXPECT_EQ(outcome(readSima(beforeBegin)), "none 57");
}

} // namespace

namespace {

// A record as one text: number|name|x|y|elevation@line.
std::string recordText(const FilePoint &r)
{
    return (r.number() + u'|' + r.name() + u'|' + r.x() + u'|' + r.y() + u'|' + r.elevation() + u'@'
        + QString::number(r.line()))
        .toStdString();
}

} // namespace

// Each record whole beside its point, whose name keeps 8 characters and
// coordinates 13; lines end in CR LF, LF or CR.
TEST(SimaReader, KeepsWhatTheFileSaysOfEachPointWholeBesideTheCutPoints)
{
    const QByteArray twenty = "ABCDEFGHIJKLMNOPQRST";
    const QByteArray kanji = cp932::encode(u"境界点東側第一号杭");
    const Result<SimaReading> reading
        = readSima("G00,01,,\r\nZ00,\r\nA00,\r\n"
                   "A01,2640,Auto-3374,-23795.960,-32832.251,0.000,\r\n"
                   "A01,  17 ,   "
            + twenty
            + "   ,1234567.890123456,-98765.4321098765,  12.345 ,\r\n"
              "\r\n"
              "A01,,"
            + kanji
            + ",1,2\n"
              "A01,3,\"a,b\",5,6,,\rA01\r\n"
              "A99,\r\n");
    ASSERT_TRUE(reading);
    std::vector<std::string> records;
    for (const FilePoint &r : reading->records)
        records.push_back(recordText(r));
    EXPECT_EQ(records,
        (std::vector<std::string> { "2640|Auto-3374|-23795.960|-32832.251|0.000@4",
            "17|ABCDEFGHIJKLMNOPQRST|1234567.890123456|-98765.4321098765|12.345@5",
            "|境界点東側第一号杭|1|2|@7", "3|a,b|5|6|@8", "||||@9" }));
    EXPECT_EQ(outcome(reading),
        "[Auto-337|-23795.960|-32832.251][ABCDEFGH|1234567.89012|-98765.432109]"
        "[境界点東側第一号|1|2][a,b|5|6][||] 0");
}

// The real files, each with its point count, every record in step with its
// point, the first record and the last point.
TEST(SimaReader, ReadsTheRealFilesWithTheirRecordsInStepWithThePoints)
{
    const auto polygon = std::pair("2640|Auto-3374|-23795.960|-32832.251|0.000@4",
        PointRecord { "Auto-460", "-23898.372", "-32863.633" });
    const auto point = std::pair("1|T-5965|-24010.239|-32836.454|0.000@3",
        PointRecord { "T-5926", "-24007.337", "-32837.018" });
    for (const auto &[name, count, firstAndLast] : {
             std::tuple("polygonGeoJSON.simaObj.sim", 26, polygon),
             std::tuple("polygonGeoJSON.simaObj.DERIVED-cp932.sim", 26, polygon),
             std::tuple("polygonGeoJSON.simaObjSpaced.sim", 26, polygon),
             std::tuple("pointGeoJSON.simasplitted.sim", 4, point),
             std::tuple("pointGeoJSON.simasplitedSpaced.sim", 4, point),
         }) {
        QFile file(
            QStringLiteral(TAVORIN_SHARED_DATA_DIR "/sima-real/kmrjs-") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const Result<SimaReading> reading = readSima(file);
        ASSERT_TRUE(reading && reading->ending) << name;
        ASSERT_EQ(reading->points.size(), count) << name;
        ASSERT_EQ(reading->records.size(), count) << name;
        for (qsizetype i = 0; i < count; ++i) {
            const FilePoint &r = reading->records[i];
            EXPECT_EQ(reading->points[i],
                (PointRecord { r.name().left(8), r.x().left(13), r.y().left(13) }))
                << name << ' ' << i;
        }
        EXPECT_EQ(recordText(reading->records.first()), firstAndLast.first) << name;
        EXPECT_EQ(reading->points.last(), firstAndLast.second) << name;
    }
}
