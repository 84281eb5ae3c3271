#include "transferrules.h"

#include "listline.h"

#include <algorithm>

namespace tavorin::transfer {

namespace {

// The columns of the list line the records become.
constexpr qsizetype ColumnWidth = ListLine::CoordinateWidth;
constexpr qsizetype NameWidth = ListLine::NameWidth;
constexpr int DecimalPlaces = 3;
// Far beyond anything that fits the column; keeps the exponent from
// overflowing on a text of many exponent digits.
constexpr int ExponentLimit = 100000;

bool isIgnoredSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A number as the text spells it: its significant digits, where the
// decimal point falls among them, and the sign.
struct DecimalNumber
{
    bool negative = false;
    QString digits; // no leading zeros; empty for zero
    qsizetype pointAt = 0; // value = 0.digits × 10^pointAt
};

DecimalNumber readNumber(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isIgnoredSpace(c))
            compact.append(c);

    DecimalNumber number;
    qsizetype at = 0;
    const qsizetype end = compact.size();
    if (at < end && (compact[at] == u'+' || compact[at] == u'-'))
        number.negative = compact[at++] == u'-';
    QString digits;
    qsizetype integerDigits = 0;
    while (at < end && isDigit(compact[at])) {
        digits.append(compact[at++]);
        ++integerDigits;
    }
    if (at < end && compact[at] == u'.') {
        ++at;
        while (at < end && isDigit(compact[at]))
            digits.append(compact[at++]);
    }
    qsizetype exponent = 0;
    if (!digits.isEmpty() && at < end
        && (compact[at] == u'E' || compact[at] == u'e' || compact[at] == u'D'
            || compact[at] == u'd')) {
        qsizetype e = at + 1;
        bool negativeExponent = false;
        if (e < end && (compact[e] == u'+' || compact[e] == u'-'))
            negativeExponent = compact[e++] == u'-';
        if (e < end && isDigit(compact[e])) {
            while (e < end && isDigit(compact[e])) {
                exponent = std::min<qsizetype>(
                    exponent * 10 + (compact[e].unicode() - '0'), ExponentLimit);
                ++e;
            }
            if (negativeExponent)
                exponent = -exponent;
        }
    }
    const qsizetype leadingZeros = std::find_if(digits.cbegin(), digits.cend(), [](QChar c) {
        return c != u'0';
    }) - digits.cbegin();
    number.digits = digits.mid(leadingZeros);
    while (number.digits.endsWith(u'0'))
        number.digits.chop(1);
    number.pointAt = integerDigits - leadingZeros + exponent;
    return number;
}

// "######0.000" of the number, rounded half away from zero on its decimal
// digits; empty when that text would be longer than the column.
QString formatted(const DecimalNumber &number)
{
    // The digits of round(|value| × 1000).
    const qsizetype kept = number.pointAt + DecimalPlaces;
    if (kept > ColumnWidth)
        return {};
    QString thousandths;
    if (kept >= 0 && !number.digits.isEmpty()) {
        thousandths = number.digits.left(kept).leftJustified(kept, u'0');
        if (kept < number.digits.size() && number.digits[kept] >= u'5') {
            qsizetype i = thousandths.size() - 1;
            for (; i >= 0 && thousandths[i] == u'9'; --i)
                thousandths[i] = u'0';
            if (i >= 0)
                thousandths[i] = QChar(thousandths[i].unicode() + 1);
            else
                thousandths.prepend(u'1');
        }
    }
    const bool zero
        = std::all_of(thousandths.cbegin(), thousandths.cend(), [](QChar c) { return c == u'0'; });
    thousandths = thousandths.rightJustified(DecimalPlaces + 1, u'0');
    QString text = thousandths.left(thousandths.size() - DecimalPlaces) + u'.'
        + thousandths.right(DecimalPlaces);
    if (number.negative && !zero)
        text.prepend(u'-');
    if (text.size() > ColumnWidth)
        return {};
    return text;
}

// Right-aligns text in the column as the list line does; a longer text
// stays whole rather than lose its sign or leading digits.
QString rightAligned(QStringView text)
{
    return text.size() > ColumnWidth ? text.toString()
                                     : ListLine::coordinateColumn(text.toString());
}

// The field's own text for a value too wide to format: its sign and its
// digits before the point always stay, decimals are dropped from the right
// until it fits the column, but never the point itself.
QString shortenedText(QStringView fieldText)
{
    QString text = fieldText.trimmed().toString();
    const qsizetype point = text.indexOf(u'.');
    if (text.size() <= ColumnWidth || point < 0)
        return text;
    qsizetype decimalsEnd = point + 1;
    while (decimalsEnd < text.size() && isDigit(text[decimalsEnd]))
        ++decimalsEnd;
    const qsizetype drop = std::min(text.size() - ColumnWidth, decimalsEnd - point - 1);
    return text.remove(decimalsEnd - drop, drop);
}

} // namespace

bool isAcknowledgement(QStringView message)
{
    return message.startsWith(u"ST");
}

QString progressCaption(int written, int total)
{
    return QString::number(written) + u'/' + QString::number(total);
}

bool isEndMessage(QStringView message)
{
    return !message.isEmpty() && message.front() == QChar(27);
}

QString coordinateColumn(QStringView fieldText)
{
    const QString text = formatted(readNumber(fieldText));
    if (!text.isEmpty())
        return rightAligned(text);
    return rightAligned(shortenedText(fieldText));
}

QString receivedLine(QStringView record)
{
    return record.left(NameWidth).toString()
        + coordinateColumn(record.mid(NameWidth).left(ColumnWidth))
        + coordinateColumn(record.mid(NameWidth + ColumnWidth));
}

} // namespace tavorin::transfer
