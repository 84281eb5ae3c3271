#include "listbox.h"

#include "raiseddots.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace tavorin {

namespace {

// The application's style drawing an item's text alone: no background,
// selection or focus frame, which the item's first drawing has done.
class TextOnlyStyle final : public QProxyStyle
{
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget) const override
    {
        if (element == PE_PanelItemViewItem || element == PE_PanelItemViewRow
            || element == PE_FrameFocusRect)
            return;
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

// Draws each line as the style does, but with its dots raised to the
// digits' line where the font draws them lower (raiseddots.h): first the
// line with blanks for its dots, then, moved up, the dots alone, in the
// style's own places and colours. The text's places and widths stay the
// style's; a line the style would cut short is drawn as it is.
class LineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        QStyleOptionViewItem line = option;
        initStyleOption(&line, index);
        const qreal ratio = painter->device()->devicePixelRatioF();
        const int drop = line.text.contains(u'.') ? dotDrop(line.font, ratio) : 0;
        const QString dots = drop ? dotsOnly(line.text, line.font) : QString();
        const QWidget *widget = line.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (dots.isEmpty() || !style || !fits(line, style)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem rest = line;
        rest.text.replace(u'.', u' ');
        style->drawControl(QStyle::CE_ItemViewItem, &rest, painter, widget);
        QStyleOptionViewItem raised = line;
        raised.text = dots;
        raised.backgroundBrush = Qt::NoBrush;
        painter->save();
        painter->translate(0, -drop / ratio);
        m_textOnly.drawControl(QStyle::CE_ItemViewItem, &raised, painter, widget);
        painter->restore();
    }

private:
    // True when the style shows the whole line, without cutting it short.
    static bool fits(const QStyleOptionViewItem &line, const QStyle *style)
    {
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &line, line.widget) + 1;
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &line, line.widget);
        return line.fontMetrics.horizontalAdvance(line.text) <= text.width() - 2 * margin;
    }

    TextOnlyStyle m_textOnly;
};

} // namespace

ListBox::ListBox(bool sorted, QAbstractItemView::SelectionMode selectionMode, QWidget *parent)
    : QListView(parent)
    , m_model(sorted)
{
    setModel(&m_model);
    setItemDelegate(new LineDelegate(this));
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
