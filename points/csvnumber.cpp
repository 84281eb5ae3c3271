#include "csvnumber.h"

#include "listline.h"

#include <QByteArray>

#include <algorithm>
#include <optional>

namespace tavorin::csvnumber {

namespace {

using namespace Qt::StringLiterals;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Full-width ASCII as half-width, the ideographic space as a space and the
// minus sign U+2212 as a hyphen: Japanese sheets hold both widths. Narrower
// than Unicode's compatibility forms on purpose: "①" or "²" is no digit of a
// coordinate.
QString halfWidth(QStringView text)
{
    QString folded = text.toString();
    for (QChar &c : folded) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
        else if (c == u'\u3000')
            c = u' ';
        else if (c == u'\u2212')
            c = u'-';
    }
    return folded;
}

} // namespace

PlainNumber plainNumber(QByteArrayView cell)
{
    const QByteArrayView s = cell.trimmed();
    const qsizetype n = s.size();
    qsizetype i = 0;
    const bool negative = i < n && s[i] == '-';
    if (i < n && (s[i] == '-' || s[i] == '+'))
        ++i;
    // The whole part, with thousands separators between groups of three.
    QByteArray whole;
    qsizetype group = 0;
    bool grouped = false;
    for (; i < n && (isDigit(s[i]) || s[i] == ','); ++i) {
        if (s[i] == ',') {
            if (whole.isEmpty() || (grouped ? group != 3 : group > 3))
                return { {}, Fault::NotANumber };
            grouped = true;
            group = 0;
        } else {
            whole += s[i];
            ++group;
        }
    }
    if (grouped && group != 3)
        return { {}, Fault::NotANumber };
    QByteArray fraction;
    const bool point = i < n && s[i] == '.';
    if (point) {
        for (++i; i < n && isDigit(s[i]); ++i)
            fraction += s[i];
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return { {}, Fault::NotANumber };
    std::optional<int> exponent;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool down = i < n && s[i] == '-';
        if (i < n && (s[i] == '-' || s[i] == '+'))
            ++i;
        if (i == n)
            return { {}, Fault::NotANumber };
        int value = 0;
        for (; i < n && isDigit(s[i]); ++i)
            value = std::min(value * 10 + (s[i] - '0'), 9999);
        exponent = down ? -value : value;
    }
    if (i != n)
        return { {}, Fault::NotANumber };

    QByteArray text = negative ? "-" : "";
    if (!exponent) {
        text += whole;
        if (point)
            text += '.' + fraction;
    } else {
        // The digits without leading zeros, and where the point falls in them.
        QByteArray digits = whole + fraction;
        qsizetype at = whole.size() + *exponent;
        qsizetype lead = 0;
        while (lead < digits.size() && digits.at(lead) == '0')
            ++lead;
        digits.remove(0, lead);
        at -= lead;
        if (digits.isEmpty())
            return { u"0"_s, Fault::None };
        if (at > ListLine::CoordinateWidth)
            return { {}, Fault::TooLong };
        if (at <= 0)
            text += "0." + QByteArray(std::min<qsizetype>(-at, KeptBytes), '0') + digits;
        else if (at >= digits.size())
            text += digits + QByteArray(at - digits.size(), '0');
        else
            text += digits.left(at) + '.' + digits.mid(at);
    }
    const qsizetype wholeWidth = text.indexOf('.') < 0 ? text.size() : text.indexOf('.');
    if (wholeWidth > ListLine::CoordinateWidth)
        return { {}, Fault::TooLong };
    return { QString::fromLatin1(text), Fault::None };
}

PlainNumber plainNumber(const QString &cell)
{
    const QString folded = halfWidth(cell);
    if (std::any_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.unicode() >= 0x80; }))
        return { {}, Fault::NotANumber };
    return plainNumber(QByteArrayView(folded.toLatin1()));
}

} // namespace tavorin::csvnumber
