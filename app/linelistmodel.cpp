#include "linelistmodel.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstdint>

namespace tavorin {

namespace {

bool isLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

// The block that takes length more units: the last one while it has room,
// else a new one. A block is never filled past the size it was made with,
// so its text never moves and the rows pointing into it stay right; no line
// starts at size or later.
template <typename Text> Text &roomFor(std::vector<Text> &blocks, qsizetype length, qsizetype size)
{
    if (blocks.empty() || blocks.back().capacity() - blocks.back().size() < length
        || blocks.back().size() >= size) {
        blocks.emplace_back();
        blocks.back().reserve(std::max(size, length));
    }
    return blocks.back();
}

} // namespace

LineListModel::LineListModel(bool sorted, QObject *parent)
    : QAbstractListModel(parent)
    , m_sorted(sorted)
{
}

bool LineListModel::sortsBefore(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

LineListModel::Row::Row(qsizetype block, qsizetype start, qsizetype length, bool latin1)
    : m_place(quint32(block * BlockSize + start))
    , m_length(quint32(length) | (latin1 ? Latin1Bit : 0))
{
    // 131,072 blocks of text, 4 GiB, and lines of 2^31 characters: far more
    // than a list box shows.
    Q_ASSERT(start < BlockSize && block * BlockSize + start <= qsizetype(UINT32_MAX));
    Q_ASSERT(length < qsizetype(Latin1Bit));
}

template <typename Use> auto LineListModel::withText(const Row &row, Use use) const
{
    if (!row.latin1())
        return use(
            QStringView(m_blocks[std::size_t(row.block())]).sliced(row.start(), row.length()));
    const char *bytes = m_latin1Blocks[std::size_t(row.block())].constData() + row.start();
    QVarLengthArray<char16_t, 64> text(row.length());
    std::transform(bytes, bytes + row.length(), text.begin(), [](char c) { return uchar(c); });
    return use(QStringView(text.constData(), text.size()));
}

LineListModel::Row LineListModel::keep(QStringView line)
{
    const qsizetype length = line.size();
    if (isLatin1(line)) {
        QByteArray &block = roomFor(m_latin1Blocks, length, BlockSize);
        const Row row(qsizetype(m_latin1Blocks.size()) - 1, block.size(), length, true);
        for (QChar c : line)
            block.append(char(c.unicode()));
        return row;
    }
    QString &block = roomFor(m_blocks, length, BlockSize / 2);
    const Row row(qsizetype(m_blocks.size()) - 1, block.size(), length, false);
    block.append(line);
    return row;
}

QString LineListModel::item(int position) const
{
    return withText(
        m_rows.at(std::size_t(position)), [](QStringView text) { return text.toString(); });
}

int LineListModel::add(QStringView line)
{
    const auto place = m_sorted ? std::upper_bound(m_rows.cbegin(), m_rows.cend(), line,
                           [this](QStringView text, const Row &row) {
                               return withText(row, [text](QStringView rowText) {
                                   return sortsBefore(text, rowText);
                               });
                           })
                                : m_rows.cend();
    const int position = static_cast<int>(place - m_rows.cbegin());
    beginInsertRows({}, position, position);
    m_rows.insert(place, keep(line));
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
    m_rows.reserve(m_rows.size() + std::size_t(lines.size()));
    for (const QString &line : lines)
        m_rows.push_back(keep(line));
    endInsertRows();
}

QStringList LineListModel::lines() const
{
    QStringList all;
    all.reserve(count());
    for (int position = 0; position < count(); ++position)
        all.append(item(position));
    return all;
}

void LineListModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    // Gives the memory back: a list may have held thousands of lines.
    m_latin1Blocks = {};
    m_blocks = {};
    m_rows = {};
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
    return item(index.row());
}

} // namespace tavorin
