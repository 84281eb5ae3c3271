#include "codepage932.h"
#include "listline.h"
#include "simareader.h"
#include "simawriter.h"

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Head = "G00, 1," + QByteArray::fromHex("82728268826C8260837483408343838B")
    + QByteArray(32, ' ') + ",\r\nZ00,,\r\nZ00, " + QByteArray::fromHex("815E81408DC095578140815E")
    + ",\r\nA00,\r\n";

TEST(SimaWriter, WritesTheWorkedExampleByteForByteAndReadsItBack)
{
    const QList<PointRecord> points
        = { { "P1", "-1234.567", "890.120" }, { u"基準点1"_s, "12345.000", "-67890.500" } };
    const QByteArray written
        = simaFileBytes({ ListLine::form(points[0]), ListLine::form(points[1]) });
    EXPECT_EQ(written,
        Head + "A01,    1,P1          ,    -1234.567,      890.120,,\r\nA01,    2,"
            + QByteArray::fromHex("8AEE8F80935F31")
            + "        ,    12345.000,   -67890.500,,\r\nA99,\r\n");
    const Result<SimaReading> reading = readSima(written);
    ASSERT_TRUE(reading);
    EXPECT_TRUE(reading->ending);
    EXPECT_EQ(reading->points, points);
    EXPECT_EQ(simaFileBytes({}), Head + "A99,\r\n");
}

TEST(SimaWriter, LinePiecesAndTheNameReadBack)
{
    struct Case
    {
        const char *what;
        QString listLine;
        QByteArray a01;
        QString name;
    };
    const Case cases[] = {
        { "a short line gives short pieces", "AB", "A01,    1,AB          ,,,,", "AB" },
        { "a line cut inside X", "NAME    12345", "A01,    1,NAME        ,12345,,,", "NAME" },
        { "eight full-width characters take 16 bytes and 4 spaces",
            ListLine::form({ u"一二三四五六七八"_s, "1.0", "2.0" }),
            "A01,    1," + cp932::encode(u"一二三四五六七八")
                + "    ,          1.0,          2.0,,",
            u"一二三四五六七八"_s },
        { "a name with a comma is quoted without its blanks", " A,B    ",
            "A01,    1,\"A,B\"       ,,,,", "A,B" },
        { "a name beginning with a quote is quoted; quotes in it and line ends become ?",
            " \"A\"\r\nB ", "A01,    1,\"?A???B\"    ,,,,", "?A???B" },
        { "a quote later in a name is carried bare", "A\"B\x1A", "A01,    1,A\"B?        ,,,,",
            "A\"B?" },
    };
    for (const Case &c : cases) {
        const QByteArray written = simaFileBytes({ c.listLine });
        EXPECT_EQ(written, Head + c.a01 + "\r\nA99,\r\n") << c.what;
        const Result<SimaReading> back = readSima(written);
        ASSERT_TRUE(back) << c.what;
        EXPECT_EQ(back->points.value(0).name, c.name) << c.what;
    }
}

TEST(SimaWriter, PointNumbersAreRightAlignedInFiveAndNeverCut)
{
    const QList<QByteArray> written
        = simaFileBytes(QStringList(100000, ListLine::form({ "P", "1", "2" }))).split('\n');
    const QByteArray tail = ",P           ,            1,            2,,\r";
    EXPECT_EQ(written.at(4), "A01,    1" + tail);
    EXPECT_EQ(written.at(4 + 9999), "A01,10000" + tail);
    EXPECT_EQ(written.at(4 + 32767), "A01,32768" + tail);
    EXPECT_EQ(written.at(4 + 99999), "A01,100000" + tail);
}

} // namespace

// The file's own points, whole and unpadded, numbered by their place where
// the file had no numbers, and read back as they were.
TEST(SimaWriter, RecordsAsTheirFileHoldsThemReadBackTheSame)
{
    const FilePoints points = {
        { {}, u"a,b"_s, u"1"_s, u"2"_s, {}, 9 },
        { u"2640"_s, u"Auto-3374"_s, u"-23795.960"_s, u"-32832.251"_s, u"0.000"_s, 10 },
        { u"7"_s, u"境界点東側第一号杭"_s, u"1234567.890123456"_s, u"-98765.4321098765"_s,
            u"12.5"_s, 11 },
    };
    const QByteArray bytes = simaRecordBytes(points, u"現場,A"_s);
    EXPECT_EQ(bytes,
        cp932::encode(u"G00,01,\"現場,A\",\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n"
                      u"A01,1,\"a,b\",1,2,,\r\n"
                      u"A01,2640,Auto-3374,-23795.960,-32832.251,0.000,\r\n"
                      u"A01,7,境界点東側第一号杭,1234567.890123456,-98765.4321098765,12.5,\r\n"
                      u"A99,\r\n"_s));

    const Result<SimaReading> reading = readSima(bytes);
    ASSERT_TRUE(reading && reading->ending);
    EXPECT_EQ(reading->jobName, u"現場,A"_s);
    FilePoints expected;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const FilePoint &p = points[i];
        expected.append(
            { i == 0 ? u"1"_s : p.number(), p.name(), p.x(), p.y(), p.elevation(), i + 4 });
    }
    EXPECT_EQ(reading->records, expected);
}
