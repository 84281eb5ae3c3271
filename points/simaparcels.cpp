#include "simaparcels.h"

#include "codepage932.h"
#include "fieldbytes.h"
#include "parceltext.h"
#include "textinput.h"

#include <QHash>

#include <array>
#include <optional>
#include <vector>

namespace tavorin {

namespace {

constexpr char EndOfFileByte = 0x1A;
// As the point reader keeps a field's first 255 bytes, so do the parcels:
// a name cut there still matches its point's, and memory stays bounded.
constexpr qsizetype FieldBytesKept = 255;
constexpr int ParcelFields = 4; // tag and three more; later ones are not read

// The field at at in a line that ends at end, split as readSima splits a
// record: blanks round a plain field dropped, a field in double quotes kept
// as it stands (commas too) and whatever follows its closing quote up to the
// next comma ignored; at most FieldBytesKept bytes of it, a plain field cut
// there keeping its trailing blanks. Leaves at after the field's comma.
QByteArrayView takeField(const char *&at, const char *end)
{
    while (at < end && isBlank(*at))
        ++at;
    QByteArrayView field;
    if (at < end && *at == '"') {
        const char *const begin = ++at;
        while (at < end && *at != '"')
            ++at;
        field = { begin, std::min<qsizetype>(at - begin, FieldBytesKept) };
        while (at < end && *at != ',')
            ++at;
    } else {
        const char *const begin = at;
        while (at < end && *at != ',')
            ++at;
        const char *kept = begin + std::min<qsizetype>(at - begin, FieldBytesKept);
        if (!hasText(kept, at)) {
            while (kept > begin && isBlank(kept[-1]))
                --kept;
        }
        field = { begin, kept - begin };
    }
    if (at < end)
        ++at; // the comma
    return field;
}

// The first Count fields of line (without its line end); missing ones empty.
template <std::size_t Count> std::array<QByteArrayView, Count> splitFields(QByteArrayView line)
{
    std::array<QByteArrayView, Count> fields {};
    const char *at = line.data();
    const char *const end = at + line.size();
    for (std::size_t index = 0; index < Count && at < end; ++index)
        fields[index] = takeField(at, end);
    return fields;
}

// The lines of text, each without its line end, with its number as readSima
// counts them (CR LF, LF and CR end one line).
class Lines
{
public:
    explicit Lines(QByteArrayView text)
        : m_at(text.data())
        , m_end(text.data() + text.size())
    {
    }

    // The next line; false at the end of the text.
    bool next(QByteArrayView &line)
    {
        if (m_at == m_end)
            return false;
        const char *const begin = m_at;
        while (m_at < m_end && *m_at != '\r' && *m_at != '\n')
            ++m_at;
        line = { begin, m_at - begin };
        m_lineNumber = m_nextNumber;
        if (m_at < m_end) {
            if (*m_at++ == '\r' && m_at < m_end && *m_at == '\n')
                ++m_at;
            ++m_nextNumber;
        }
        return true;
    }

    // The number of the line next() gave, from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    // Where the text after that line begins.
    const char *rest() const { return m_at; }

private:
    const char *m_at;
    const char *m_end;
    qint64 m_lineNumber = 0;
    qint64 m_nextNumber = 1;
};

// A parcel's fields as read, before the encoding is known.
struct RawVertex
{
    QByteArrayView number;
    QByteArrayView name;
    std::optional<std::array<QByteArrayView, 2>> side;
};

struct RawParcel
{
    std::array<QByteArrayView, 3> fields; // number, name, type
    qint64 line = 0;
    std::vector<RawVertex> vertices;
};

// The line "A99" that ends the point records, as readSima finds it: after
// a line holding a field "A00", the first line whose tag is "A99".
struct PointsEnd
{
    const char *rest = nullptr; // where the text after it begins; null: none
    qint64 line = 0; // its number, from 1
};

PointsEnd pointsEnd(QByteArrayView text)
{
    Lines lines(text);
    QByteArrayView line;
    bool begun = false;
    while (lines.next(line)) {
        if (begun) {
            // A point record: only its tag counts.
            if (splitFields<1>(line)[0] == "A99")
                return { lines.rest(), lines.lineNumber() };
            continue;
        }
        // Before the records the marker may stand in any field.
        const char *at = line.data();
        const char *const end = at + line.size();
        while (at < end && !begun)
            begun = takeField(at, end) == "A00";
    }
    return {};
}

// The parcel blocks of text (what follows the point records).
std::vector<RawParcel> rawParcels(QByteArrayView text)
{
    std::vector<RawParcel> parcels;
    std::optional<RawParcel> open;
    Lines lines(text);
    QByteArrayView line;
    while (lines.next(line)) {
        // Only the lines of a parcel block: others are passed over unsplit.
        const auto fields = splitFields<ParcelFields>(line);
        const QByteArrayView tag = fields[0];
        if (tag == "D00") {
            if (open)
                parcels.push_back(std::move(*open));
            open = RawParcel { { fields[1], fields[2], fields[3] }, lines.lineNumber(), {} };
        } else if (!open) {
            continue;
        } else if (tag == "B01") {
            open->vertices.push_back({ fields[1], fields[2], std::nullopt });
        } else if (tag == "C03") {
            if (!open->vertices.empty() && !open->vertices.back().side)
                open->vertices.back().side = { fields[1], fields[2] };
        } else if (tag == "D99") {
            parcels.push_back(std::move(*open));
            open.reset();
        }
    }
    if (open)
        parcels.push_back(std::move(*open));
    return parcels;
}

// Finds a vertex's point among the records: by number, else by name; the
// first record of that number or name. The tables are made on first need.
class VertexLookup
{
public:
    explicit VertexLookup(const FilePoints &records)
        : m_records(records)
    {
    }

    qsizetype find(const QString &number, const QString &name)
    {
        if (!number.isEmpty())
            return index(m_byNumber, number, &FilePoint::number);
        if (!name.isEmpty())
            return index(m_byName, name, &FilePoint::name);
        return -1;
    }

private:
    using Table = std::optional<QHash<QString, qsizetype>>;

    qsizetype index(Table &table, const QString &key, const QString (FilePoint::*text)() const)
    {
        if (!table) {
            table.emplace();
            table->reserve(m_records.size());
            // From the last, so that the first of a text is the one kept.
            for (qsizetype i = m_records.size() - 1; i >= 0; --i) {
                const QString value = (m_records.at(i).*text)();
                if (!value.isEmpty())
                    table->insert(value, i);
            }
        }
        return table->value(key, -1);
    }

    const FilePoints &m_records;
    Table m_byNumber;
    Table m_byName;
};

QString vertexText(const ParcelVertex &vertex)
{
    if (vertex.number.isEmpty())
        return ParcelText::VertexName.arg(vertex.name);
    if (vertex.name.isEmpty())
        return vertex.number;
    return ParcelText::VertexNumberAndName.arg(vertex.number, vertex.name);
}

// Why parcel cannot be used, the first fault in the order the user would
// mend them: a vertex without a point, too few vertices, a repeated one.
QString parcelFault(const Parcel &parcel)
{
    for (const ParcelVertex &vertex : parcel.vertices) {
        if (vertex.number.isEmpty() && vertex.name.isEmpty())
            return ParcelText::VertexUnnamed;
        if (vertex.record < 0)
            return ParcelText::VertexNotFound.arg(vertexText(vertex));
    }
    const qsizetype count = parcel.vertices.size();
    if (count == 0)
        return ParcelText::NoVertices;
    if (count < 3)
        return ParcelText::TooFewVertices.arg(count);
    for (qsizetype i = 0; i < count; ++i) {
        const ParcelVertex &vertex = parcel.vertices.at(i);
        if (vertex.record == parcel.vertices.at((i + 1) % count).record)
            return ParcelText::RepeatedVertex.arg(vertexText(vertex));
    }
    return {};
}

} // namespace

Parcels readSimaParcels(QByteArrayView bytes, const FilePoints &records)
{
    const bool byteOrderMark = bytes.startsWith(Utf8ByteOrderMark);
    QByteArrayView text = bytes.sliced(byteOrderMark ? Utf8ByteOrderMark.size() : 0);
    if (const qsizetype end = text.indexOf(EndOfFileByte); end >= 0)
        text.truncate(end);
    const PointsEnd points = pointsEnd(text);
    if (points.rest == nullptr)
        return {};
    const QByteArrayView pointText = text.first(points.rest - text.data());
    const QByteArrayView parcelText = text.sliced(pointText.size());
    const std::vector<RawParcel> raw = rawParcels(parcelText);
    if (raw.empty())
        return {};

    // The points were decoded as their part of the file tells (readSima
    // reads no further), and so are the vertices, which name them. The
    // parcels' own texts may tell UTF-8 where the points are ASCII alone.
    Utf8Check check;
    const auto add = [&check](QByteArrayView part) {
        for (const char byte : part) {
            if (uchar(byte) >= 0x80 || !check.betweenCharacters())
                check.add(uchar(byte));
        }
    };
    add(pointText);
    const bool pointsUtf8 = byteOrderMark || check.isUtf8Text();
    add(parcelText);
    const bool parcelsUtf8 = pointsUtf8 || check.isUtf8Text();
    const auto decode = [](QByteArrayView field, bool utf8) {
        return utf8 ? QString::fromUtf8(field) : cp932::decode(field);
    };

    VertexLookup lookup(records);
    Parcels parcels;
    parcels.reserve(qsizetype(raw.size()));
    for (const RawParcel &block : raw) {
        Parcel parcel;
        parcel.number = decode(block.fields[0], parcelsUtf8);
        parcel.name = decode(block.fields[1], parcelsUtf8);
        parcel.type = decode(block.fields[2], parcelsUtf8);
        parcel.line = points.line + block.line;
        parcel.vertices.reserve(qsizetype(block.vertices.size()));
        for (const RawVertex &read : block.vertices) {
            ParcelVertex vertex;
            vertex.number = decode(read.number, pointsUtf8);
            vertex.name = decode(read.name, pointsUtf8);
            vertex.record = lookup.find(vertex.number, vertex.name);
            if (read.side)
                vertex.side = FileSide { decode((*read.side)[0], parcelsUtf8),
                    decode((*read.side)[1], parcelsUtf8) };
            parcel.vertices.append(std::move(vertex));
        }
        parcel.fault = parcelFault(parcel);
        parcels.append(std::move(parcel));
    }
    return parcels;
}

} // namespace tavorin
