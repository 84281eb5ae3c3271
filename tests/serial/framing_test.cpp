#include "linesettings.h"
#include "messageframer.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

QList<QByteArray> takeAll(MessageFramer &framer)
{
    QList<QByteArray> taken;
    while (auto m = framer.takeMessage())
        taken.append(*m);
    return taken;
}

TEST(MessageFramer, GivesTheSameMessagesWhereverTheBytesAreSplit)
{
    // Three 5-character messages: single-byte text, a kanji name (two
    // double-byte characters) and half-width katakana (one byte each).
    const QList<QByteArray> messages { "AB12\r",
        QByteArray("\x93\x8c\x8b\x9e"
                   "9\r\x1b",
            7),
        "\xba\xb0\xc4Z\r" };
    const QByteArray all = messages.join();
    // Three pieces, cut at every pair of places; a piece may hold two and a
    // half messages or end inside a double-byte character.
    for (qsizetype cut = 0; cut < all.size(); ++cut) {
        for (qsizetype second = cut; second < all.size(); ++second) {
            MessageFramer framer;
            framer.setCharactersPerMessage(5);
            QList<QByteArray> taken;
            for (const QByteArray &piece :
                { all.left(cut), all.mid(cut, second - cut), all.mid(second) }) {
                framer.append(piece);
                taken += takeAll(framer);
            }
            EXPECT_EQ(taken, messages) << "cut at " << cut << " and " << second;
            EXPECT_EQ(framer.pendingBytes(), 0);
        }
    }
}

TEST(MessageFramer, ALeadByteWithoutATrailByteIsOneCharacter)
{
    MessageFramer framer;
    framer.setCharactersPerMessage(3);
    framer.append(QByteArray("\x81 AB", 4));
    EXPECT_EQ(takeAll(framer), (QList<QByteArray> { QByteArray("\x81 A", 3) }));
}

TEST(LineSettings, ParsesTheTransferSettingsAndRefusesGuesses)
{
    EXPECT_EQ(LineSettings::parse(u"2400,n,8,1"),
        (LineSettings { 2400, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop }));
    EXPECT_EQ(LineSettings::parse(u"9600,E,7,2"),
        (LineSettings { 9600, QSerialPort::EvenParity, QSerialPort::Data7, QSerialPort::TwoStop }));
    // Start, data, parity and stop bits on the wire, rounded up to 1 ms.
    EXPECT_EQ(LineSettings::parse(u"2400,n,8,1")->transmitMs(2), 9);
    EXPECT_EQ(LineSettings::parse(u"9600,E,7,2")->transmitMs(96), 110);
    for (const char16_t *bad : { u"", u"2400,n,8", u"2400,n,8,1,", u"baud,n,8,1", u"-2400,n,8,1",
             u"0,n,8,1", u"2400,x,8,1", u"2400,no,8,1", u"2400,n,9,1", u"2400,n,8,3",
             u" 2400,n,8,1", u"2400, n,8,1" })
        EXPECT_FALSE(LineSettings::parse(bad)) << QString::fromUtf16(bad).toStdString();
}

} // namespace
