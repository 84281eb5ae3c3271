#include "codepage932.h"

#include <array>

namespace tavorin::cp932 {

namespace {

constexpr int LeadBytes = 60; // 81-9F and E0-FC
constexpr int TrailBytes = 0xFC - 0x40 + 1;

#include "cp932table.inc"

// ASCII reads as itself, which lets decode() take it without the table.
static_assert([] {
    for (int byte = 0; byte < 0x80; ++byte) {
        if (SingleByteTable[byte] != byte)
            return false;
    }
    return true;
}());

int leadIndex(uchar lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

// What each UTF-16 unit is written as: one byte below 0x100, else lead byte
// and trail byte. Every character that reads back from the tables is written
// as the first code that reads as it, except those the table lists.
using EncodeTable = std::array<quint16, 0x10000>;

EncodeTable makeEncodeTable()
{
    EncodeTable table;
    table.fill('?');
    std::array<bool, 0x10000> taken {};
    const auto take = [&](char16_t unit, quint16 code) {
        if (unit != 0xFFFD && !taken[unit]) {
            taken[unit] = true;
            table[unit] = code;
        }
    };
    for (int byte = 0; byte <= 0xFF; ++byte)
        take(SingleByteTable[byte], quint16(byte));
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        if (!isLeadByte(uchar(lead)))
            continue;
        for (int trail = 0; trail < TrailBytes; ++trail)
            take(DoubleByteTable[leadIndex(uchar(lead))][trail],
                quint16(lead << 8 | (0x40 + trail)));
    }
    for (const auto &[unit, code] : EncodeExceptions)
        table[unit] = code;
    return table;
}

const EncodeTable &encodeTable()
{
    static const EncodeTable table = makeEncodeTable();
    return table;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = start;
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const auto *const end = in + bytes.size();
    while (in < end) {
        const uchar byte = *in;
        if (byte < 0x80) {
            *out++ = byte;
            ++in;
        } else if (isLeadByte(byte) && end - in > 1 && isTrailByte(in[1])) {
            *out++ = DoubleByteTable[leadIndex(byte)][in[1] - 0x40];
            in += 2;
        } else {
            // A byte that cannot stand alone, a lead byte among them, reads
            // as U+FFFD, and the byte after it is read on its own.
            *out++ = SingleByteTable[byte];
            ++in;
        }
    }
    text.truncate(out - start);
    return text;
}

QByteArray encode(QStringView text)
{
    const EncodeTable &table = encodeTable();
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char *out = bytes.data();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size && text[i + 1].isLowSurrogate()) {
            // No character outside the Basic Multilingual Plane is in the page.
            *out++ = '?';
            ++i;
            continue;
        }
        const quint16 code = table[unit];
        if (code > 0xFF)
            *out++ = char(code >> 8);
        *out++ = char(code);
    }
    bytes.truncate(out - bytes.data());
    return bytes;
}

} // namespace tavorin::cp932
