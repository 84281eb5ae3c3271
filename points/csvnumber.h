#pragma once

#include "listline.h"

#include <QByteArrayView>
#include <QString>

// Numbers as a spreadsheet saves them in a CSV cell ("-12,345.678",
// "1.5E-3", "１２．５", "−3"), made into the plain decimal text a SIMA file
// holds.
namespace tavorin::csvnumber {

enum class Fault { None, NotANumber, TooLong };

struct PlainNumber
{
    QString text;
    Fault fault = Fault::None;
};

// The bytes kept of a number cell: a number longer than this is no
// coordinate, and its zeros after an exponent stop there too.
inline constexpr qsizetype KeptBytes = 64;

// ASCII number text as plain decimals: a sign, thousands separators in
// groups of three, a point and an exponent are taken. Without an exponent
// the digits stay as written; an exponent moves the point. A whole part
// wider than the 13 columns of a coordinate is TooLong: cutting it would
// change the value.
PlainNumber plainNumber(QByteArrayView cell);

// The same for any text: full-width digits and signs, the ideographic space
// and the minus sign U+2212 count as their ASCII twins.
PlainNumber plainNumber(const QString &cell);

// True for bytes already in plain decimals that fit a coordinate
// ("-12345.678"): most cells, which then need no conversion at all. Inline:
// it runs for every X and Y.
inline bool isPlainDecimal(QByteArrayView bytes)
{
    qsizetype i = !bytes.isEmpty() && bytes.front() == '-' ? 1 : 0;
    const qsizetype digitsFrom = i;
    qsizetype point = -1;
    for (; i < bytes.size(); ++i) {
        if (bytes[i] == '.' && point < 0)
            point = i;
        else if (bytes[i] < '0' || bytes[i] > '9')
            return false;
    }
    const qsizetype wholeWidth = point < 0 ? bytes.size() : point;
    return i - digitsFrom > (point < 0 ? 0 : 1) && wholeWidth <= ListLine::CoordinateWidth;
}

} // namespace tavorin::csvnumber
