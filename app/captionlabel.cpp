#include "captionlabel.h"

#include <algorithm>
#include <cmath>

namespace tavorin {

namespace {

// The smallest font a caption shrinks to; below it, it is cut.
constexpr double SmallestPointSize = 5;

} // namespace

CaptionLabel::CaptionLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
}

void CaptionLabel::setPlace(const QRect &place)
{
    m_place = place;
    fit();
}

void CaptionLabel::setCaptionFont(const QFont &font)
{
    m_font = font;
    fit();
}

void CaptionLabel::setCaption(const QString &caption)
{
    setText(caption);
    fit();
}

// The columns the label may take: those of its parent up to the nearest
// controls left and right of its place that share a row of pixels with it.
QRect CaptionLabel::room() const
{
    const QWidget *parent = parentWidget();
    int left = 0;
    int right = parent->width() - 1;
    for (const QObject *child : parent->children()) {
        const auto *control = qobject_cast<const QWidget *>(child);
        if (!control || control == this || control->isWindow())
            continue;
        const QRect other = control->geometry();
        if (other.bottom() < m_place.top() || other.top() > m_place.bottom()
            || other.intersects(m_place))
            continue;
        if (other.center().x() < m_place.center().x())
            left = std::max(left, other.right() + 1);
        else
            right = std::min(right, other.left() - 1);
    }
    return { QPoint(left, m_place.top()), QPoint(right, m_place.bottom()) };
}

void CaptionLabel::fit()
{
    if (!parentWidget() || m_place.isNull())
        return;
    const QFont own = m_font.value_or(parentWidget()->font());
    QFont font = own;
    // Frame, contents margins and margin on both sides.
    const int chromeWidth = width() - contentsRect().width() + 2 * margin();
    const int chromeHeight = height() - contentsRect().height() + 2 * margin();
    const auto needed = [&](const QFont &f) {
        return int(std::ceil(QFontMetricsF(f).horizontalAdvance(text()))) + chromeWidth;
    };
    QRect place = m_place;
    if (needed(font) > m_place.width()) {
        const QRect columns = room();
        while (needed(font) > columns.width() && font.pointSizeF() - 0.5 >= SmallestPointSize)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        const int width = std::min(needed(font), columns.width());
        const int left = m_place.left() + (m_place.width() - width) / 2;
        place.setLeft(std::clamp(left, columns.left(), columns.right() + 1 - width));
        place.setWidth(width);
    }
    // A line taller than the place grows downwards, up to the next control.
    const int lineHeight = int(std::ceil(QFontMetricsF(font).height())) + chromeHeight;
    if (lineHeight > place.height()) {
        int bottom = std::min(place.top() + lineHeight, parentWidget()->height()) - 1;
        for (const QObject *child : parentWidget()->children()) {
            const auto *control = qobject_cast<const QWidget *>(child);
            if (!control || control == this || control->isWindow())
                continue;
            const QRect other = control->geometry();
            if (other.left() <= place.right() && other.right() >= place.left()
                && other.top() > m_place.bottom())
                bottom = std::min(bottom, other.top() - 1);
        }
        place.setBottom(std::max(bottom, place.bottom()));
    }
    // An empty font: a label without a font of its own follows the window's.
    setFont(font == own ? m_font.value_or(QFont()) : font);
    setGeometry(place);
}

} // namespace tavorin
