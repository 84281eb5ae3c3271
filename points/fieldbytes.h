#pragma once

// What the readers of comma-separated lines (SIMA record lines and CSV rows)
// share: which bytes go to a field whole, the kept beginning of a field, and
// the fields kept of every point until the encoding is known.
#include <QByteArrayView>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <string>
#include <variant>
#include <vector>

namespace tavorin {

inline bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

// True when [begin, end) holds anything but blanks.
inline bool hasText(const char *begin, const char *end)
{
    return std::any_of(begin, end, [](char b) { return !isBlank(b); });
}

// Bytes that, inside a field's text, only go to the field: printable ASCII
// and tab, but not the comma and double quote that end or open fields.
// Runs of them are taken whole rather than byte by byte.
inline constexpr std::array<bool, 256> FieldTextBytes = [] {
    std::array<bool, 256> table {};
    for (int byte = 0x20; byte < 0x7F; ++byte)
        table[std::size_t(byte)] = byte != ',' && byte != '"';
    table['\t'] = true;
    return table;
}();

// Where the run of FieldTextBytes that begins at begin ends, at end at most.
inline const char *fieldTextEnd(const char *begin, const char *end)
{
    while (begin < end && FieldTextBytes[uchar(*begin)])
        ++begin;
    return begin;
}

// The kept beginning of a field, at most Capacity bytes: a field of any
// length costs no more memory than a short one.
template <qsizetype Capacity> struct FieldBytes
{
    std::array<char, Capacity> bytes {};
    qsizetype size = 0;

    QByteArrayView view() const { return { bytes.data(), size }; }

    // Keeps byte if fewer than limit (at most Capacity) bytes are kept;
    // false when it is not kept.
    bool keep(char byte, qsizetype limit)
    {
        if (size >= limit)
            return false;
        bytes[std::size_t(size++)] = byte;
        return true;
    }

    // Keeps of [begin, end) what fits below limit (at most Capacity) bytes;
    // returns where the bytes not kept begin.
    const char *keep(const char *begin, const char *end, qsizetype limit)
    {
        const qsizetype room = std::max<qsizetype>(limit - size, 0);
        const qsizetype kept = std::min<qsizetype>(end - begin, room);
        std::copy(begin, begin + kept, bytes.begin() + size);
        size += kept;
        return begin + kept;
    }

    // Drops the blanks that end the field, but none of its first keep bytes.
    void dropTrailingBlanks(qsizetype keep = 0)
    {
        while (size > keep && isBlank(bytes[std::size_t(size - 1)]))
            --size;
    }

    // Copies only the bytes that count: this runs for every field.
    void assign(const FieldBytes &other)
    {
        std::copy_n(other.bytes.begin(), other.size, bytes.begin());
        size = other.size;
    }
};

// The fields kept of every point read so far (name, X and Y; a CSV row's
// number and elevation too), their bytes one after another in one string: a
// point costs its bytes and 8 more (where they begin, a byte for the size of
// each), or 24 with a Label (a CSV row's number). Texts are decoded from them
// once the reading ends, when the encoding is known.
template <typename Label = std::monostate, int Fields = 3> class KeptPoints
{
public:
    qsizetype size() const { return qsizetype(m_points.size()); }
    bool isEmpty() const { return m_points.empty(); }
    // The bytes of all fields together.
    qsizetype byteCount() const { return qsizetype(m_bytes.size()); }

    // Keeps a point's fields, each at most 255 bytes.
    void add(const std::array<QByteArrayView, Fields> &fields, Label label = {})
    {
        Point point { quint32(m_bytes.size()), {}, label };
        for (std::size_t i = 0; i < fields.size(); ++i) {
            Q_ASSERT(fields[i].size() <= 0xFF);
            point.sizes[i] = quint8(fields[i].size());
            // Most rows leave some fields empty: no call for those.
            if (!fields[i].isEmpty())
                m_bytes.append(fields[i].data(), std::size_t(fields[i].size()));
        }
        m_points.push_back(point);
    }

    template <qsizetype Capacity>
    void add(const FieldBytes<Capacity> &name, const FieldBytes<Capacity> &x,
        const FieldBytes<Capacity> &y, Label label = {})
    {
        static_assert(Capacity <= 0xFF, "a field's size is kept in one byte");
        add({ name.view(), x.view(), y.view() }, label);
    }

    // Field field (0 name, 1 X, 2 Y, then the further ones) of the point at
    // index.
    QByteArrayView field(qsizetype index, int field) const
    {
        const Point &point = m_points[std::size_t(index)];
        qsizetype begin = point.begin;
        for (int before = 0; before < field; ++before)
            begin += point.sizes[std::size_t(before)];
        return { m_bytes.data() + begin, point.sizes[std::size_t(field)] };
    }

    // All fields of the point at index.
    std::array<QByteArrayView, Fields> fields(qsizetype index) const
    {
        const Point &point = m_points[std::size_t(index)];
        std::array<QByteArrayView, Fields> views;
        const char *at = m_bytes.data() + point.begin;
        for (std::size_t i = 0; i < views.size(); ++i) {
            views[i] = { at, point.sizes[i] };
            at += point.sizes[i];
        }
        return views;
    }

    const Label &label(qsizetype index) const { return m_points[std::size_t(index)].label; }

private:
    // Where a point's fields lie, one after another, in m_bytes.
    struct Point
    {
        quint32 begin = 0;
        std::array<quint8, Fields> sizes {};
        Label label {};
    };

    std::vector<Point> m_points;
    std::string m_bytes;
};

} // namespace tavorin
