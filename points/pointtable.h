#pragma once

#include "failure.h"

#include <QList>
#include <QString>

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
// empty, and an empty table costs nothing.
class PointTable
{
public:
    static constexpr int Size = 10001;

    static bool holds(int position) { return position >= 0 && position < Size; }

    // The entry at position, which the table holds; an empty record
    // otherwise.
    const PointRecord &at(int position) const;
    Result<void> store(int position, PointRecord record);
    // Stores records at positions 0 upwards, as store would one by one, and
    // takes them over without a copy when they reach past every entry
    // stored so far. Records past the table are failure 9, after the ones
    // it holds are stored.
    Result<void> storeFromStart(QList<PointRecord> records);

    // The one table the program uses for its whole run.
    static PointTable &programWide();

private:
    QList<PointRecord> m_entries; // 0 up to the highest entry stored
};

} // namespace tavorin
