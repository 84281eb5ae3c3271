#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace tavorin {

// The lines of a list box. An unsorted list keeps lines in the order added;
// a sorted list puts each new line at its place in ascending text order,
// ignoring letter case (ordinal comparison of the case-folded text), after
// any lines equal to it. Duplicates are kept.
class LineListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit LineListModel(bool sorted, QObject *parent = nullptr);

    // Adds line and returns the position it took.
    int add(const QString &line);
    // Adds lines one after the other; an unsorted list takes them in one
    // insertion, which keeps a list of 10,000 lines quick to fill.
    void addAll(const QStringList &lines);
    int count() const { return static_cast<int>(m_lines.size()); }
    const QString &item(int position) const { return m_lines.at(position); }
    const QStringList &lines() const { return m_lines; }
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // True when a sorted list puts a before b.
    static bool sortsBefore(const QString &a, const QString &b);

private:
    bool m_sorted;
    QStringList m_lines;
};

} // namespace tavorin
