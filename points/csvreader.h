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
// Columns: a first row that names an X and a Y column (X or X座標, Y or
// Y座標) is a header, its cells compared in full or half width, any case,
// blanks ignored and a unit in brackets at the end dropped ("Ｘ（ｍ）").
// The name is the first column headed as a name (点名, 測点名, 基準点名,
// 点名称, 名称, 名前, Name, Point, Point Name, Label, Marker, Station), else
// the first column the reader does not know, else the point number column;
// every other column is dropped, whatever the number of columns. A first row
// that names latitude and longitude but not X and Y is refused
// (LatitudeLongitude). Without a header the first row's number of fields
// decides: 3 or 4 are name, X, Y (elevation); 5 or more point number, name,
// X, Y, elevation, as in a SIMA record. Point numbers and elevations are
// dropped; names may repeat, every row being a point of its own.
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
