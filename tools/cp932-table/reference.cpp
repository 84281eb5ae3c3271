#include "reference.h"

#include "codepage932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tavorin::cp932reference {

using cp932::isLeadByte;
using cp932::isTrailByte;

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Characters that the code page lacks but that other Japanese encodings
// (JIS X 0208 as read by non-Microsoft software) use for a character the
// code page does have. Written as that character, a file reads back the way
// its author meant.
char16_t codePageTwin(char32_t c)
{
    switch (c) {
    case 0x301C:
        return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE (81 60)
    case 0x2212:
        return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (81 7C)
    case 0x2016:
        return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO (81 61)
    case 0x2014:
        return 0x2015; // EM DASH -> HORIZONTAL BAR (81 5C)
    case 0x00A2:
        return 0xFFE0; // CENT SIGN -> FULLWIDTH CENT SIGN (81 91)
    case 0x00A3:
        return 0xFFE1; // POUND SIGN -> FULLWIDTH POUND SIGN (81 92)
    case 0x00AC:
        return 0xFFE2; // NOT SIGN -> FULLWIDTH NOT SIGN (81 CA)
    case 0x00A5:
        return u'\\'; // YEN SIGN -> 5C, which Japanese fonts draw as a yen
    case 0x203E:
        return u'~'; // OVERLINE -> 7E
    default:
        return 0;
    }
}

// ICU's Shift_JIS table (from IBM code page 943) rotates three control
// characters: 1A reads as U+001C, 1C as U+007F and 7F as U+001A, and the
// reverse on writing. Code page 932 keeps them as they are, like all ASCII.
bool isRotatedControl(char16_t c)
{
    return c == 0x1A || c == 0x1C || c == 0x7F;
}

bool isSingleByte(uchar byte)
{
    return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF);
}

} // namespace

bool present()
{
    return QStringDecoder("Shift_JIS").isValid() && QStringEncoder("Shift_JIS").isValid();
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder("Shift_JIS", QStringConverter::Flag::Stateless);
    QString text;
    text.reserve(bytes.size());
    // Well-formed runs go to the decoder whole; each malformed byte becomes
    // one replacement character between them.
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            text += decoder.decode(bytes.sliced(runStart, end - runStart));
    };
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const auto byte = uchar(bytes[i]);
        if (isRotatedControl(byte)) {
            flushRun(i);
            text += QChar(byte);
            runStart = ++i;
        } else if (isSingleByte(byte)) {
            ++i;
        } else if (isLeadByte(byte) && i + 1 < size && isTrailByte(uchar(bytes[i + 1]))) {
            i += 2;
        } else {
            flushRun(i);
            text += QChar(Replacement);
            runStart = ++i;
        }
    }
    flushRun(size);
    return text;
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder("Shift_JIS", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    const bool rotated = std::any_of(
        text.begin(), text.end(), [](QChar c) { return isRotatedControl(c.unicode()); });
    if (!encoder.hasError() && !rotated)
        return bytes;

    // Some character is missing from the code page: encode character by
    // character, so that only the missing ones are replaced.
    bytes.clear();
    bytes.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                               : 1;
        const QStringView character = text.sliced(i, length);
        i += length;
        if (length == 1 && character[0].unicode() < 0x80) {
            bytes += char(character[0].unicode());
            continue;
        }

        QStringEncoder single("Shift_JIS", QStringConverter::Flag::Stateless);
        QByteArray encoded = single.encode(character);
        if (!single.hasError()) {
            bytes += encoded;
            continue;
        }
        const char16_t twin = length == 1 ? codePageTwin(character[0].unicode()) : 0;
        if (twin) {
            QStringEncoder twinEncoder("Shift_JIS", QStringConverter::Flag::Stateless);
            bytes += twinEncoder.encode(QStringView(&twin, 1));
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

} // namespace tavorin::cp932reference
