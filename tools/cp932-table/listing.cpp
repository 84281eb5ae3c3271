#include "listing.h"

#include <cstdio>
#include <vector>

namespace tavorin::cp932listing {

namespace {

void appendHex(std::string &out, unsigned value, int digits)
{
    static const char Digits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += Digits[(value >> shift) & 0xF];
}

void listEncoding(std::string &out, Encode encode, const std::vector<char16_t> &units)
{
    out += 'E';
    for (const char16_t unit : units) {
        out += ' ';
        appendHex(out, unit, 4);
    }
    out += " =";
    if (!units.empty())
        out += ' ';
    const QByteArray bytes = encode(QStringView(units.data(), qsizetype(units.size())));
    for (const char byte : bytes)
        appendHex(out, uchar(byte), 2);
    out += '\n';
}

void listDecoding(std::string &out, Decode decode, const std::vector<char> &bytes)
{
    out += "D ";
    for (const char byte : bytes)
        appendHex(out, uchar(byte), 2);
    out += " =";
    const QString text = decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    for (const QChar unit : text) {
        out += ' ';
        appendHex(out, unit.unicode(), 4);
    }
    out += '\n';
}

} // namespace

std::string listing(Encode encode, Decode decode)
{
    std::string out;
    out.reserve(8 << 20);
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit)
        listEncoding(out, encode, { char16_t(unit) });

    // Characters outside the plane: the first, an emoji, kanji of the
    // supplementary planes that Japanese names use, the last; then surrogates
    // that do not pair up, beside characters the code page has.
    const std::vector<char16_t> texts[] = {
        { 0xD800, 0xDC00 },
        { 0xD83D, 0xDE00 },
        { 0xD842, 0xDFB7 },
        { 0xD840, 0xDC0B },
        { 0xDBFF, 0xDFFF },
        { 0x3042, 0xD83D, 0xDE00, 0x41 },
        { 0xD800, 0x41 },
        { 0xD800, 0xD800, 0xDC00 },
        { 0xDC00, 0xD800 },
        { 0x3042, 0xDC00, 0x3044 },
        { 0xD800 },
        { 0x41, 0xDBFF },
    };
    for (const auto &text : texts)
        listEncoding(out, encode, text);
    for (unsigned block = 0; block <= 0xFF; ++block) {
        std::vector<char16_t> units;
        for (unsigned low = 0; low <= 0xFF; ++low)
            units.push_back(char16_t(block << 8 | low));
        listEncoding(out, encode, units);
    }

    for (unsigned byte = 0; byte <= 0xFF; ++byte)
        listDecoding(out, decode, { char(byte) });
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (unsigned trail = 0; trail <= 0xFF; ++trail)
            listDecoding(out, decode, { char(lead), char(trail) });
    }
    std::vector<char> up;
    for (unsigned byte = 0; byte <= 0xFF; ++byte)
        up.push_back(char(byte));
    listDecoding(out, decode, up);
    listDecoding(out, decode, { up.rbegin(), up.rend() });
    return out;
}

int print(const std::string &text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace tavorin::cp932listing
