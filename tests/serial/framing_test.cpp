#include "linesettings.h"
#include "messageframer.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

// "P1" in kanji-free text, a kanji name (two double-byte characters), and
// half-width katakana (one byte each): three 5-character messages.
const QByteArray Messages[] = {
    QByteArray("AB12\r"),
    QByteArray("\x93\x8c\x8b\x9e"
               "9\r\x1b",
        7), // 東京 9 CR ESC
    QByteArray("\xba\xb0\xc4Z\r"), // ｺｰﾄZ CR
};

QByteArray allMessages()
{
    QByteArray all;
    for (const QByteArray &m : Messages)
        all += m;
    return all;
}

QList<QByteArray> takeAll(MessageFramer &framer)
{
    QList<QByteArray> taken;
    while (auto m = framer.takeMessage())
        taken.append(*m);
    return taken;
}

TEST(MessageFramer, CountsCharactersNotBytes)
{
    MessageFramer framer;
    framer.setCharactersPerMessage(5);
    framer.append(allMessages());
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { Messages[0], Messages[1], Messages[2] }));
    EXPECT_EQ(framer.pendingBytes(), 0);
}

TEST(MessageFramer, GivesTheSameMessagesWhereverTheBytesAreSplit)
{
    const QByteArray all = allMessages();
    for (qsizetype cut = 1; cut < all.size(); ++cut) {
        for (qsizetype second = cut; second < all.size(); ++second) {
            MessageFramer framer;
            framer.setCharactersPerMessage(5);
            QList<QByteArray> taken;
            for (const QByteArray &piece :
                { all.left(cut), all.mid(cut, second - cut), all.mid(second) }) {
                framer.append(piece);
                taken += takeAll(framer);
            }
            EXPECT_EQ(taken, (QList<QByteArray> { Messages[0], Messages[1], Messages[2] }))
                << "cut at " << cut << " and " << second;
        }
    }
}

TEST(MessageFramer, KeepsHalfAMessageAndALeadByteAtTheEndForLater)
{
    MessageFramer framer;
    framer.setCharactersPerMessage(5);
    // Two and a half messages in one piece; the half ends on a lead byte.
    framer.append(Messages[0] + Messages[0] + QByteArray("XY\x93", 3));
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { Messages[0], Messages[0] }));
    EXPECT_EQ(framer.pendingBytes(), 3);
    framer.append(QByteArray("\x8c", 1));
    EXPECT_FALSE(framer.takeMessage());
    framer.append("Z\r");
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { QByteArray("XY\x93\x8cZ\r") }));
}

TEST(MessageFramer, ALeadByteWithoutATrailByteIsOneCharacter)
{
    MessageFramer framer;
    framer.setCharactersPerMessage(3);
    framer.append(QByteArray("\x81 AB", 4));
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { QByteArray("\x81 A", 3) }));
}

TEST(MessageFramer, TakesNothingWithoutAThresholdAndForgetsOnClear)
{
    MessageFramer framer;
    framer.append("ST\r");
    EXPECT_FALSE(framer.takeMessage());
    framer.setCharactersPerMessage(3);
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { "ST\r" }));
    framer.append("S");
    framer.clear();
    framer.append("T\rST\r");
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { "T\rS" }));
}

TEST(LineSettings, ParsesTheTransferSettingsAndRefusesGuesses)
{
    const auto send = LineSettings::parse(u"2400,n,8,1");
    ASSERT_TRUE(send);
    EXPECT_EQ(*send,
        (LineSettings { 2400, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop }));
    EXPECT_EQ(LineSettings::parse(u"9600,E,7,2"),
        (LineSettings { 9600, QSerialPort::EvenParity, QSerialPort::Data7, QSerialPort::TwoStop }));
    for (const char16_t *bad : { u"", u"2400,n,8", u"2400,n,8,1,", u"baud,n,8,1", u"-2400,n,8,1",
             u"0,n,8,1", u"2400,x,8,1", u"2400,no,8,1", u"2400,n,9,1", u"2400,n,8,3",
             u" 2400,n,8,1", u"2400, n,8,1" })
        EXPECT_FALSE(LineSettings::parse(bad)) << QString::fromUtf16(bad).toStdString();
}

} // namespace
