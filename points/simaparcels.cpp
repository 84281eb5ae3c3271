#include "simaparcels.h"

#include "codepage932.h"
#include "fieldbytes.h"
#include "parceltext.h"
#include "textinput.h"

#include <algorithm>
#include <array>
#include <cstring>
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
        // memchr runs over many bytes at once; CR and LF are looked for
        // apart, the one found first bounding the search for the other.
        const auto find = [](const char *from, const char *to, char byte) {
            const void *found = std::memchr(from, byte, std::size_t(to - from));
            return found ? static_cast<const char *>(found) : to;
        };
        m_at = find(begin, m_end, '\n');
        m_at = find(begin, m_at, '\r');
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

enum class Tag { Other, Parcel, Vertex, Side, ParcelEnd };

// The tag of a parcel block's line: "D00", "B01", "C03", "D99".
Tag tagOf(QByteArrayView field)
{
    if (field.size() != 3)
        return Tag::Other;
    const auto is = [field](const char *tag) {
        return field[0] == tag[0] && field[1] == tag[1] && field[2] == tag[2];
    };
    if (is("B01"))
        return Tag::Vertex;
    if (is("C03"))
        return Tag::Side;
    if (is("D00"))
        return Tag::Parcel;
    return is("D99") ? Tag::ParcelEnd : Tag::Other;
}

// FNV-1a over UTF-16 code units: the same for a text and for ASCII bytes
// that read as that text.
quint32 textHash(QStringView text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 16777619u;
    return hash;
}

quint32 textHash(QLatin1StringView text)
{
    quint32 hash = 2166136261u;
    for (const char c : text)
        hash = (hash ^ uchar(c)) * 16777619u;
    return hash;
}

// The records by one of their texts (number or name): the first record of
// each text. An open-addressed table of indexes, the texts staying in the
// records: made once per reading, it costs a few bytes a point.
class RecordTable
{
public:
    RecordTable(const FilePoints &records, bool byName)
        : m_records(records)
        , m_byName(byName)
    {
        std::size_t size = 16;
        while (size < std::size_t(records.size()) * 3 / 2)
            size *= 2;
        m_slots.assign(size, Slot {});
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QString value = text(i);
            if (value.isEmpty())
                continue;
            const quint32 hash = textHash(value);
            std::size_t at = hash & (size - 1);
            while (m_slots[at].index >= 0
                && !(m_slots[at].hash == hash && this->text(m_slots[at].index) == value))
                at = (at + 1) & (size - 1);
            if (m_slots[at].index < 0)
                m_slots[at] = { hash, qint32(i) };
        }
    }

    // The index of the first record whose text is key; -1 for none.
    template <typename Key> qsizetype find(Key key) const
    {
        const quint32 hash = textHash(key);
        for (std::size_t at = hash & (m_slots.size() - 1); m_slots[at].index >= 0;
             at = (at + 1) & (m_slots.size() - 1)) {
            if (m_slots[at].hash == hash && text(m_slots[at].index) == key)
                return m_slots[at].index;
        }
        return -1;
    }

    QString text(qsizetype index) const
    {
        return m_byName ? m_records.at(index).name() : m_records.at(index).number();
    }

private:
    struct Slot
    {
        quint32 hash = 0;
        qint32 index = -1;
    };

    const FilePoints &m_records;
    bool m_byName;
    std::vector<Slot> m_slots;
};

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

// A field's text: ASCII as it stands, else decoded as UTF-8 or code page 932.
QString decoded(QByteArrayView field, bool utf8)
{
    if (isAscii(field))
        return QString::fromLatin1(field);
    return utf8 ? QString::fromUtf8(field) : cp932::decode(field);
}

// Finds a vertex's point among the records: by number, else by name; the
// first record of that number or name. Each table is made on first need. A
// found vertex's texts share its record's where they are the same, so that
// a parcel costs no copies of its points' names.
class VertexLookup
{
public:
    VertexLookup(const FilePoints &records, bool utf8)
        : m_records(records)
        , m_utf8(utf8)
    {
    }

    ParcelVertex vertex(QByteArrayView number, QByteArrayView name)
    {
        ParcelVertex vertex;
        if (!number.isEmpty())
            vertex.record = find(m_byNumber, false, number, vertex.number);
        if (number.isEmpty() && !name.isEmpty()) {
            vertex.record = find(m_byName, true, name, vertex.name);
        } else if (vertex.record >= 0 && isAscii(name)
            && m_records.at(vertex.record).name() == QLatin1StringView(name)) {
            vertex.name = m_records.at(vertex.record).name();
        } else {
            vertex.name = decoded(name, m_utf8);
        }
        return vertex;
    }

private:
    // The record whose text is field, and that text in decoded.
    qsizetype find(
        std::optional<RecordTable> &table, bool byName, QByteArrayView field, QString &decodedText)
    {
        if (!table)
            table.emplace(m_records, byName);
        qsizetype index = -1;
        if (isAscii(field)) {
            index = table->find(QLatin1StringView(field));
            decodedText = index >= 0 ? table->text(index) : QString::fromLatin1(field);
        } else {
            decodedText = decoded(field, m_utf8);
            index = table->find(QStringView(decodedText));
        }
        return index;
    }

    const FilePoints &m_records;
    bool m_utf8;
    std::optional<RecordTable> m_byNumber;
    std::optional<RecordTable> m_byName;
};

QString vertexText(const ParcelVertex &vertex)
{
    if (vertex.number.isEmpty())
        return parceltext::VertexName.arg(vertex.name);
    if (vertex.name.isEmpty())
        return vertex.number;
    return parceltext::VertexNumberAndName.arg(vertex.number, vertex.name);
}

// Why parcel cannot be used, the first fault in the order the user would
// mend them: a vertex without a point, too few vertices, a repeated one.
QString parcelFault(const Parcel &parcel)
{
    for (const ParcelVertex &vertex : parcel.vertices) {
        if (vertex.number.isEmpty() && vertex.name.isEmpty())
            return parceltext::VertexUnnamed;
        if (vertex.record < 0)
            return parceltext::VertexNotFound.arg(vertexText(vertex));
    }
    const qsizetype count = parcel.vertices.size();
    if (count == 0)
        return parceltext::NoVertices;
    if (count < 3)
        return parceltext::TooFewVertices.arg(count);
    for (qsizetype i = 0; i < count; ++i) {
        const ParcelVertex &vertex = parcel.vertices.at(i);
        if (vertex.record == parcel.vertices.at((i + 1) % count).record)
            return parceltext::RepeatedVertex.arg(vertexText(vertex));
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
    // The points were decoded as their part of the file tells (readSima
    // reads no further), and so are the vertices, which name them. The
    // parcels' own texts may tell UTF-8 where the points are ASCII alone.
    Utf8Check check;
    const auto add = [&check](QByteArrayView part) {
        const char *at = part.data();
        const char *const end = at + part.size();
        while (at < end) {
            // Between characters, ASCII tells nothing: 8 bytes at a time.
            if (check.betweenCharacters()) {
                quint64 word = 0;
                while (
                    end - at >= 8 && (std::memcpy(&word, at, 8), (word & 0x8080808080808080u) == 0))
                    at += 8;
                while (at < end && uchar(*at) < 0x80)
                    ++at;
                if (at == end)
                    break;
            }
            check.add(uchar(*at++));
        }
    };
    add(pointText);
    const bool pointsUtf8 = byteOrderMark || check.isUtf8Text();
    add(parcelText);
    const bool parcelsUtf8 = pointsUtf8 || check.isUtf8Text();

    VertexLookup lookup(records, pointsUtf8);
    Parcels parcels;
    std::optional<Parcel> open;
    // The open parcel's vertices, in a list that keeps its room from parcel
    // to parcel: each parcel's own list is then allocated once.
    std::vector<ParcelVertex> vertices;
    const auto close = [&parcels, &open, &vertices] {
        open->vertices.reserve(qsizetype(vertices.size()));
        for (ParcelVertex &vertex : vertices)
            open->vertices.append(std::move(vertex));
        vertices.clear();
        open->fault = parcelFault(*open);
        parcels.append(std::move(*open));
        open.reset();
    };
    Lines lines(parcelText);
    QByteArrayView line;
    while (lines.next(line)) {
        const auto fields = splitFields<ParcelFields>(line);
        const Tag tag = tagOf(fields[0]);
        if (tag == Tag::Parcel) {
            if (open)
                close();
            open.emplace();
            open->number = decoded(fields[1], parcelsUtf8);
            open->name = decoded(fields[2], parcelsUtf8);
            open->type = decoded(fields[3], parcelsUtf8);
            open->line = points.line + lines.lineNumber();
        } else if (!open || tag == Tag::Other) {
            // Outside a block, or no line of one: passed over.
        } else if (tag == Tag::Vertex) {
            vertices.push_back(lookup.vertex(fields[1], fields[2]));
        } else if (tag == Tag::Side) {
            if (!vertices.empty() && !vertices.back().side)
                vertices.back().side
                    = FileSide { decoded(fields[1], parcelsUtf8), decoded(fields[2], parcelsUtf8) };
        } else {
            close();
        }
    }
    if (open)
        close();
    return parcels;
}

} // namespace tavorin
