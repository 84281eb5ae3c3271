#include "linelistmodel.h"

#include <algorithm>

namespace tavorin {

LineListModel::LineListModel(bool sorted, QObject *parent)
    : QAbstractListModel(parent)
    , m_sorted(sorted)
{
}

bool LineListModel::sortsBefore(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

int LineListModel::add(const QString &line)
{
    const auto place = m_sorted
        ? std::upper_bound(m_lines.cbegin(), m_lines.cend(), line, &LineListModel::sortsBefore)
        : m_lines.cend();
    const int position = static_cast<int>(place - m_lines.cbegin());
    beginInsertRows({}, position, position);
    m_lines.insert(position, line);
    endInsertRows();
    return position;
}

void LineListModel::addAll(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    if (m_sorted) {
        for (const QString &line : lines)
            add(line);
        return;
    }
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(lines.size()) - 1);
    m_lines.append(lines);
    endInsertRows();
}

void LineListModel::clear()
{
    if (m_lines.isEmpty())
        return;
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

int LineListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant LineListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count())
        return {};
    return m_lines.at(index.row());
}

} // namespace tavorin
