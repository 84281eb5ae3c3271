#include "listbox.h"

namespace tavorin {

ListBox::ListBox(bool sorted, QAbstractItemView::SelectionMode selectionMode, QWidget *parent)
    : QListView(parent)
    , m_model(sorted)
{
    setModel(&m_model);
    setSelectionMode(selectionMode);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line has the same height; this keeps lists of 10,000 lines quick.
    setUniformItemSizes(true);
}

bool ListBox::isSelected(int position) const
{
    return selectionModel()->isRowSelected(position, {});
}

void ListBox::setSelected(int position, bool selected)
{
    selectionModel()->select(m_model.index(position),
        selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

} // namespace tavorin
