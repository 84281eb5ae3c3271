#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace tavorin {

// The lines of a list box. An unsorted list keeps lines in the order added;
// a sorted list puts each new line at its place in ascending text order,
// ignoring letter case (ordinal comparison of the case-folded text), after
// any lines equal to it. Duplicates are kept.
//
// The text of every line is kept once, packed into blocks that never move,
// and the rows refer to it: a list of 10,001 lines holds no object per line
// and never copies its text to grow. A line of nothing but Latin-1
// characters (every point line of an ASCII file) takes one byte a
// character. The view gets a line's text only for the rows it draws.
class LineListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit LineListModel(bool sorted, QObject *parent = nullptr);

    // Adds line and returns the position it took.
    int add(QStringView line);
    // Adds lines one after the other; an unsorted list takes them in one
    // insertion, which keeps a list of 10,000 lines quick to fill.
    void addAll(const QStringList &lines);
    // Makes room for lines more lines to come, so that adding them one by
    // one takes no more than they need.
    void reserve(int lines) { m_rows.reserve(m_rows.size() + std::size_t(std::max(lines, 0))); }
    int count() const { return static_cast<int>(m_rows.size()); }
    QString item(int position) const;
    QStringList lines() const;
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // True when a sorted list puts a before b.
    static bool sortsBefore(QStringView a, QStringView b);

private:
    // Characters of a block; a longer line has a block of its own.
    static constexpr qsizetype BlockSize = 32768;
    // Where a line's text lies: in which block of which kind, from where,
    // how long; 8 bytes, as a list of 10,001 lines keeps one for each.
    // A line starts below BlockSize in its block.
    class Row
    {
    public:
        Row(qsizetype block, qsizetype start, qsizetype length, bool latin1);
        qsizetype block() const { return m_place / BlockSize; }
        qsizetype start() const { return m_place % BlockSize; }
        qsizetype length() const { return m_length & ~Latin1Bit; }
        bool latin1() const { return m_length & Latin1Bit; }

    private:
        static constexpr quint32 Latin1Bit = 0x8000'0000;
        quint32 m_place; // block * BlockSize + start
        quint32 m_length; // with Latin1Bit for a line in a Latin-1 block
    };

    Row keep(QStringView line);
    // Calls use with the text of row as UTF-16.
    template <typename Use> auto withText(const Row &row, Use use) const;

    bool m_sorted;
    std::vector<QByteArray> m_latin1Blocks;
    std::vector<QString> m_blocks;
    std::vector<Row> m_rows; // in the list's order
};

} // namespace tavorin
