#pragma once

#include "linelistmodel.h"

#include <QListView>

namespace tavorin {

// A list box as the window uses it: add a line (at the end, or at its sorted
// place in a sorted list), count, the line and its selected state at a
// position (positions count from 0), and remove all lines.
class ListBox : public QListView
{
    Q_OBJECT

public:
    ListBox(bool sorted, QAbstractItemView::SelectionMode selectionMode, QWidget *parent = nullptr);

    void addItem(const QString &line) { m_model.add(line); }
    // Adds lines as addItem would, one after the other, in one step.
    void addItems(const QStringList &lines) { m_model.addAll(lines); }
    // Makes room for lines more lines, to be added one by one.
    void reserve(int lines) { m_model.reserve(lines); }
    int listCount() const { return m_model.count(); }
    QString item(int position) const { return m_model.item(position); }
    bool isSelected(int position) const;
    void setSelected(int position, bool selected);
    void clear() { m_model.clear(); }

    QStringList lines() const { return m_model.lines(); }

private:
    LineListModel m_model;
};

} // namespace tavorin
