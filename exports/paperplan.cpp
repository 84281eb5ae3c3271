#include "paperplan.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavorin::paperplan {

namespace {

constexpr std::pair<Datum, const char16_t *> DatumKeys[] = { { Datum::Jgd2024, u"2024" },
    { Datum::Jgd2011, u"2011" }, { Datum::Jgd2000, u"2000" }, { Datum::Tokyo, u"tokyo" } };

} // namespace

QString datumKey(Datum datum)
{
    for (const auto &[d, key] : DatumKeys)
        if (d == datum)
            return QString::fromUtf16(key);
    return {};
}

Datum datumFromKey(QStringView key)
{
    for (const auto &[d, name] : DatumKeys)
        if (key == QStringView(name))
            return d;
    return Datum::Unstated;
}

namespace {

constexpr double Margin = 10;
constexpr double TitleHeight = 12;
constexpr double FooterHeight = 8;
// Room for the grid's labels: X left of the frame, Y below it.
constexpr double XLabelWidth = 16;
constexpr double YLabelHeight = 6;
// The point table's columns. At 9 pt a full-width character is 3.2 mm
// and a half-width one 1.6 mm: 点名 holds 20 full-width characters, the
// others 12 to 20 half-width ones, each with a little room to the next.
constexpr double NumberColumnWidth = 22;
constexpr double NameColumnWidth = 66;
constexpr double CoordinateColumnWidth = 34;
constexpr double ElevationColumnWidth = 24;

// 1, 2 and 5 times the powers of ten, from 10^-6 up, each given to stop in
// ascending order until it returns true; the value it stopped at.
template <typename Stop> double roundValue(Stop stop)
{
    for (int exponent = -6; exponent < 300; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (const double step : { 1.0, 2.0, 5.0 })
            if (stop(step * power))
                return step * power;
    }
    return 1e300;
}

} // namespace

QSizeF sheetSize(Sheet sheet)
{
    const QSizeF portrait = sheet.paper == Paper::A4 ? QSizeF(210, 297) : QSizeF(297, 420);
    return sheet.orientation == Orientation::Portrait ? portrait : portrait.transposed();
}

PlanLayout planLayout(Sheet sheet)
{
    const QSizeF size = sheetSize(sheet);
    const double width = size.width() - 2 * Margin;
    const double footerTop = size.height() - Margin - FooterHeight;
    const double frameTop = Margin + TitleHeight;
    return { QRectF(Margin, Margin, width, TitleHeight),
        QRectF(Margin + XLabelWidth, frameTop, width - XLabelWidth,
            footerTop - YLabelHeight - frameTop),
        QRectF(Margin, footerTop, width, FooterHeight) };
}

bool fits(double spanX, double spanY, QSizeF frame, qint64 scale)
{
    return onPaper(spanY, scale) <= frame.width() - 2 * FitInset
        && onPaper(spanX, scale) <= frame.height() - 2 * FitInset;
}

qint64 defaultScale(double spanX, double spanY, QSizeF frame)
{
    for (const qint64 scale : Scales)
        if (fits(spanX, spanY, frame, scale))
            return scale;
    // Scales past the list, tried in order: the first that fits.
    const double found = roundValue([&](double n) {
        return n >= double(MaxScale)
            || (n > double(Scales.back()) && fits(spanX, spanY, frame, qint64(n)));
    });
    return std::min(qint64(found), MaxScale);
}

double gridInterval(qint64 scale)
{
    return roundValue([scale](double metres) { return onPaper(metres, scale) >= MinGridSpacing; });
}

QList<double> gridValues(double low, double high, double interval)
{
    QList<double> values;
    const double first = std::ceil(low / interval);
    const double last = std::floor(high / interval);
    // Never more lines than a page can show, nor a count that far-off
    // coordinates would make endless.
    if (!(interval > 0) || !(last - first < 1000))
        return values;
    for (int i = 0; i <= int(last - first); ++i)
        values.append((first + i) * interval);
    return values;
}

double scaleBarLength(qint64 scale)
{
    double longest = 0;
    roundValue([&](double metres) {
        if (onPaper(metres, scale) > MaxScaleBar)
            return true;
        longest = metres;
        return false;
    });
    return longest;
}

TableLayout tableLayout(Sheet sheet, bool numbers, bool elevations)
{
    const QSizeF size = sheetSize(sheet);
    const double width = size.width() - 2 * Margin;
    const double headingTop = Margin + TitleHeight;
    const double rowsTop = headingTop + RowHeight + 1;
    const double footerTop = size.height() - Margin - FooterHeight;
    TableLayout layout;
    layout.title = QRectF(Margin, Margin, width, TitleHeight);
    layout.heading = QRectF(Margin, headingTop, width, RowHeight);
    layout.rowsPerPage = std::max(1, int(std::floor((footerTop - rowsTop) / RowHeight)));
    layout.rows = QRectF(Margin, rowsTop, width, layout.rowsPerPage * RowHeight);
    layout.footer = QRectF(Margin, footerTop, width, FooterHeight);
    QList<std::pair<TableColumn, double>> widths;
    if (numbers)
        widths.append({ TableColumn::Number, NumberColumnWidth });
    widths.append({ TableColumn::Name, NameColumnWidth });
    widths.append({ TableColumn::X, CoordinateColumnWidth });
    widths.append({ TableColumn::Y, CoordinateColumnWidth });
    if (elevations)
        widths.append({ TableColumn::Elevation, ElevationColumnWidth });
    double tableWidth = 0;
    for (const auto &[column, columnWidth] : widths)
        tableWidth += columnWidth;
    double left = (size.width() - tableWidth) / 2;
    for (const auto &[column, columnWidth] : widths) {
        layout.columns.append({ column, left, left + columnWidth });
        left += columnWidth;
    }
    return layout;
}

int tablePageCount(qsizetype points, Sheet sheet)
{
    const qsizetype rows = tableLayout(sheet).rowsPerPage;
    return int((points + rows - 1) / rows);
}

} // namespace tavorin::paperplan
