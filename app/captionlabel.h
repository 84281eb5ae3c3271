#pragma once

#include <QLabel>

#include <optional>

namespace tavorin {

// A label of the window that always shows its whole caption. A caption that
// fits the label's place leaves it there, in its own font. A wider caption
// makes the label as wide as the caption, centred on its place as far as
// the controls beside it (those level with it) leave room; it never covers
// one. Where even that room is too narrow, the caption takes a smaller font
// until it fits. A line of the font taller than the place makes the label
// taller, downwards, up to the control below.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    CaptionLabel(const QString &caption, QWidget *parent);

    // Where the label stands when its caption fits.
    void setPlace(const QRect &place);
    // The font the caption is drawn in when it fits; the window's font
    // when none is set.
    void setCaptionFont(const QFont &font);
    void setCaption(const QString &caption);
    // Places the label for its caption among the controls beside it as they
    // stand now.
    void fit();

private:
    QRect room() const;

    QRect m_place;
    std::optional<QFont> m_font;
};

} // namespace tavorin
