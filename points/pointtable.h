#pragma once

#include "failure.h"

#include <QString>

#include <array>
#include <memory>

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
// table is failure 9, never a wrap or growth; reading is only ever asked for
// positions the table holds (every caller stops at Size).
class PointTable
{
public:
    static constexpr int Size = 10001;

    PointTable();

    static bool holds(int position) { return position >= 0 && position < Size; }

    // The entry at position, which the table holds; an empty record
    // otherwise.
    const PointRecord &at(int position) const;
    Result<void> store(int position, PointRecord record);

    // The one table the program uses for its whole run.
    static PointTable &programWide();

private:
    std::unique_ptr<std::array<PointRecord, Size>> m_entries;
};

} // namespace tavorin
