#pragma once

#include <QString>
#include <QStringView>

// The rules of the two transfers that do not depend on the window or the
// port: what counts as an acknowledgement, the progress caption, and how a
// received record becomes a line of the transfer list.
namespace tavorin::transfer {

// Sending: an acknowledgement is any message whose first two characters are
// exactly "ST"; the third is not looked at.
bool isAcknowledgement(QStringView message);

// The progress caption: lines written, "/", the list's total; e.g. "3/12".
QString progressCaption(int written, int total);

// Receiving: a message whose first character is ESC ends the reception.
bool isEndMessage(QStringView message);

// The value of a numeric text, as a coordinate column shows it: spaces,
// tabs and line feeds are ignored; the number (sign, digits, point, digits,
// exponent) is read from the start up to the first character that cannot
// continue it; no number is 0. Formatted "######0.000": rounded half away
// from zero as the decimal text reads, no negative zero, then right-aligned
// in 13 columns.
//
// A value whose formatted text would not fit the 13 columns keeps the
// field's own text (trimmed, right-aligned) instead, with its sign and its
// digits before the point: where that text is longer than 13 (y may be 14),
// decimals are dropped from the right, never the point or a digit before it.
QString coordinateColumn(QStringView fieldText);

// The transfer-list line of a point record: characters 1 to 8 unchanged as
// the name, x from characters 9 to 21, y from character 22 to the end.
QString receivedLine(QStringView record);

} // namespace tavorin::transfer
