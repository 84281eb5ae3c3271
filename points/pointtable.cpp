#include "pointtable.h"

#include "failure.h"

namespace tavorin {

PointTable::PointTable()
    : m_entries(std::make_unique<std::array<PointRecord, Size>>())
{
}

const PointRecord &PointTable::at(int position) const
{
    checkPosition(position);
    return (*m_entries)[static_cast<std::size_t>(position)];
}

void PointTable::store(int position, PointRecord record)
{
    checkPosition(position);
    (*m_entries)[static_cast<std::size_t>(position)] = std::move(record);
}

PointTable &PointTable::programWide()
{
    static PointTable table;
    return table;
}

void PointTable::checkPosition(int position)
{
    if (position < 0 || position >= Size)
        throw Failure(FailureNumber::SubscriptOutOfRange);
}

} // namespace tavorin
