// Our code page 932 table against Windows' own conversion of code page 932,
// for every byte, every two-byte input and every UTF-16 unit. Windows reads
// bad bytes by refusing the whole input and writes what the page lacks as
// '?' when best fit is off; where our conversion does otherwise on purpose,
// the cases below say what it does instead.
#include "codepage932.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace tavorin;

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Bytes that Windows reads as U+0080 and as the private-use U+F8F0 to U+F8F3
// (Wine reads only 80), and that SIMA files never hold as text: we read
// each as U+FFFD and write those characters as '?'.
bool readAsReplacement(uchar byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

// Characters we write otherwise than Windows does: the twins, written as the
// character the page has in their place; the characters of the bytes above;
// and U+F86F, which the conversion before the table (ICU) wrote as 87 82
// like U+2116 NUMERO SIGN.
const std::map<char16_t, QByteArray> WrittenOtherwise
    = { { 0x00A2, "\x81\x91" }, { 0x00A3, "\x81\x92" }, { 0x00A5, "\\" }, { 0x00AC, "\x81\xCA" },
          { 0x2014, "\x81\x5C" }, { 0x2016, "\x81\x61" }, { 0x203E, "~" }, { 0x2212, "\x81\x7C" },
          { 0x301C, "\x81\x60" }, { 0xF86F, "\x87\x82" }, { 0x0080, "?" }, { 0xF8F0, "?" },
          { 0xF8F1, "?" }, { 0xF8F2, "?" }, { 0xF8F3, "?" } };

// Windows' reading of bytes, or nothing when it refuses them.
std::optional<QString> windowsRead(QByteArrayView bytes)
{
    wchar_t text[4];
    const int length
        = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), text, 4);
    if (length <= 0)
        return std::nullopt;
    return QString::fromWCharArray(text, length);
}

// What one character's bytes (a byte, or a lead byte and a trail byte) must
// read as: Windows' reading, U+FFFD where Windows refuses them.
QString expectedCharacter(QByteArrayView bytes)
{
    if (readAsReplacement(uchar(bytes[0])))
        return QString(QChar(Replacement));
    return windowsRead(bytes).value_or(QString(QChar(Replacement)));
}

std::string hex(QStringView text)
{
    std::string out;
    for (const QChar c : text)
        out += QString::asprintf(" %04X", c.unicode()).toStdString();
    return out;
}

TEST(CodePage932OnWindows, EveryByteAndPairReadsAsWindowsReadsIt)
{
    for (int first = 0; first <= 0xFF; ++first) {
        const char byte = char(first);
        EXPECT_EQ(hex(cp932::decode(QByteArrayView(&byte, 1))),
            hex(expectedCharacter(QByteArrayView(&byte, 1))))
            << std::hex << first;
        if (first < 0x80)
            continue;
        for (int second = 0; second <= 0xFF; ++second) {
            const char pair[] = { byte, char(second) };
            const QByteArrayView bytes(pair, 2);
            // A lead byte takes any trail byte; a pair the page does not map
            // is one U+FFFD. Otherwise each byte stands alone.
            const QString expected
                = cp932::isLeadByte(uchar(first)) && cp932::isTrailByte(uchar(second))
                ? expectedCharacter(bytes)
                : expectedCharacter(bytes.first(1)) + expectedCharacter(bytes.sliced(1));
            // Where Windows takes both bytes whole, it must agree.
            const auto whole = windowsRead(bytes);
            if (whole && !readAsReplacement(uchar(first)) && !readAsReplacement(uchar(second))) {
                EXPECT_EQ(hex(*whole), hex(expected)) << std::hex << first << ' ' << second;
            }
            EXPECT_EQ(hex(cp932::decode(bytes)), hex(expected))
                << std::hex << first << ' ' << second;
        }
    }
}

TEST(CodePage932OnWindows, EveryCharacterIsWrittenAsWindowsWritesItOrAsListed)
{
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const wchar_t c = wchar_t(unit);
        char bytes[4];
        const int length
            = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, 4, "?", nullptr);
        ASSERT_GT(length, 0) << std::hex << unit;
        const auto listed = WrittenOtherwise.find(char16_t(unit));
        const QByteArray expected
            = listed != WrittenOtherwise.end() ? listed->second : QByteArray(bytes, length);
        const char16_t text = char16_t(unit);
        EXPECT_EQ(cp932::encode(QStringView(&text, 1)).toHex().toStdString(),
            expected.toHex().toStdString())
            << std::hex << unit;
    }
}

} // namespace
