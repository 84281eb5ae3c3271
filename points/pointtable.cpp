#include "pointtable.h"

#include "freedmemory.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tavorin {

namespace {

bool isLatin1(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

constexpr qsizetype MostUnits = std::numeric_limits<quint8>::max();
constexpr qsizetype MostBytes = std::numeric_limits<quint32>::max();

} // namespace

PointRecord PointTable::at(int position) const
{
    if (position < 0 || std::size_t(position) >= m_entries.size())
        return {};
    const Entry &entry = m_entries[std::size_t(position)];
    if (entry.kind == Entry::Kind::Apart)
        return m_apart[entry.start];
    return { text(entry, 0), text(entry, 1), text(entry, 2) };
}

QString PointTable::name(int position) const
{
    if (position < 0 || std::size_t(position) >= m_entries.size())
        return {};
    const Entry &entry = m_entries[std::size_t(position)];
    if (entry.kind == Entry::Kind::Apart)
        return m_apart[entry.start].name;
    return text(entry, 0);
}

QString PointTable::text(const Entry &entry, int field) const
{
    const qsizetype unitSize = entry.kind == Entry::Kind::Latin1 ? 1 : 2;
    qsizetype start = entry.start;
    for (int before = 0; before < field; ++before)
        start += entry.lengths[std::size_t(before)] * unitSize;
    const qsizetype length = entry.lengths[std::size_t(field)];
    if (length == 0)
        return {};
    const char *bytes = m_text.constData() + start;
    if (entry.kind == Entry::Kind::Latin1)
        return QString::fromLatin1(bytes, length);
    QString utf16(length, Qt::Uninitialized);
    std::memcpy(utf16.data(), bytes, std::size_t(length) * 2);
    return utf16;
}

PointTable::Entry PointTable::keep(const PointRecord &record)
{
    const QString *fields[] = { &record.name, &record.x, &record.y };
    Entry entry;
    bool latin1 = true;
    qsizetype units = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (fields[i]->size() > MostUnits)
            entry.kind = Entry::Kind::Apart;
        entry.lengths[i] = quint8(std::min(fields[i]->size(), MostUnits));
        latin1 = latin1 && isLatin1(*fields[i]);
        units += fields[i]->size();
    }
    if (entry.kind != Entry::Kind::Apart) {
        entry.kind = latin1 ? Entry::Kind::Latin1 : Entry::Kind::Utf16;
        // UTF-16 units start at an even byte.
        const qsizetype start = latin1 ? m_text.size() : m_text.size() + m_text.size() % 2;
        if (start + units * (latin1 ? 1 : 2) > MostBytes)
            entry.kind = Entry::Kind::Apart;
        else
            entry.start = quint32(start);
    }
    if (entry.kind == Entry::Kind::Apart) {
        entry.start = quint32(m_apart.size());
        entry.lengths = {};
        m_apart.push_back(record);
        return entry;
    }
    m_text.resize(entry.start + units * (latin1 ? 1 : 2));
    char *out = m_text.data() + entry.start;
    for (const QString *field : fields) {
        if (latin1) {
            out = std::transform(
                field->cbegin(), field->cend(), out, [](QChar c) { return char(c.unicode()); });
        } else {
            std::memcpy(out, field->utf16(), std::size_t(field->size()) * 2);
            out += field->size() * 2;
        }
    }
    return entry;
}

Result<void> PointTable::store(int position, const PointRecord &record)
{
    if (!holds(position))
        return Failure { failurenumber::SubscriptOutOfRange };
    if (std::size_t(position) >= m_entries.size())
        m_entries.resize(std::size_t(position) + 1);
    Entry &entry = m_entries[std::size_t(position)];
    if (entry.kind == Entry::Kind::Apart) {
        ++m_unusedApart;
    } else {
        const qsizetype unitSize = entry.kind == Entry::Kind::Latin1 ? 1 : 2;
        m_unusedText += (entry.lengths[0] + entry.lengths[1] + entry.lengths[2]) * unitSize;
    }
    entry = keep(record);
    // Overwriting one entry after another never lets what no entry uses
    // grow past what the entries use.
    if (m_unusedText > m_text.size() / 2 || m_unusedApart > qsizetype(m_apart.size()) / 2)
        pack();
    return {};
}

void PointTable::pack()
{
    const QByteArray oldText = std::exchange(m_text, {});
    const std::vector<PointRecord> oldApart = std::exchange(m_apart, {});
    // At most one byte before each entry of UTF-16 units.
    m_text.reserve(oldText.size() - m_unusedText + qsizetype(m_entries.size()));
    m_unusedText = 0;
    m_unusedApart = 0;
    for (Entry &entry : m_entries) {
        if (entry.kind == Entry::Kind::Apart) {
            entry = keep(oldApart[entry.start]);
            continue;
        }
        const qsizetype unitSize = entry.kind == Entry::Kind::Latin1 ? 1 : 2;
        const qsizetype bytes = (entry.lengths[0] + entry.lengths[1] + entry.lengths[2]) * unitSize;
        const qsizetype oldStart = entry.start;
        entry.start = quint32(m_text.size() + (unitSize == 2 ? m_text.size() % 2 : 0));
        m_text.resize(entry.start);
        m_text.append(oldText.constData() + oldStart, bytes);
    }
}

Result<void> PointTable::storeFromStart(QList<PointRecord> records)
{
    // What the reading freed stays with the process until handed back; so
    // does every string of records once they are let go.
    returnFreedMemory();
    const bool tooMany = records.size() > Size;
    if (tooMany)
        records.resize(Size);
    if (std::size_t(records.size()) >= m_entries.size()) {
        // Every entry is new: the texts are kept afresh, in a block of the
        // size they take.
        qsizetype bytes = 0;
        for (const PointRecord &record : records) {
            const bool latin1 = isLatin1(record.name) && isLatin1(record.x) && isLatin1(record.y);
            bytes += (record.name.size() + record.x.size() + record.y.size()) * (latin1 ? 1 : 2)
                + (latin1 ? 0 : 1);
        }
        m_entries = {};
        m_entries.reserve(std::size_t(records.size()));
        m_text = QByteArray();
        m_text.reserve(std::min(bytes, MostBytes));
        m_apart = {};
        m_unusedText = 0;
        m_unusedApart = 0;
        for (const PointRecord &record : records)
            m_entries.push_back(keep(record));
    } else {
        for (qsizetype i = 0; i < records.size(); ++i)
            (void)store(int(i), records[i]);
    }
    records = {};
    returnFreedMemory();
    if (tooMany)
        return Failure { failurenumber::SubscriptOutOfRange };
    return {};
}

PointTable &PointTable::programWide()
{
    static PointTable table;
    return table;
}

} // namespace tavorin
