#include "codepage932.h"
#include "listline.h"
#include "simareader.h"
#include "simawriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

const QByteArray Head = "G00, 1," + hex("82728268826C8260837483408343838B") + QByteArray(32, ' ')
    + ",\r\nZ00,,\r\nZ00, " + hex("815E81408DC095578140815E") + ",\r\nA00,\r\n";

QString line(const QString &name, const QString &x, const QString &y)
{
    return ListLine::form({ name, x, y });
}

TEST(SimaWriter, WritesTheWorkedExampleByteForByte)
{
    const QByteArray expected = Head + "A01,    1,P1          ,    -1234.567,      890.120,,\r\n"
        + "A01,    2," + hex("8AEE8F80935F31")
        + "        ,    12345.000,   -67890.500,,\r\nA99,\r\n";
    const QByteArray written = simaFileBytes(
        { line("P1", "-1234.567", "890.120"), line(u"基準点1"_qs, "12345.000", "-67890.500") });
    EXPECT_EQ(written.size(), 208);
    EXPECT_EQ(written, expected);
}

TEST(SimaWriter, AnEmptyListWritesTheHeaderAndA99)
{
    EXPECT_EQ(simaFileBytes({}), Head + "A99,\r\n");
}

TEST(SimaWriter, LinePieces)
{
    struct Case
    {
        const char *what;
        QString listLine;
        QByteArray a01;
    };
    const Case cases[] = {
        { "a short line gives short pieces", "AB", "A01,    1,AB          ,,,," },
        { "a line cut inside X", "NAME    12345", "A01,    1,NAME        ,12345,,," },
        { "eight full-width characters take 16 bytes and 4 spaces",
            line(u"一二三四五六七八"_qs, "1.0", "2.0"),
            "A01,    1," + cp932::encode(u"一二三四五六七八")
                + "    ,          1.0,          2.0,," },
        { "characters outside the code page become their twin or ?",
            line(u"A\u301CB\u00E4"_qs, "1", "2"),
            "A01,    1,A" + hex("8160") + "B?        ,            1,            2,," },
    };
    for (const Case &c : cases)
        EXPECT_EQ(simaFileBytes({ c.listLine }), Head + c.a01 + "\r\nA99,\r\n") << c.what;
}

TEST(SimaWriter, PointNumbersAreRightAlignedInFiveAndNeverCut)
{
    const QStringList lines(100000, line("P", "1", "2"));
    const QList<QByteArray> written = simaFileBytes(lines).split('\n');
    const QByteArray tail = ",P           ,            1,            2,,\r";
    EXPECT_EQ(written.at(4), "A01,    1" + tail);
    EXPECT_EQ(written.at(4 + 9998), "A01, 9999" + tail);
    EXPECT_EQ(written.at(4 + 9999), "A01,10000" + tail);
    EXPECT_EQ(written.at(4 + 32766), "A01,32767" + tail);
    EXPECT_EQ(written.at(4 + 99999), "A01,100000" + tail);
}

TEST(SimaWriter, WhatIsWrittenReadsBackWithoutTheColumnSpaces)
{
    const QStringList lines = { line("P1", "-1234.567", "890.120"),
        line(u"基準点1"_qs, "12345.000", "-67890.500"), line(u"ﾃﾞｰﾀ"_qs, "0.001", "") };
    const SimaReading reading = readSima(simaFileBytes(lines));
    EXPECT_EQ(reading.failure, 0);
    const QList<PointRecord> expected = { { "P1", "-1234.567", "890.120" },
        { u"基準点1"_qs, "12345.000", "-67890.500" }, { u"ﾃﾞｰﾀ"_qs, "0.001", "" } };
    EXPECT_EQ(reading.points, expected);
}

// Takes the first limit bytes written and refuses the rest.
class RefusingDevice : public QIODevice
{
public:
    explicit RefusingDevice(qint64 limit)
        : m_limit(limit)
    {
        open(WriteOnly);
    }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 n = std::min(size, m_limit - qint64(written.size()));
        if (n <= 0)
            return -1;
        written.append(data, n);
        return n;
    }

private:
    qint64 m_limit;
};

TEST(SimaWriter, ADeviceThatRefusesHalfWayIsAFailure)
{
    RefusingDevice device(100);
    EXPECT_FALSE(writeSima({ line("P", "1", "2") }, device));
    EXPECT_EQ(device.written, simaFileBytes({ line("P", "1", "2") }).left(100));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeSima({ line("P", "1", "2") }, buffer));
    EXPECT_EQ(buffer.data().size(), Head.size() + 54 + 6);
}

} // namespace
