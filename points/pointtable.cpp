#include "pointtable.h"

namespace tavorin {

PointTable::PointTable()
    : m_entries(std::make_unique<std::array<PointRecord, Size>>())
{
}

const PointRecord &PointTable::at(int position) const
{
    static const PointRecord none;
    return holds(position) ? (*m_entries)[static_cast<std::size_t>(position)] : none;
}

Result<void> PointTable::store(int position, PointRecord record)
{
    if (!holds(position))
        return Failure { FailureNumber::SubscriptOutOfRange };
    (*m_entries)[static_cast<std::size_t>(position)] = std::move(record);
    return {};
}

PointTable &PointTable::programWide()
{
    static PointTable table;
    return table;
}

} // namespace tavorin
