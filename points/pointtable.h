#pragma once

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
// leaves the ones above its last point as they were. A position outside the
// table is failure 9, never a wrap or growth.
class PointTable
{
public:
    static constexpr int Size = 10001;

    PointTable();

    const PointRecord &at(int position) const;
    void store(int position, PointRecord record);

    // The one table the program uses for its whole run.
    static PointTable &programWide();

private:
    static void checkPosition(int position);

    std::unique_ptr<std::array<PointRecord, Size>> m_entries;
};

} // namespace tavorin
