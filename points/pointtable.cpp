#include "pointtable.h"

#include <algorithm>

namespace tavorin {

const PointRecord &PointTable::at(int position) const
{
    static const PointRecord none;
    return position >= 0 && position < m_entries.size() ? m_entries.at(position) : none;
}

Result<void> PointTable::store(int position, PointRecord record)
{
    if (!holds(position))
        return Failure { FailureNumber::SubscriptOutOfRange };
    if (position >= m_entries.size())
        m_entries.resize(position + 1);
    m_entries[position] = std::move(record);
    return {};
}

Result<void> PointTable::storeFromStart(QList<PointRecord> records)
{
    const bool tooMany = records.size() > Size;
    if (tooMany)
        records.resize(Size);
    if (records.size() >= m_entries.size())
        m_entries = std::move(records);
    else
        std::move(records.begin(), records.end(), m_entries.begin());
    if (tooMany)
        return Failure { FailureNumber::SubscriptOutOfRange };
    return {};
}

PointTable &PointTable::programWide()
{
    static PointTable table;
    return table;
}

} // namespace tavorin
