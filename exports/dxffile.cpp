#include "dxffile.h"

#include "codepage932.h"
#include "coordinatevalue.h"
#include "parcelshapes.h"
#include "pointfile.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

namespace tavorin::dxf {

namespace {

// A DXF file is pairs of lines: a group code, then its value.
class Pairs
{
public:
    QByteArray bytes;

    void add(int code, QByteArrayView value)
    {
        // Codes right-aligned in three columns, as AutoCAD writes them.
        bytes += QByteArray::number(code).rightJustified(3, ' ');
        bytes += "\r\n";
        bytes += value;
        bytes += "\r\n";
    }

    // The shortest decimal that reads back as value, never in exponent form,
    // which some readers refuse.
    void add(int code, double value)
    {
        std::array<char, 400> text {};
        const auto end = std::to_chars(
            text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        add(code, QByteArrayView(text.data(), end.ptr - text.data()));
    }

    void add(int code, int value) { add(code, QByteArray::number(value)); }

    void point(int code, double x, double y, double z = 0)
    {
        add(code, x);
        add(code + 10, y);
        add(code + 20, z);
    }

    // Pairs given as code and value, one after the other.
    void addAll(std::span<const char *const> texts)
    {
        for (std::size_t i = 0; i + 1 < texts.size(); i += 2)
            add(QByteArrayView(texts[i]).toInt(), texts[i + 1]);
    }
};

// The tables: the line type, the layers (ASCII names, which older Japanese
// CAD programs require) and the text styles. STANDARD stays as AutoCAD
// expects it; the texts take UNICODE, whose font file is MS Gothic, which
// every Japanese Windows has and AutoCAD and its kin (BricsCAD, IJCAD) draw
// kanji and kana with. LibreCAD takes a text's font from its style's name,
// not from the font file: "unicode" is its own font with kanji (a style
// named otherwise falls back to its standard font, which draws a
// missing-glyph mark for each kanji).
constexpr const char *Tables[] = {
    "0", "SECTION", "2", "TABLES", //
    "0", "TABLE", "2", "LTYPE", "70", "1", //
    "0", "LTYPE", "2", "CONTINUOUS", "70", "0", "3", "Solid line", "72", "65", "73", "0", "40",
    "0.0", //
    "0", "ENDTAB", //
    "0", "TABLE", "2", "LAYER", "70", "5", //
    "0", "LAYER", "2", "0", "70", "0", "62", "7", "6", "CONTINUOUS", //
    "0", "LAYER", "2", "POINTS", "70", "0", "62", "7", "6", "CONTINUOUS", //
    "0", "LAYER", "2", "NAMES", "70", "0", "62", "7", "6", "CONTINUOUS", //
    "0", "LAYER", "2", "PARCELS", "70", "0", "62", "5", "6", "CONTINUOUS", //
    "0", "LAYER", "2", "PARCEL_NAMES", "70", "0", "62", "5", "6", "CONTINUOUS", //
    "0", "ENDTAB", //
    "0", "TABLE", "2", "STYLE", "70", "2", //
    "0", "STYLE", "2", "STANDARD", "70", "0", "40", "0.0", "41", "1.0", "50", "0.0", "71", "0",
    "42", "1.0", "3", "txt", "4", "", //
    "0", "STYLE", "2", TextStyle, "70", "0", "40", "0.0", "41", "1.0", "50", "0.0", "71", "0", "42",
    "1.0", "3", "msgothic.ttc", "4", "", //
    "0", "ENDTAB", //
    "0", "ENDSEC", //
};

// The name as code page 932 text that stays on its line.
QByteArray nameBytes(QString name)
{
    for (QChar &c : name) {
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
            c = u'?';
    }
    // CAD reads %% as the start of a control code (%%d is a degree sign);
    // %%% is a percent sign, so "%%d50" is drawn as written.
    name.replace(u'%', QStringLiteral("%%%"));
    return cp932::encode(name);
}

struct CadPoint
{
    double x;
    double y;
    double z;
    QString name;
};

} // namespace

QByteArray fileBytes(
    const FilePoints &points, Options options, const Parcels &parcels, const QString &source)
{
    double textHeight = options.textHeight;
    if (!(textHeight > 0 && std::isfinite(textHeight)))
        textHeight = DefaultTextHeight;
    std::vector<CadPoint> cad;
    cad.reserve(std::size_t(points.size()));
    double minX = std::numeric_limits<double>::infinity();
    double minY = minX;
    double maxX = -minX;
    double maxY = -minX;
    double minZ = minX;
    double maxZ = -minX;
    for (const FilePoint &record : points) {
        const auto north = coordinateValue(record.x());
        const auto east = coordinateValue(record.y());
        if (!north || !east)
            continue;
        const double z = options.elevationAsZ ? coordinateValue(record.elevation()).value_or(0) : 0;
        cad.push_back({ *east, *north, z, record.name() });
        minX = std::min(minX, *east);
        maxX = std::max(maxX, *east);
        minY = std::min(minY, *north);
        maxY = std::max(maxY, *north);
        minZ = std::min(minZ, z);
        maxZ = std::max(maxZ, z);
    }
    if (cad.empty())
        minX = minY = minZ = maxX = maxY = maxZ = 0;

    Pairs dxf;
    dxf.bytes.reserve(qsizetype(cad.size()) * 160 + 1024);
    if (!source.isEmpty())
        dxf.add(999, nameBytes(source));
    dxf.add(0, "SECTION");
    dxf.add(2, "HEADER");
    dxf.add(9, "$ACADVER");
    dxf.add(1, "AC1009");
    dxf.add(9, "$DWGCODEPAGE");
    dxf.add(3, "ANSI_932");
    dxf.add(9, "$INSBASE");
    dxf.point(10, 0.0, 0.0);
    dxf.add(9, "$EXTMIN");
    dxf.point(10, minX, minY, minZ);
    dxf.add(9, "$EXTMAX");
    dxf.point(10, maxX, maxY, maxZ);
    // Points show as a circle with a cross, half a text height across,
    // rather than as a dot too small to see.
    dxf.add(9, "$PDMODE");
    dxf.add(70, 34);
    dxf.add(9, "$PDSIZE");
    dxf.add(40, textHeight / 2);
    dxf.add(0, "ENDSEC");

    dxf.addAll(Tables);

    dxf.add(0, "SECTION");
    dxf.add(2, "ENTITIES");
    const double textOffset = textHeight / 2;
    for (const CadPoint &p : cad) {
        dxf.add(0, "POINT");
        dxf.add(8, "POINTS");
        dxf.point(10, p.x, p.y, p.z);
        if (p.name.trimmed().isEmpty())
            continue;
        dxf.add(0, "TEXT");
        dxf.add(8, "NAMES");
        dxf.point(10, p.x + textOffset, p.y + textOffset, p.z);
        dxf.add(40, textHeight);
        dxf.add(1, nameBytes(p.name));
        dxf.add(7, TextStyle);
    }
    for (const Parcel &parcel : parcels) {
        const auto ring = parcelRing(parcel, points);
        if (!ring)
            continue;
        dxf.add(0, "POLYLINE");
        dxf.add(8, "PARCELS");
        dxf.add(66, 1); // vertices follow
        dxf.point(10, 0.0, 0.0);
        dxf.add(70, 1); // closed
        for (const geodesy::PlanePoint &vertex : *ring) {
            dxf.add(0, "VERTEX");
            dxf.add(8, "PARCELS");
            dxf.point(10, vertex.y, vertex.x);
        }
        dxf.add(0, "SEQEND");
        dxf.add(8, "PARCELS");
        const QString name = parcel.name.isEmpty() ? parcel.number : parcel.name;
        if (name.trimmed().isEmpty())
            continue;
        // Centred on the centroid: 72 = 1 and 73 = 2 place the text by its
        // alignment point (11), which CAD programs read before the first.
        const geodesy::PlanePoint centre = ringLabelPoint(*ring);
        dxf.add(0, "TEXT");
        dxf.add(8, "PARCEL_NAMES");
        dxf.point(10, centre.y, centre.x);
        dxf.add(40, textHeight);
        dxf.add(1, nameBytes(name));
        dxf.add(7, TextStyle);
        dxf.add(72, 1);
        dxf.point(11, centre.y, centre.x);
        dxf.add(73, 2);
    }
    dxf.add(0, "ENDSEC");
    dxf.add(0, "EOF");
    return dxf.bytes;
}

bool write(const FilePoints &points, Options options, QIODevice &device, const Parcels &parcels,
    const QString &source)
{
    const QByteArray bytes = fileBytes(points, options, parcels, source);
    return device.write(bytes) == bytes.size();
}

} // namespace tavorin::dxf

namespace tavorin {

Result<void> saveDxf(const QString &path, const FilePoints &points, dxf::Options options,
    const Parcels &parcels, const QString &source)
{
    return pointfile::save(
        path, [&](QIODevice &file) { return dxf::write(points, options, file, parcels, source); });
}

} // namespace tavorin
