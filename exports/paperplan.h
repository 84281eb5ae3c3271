#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>

// The plan on paper: sheets, scales and where everything goes on a page, in
// millimetres from the sheet's top left corner. Scales are given by the N of
// 1/N.
namespace tavorin::paperplan {

enum class Paper { A4, A3 };
enum class Orientation { Portrait, Landscape };

// The geodetic datum the footer states: none unless the user chose one,
// since a SIMA or CSV file does not say.
enum class Datum { Unstated, Jgd2024, Jgd2011, Jgd2000, Tokyo };

// The datum's short name, as the command line and the settings write it:
// "2024", "2011", "2000" or "tokyo"; empty for Unstated. datumFromKey reads
// one back, Unstated for any other text.
QString datumKey(Datum datum);
Datum datumFromKey(QStringView key);

struct Sheet
{
    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Portrait;
};

// The sheet's width and height.
QSizeF sheetSize(Sheet sheet);

// The scales offered, largest first.
inline constexpr std::array<qint64, 10> Scales { 100, 200, 250, 500, 1000, 2500, 5000, 10000, 25000,
    50000 };
// The N of the smallest scale drawn, 1/10^15.
inline constexpr qint64 MaxScale = 1'000'000'000'000'000;

inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double PointsPerInch = 72;

// Millimetres in PDF points (1/72 inch).
constexpr double toPoints(double millimetres)
{
    return millimetres * PointsPerInch / MillimetresPerInch;
}

// The length on paper, in millimetres, of metres on the ground at 1/scale.
constexpr double onPaper(double metres, qint64 scale)
{
    return metres * 1000 / double(scale);
}

// The plan page: the title band, the frame that holds the plan (the grid's
// labels stand outside it, X on the left and Y below) and the footer.
struct PlanLayout
{
    QRectF title;
    QRectF frame;
    QRectF footer;
};
PlanLayout planLayout(Sheet sheet);

// The room kept free inside each edge of the frame when the scale is
// chosen, so that marks and names near the edge stay on the plan.
inline constexpr double FitInset = 5;

// True when points spanning spanX metres north and spanY metres east fit
// into frame at 1/scale, FitInset inside its edges.
bool fits(double spanX, double spanY, QSizeF frame, qint64 scale);

// The largest scale of Scales at which the points fit into frame; where
// none does, the largest round scale that fits: 1/N with N 1, 2 or 5 times
// a power of ten, at most 1/MaxScale.
qint64 defaultScale(double spanX, double spanY, QSizeF frame);

// The grid's spacing in metres: the least of 1, 2 or 5 times a power of ten
// whose lines lie at least MinGridSpacing millimetres apart on paper.
inline constexpr double MinGridSpacing = 20;
double gridInterval(qint64 scale);

// The multiples of interval from low to high, both included.
QList<double> gridValues(double low, double high, double interval);

// The scale bar's length in metres: the most of 1, 2 or 5 times a power of
// ten that is at most MaxScaleBar millimetres long on paper.
inline constexpr double MaxScaleBar = 40;
double scaleBarLength(qint64 scale);

// The point table's pages: the title band, then the heading row and
// rowsPerPage rows of RowHeight each, then the footer. The columns lie side
// by side, centred on the sheet: 点番号 where any point has a number, 点名,
// X, Y, and 標高 where any point has an elevation. 点名 takes a name of 20
// full-width characters at the table's size.
inline constexpr double RowHeight = 5;
enum class TableColumn { Number, Name, X, Y, Elevation };
struct TableColumnEdges
{
    TableColumn column = TableColumn::Name;
    double left = 0;
    double right = 0;

    friend bool operator==(const TableColumnEdges &, const TableColumnEdges &) = default;
};
struct TableLayout
{
    QRectF title;
    QRectF heading;
    QRectF rows; // the area of the rows on a full page
    int rowsPerPage = 1;
    QRectF footer;
    QList<TableColumnEdges> columns; // left to right
};
TableLayout tableLayout(Sheet sheet, bool numbers = false, bool elevations = false);

// The number of table pages for points points (none for none).
int tablePageCount(qsizetype points, Sheet sheet);

} // namespace tavorin::paperplan
