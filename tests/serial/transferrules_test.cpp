#include "commport.h"
#include "linesettings.h"
#include "messageframer.h"
#include "testsupport.h"
#include "transferrules.h"

#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::transfer;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

TEST(CoordinateColumn, FormatsThreeDecimalsRightAlignedOrKeepsATextThatWouldNotFit)
{
    const std::pair<const char16_t *, const char16_t *> cases[]
        = { { u"             ", u"        0.000" }, { u"abc", u"        0.000" },
              // Rounding half away from zero on the digits as written.
              { u"2.0005", u"        2.001" }, { u"-2.0005", u"       -2.001" },
              { u"2.00049999", u"        2.000" }, { u"999.9995", u"     1000.000" },
              // No negative zero.
              { u"-0.0004", u"        0.000" },
              // Spaces, tabs and line feeds are ignored anywhere; reading stops
              // at the first character that cannot continue the number.
              { u"\t-5\n.5", u"       -5.500" }, { u"12.5.3", u"       12.500" },
              { u".25", u"        0.250" }, { u"007.1230", u"        7.123" },
              { u"1.5E+2", u"      150.000" }, { u"25e-3", u"        0.025" },
              { u"1D2", u"      100.000" }, { u"3e+", u"        3.000" },
              { u"1e-400", u"        0.000" },
              // The longest values that fit the 13 columns.
              { u"999999999.999", u"999999999.999" }, { u"-99999999.999", u"-99999999.999" },
              { u"1234567.12345", u"  1234567.123" },
              // Formatted, these would lose the first digit or the minus sign, or
              // rounding would carry into a fourteenth column, or they are not
              // finite: the field's own text stays, trimmed and right-aligned.
              { u"1234567890.12", u"1234567890.12" }, { u" -123456789.1", u" -123456789.1" },
              // Where the text is longer (y may be 14), decimals go, from the right.
              { u"999999999.9995", u"999999999.999" }, { u"123456789012.45", u"123456789012." },
              { u"12345678901234", u"12345678901234" }, { u"1E99999999999", u"1E99999999999" },
              { u"  1e12       ", u"         1e12" }, { u"1e400", u"        1e400" },
              // The exponent stays; the decimals before it give way.
              { u"1.23456789E+20", u"1.2345678E+20" } };
    for (const auto &[field, column] : cases)
        EXPECT_EQ(coordinateColumn(field), QString::fromUtf16(column))
            << QString::fromUtf16(field).toStdString();
}

TEST(ReceivedLine, KeepsTheNameAsReceivedAndFormatsBothValues)
{
    // The name keeps its spaces; y runs to the record's end, so a digit in
    // character 35 belongs to it.
    EXPECT_EQ(receivedLine(listLine(u" 東京 B1"_s, u"1"_s, u"-2"_s) + u'\r'),
        u" 東京 B1  "_s + u"        1.000"_s + u"       -2.000"_s);
    EXPECT_EQ(receivedLine(listLine(u"A"_s, u"1.5"_s, u"2.25"_s) + u'5'),
        u"A       "_s + u"        1.500"_s + u"        2.255"_s);
    EXPECT_EQ(receivedLine(u"A       1234567890.12-99999999.9995"_s),
        u"A       1234567890.12-99999999.999"_s);
}

// An adapter pulled out mid-transfer arrives, by platform and driver, as
// any of five errors; the others come from a refused setting or a wait.
TEST(LostDevice, EveryWayAnUnplugArrivesEndsTheTransferAndNothingElse)
{
    using E = QSerialPort::SerialPortError;
    const std::pair<E, bool> cases[] = { { E::ResourceError, true }, { E::ReadError, true },
        { E::WriteError, true }, { E::PermissionError, true }, { E::UnknownError, true },
        { E::NoError, false }, { E::DeviceNotFoundError, false }, { E::OpenError, false },
        { E::NotOpenError, false }, { E::TimeoutError, false },
        { E::UnsupportedOperationError, false } };
    for (const auto &[error, lost] : cases)
        EXPECT_EQ(CommPort::losesDevice(error), lost) << error;
}

// The port menu's list from the devices the system reports, without any
// real port: each device once, in number order, those of ports 1 to 3 left
// out, as Linux and as Windows name them.
TEST(PortList, FurtherPortsAreTheReportedOnesOnceLessThoseOfPorts1To3)
{
    TestPorts onLinux, onWindows;
    onLinux.devices = QStringList({ "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2" });
    onWindows.devices = QStringList({ "COM1", "COM2", "COM3" });
    QStringList devices;
    for (int n = 1; n <= 3; ++n)
        devices << SystemPortResolver().deviceName(n);
#ifdef Q_OS_WIN
    EXPECT_EQ(devices, onWindows.devices);
#else
    EXPECT_EQ(devices, onLinux.devices);
#endif
    EXPECT_EQ(furtherPortsAmong({ "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2",
                                    "/dev/ttyS3", "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS3" },
                  onLinux),
        QStringList({ "/dev/ttyACM0", "/dev/ttyS3", "/dev/ttyUSB0" }));
    EXPECT_EQ(
        furtherPortsAmong({ "COM3", "com1", "COM10", "COM4", "Com2", "COM10", "COM12" }, onWindows),
        QStringList({ "COM4", "COM10", "COM12" }));
}

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
