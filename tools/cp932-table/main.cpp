// cp932-reference: the program's earlier code page 932 conversion through
// Qt's ICU converter. "listing" prints the same listing as cp932listing;
// "table FILE" writes the table that points/codepage932.cpp is built from.
// Ends with 77 where Qt lacks the ICU converter.
#include "listing.h"
#include "reference.h"

#include "codepage932.h"

#include <QCoreApplication>
#include <QFile>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

using namespace tavorin;

namespace {

constexpr int NoConverter = 77;
constexpr char16_t Replacement = 0xFFFD;

int fail(const char *what)
{
    std::fprintf(stderr, "cp932-reference: %s\n", what);
    return 1;
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

// Writes values as a C++ initializer, 12 to a line.
void appendValues(std::string &out, const std::vector<unsigned> &values, const char *indent)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        out += i % 12 == 0 ? indent : " ";
        out += hex4(values[i]) + ",";
        if (i % 12 == 11 || i + 1 == values.size())
            out += '\n';
    }
}

int writeTable(const QString &path)
{
    std::vector<unsigned> single;
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        const QString text = cp932reference::decode(QByteArray(1, char(byte)));
        if (text.size() != 1)
            return fail("a byte alone reads as other than one unit");
        single.push_back(text[0].unicode());
    }

    // Leads 81-9F then E0-FC, each with trails 40-FC.
    std::vector<unsigned> leads;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        if (cp932::isLeadByte(uchar(lead)))
            leads.push_back(lead);
    }
    std::vector<std::vector<unsigned>> rows;
    for (const unsigned lead : leads) {
        std::vector<unsigned> row;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!cp932::isTrailByte(uchar(trail))) {
                row.push_back(Replacement);
                continue;
            }
            const char pair[] = { char(lead), char(trail) };
            const QString text = cp932reference::decode(QByteArrayView(pair, 2));
            if (text.size() != 1)
                return fail("a pair reads as other than one unit");
            row.push_back(text[0].unicode());
        }
        rows.push_back(row);
    }

    // What the table gives each character before the exceptions: the first
    // code that reads as it, single bytes before pairs, else '?'. The codec
    // derives the same.
    std::array<unsigned, 0x10000> derived;
    derived.fill('?');
    std::array<bool, 0x10000> taken {};
    const auto take = [&](unsigned unit, unsigned code) {
        if (unit != Replacement && !taken[unit]) {
            taken[unit] = true;
            derived[unit] = code;
        }
    };
    for (unsigned byte = 0; byte <= 0xFF; ++byte)
        take(single[byte], byte);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (unsigned t = 0; t < rows[r].size(); ++t)
            take(rows[r][t], leads[r] << 8 | (0x40 + t));
    }

    std::vector<unsigned> exceptions;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t c = char16_t(unit);
        const QByteArray bytes = cp932reference::encode(QStringView(&c, 1));
        unsigned code = 0;
        if (bytes.size() == 1)
            code = uchar(bytes[0]);
        else if (bytes.size() == 2)
            code = uchar(bytes[0]) << 8 | uchar(bytes[1]);
        else
            return fail("a character is written as other than one or two bytes");
        if (code != derived[unit]) {
            exceptions.push_back(unit);
            exceptions.push_back(code);
        }
    }

    std::string out
        = "// Code page 932 as this program reads and writes it, made by tools/cp932-table\n"
          "// from the conversion through Qt's ICU converter that the program used\n"
          "// before. Do not edit: `cmake --build build --target cp932-table` writes it.\n\n"
          "// Each byte read alone; U+FFFD where it cannot stand alone.\n"
          "constexpr char16_t SingleByteTable[256] = {\n";
    appendValues(out, single, "    ");
    out += "};\n\n"
           "// Each lead byte (81-9F, then E0-FC) followed by each trail byte 40-FC (7F,\n"
           "// which is no trail byte, keeps the rows even); U+FFFD where the code page\n"
           "// maps nothing.\n"
           "constexpr char16_t DoubleByteTable[LeadBytes][TrailBytes] = {\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += "    { // " + hex4(leads[r]).substr(4) + "\n";
        appendValues(out, rows[r], "        ");
        out += "    },\n";
    }
    out += "};\n\n"
           "// Characters not written as the first code that reads as them (single\n"
           "// bytes first, then pairs in order): a pair from a later row, a twin's code,\n"
           "// or 3F '?'. Pairs of (character, code), in character order.\n"
           "constexpr char16_t EncodeExceptions[][2] = {\n";
    for (std::size_t i = 0; i < exceptions.size(); i += 2)
        out += "    { " + hex4(exceptions[i]) + ", " + hex4(exceptions[i + 1]) + " },\n";
    out += "};\n";

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(out.data(), qint64(out.size())) != qint64(out.size()) || !file.flush())
        return fail("cannot write the table");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (!cp932reference::present()) {
        std::fprintf(stderr, "cp932-reference: Qt has no ICU Shift_JIS converter here\n");
        return NoConverter;
    }
    if (args.size() == 2 && args[1] == u"listing")
        return cp932listing::print(
            cp932listing::listing(cp932reference::encode, cp932reference::decode));
    if (args.size() == 3 && args[1] == u"table")
        return writeTable(args[2]);
    std::fprintf(stderr, "usage: cp932-reference listing | table FILE\n");
    return 2;
}
