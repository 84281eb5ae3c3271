#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Code page 932 (Microsoft's Shift_JIS), the encoding of SIMA files and of
// the text on the serial line: ASCII and half-width katakana take one byte,
// every other character two (a lead byte and a trail byte). 0x5C is '\' and
// 0x7E is '~', as Windows reads them. The conversion is a table of the
// program's own (made by tools/cp932-table), the same on every platform.
namespace tavorin::cp932 {

// True for a byte that starts a two-byte character.
constexpr bool isLeadByte(uchar byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for a byte that may follow a lead byte.
constexpr bool isTrailByte(uchar byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Decodes whole text. A byte that cannot start a character, a lead byte
// without a valid trail byte, and a pair the code page does not map each
// become one U+FFFD; decoding goes on with the next byte, so nothing after
// a bad byte is lost.
QString decode(QByteArrayView bytes);

// Encodes text. A character the code page lacks is written as its close
// twin where one exists (U+301C WAVE DASH as the full-width tilde 81 60,
// U+2212 MINUS SIGN as 81 7C, ...), otherwise as '?', never as stray bytes.
QByteArray encode(QStringView text);

} // namespace tavorin::cp932
