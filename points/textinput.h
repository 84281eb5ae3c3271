#pragma once

// What the readers of point files (SIMA and CSV) share: how they tell UTF-8
// from code page 932, and how they are fed bytes or a device in chunks.
#include "failure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

namespace tavorin {

// The byte order mark that opens a UTF-8 file saved by Excel or Notepad.
inline constexpr QByteArrayView Utf8ByteOrderMark { "\xEF\xBB\xBF" };

// Tells whether the bytes seen so far are well-formed UTF-8 holding Japanese
// text, that is at least one character of three or more bytes. Two-byte
// characters alone do not tell: pairs of half-width katakana in code page 932
// (ﾄｳ is C4 B3) are well-formed two-byte UTF-8 as well. A character cut off
// by the end of the bytes, as in a truncated copy, does not count against
// UTF-8: the file's other names must still read right.
class Utf8Check
{
public:
    void add(uchar byte)
    {
        if (m_pending == 0) {
            if (byte < 0x80)
                return;
            if (byte >= 0xC2 && byte <= 0xDF) {
                start(1, 0x80, 0xBF);
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                // No overlong forms, no surrogates.
                start(2, byte == 0xE0 ? 0xA0 : 0x80, byte == 0xED ? 0x9F : 0xBF);
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                // No overlong forms, nothing past U+10FFFF.
                start(3, byte == 0xF0 ? 0x90 : 0x80, byte == 0xF4 ? 0x8F : 0xBF);
            } else {
                m_valid = false;
            }
            return;
        }
        if (byte < m_low || byte > m_high) {
            m_valid = false;
            m_pending = 0;
            return;
        }
        m_low = 0x80;
        m_high = 0xBF;
        if (--m_pending == 0 && m_length >= 3)
            m_wideCharacter = true;
    }

    bool isUtf8Text() const { return m_valid && m_wideCharacter; }

    // True when no multi-byte character is open, so that ASCII tells nothing.
    bool betweenCharacters() const { return m_pending == 0; }

private:
    void start(int continuations, uchar low, uchar high)
    {
        m_pending = continuations;
        m_length = continuations + 1;
        m_low = low;
        m_high = high;
    }

    bool m_valid = true;
    bool m_wideCharacter = false;
    int m_pending = 0;
    int m_length = 0;
    uchar m_low = 0x80;
    uchar m_high = 0xBF;
};

// Tells the encoding of a file's text from its bytes as they are read:
// UTF-8 when the file opens with the byte order mark or is UTF-8 holding
// Japanese text (see Utf8Check), code page 932 otherwise.
class EncodingCheck
{
public:
    // chunk, the next piece of the file, without the byte order mark that
    // may open the file; the mark is looked for in the first piece only.
    QByteArrayView withoutByteOrderMark(QByteArrayView chunk)
    {
        if (m_atStart) {
            m_atStart = false;
            if (chunk.startsWith(Utf8ByteOrderMark)) {
                m_byteOrderMark = true;
                chunk = chunk.sliced(Utf8ByteOrderMark.size());
            }
        }
        return chunk;
    }

    void add(uchar byte) { m_utf8.add(byte); }

    // True when no multi-byte character is open, so that ASCII tells nothing.
    bool betweenCharacters() const { return m_utf8.betweenCharacters(); }

    bool isUtf8() const { return m_byteOrderMark || m_utf8.isUtf8Text(); }

private:
    bool m_atStart = true;
    bool m_byteOrderMark = false;
    Utf8Check m_utf8;
};

// What a Parser gives once fed bytes whole. parser.feed(chunk) returns false
// once the reading has ended, parser.finish() marks the end of the input,
// parser.result() is what the reading gave.
template <typename Parser> auto parseAll(QByteArrayView bytes)
{
    Parser parser;
    if (parser.feed(bytes))
        parser.finish();
    return parser.result();
}

// The same for what device holds, fed in chunks; parser.fail(57) marks a
// device that fails to read.
template <typename Parser> auto parseAll(QIODevice &device)
{
    constexpr qsizetype ChunkSize = 64 * 1024;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    Parser parser;
    for (;;) {
        const qint64 got = device.read(chunk.data(), chunk.size());
        if (got < 0) {
            parser.fail(failurenumber::DeviceIoError);
            break;
        }
        if (got == 0) {
            parser.finish();
            break;
        }
        if (!parser.feed(QByteArrayView(chunk.constData(), got)))
            break;
    }
    return parser.result();
}

} // namespace tavorin
