#include "planpdf.h"

#include "coordinatevalue.h"
#include "papertext.h"
#include "planezones.h"
#include "plangeometry.h"
#include "pointfile.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tavorin {

using namespace paperplan;
using namespace Qt::StringLiterals;

namespace {

// A fixed-pitch Japanese font: MS Gothic on Windows, IPAGothic or Noto on
// Linux. The PDF embeds it.
QFont paperFont(double pointSize)
{
    QFont font;
    font.setFamilies(
        { u"MS Gothic"_s, u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s, u"Noto Sans CJK JP"_s });
    font.setPointSizeF(pointSize);
    return font;
}

// The points with numeric coordinates, by position, and their extent.
struct PlanPoints
{
    std::vector<std::optional<SurveyPoint>> points;
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    explicit PlanPoints(const FilePoints &records)
    {
        points.reserve(std::size_t(records.size()));
        for (const FilePoint &record : records) {
            const auto x = coordinateValue(record.x());
            const auto y = coordinateValue(record.y());
            if (!x || !y) {
                points.emplace_back();
                continue;
            }
            points.push_back(SurveyPoint { *x, *y });
            minX = std::min(minX, *x);
            maxX = std::max(maxX, *x);
            minY = std::min(minY, *y);
            maxY = std::max(maxY, *y);
        }
    }

    bool any() const { return minX <= maxX; }
    double spanX() const { return any() ? maxX - minX : 0; }
    double spanY() const { return any() ? maxY - minY : 0; }
    SurveyPoint centre() const
    {
        return any() ? SurveyPoint { minX / 2 + maxX / 2, minY / 2 + maxY / 2 } : SurveyPoint {};
    }
};

// Draws on a page in millimetres from the sheet's top left corner.
class Page
{
public:
    Page(QPainter &painter, double unitsPerMillimetre)
        : m_painter(painter)
        , m_units(unitsPerMillimetre)
    {
    }

    QPainter &painter() { return m_painter; }
    double units() const { return m_units; }
    QPointF at(QPointF millimetres) const { return millimetres * m_units; }
    QRectF rect(const QRectF &millimetres) const
    {
        return { at(millimetres.topLeft()), at(millimetres.bottomRight()) };
    }

    void setPen(double widthMillimetres, const QColor &colour = Qt::black)
    {
        QPen pen(colour, widthMillimetres * m_units);
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
    }
    void line(QPointF a, QPointF b) { m_painter.drawLine(at(a), at(b)); }
    void text(const QRectF &millimetres, int flags, const QString &text, double pointSize)
    {
        m_painter.setFont(paperFont(pointSize));
        m_painter.setPen(Qt::black);
        m_painter.drawText(rect(millimetres), flags, text);
    }

    // text cut with an ellipsis to widthMillimetres where it is wider.
    QString fitted(const QString &text, double pointSize, double widthMillimetres) const
    {
        const QFontMetricsF metrics(paperFont(pointSize), m_painter.device());
        return metrics.elidedText(text, Qt::ElideRight, widthMillimetres * m_units);
    }
    double width(const QString &text, double pointSize) const
    {
        return QFontMetricsF(paperFont(pointSize), m_painter.device()).horizontalAdvance(text)
            / m_units;
    }

private:
    QPainter &m_painter;
    double m_units;
};

// The title at the left of band and a caption at its right, the title cut
// short where it would reach the caption.
void paintTitle(Page &page, const QRectF &band, const QString &title, double titleSize,
    const QString &caption, double captionSize)
{
    constexpr double Gap = 5;
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    const double room = band.width() - page.width(caption, captionSize) - Gap;
    page.text(band, flags | Qt::AlignLeft, page.fitted(title, titleSize, room), titleSize);
    page.text(band, flags | Qt::AlignRight, caption, captionSize);
}

// What every page shows at its foot.
struct Footer
{
    QString zone;
    QString date;
    int pageCount = 1;

    void paint(Page &page, const QRectF &band, int pageNumber) const
    {
        constexpr double Size = 8;
        const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        page.text(band, flags | Qt::AlignLeft, zone, Size);
        page.text(band, flags | Qt::AlignHCenter, date, Size);
        page.text(band, flags | Qt::AlignRight,
            QString::number(pageNumber) + u'/' + QString::number(pageCount), Size);
    }
};

QString gridLabel(double value, double interval)
{
    const int decimals = interval >= 1 ? 0 : int(std::ceil(-std::log10(interval) - 1e-9));
    return QString::number(value + 0.0, 'f', decimals);
}

void paintNorthArrow(Page &page, const QRectF &frame)
{
    const QRectF box(frame.right() - 13, frame.top() + 1.5, 11, 19);
    QPainter &painter = page.painter();
    painter.fillRect(page.rect(box), Qt::white);
    page.text(QRectF(box.left(), box.top(), box.width(), 5), Qt::AlignCenter, PaperText::North, 10);
    const double cx = box.center().x();
    QPainterPath arrow;
    arrow.moveTo(page.at({ cx, box.top() + 6 }));
    arrow.lineTo(page.at({ cx + 3, box.top() + 17.5 }));
    arrow.lineTo(page.at({ cx, box.top() + 14.5 }));
    arrow.lineTo(page.at({ cx - 3, box.top() + 17.5 }));
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(arrow);
    painter.setBrush(Qt::NoBrush);
}

void paintScaleBar(Page &page, const QRectF &frame, qint64 scale)
{
    const double metres = scaleBarLength(scale);
    const double length = onPaper(metres, scale);
    const QRectF box(frame.left() + 1.5, frame.bottom() - 11.5, length + 16, 10);
    QPainter &painter = page.painter();
    painter.fillRect(page.rect(box), Qt::white);
    const double left = box.left() + 4;
    const double top = box.bottom() - 4;
    // Four parts, black and white in turn.
    for (int part = 0; part < 4; ++part) {
        const QRectF piece(left + part * length / 4, top, length / 4, 1.2);
        painter.fillRect(page.rect(piece), part % 2 == 0 ? Qt::black : Qt::white);
    }
    page.setPen(0.15);
    painter.drawRect(page.rect(QRectF(left, top, length, 1.2)));
    const double captionTop = top - 4.5;
    page.text(QRectF(left - 5, captionTop, 10, 4), Qt::AlignCenter, u"0"_s, 7);
    page.text(QRectF(left + length - 10, captionTop, 20, 4), Qt::AlignCenter,
        QString::number(metres, 'g', 15) + PaperText::Metres, 7);
}

// Where a survey point falls on the page, in millimetres: the plan's
// geometry works in PDF points from the frame's corner.
struct FramedPlan
{
    const QRectF &frame;
    const PlanGeometry &geometry;

    QPointF operator()(SurveyPoint p) const
    {
        return frame.topLeft() + geometry.toScreen(p) / toPoints(1);
    }
};

// The radius of a point's mark, in millimetres.
constexpr double MarkRadius = 0.6;

// Whether a mark at at, in millimetres, shows within frame: in full or in
// part, since the frame cuts it.
bool markShown(const QRectF &frame, QPointF at)
{
    return frame.adjusted(-MarkRadius, -MarkRadius, MarkRadius, MarkRadius).contains(at);
}

// The plan's geometry on the page: the points' extent centred in frame, at
// 1/scale, in PDF points from the frame's corner.
PlanGeometry planGeometry(const PlanPoints &plan, const QRectF &frame, qint64 scale)
{
    PlanGeometry geometry;
    geometry.setPoints(plan.points);
    geometry.setViewport(frame.size() * toPoints(1));
    geometry.setView(plan.centre(), toPoints(onPaper(1, scale)));
    return geometry;
}

void paintGrid(
    Page &page, const QRectF &frame, const PlanGeometry &geometry, SurveyPoint centre, qint64 scale)
{
    const double interval = gridInterval(scale);
    const double halfX = frame.height() / 2 * double(scale) / 1000;
    const double halfY = frame.width() / 2 * double(scale) / 1000;
    const FramedPlan onPage { frame, geometry };
    QPainter &painter = page.painter();
    painter.save();
    painter.setClipRect(page.rect(frame));
    page.setPen(0.1, QColor(170, 170, 170));
    const QList<double> xs = gridValues(centre.x - halfX, centre.x + halfX, interval);
    const QList<double> ys = gridValues(centre.y - halfY, centre.y + halfY, interval);
    for (const double x : xs) {
        const double top = onPage({ x, centre.y }).y();
        page.line({ frame.left(), top }, { frame.right(), top });
    }
    for (const double y : ys) {
        const double left = onPage({ centre.x, y }).x();
        page.line({ left, frame.top() }, { left, frame.bottom() });
    }
    painter.restore();
    constexpr double LabelSize = 6.5;
    for (const double x : xs) {
        const double top = onPage({ x, centre.y }).y();
        page.text(QRectF(frame.left() - 30, top - 2, 29, 4), Qt::AlignRight | Qt::AlignVCenter,
            PaperText::XHeading + u'=' + gridLabel(x, interval), LabelSize);
    }
    for (const double y : ys) {
        const double left = onPage({ centre.x, y }).x();
        page.text(QRectF(left - 15, frame.bottom() + 0.5, 30, 4), Qt::AlignHCenter | Qt::AlignTop,
            PaperText::YHeading + u'=' + gridLabel(y, interval), LabelSize);
    }
}

void paintPoints(Page &page, const QRectF &frame, const PlanGeometry &geometry,
    const PlanPoints &plan, const FilePoints &records)
{
    const FramedPlan onPage { frame, geometry };
    QPainter &painter = page.painter();
    painter.save();
    painter.setClipRect(page.rect(frame));

    // The marks: small circles, on the points inside the frame.
    const double radius = MarkRadius * page.units();
    std::vector<int> visible;
    page.setPen(0.15);
    for (int p = 0; p < geometry.pointCount(); ++p) {
        const auto &point = plan.points[std::size_t(p)];
        if (!point)
            continue;
        const QPointF at = onPage(*point);
        if (!markShown(frame, at))
            continue;
        visible.push_back(p);
        painter.drawEllipse(page.at(at), radius, radius);
    }

    // The names, in file order, chosen as the plan window chooses them:
    // none over another name or another point's mark. The geometry works in
    // PDF points.
    constexpr double NameSize = 7;
    const QFont font = paperFont(NameSize);
    const QFontMetricsF metrics(font, painter.device());
    const double perPoint = 1 / toPoints(1);
    const double unitsPerPoint = page.units() * perPoint;
    std::vector<float> widths(std::size_t(geometry.pointCount()), 0);
    for (const int p : visible)
        widths[std::size_t(p)]
            = float(metrics.horizontalAdvance(records[p].name()) / unitsPerPoint);
    const double height = metrics.height() / unitsPerPoint;
    const QPointF offset(5, -height + 2);
    const QPointF baseline = offset + QPointF(0, metrics.ascent() / unitsPerPoint);
    // Names that would run off the frame are not written, rather than cut.
    const QRectF inside(QPointF(), frame.size() * toPoints(1));
    std::vector<int> order;
    order.reserve(visible.size());
    for (const int p : visible) {
        const QPointF corner = geometry.toScreen(*plan.points[std::size_t(p)]) + offset;
        if (inside.contains(QRectF(corner, QSizeF(widths[std::size_t(p)], height))))
            order.push_back(p);
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const int p : geometry.chooseLabels(order, widths, height, offset)) {
        const QPointF at = geometry.toScreen(*plan.points[std::size_t(p)]) + baseline;
        painter.drawText(page.at(frame.topLeft() + at * perPoint), records[p].name());
    }
    painter.restore();
}

void paintPlanPage(
    Page &page, const PlanPdfInput &input, const PlanPoints &plan, const Footer &footer)
{
    const PlanLayout layout = planLayout(input.sheet);
    const qint64 scale = planScale(input);
    const PlanGeometry geometry = planGeometry(plan, layout.frame, scale);

    paintGrid(page, layout.frame, geometry, plan.centre(), scale);
    paintPoints(page, layout.frame, geometry, plan, input.points);
    page.setPen(0.3);
    page.painter().drawRect(page.rect(layout.frame));
    paintNorthArrow(page, layout.frame);
    paintScaleBar(page, layout.frame, scale);

    paintTitle(
        page, layout.title, input.title, 14, PaperText::ScalePrefix + QString::number(scale), 12);
    footer.paint(page, layout.footer, 1);
}

// What a point shows in a column of the table.
QString cellText(const FilePoint &point, TableColumn column)
{
    switch (column) {
    case TableColumn::Number:
        return point.number();
    case TableColumn::Name:
        return point.name();
    case TableColumn::X:
        return point.x();
    case TableColumn::Y:
        return point.y();
    case TableColumn::Elevation:
        break;
    }
    return point.elevation();
}

const QString &headingText(TableColumn column)
{
    switch (column) {
    case TableColumn::Number:
        return PaperText::NumberHeading;
    case TableColumn::Name:
        return PaperText::NameHeading;
    case TableColumn::X:
        return PaperText::XHeading;
    case TableColumn::Y:
        return PaperText::YHeading;
    case TableColumn::Elevation:
        break;
    }
    return PaperText::ElevationHeading;
}

// Writes text in its column of band: the number and the name on the left,
// the values on the right, CellGap clear of the next column. A text too wide
// at CellSize is set smaller, down to MinCellSize, and only past that cut
// with an ellipsis.
void paintCell(Page &page, const QRectF &band, const TableColumnEdges &edges, const QString &text)
{
    constexpr double CellSize = 9;
    constexpr double MinCellSize = 4.5;
    constexpr double CellGap = 2;
    const bool left = edges.column == TableColumn::Number || edges.column == TableColumn::Name;
    const double room = edges.right - edges.left - CellGap;
    const QRectF cell(left ? edges.left : edges.left + CellGap, band.top(), room, band.height());
    double size = CellSize;
    if (const double width = page.width(text, CellSize); width > room) {
        // Rounded down to a tenth of a point, so that the smaller text
        // surely fits.
        size = std::max(MinCellSize, std::floor(CellSize * room / width * 10) / 10);
    }
    page.text(cell, Qt::AlignVCenter | Qt::TextSingleLine | (left ? Qt::AlignLeft : Qt::AlignRight),
        page.fitted(text, size, room), size);
}

void paintTablePage(Page &page, const PlanPdfInput &input, const TableLayout &layout,
    qsizetype first, const Footer &footer, int pageNumber)
{
    paintTitle(page, layout.title, input.title, 12, PaperText::TableCaption, 12);
    for (const TableColumnEdges &edges : layout.columns)
        paintCell(page, layout.heading, edges, headingText(edges.column));
    page.setPen(0.2);
    const double ruleTop = layout.heading.bottom() + 0.5;
    page.line({ layout.columns.constFirst().left, ruleTop },
        { layout.columns.constLast().right, ruleTop });

    const qsizetype end = std::min(input.points.size(), first + layout.rowsPerPage);
    for (qsizetype i = first; i < end; ++i) {
        const QRectF band(layout.rows.left(), layout.rows.top() + double(i - first) * RowHeight,
            layout.rows.width(), RowHeight);
        for (const TableColumnEdges &edges : layout.columns)
            paintCell(page, band, edges, cellText(input.points[i], edges.column));
    }
    footer.paint(page, layout.footer, pageNumber);
}

// The table's layout: the columns 点番号 and 標高 only where some point
// has a number or an elevation.
TableLayout pointTableLayout(const PlanPdfInput &input)
{
    const auto any = [&input](const QString (FilePoint::*field)() const) {
        return std::any_of(input.points.cbegin(), input.points.cend(),
            [field](const FilePoint &point) { return !(point.*field)().isEmpty(); });
    };
    return tableLayout(input.sheet, any(&FilePoint::number), any(&FilePoint::elevation));
}

} // namespace

QString planTitle(const QString &jobName, const QString &path)
{
    const QString trimmed = jobName.trimmed();
    return trimmed.isEmpty() ? QFileInfo(path).fileName() : trimmed;
}

QString datumName(paperplan::Datum datum)
{
    using paperplan::Datum;
    switch (datum) {
    case Datum::Jgd2024:
        return PaperText::Jgd2024;
    case Datum::Jgd2011:
        return PaperText::Jgd2011;
    case Datum::Jgd2000:
        return PaperText::Jgd2000;
    case Datum::Tokyo:
        return PaperText::TokyoDatum;
    case Datum::Unstated:
        break;
    }
    return {};
}

QString zoneLine(int zone, paperplan::Datum datum)
{
    QStringList parts;
    if (zone == geodesy::LocalZone)
        parts << PaperText::ZonePrefix + PaperText::LocalGrid;
    else if (geodesy::zone(zone))
        parts << PaperText::ZonePrefix + geodesy::zoneLabel(zone);
    if (datum != paperplan::Datum::Unstated)
        parts << PaperText::DatumPrefix + datumName(datum);
    return parts.join(PaperText::FooterSeparator);
}

qint64 planScale(const PlanPdfInput &input)
{
    if (input.scale && *input.scale >= 1)
        return *input.scale;
    const PlanPoints plan(input.points);
    return defaultScale(plan.spanX(), plan.spanY(), planLayout(input.sheet).frame.size());
}

qsizetype pointsOffPlan(const PlanPdfInput &input)
{
    const PlanPoints plan(input.points);
    const QRectF frame = planLayout(input.sheet).frame;
    const PlanGeometry geometry = planGeometry(plan, frame, planScale(input));
    const FramedPlan onPage { frame, geometry };
    return std::count_if(plan.points.cbegin(), plan.points.cend(),
        [&](const std::optional<SurveyPoint> &p) { return p && !markShown(frame, onPage(*p)); });
}

int planPageCount(const PlanPdfInput &input)
{
    return 1 + tablePageCount(input.points.size(), input.sheet);
}

bool paintPlanPages(QPagedPaintDevice &device, const PlanPdfInput &input)
{
    const QPageSize size(input.sheet.paper == Paper::A4 ? QPageSize::A4 : QPageSize::A3);
    device.setPageLayout(QPageLayout(size,
        input.sheet.orientation == Orientation::Portrait ? QPageLayout::Portrait
                                                         : QPageLayout::Landscape,
        QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    Page page(painter, device.logicalDpiX() / MillimetresPerInch);
    const Footer footer { zoneLine(input.zone, input.datum),
        PaperText::DatePrefix + input.date.toString(PaperText::DateFormat), planPageCount(input) };

    paintPlanPage(page, input, PlanPoints(input.points), footer);
    const TableLayout table = pointTableLayout(input);
    for (int pageNumber = 2; pageNumber <= footer.pageCount; ++pageNumber) {
        if (!device.newPage())
            return false;
        paintTablePage(
            page, input, table, (pageNumber - 2) * table.rowsPerPage, footer, pageNumber);
    }
    return painter.end();
}

Result<void> savePlanPdf(const QString &path, const PlanPdfInput &input)
{
    // QPdfWriter does not report a write that fails; the save sees it when
    // it flushes the file.
    return pointfile::save(path, [&input](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setTitle(input.title);
        writer.setCreator(u"Tavorin"_s);
        return paintPlanPages(writer, input);
    });
}

} // namespace tavorin
