#pragma once

#include "csvreader.h"

#include <QStringList>

namespace tavorin {

// Where a CSV file's columns lie, counted from 0; -1 for none. The name may
// be the point number column; with no name column at all the names are
// empty.
struct CsvColumns
{
    int name = -1;
    int number = -1;
    int x = -1;
    int y = -1;
    int elevation = -1;
    int zone = -1;

    friend bool operator==(const CsvColumns &, const CsvColumns &) = default;
};

// What the first row of a CSV file that is not blank is.
struct CsvLayout
{
    enum class Row {
        Header, // it names an X and a Y column
        Data, // no header, but a point: name, X, Y in the order its width says
        Neither, // a title, a date, anything else
    };
    Row row = Row::Neither;
    CsvColumns columns; // for a Header or Data row
    // LatitudeLongitude for a row that names latitude and longitude but no
    // X and Y; the row is then Neither.
    CsvFault fault = CsvFault::None;

    friend bool operator==(const CsvLayout &, const CsvLayout &) = default;
};

// The layout a row gives: cells are its texts, decoded, as far as they are
// kept (the row has fieldCount fields in all).
//
// Header cells are compared after Unicode's compatibility forms (NFKC: full
// width as half width, "Ｘ（ｍ）" as "X(m)"), in any case, without blanks
// and without a unit in brackets or parentheses at their end. A blank cell
// is no column at all. The name is the column headed as a name, else the
// leftmost column left of X that no heading the reader knows names, else
// the point number column, else none.
//
// A row that is no header is a point when its X and Y are numbers: 3 or 4
// fields are name, X, Y (elevation), 5 or more point number, name, X, Y,
// elevation, as in a SIMA record. Blank cells that end the row (Excel pads
// a row to the widest row of the sheet) count only when the row is no
// point with them.
CsvLayout csvLayout(const QStringList &cells, int fieldCount);

// The zone a cell names, 1 to 19, as a number or a Roman numeral, with or
// without 第 before it and 系 after it ("9", "IX", "Ⅸ", "第９系", "ⅩⅠ系");
// 0 for any other text.
int csvZone(QStringView cell);

} // namespace tavorin
