#pragma once

#include "failure.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <vector>

namespace tavorin {

// One survey point as read from a SIMA file: the texts are kept exactly as
// read (name cut to 8 characters, coordinates to 13), never converted.
struct PointRecord
{
    QString name;
    QString x;
    QString y;

    friend bool operator==(const PointRecord &, const PointRecord &) = default;
};

// The program-wide table of the points of the last SIMA file read: entries
// 0..10000, empty at start. A load overwrites entries from 0 upwards and
// leaves the ones above its last point as they were. Storing outside the
// table is failure 9: it never wraps or grows past Size. Reading is only
// ever asked for positions the table holds (every caller stops at Size).
//
// Only the entries up to the highest one stored take memory: the others are
// empty, and an empty table costs nothing. The texts of all entries are kept
// packed in one block, one byte a character for an entry of nothing but
// Latin-1 characters (every point of an ASCII file): a full table of short
// names takes about a sixth of what 30,003 strings of their own would.
class PointTable
{
public:
    static constexpr int Size = 10001;

    static bool holds(int position) { return position >= 0 && position < Size; }

    // The entry at position, which the table holds; an empty record
    // otherwise.
    PointRecord at(int position) const;
    // Its name alone.
    QString name(int position) const;
    Result<void> store(int position, const PointRecord &record);
    // Stores records at positions 0 upwards, as store would one by one.
    // Records past the table are failure 9, after the ones it holds are
    // stored. The records are let go before this returns, and with them
    // the memory that reading them took.
    Result<void> storeFromStart(QList<PointRecord> records);

    // The one table the program uses for its whole run.
    static PointTable &programWide();

private:
    // Where an entry's name, X and Y lie, one after another, in m_text.
    struct Entry
    {
        quint32 start = 0; // in bytes
        std::array<quint8, 3> lengths {}; // in UTF-16 units
        // How the texts are kept: Latin-1 bytes, UTF-16 units, or (for a
        // field longer than 255 units, which no reader gives) whole in
        // m_apart.
        enum class Kind : quint8 { Latin1, Utf16, Apart } kind = Kind::Latin1;
    };

    Entry keep(const PointRecord &record);
    QString text(const Entry &entry, int field) const;
    // Keeps the texts again without those no entry uses any more.
    void pack();

    std::vector<Entry> m_entries; // 0 up to the highest entry stored
    QByteArray m_text;
    qsizetype m_unusedText = 0; // bytes of m_text that no entry uses
    std::vector<PointRecord> m_apart;
    qsizetype m_unusedApart = 0; // records of m_apart that no entry uses
};

} // namespace tavorin
