#pragma once

#include "failure.h"
#include "filepoint.h"
#include "pointtable.h"

#include <QByteArrayView>
#include <QList>

class QIODevice;

namespace tavorin {

// Why a row of a CSV file cannot be read.
enum class CsvFault {
    None,
    QuoteNotClosed, // a field opened with a double quote runs to the end of the file
    TooFewFields, // the row ends before the name, X or Y column
    NameMissing,
    XNotANumber,
    YNotANumber,
    XTooLong, // a number whose whole part does not fit the 13 columns of X
    YTooLong,
    LatitudeLongitude, // the header names latitude and longitude, not X and Y
    // The first row that is not blank is neither a header nor a point, and
    // no header follows within the first 10 rows; no row is named.
    HeaderNotFound,
};

// What reading a CSV file gives: its points in file order, made as a SIMA
// reading makes them (name cut to 8 characters, X and Y to 13), and beside
// them the records of what the file says of each, or the first row that
// cannot be read (rows count from 1 as a spreadsheet numbers them, the
// header, title and blank rows included) and no points at all.
struct CsvReading
{
    QList<PointRecord> points;
    CsvFault fault = CsvFault::None;
    qint64 faultRow = 0;
    // The plane rectangular zone (1 to 19) that every row names in a column
    // headed 平面直角座標系, 座標系 or 系; 0 when there is no such column or
    // the rows do not all name the same zone.
    int zone = 0;
    // What the file says of each point, whole, in step with points.
    FilePoints records;
};

// Reads CSV text as Excel saves it. Fields are separated by commas; a field
// in double quotes may hold commas, doubled quotes and line breaks. CR LF, LF
// and CR end a row; blank rows (nothing but blanks and commas) are skipped;
// blanks around a field are dropped. The text is code page 932 or UTF-8 by
// the rule the SIMA reader follows.
//
// Columns: the first row that is not blank decides them (see csvLayout in
// csvheader.h). A header names an X and a Y column in any order; the name is
// the column headed as one, else the leftmost column left of X that no
// heading the reader knows names, else the point number column, else there
// is none and the names are empty. A row without a header is a point by its
// number of fields: 3 or 4 are name, X, Y (elevation); 5 or more point
// number, name, X, Y, elevation, as in a SIMA record. A first row that is
// neither is a title: the header must follow within the first 10 rows
// (HeaderNotFound otherwise), and the rows above it are skipped. A header
// that names latitude and longitude but not X and Y is refused
// (LatitudeLongitude). Names may repeat, every row being a point of its own.
//
// X and Y must be numbers; a sign, thousands separators ("12,345.678") and
// an exponent are taken, each number becoming the plain decimal text a SIMA
// file holds ("12345.678", "1.5E-3" as "0.0015"). A point is made from the
// first 64 bytes of its name, X and Y; a record keeps the name, the point
// number and the elevation as written up to 255 bytes, without the blanks
// round them, and X and Y as the point's plain decimal text before the cut.
//
// Failures: 9 on a point past the 10001 the point table holds, 57 when the
// device fails to read. Memory stays bounded whatever the input: only the
// beginning of each field that counts is kept.
Result<CsvReading> readCsv(QByteArrayView bytes);
Result<CsvReading> readCsv(QIODevice &device);

} // namespace tavorin
