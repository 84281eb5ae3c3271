#pragma once

#include "failure.h"
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
};

// What reading a CSV file gives: its points in file order, made as a SIMA
// reading makes them (name cut to 8 characters, X and Y to 13), or the first
// row that cannot be read (rows count from 1 as a spreadsheet numbers them,
// the header and blank rows included) and no points at all.
struct CsvReading
{
    QList<PointRecord> points;
    CsvFault fault = CsvFault::None;
    qint64 faultRow = 0;
    // The plane rectangular zone (1..19) every row read names in a column
    // headed 平面直角座標系, 座標系 or 系; 0 when there is no such column or
    // the rows name different zones or none.
    int zone = 0;
};

// Reads CSV text as Excel saves it. Fields are separated by commas; a field
// in double quotes may hold commas, doubled quotes and line breaks. CR LF, LF
// and CR end a row; blank rows (nothing but blanks and commas) are skipped;
// blanks around a field are dropped. The text is code page 932 or UTF-8 by
// the rule the SIMA reader follows.
//
// Columns: a first row whose cells name a point name, X and Y column (点名,
// 測点名, 名称 or Name; X or X座標; Y or Y座標; in full or half width, any
// case) is a header, and those columns are read in any order. Otherwise the
// first row's number of fields decides: 3 or 4 are name, X, Y (elevation);
// 5 or more point number, name, X, Y, elevation, as in a SIMA record. Point
// numbers and elevations are dropped.
//
// X and Y must be numbers; a sign, thousands separators ("12,345.678") and
// an exponent are taken, each number becoming the plain decimal text a SIMA
// file holds ("12345.678", "1.5E-3" as "0.0015").
//
// Failures: 9 on a point past the 10001 the point table holds, 57 when the
// device fails to read. Memory stays bounded whatever the input: only the
// beginning of each field that counts is kept.
Result<CsvReading> readCsv(QByteArrayView bytes);
Result<CsvReading> readCsv(QIODevice &device);

} // namespace tavorin
