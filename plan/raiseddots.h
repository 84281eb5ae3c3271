#pragma once

#include <QString>

class QFont;
class QPainter;
class QPointF;

namespace tavorin {

// How many device pixels below the foot of its digits a font draws '.', at
// devicePixelRatio; 0 when the dot sits level with them. IPAGothic, the
// lists' font on Linux and under Wine, rests its digits 0.05 em above the
// baseline and its dot on it: at 9 pt (12 pixels) every rendering, hinted or
// not, smoothed or not, puts the dot a pixel below the digits, where it reads
// as a comma (-35120.412 as -35120,412). Measured once per font and ratio by
// drawing the digits and the dot.
int dotDrop(const QFont &font, qreal devicePixelRatio);

// text with each '.' in place of a blank of the same width, and each other
// character as the blank of its width (a space, or an ideographic space for
// a full-width one): the text's dots alone, where the text has them. Empty
// when a character has neither width, as in a font not of fixed pitch.
QString dotsOnly(const QString &text, const QFont &font);

// Draws text as painter.drawText(position, text) does, each '.' raised by
// dotDrop of the painter's font so that it sits on the digits' line.
void drawTextRaisingDots(QPainter &painter, const QPointF &position, const QString &text);

} // namespace tavorin
