#include "codepage932.h"
#include "failure.h"
#include "simareader.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QByteArray sjis(const QString &text)
{
    return cp932::encode(text);
}

std::string show(const QList<PointRecord> &points)
{
    std::string text;
    for (const PointRecord &p : points)
        text
            += "[" + p.name.toStdString() + "|" + p.x.toStdString() + "|" + p.y.toStdString() + "]";
    return text;
}

struct ReadCase
{
    const char *what;
    QByteArray bytes;
    QList<PointRecord> points;
    bool pointsBegun;
    int failure;
};

const QByteArray Header = "G00, 1,TITLE,\r\nZ00,,\r\nA00,\r\n";

QByteArray file(const QByteArray &records)
{
    return Header + records + "A99,\r\n";
}

const ReadCase ReadCases[] = {
    { "a file as this program writes it",
        "G00, 1," + sjis(u"ＳＩＭＡファイル"_qs) + QByteArray(32, ' ') + ",\r\nZ00,,\r\nZ00, "
            + sjis(u"／　座標　／"_qs)
            + ",\r\nA00,\r\nA01,    1,P1          ,    -1234.567,      890.120,,\r\n" + "A01,    2,"
            + sjis(u"基準点1"_qs) + "        ,    12345.000,   -67890.500,,\r\nA99,\r\n",
        { { "P1", "-1234.567", "890.120" }, { u"基準点1"_qs, "12345.000", "-67890.500" } }, true,
        0 },
    { "no points between A00 and A99", "A00,\r\nA99,\r\n", {}, true, 0 },
    { "no A00: nothing begins", "G00, 1,T,\r\nA01,1,P,1,2,,\r\nA99,\r\n", {}, false, 62 },
    { "an empty file", "", {}, false, 62 },
    { "A00 cut off by the end", "G00,1,\r\nA00", {}, false, 62 },
    { "A00 line without its line end", "G00,1,\r\nA00,", {}, false, 62 },
    { "A00 without A99", Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,4,,\r\n",
        { { "P", "1", "2" }, { "Q", "3", "4" } }, true, 62 },
    { "a last record cut before its Y", Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,",
        { { "P", "1", "2" } }, true, 62 },
    { "a last record cut after its Y", Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,4",
        { { "P", "1", "2" }, { "Q", "3", "4" } }, true, 62 },
    { "A99 without its line end", Header + "A01,1,P,1,2,,\r\nA99", { { "P", "1", "2" } }, true, 0 },
    { "long name and coordinates keep their first characters",
        file("A01,1,ABCDEFGHIJ,1234567.890123456,-98765.4321098765,,\r\n"),
        { { "ABCDEFGH", "1234567.89012", "-98765.432109" } }, true, 0 },
    { "a name of ten full-width characters keeps eight",
        file("A01,1," + sjis(u"一二三四五六七八九十"_qs) + ",1,2,,\r\n"),
        { { u"一二三四五六七八"_qs, "1", "2" } }, true, 0 },
    { "any tag but A99 is a point record", file("B01,1,P,1,2,,\r\nA02,2,Q,3,4,,\r\n"),
        { { "P", "1", "2" }, { "Q", "3", "4" } }, true, 0 },
    { "one record per line: missing final comma, elevation, fields; extra fields",
        file("A01,1,P,1,2,0\r\nA01,2,Q,3,4\r\nA01,3,R,5\r\nA01\r\nA01,5,S,6,7,,x,y,z,\r\nA01,6,T,8,"
             "9,,\r\n"),
        { { "P", "1", "2" }, { "Q", "3", "4" }, { "R", "5", "" }, { "", "", "" }, { "S", "6", "7" },
            { "T", "8", "9" } },
        true, 0 },
    { "A99 in a name or coordinate does not end the reading",
        file("A01,1,A99,A99,A99,,\r\nA01,2,Q,3,4,,\r\n"),
        { { "A99", "A99", "A99" }, { "Q", "3", "4" } }, true, 0 },
    { "blanks and tabs around fields are dropped", file("A01,    1,   P 1   ,\t-1.5\t, 2.5 ,,\r\n"),
        { { "P 1", "-1.5", "2.5" } }, true, 0 },
    { "a padded field longer than what is kept",
        file("A01,1,AB" + QByteArray(100, ' ') + ",1,2,,\r\nA01,2,CD" + QByteArray(100, ' ')
            + "E,1,2,,\r\n"),
        { { "AB", "1", "2" }, { "CD      ", "1", "2" } }, true, 0 },
    { "a quoted field keeps its commas and spaces", file("A01,1,\" P, 1\" skipped,\"1,5\",2,,\r\n"),
        { { " P, 1", "1,5", "2" } }, true, 0 },
    { "an unclosed quote ends at the line end", file("A01,1,\"P,1\r\nA01,2,Q,3,4,,\r\n"),
        { { "P,1", "", "" }, { "Q", "3", "4" } }, true, 0 },
    { "lone LF and lone CR end lines", "A00,\nA01,1,P,1,2,,\nA01,2,Q,3,4,,\rA99,\r",
        { { "P", "1", "2" }, { "Q", "3", "4" } }, true, 0 },
    { "blank lines are skipped", file("\r\n   \r\nA01,1,P,1,2,,\r\n\r\n\t\r\n"),
        { { "P", "1", "2" } }, true, 0 },
    { "a line of commas is a point with empty fields", file(",,,\r\n"), { { "", "", "" } }, true,
        0 },
    { "0x1A ends the file",
        Header
            + "A01,1,P,1,2,,\r\n\x1A"
              "A99,\r\n",
        { { "P", "1", "2" } }, true, 62 },
    { "0x1A after A99", file("A01,1,P,1,2,,\r\n") + "\x1A\x1A", { { "P", "1", "2" } }, true, 0 },
    { "A00 may stand anywhere before the records", "Z00,A00,ignored\r\nA01,1,P,1,2,,\r\nA99,\r\n",
        { { "P", "1", "2" } }, true, 0 },
    { "only what comes before A99 is read", file("A01,1,P,1,2,,\r\n") + "A01,2,Q,3,4,,\r\n",
        { { "P", "1", "2" } }, true, 0 },
    { "UTF-8 with a byte order mark", "\xEF\xBB\xBF" + file(u"A01,1,基準点,1,2,,\r\n"_qs.toUtf8()),
        { { u"基準点"_qs, "1", "2" } }, true, 0 },
    { "UTF-8 with a byte order mark and A00 first",
        "\xEF\xBB\xBF"
        "A00,\r\nA99,\r\n",
        {}, true, 0 },
    { "UTF-8 without a byte order mark", file(u"A01,1,ﾃﾞｰﾀ点,1,2,,\r\n"_qs.toUtf8()),
        { { u"ﾃﾞｰﾀ点"_qs, "1", "2" } }, true, 0 },
    { "code page 932 with half-width katakana", file("A01,1," + sjis(u"ﾃﾞｰﾀ点"_qs) + ",1,2,,\r\n"),
        { { u"ﾃﾞｰﾀ点"_qs, "1", "2" } }, true, 0 },
    { "bytes invalid in code page 932 read as U+FFFD", file("A01,1,\x85\x40P\x80,1,2,,\r\n"),
        { { u"\uFFFDP\uFFFD"_qs, "1", "2" } }, true, 0 },
    { "a lead byte at the end of a field", file("A01,1,P\x82,1,2,,\r\n"),
        { { u"P\uFFFD"_qs, "1", "2" } }, true, 0 },
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.what;
}

class SimaReaderCases : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(SimaReaderCases, ReadsPointsBeginningAndFailure)
{
    const ReadCase &c = GetParam();
    for (const bool fromDevice : { false, true }) {
        SimaReading reading;
        if (fromDevice) {
            QBuffer buffer;
            buffer.setData(c.bytes);
            buffer.open(QIODevice::ReadOnly);
            reading = readSima(buffer);
        } else {
            reading = readSima(c.bytes);
        }
        EXPECT_EQ(show(reading.points), show(c.points)) << c.what;
        EXPECT_EQ(reading.pointsBegun, c.pointsBegun) << c.what;
        EXPECT_EQ(reading.failure, c.failure) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SimaReaderCases, ::testing::ValuesIn(ReadCases));

QByteArray records(int count)
{
    QByteArray bytes = Header;
    for (int i = 1; i <= count; ++i)
        bytes += "A01," + QByteArray::number(i) + ",P" + QByteArray::number(i) + ",1.5,-2.5,,\r\n";
    return bytes;
}

TEST(SimaReaderLimits, TakesTenThousandAndOnePointsAndFailsWithNineOnTheNext)
{
    const SimaReading full = readSima(records(10001) + "A99,\r\n");
    EXPECT_EQ(full.failure, 0);
    ASSERT_EQ(full.points.size(), 10001);
    EXPECT_EQ(full.points.last(), (PointRecord { "P10001", "1.5", "-2.5" }));

    const SimaReading over = readSima(records(10002) + "A99,\r\n");
    EXPECT_EQ(over.failure, FailureNumber::SubscriptOutOfRange);
    EXPECT_TRUE(over.pointsBegun);
    ASSERT_EQ(over.points.size(), 10001);
    EXPECT_EQ(over.points.last().name, "P10001");
}

TEST(SimaReaderLimits, AFiveMegabyteLineKeepsOnlyWhatItNeeds)
{
    const QByteArray huge(5 * 1024 * 1024, 'N');
    const SimaReading named = readSima(file("A01,1," + huge + ",1,2,,\r\n"));
    EXPECT_EQ(show(named.points), show({ { "NNNNNNNN", "1", "2" } }));
    EXPECT_EQ(named.failure, 0);

    const SimaReading unended = readSima("A00,\r\n" + huge);
    EXPECT_EQ(unended.points.size(), 0);
    EXPECT_EQ(unended.failure, FailureNumber::InputPastEndOfFile);
}

TEST(SimaReaderLimits, BinaryGarbageEndsInOneFailure)
{
    QByteArray garbage(256 * 1024, '\0');
    quint32 state = 12345;
    for (char &byte : garbage) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 24);
    }
    garbage.replace('\x1A', '\x1B');
    const SimaReading reading = readSima(garbage);
    EXPECT_FALSE(reading.pointsBegun);
    EXPECT_EQ(reading.failure, FailureNumber::InputPastEndOfFile);
}

// A device that hands out its data and then fails to read.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(QByteArray data)
        : m_data(std::move(data))
    {
        open(ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_position >= m_data.size())
            return -1;
        const qint64 n = std::min<qint64>(maxSize, std::min<qint64>(7, m_data.size() - m_position));
        memcpy(data, m_data.constData() + m_position, size_t(n));
        m_position += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray m_data;
    qint64 m_position = 0;
};

TEST(SimaReaderDevice, AFailingReadGivesFiftySevenAndKeepsThePointsBefore)
{
    FailingDevice afterPoints(Header + "A01,1,P,1,2,,\r\nA01,2,Q,3,4,,\r\nA01,3,R");
    const SimaReading reading = readSima(afterPoints);
    EXPECT_EQ(show(reading.points), show({ { "P", "1", "2" }, { "Q", "3", "4" } }));
    EXPECT_TRUE(reading.pointsBegun);
    EXPECT_EQ(reading.failure, FailureNumber::DeviceIoError);

    FailingDevice beforeBegin("G00,1,\r\nZ00,");
    const SimaReading early = readSima(beforeBegin);
    EXPECT_FALSE(early.pointsBegun);
    EXPECT_EQ(early.failure, FailureNumber::DeviceIoError);
}

} // namespace
