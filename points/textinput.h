#pragma once

// What the readers of point files (SIMA and CSV) share: how they tell UTF-8
// from code page 932, and how they are fed a device in chunks.
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

// Feeds parser what device holds, in chunks: parser.feed(chunk) returns
// false once the reading has ended, parser.finish() marks the end of the
// input, parser.fail(57) a device that fails to read.
template <typename Parser> void feedFrom(QIODevice &device, Parser &parser)
{
    constexpr qsizetype ChunkSize = 64 * 1024;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), chunk.size());
        if (got < 0) {
            parser.fail(FailureNumber::DeviceIoError);
            return;
        }
        if (got == 0) {
            parser.finish();
            return;
        }
        if (!parser.feed(QByteArrayView(chunk.constData(), got)))
            return;
    }
}

} // namespace tavorin
