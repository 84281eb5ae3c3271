#include "planpdf.h"

#include "coordinatevalue.h"
#include "papertext.h"
#include "parcelshapes.h"
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
    QString source; // a line of its own under the others, where given

    void paint(Page &page, const QRectF &whole, int pageNumber) const
    {
        constexpr double Size = 8;
        const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        QRectF band = whole;
        if (!source.isEmpty()) {
            band.setHeight(whole.height() / 2);
            page.text(band.translated(0, band.height()), flags | Qt::AlignLeft, source, Size - 1);
        }
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
    page.text(QRectF(box.left(), box.top(), box.width(), 5), Qt::AlignCenter, papertext::North, 10);
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
        QString::number(metres, 'g', 15) + papertext::Metres, 7);
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
            papertext::XHeading + u'=' + gridLabel(x, interval), LabelSize);
    }
    for (const double y : ys) {
        const double left = onPage({ centre.x, y }).x();
        page.text(QRectF(left - 15, frame.bottom() + 0.5, 30, 4), Qt::AlignHCenter | Qt::AlignTop,
            papertext::YHeading + u'=' + gridLabel(y, interval), LabelSize);
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

// The good parcels as closed outlines with their names at their centres,
// under the points' marks and names.
void paintParcels(Page &page, const QRectF &frame, const PlanGeometry &geometry,
    const FilePoints &records, const Parcels &parcels)
{
    const FramedPlan onPage { frame, geometry };
    QPainter &painter = page.painter();
    painter.save();
    painter.setClipRect(page.rect(frame));
    for (const Parcel &parcel : parcels) {
        const auto ring = parcelRing(parcel, records);
        if (!ring)
            continue;
        QPolygonF outline;
        for (const geodesy::PlanePoint &p : *ring)
            outline << page.at(onPage({ p.x, p.y }));
        page.setPen(0.25, QColor(0, 0, 140));
        painter.drawPolygon(outline);
        const QString name = parcel.name.isEmpty() ? parcel.number : parcel.name;
        const geodesy::PlanePoint middle = ringLabelPoint(*ring);
        const QPointF centre = onPage({ middle.x, middle.y });
        page.text(QRectF(centre.x() - 40, centre.y() - 3, 80, 6),
            Qt::AlignCenter | Qt::TextDontClip, name, 8);
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
    paintParcels(page, layout.frame, geometry, input.points, input.parcels);
    paintPoints(page, layout.frame, geometry, plan, input.points);
    page.setPen(0.3);
    page.painter().drawRect(page.rect(layout.frame));
    paintNorthArrow(page, layout.frame);
    paintScaleBar(page, layout.frame, scale);

    paintTitle(
        page, layout.title, input.title, 14, papertext::ScalePrefix + QString::number(scale), 12);
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
        return papertext::NumberHeading;
    case TableColumn::Name:
        return papertext::NameHeading;
    case TableColumn::X:
        return papertext::XHeading;
    case TableColumn::Y:
        return papertext::YHeading;
    case TableColumn::Elevation:
        break;
    }
    return papertext::ElevationHeading;
}

// Writes text in the column from leftEdge to rightEdge of band: on the left
// (names), or on the right (values) CellGap clear of the next column. A text too wide
// at CellSize is set smaller, down to MinCellSize, and only past that cut
// with an ellipsis.
void paintCellAt(Page &page, const QRectF &band, double leftEdge, double rightEdge, bool left,
    const QString &text)
{
    constexpr double CellSize = 9;
    constexpr double MinCellSize = 4.5;
    constexpr double CellGap = 2;
    const double room = rightEdge - leftEdge - CellGap;
    const QRectF cell(left ? leftEdge : leftEdge + CellGap, band.top(), room, band.height());
    double size = CellSize;
    if (const double width = page.width(text, CellSize); width > room) {
        // Rounded down to a tenth of a point, so that the smaller text
        // surely fits.
        size = std::max(MinCellSize, std::floor(CellSize * room / width * 10) / 10);
    }
    page.text(cell, Qt::AlignVCenter | Qt::TextSingleLine | (left ? Qt::AlignLeft : Qt::AlignRight),
        page.fitted(text, size, room), size);
}

// A cell of the point table: the number and the name on the left.
void paintCell(Page &page, const QRectF &band, const TableColumnEdges &edges, const QString &text)
{
    const bool left = edges.column == TableColumn::Number || edges.column == TableColumn::Name;
    paintCellAt(page, band, edges.left, edges.right, left, text);
}

void paintTablePage(Page &page, const PlanPdfInput &input, const TableLayout &layout,
    qsizetype first, const Footer &footer, int pageNumber)
{
    paintTitle(page, layout.title, input.title, 12, papertext::TableCaption, 12);
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

// A parcel as its pages show it.
struct ParcelSheet
{
    QString heading;
    parcels::AreaTable area;
    parcels::SideTable sides;
    bool fileSides = false; // whether the file gives any of its sides
    bool differs = false; // whether any of them differs from the computed one
};

QString parcelHeading(const Parcel &parcel, const parcels::AreaTable &area)
{
    QStringList parts;
    if (!parcel.number.isEmpty())
        parts << papertext::ParcelPrefix + parcel.number;
    if (!parcel.name.isEmpty())
        parts << parcel.name;
    return parts.join(u' ') + papertext::FooterSeparator + papertext::RegisteredAreaPrefix
        + area.registeredArea + papertext::SquareMetres;
}

// The parcels that get pages: the good ones whose vertices all have
// coordinates, the ones the plan draws.
std::vector<ParcelSheet> parcelSheets(const PlanPdfInput &input)
{
    std::vector<ParcelSheet> sheets;
    if (!input.parcel.pdfPages)
        return sheets;
    for (qsizetype i = 0; i < input.parcels.size(); ++i) {
        const Parcel &parcel = input.parcels[i];
        if (!parcelRing(parcel, input.points)) // bad, or not all its vertices have coordinates
            continue;
        const auto landClass = input.landClasses.value(i, parcels::LandClass::Residential);
        auto area = parcels::areaTable(parcel, input.points, input.parcel.form, landClass);
        auto sides = parcels::sideTable(parcel, input.points, input.parcel.rounding);
        if (!area || !sides)
            continue;
        ParcelSheet sheet { parcelHeading(parcel, *area), std::move(*area), std::move(*sides) };
        for (const parcels::SideRow &row : sheet.sides.rows) {
            sheet.fileSides = sheet.fileSides || row.fileSide.has_value();
            sheet.differs = sheet.differs || row.differs;
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

// The lines of a parcel's pages, RowHeight each.
enum class SheetLine {
    AreaCaption,
    AreaHeading,
    AreaRow,
    AreaSum,
    Gap,
    SideCaption,
    SideHeading,
    SideRow,
    Perimeter,
    Note
};
struct Line
{
    SheetLine kind;
    qsizetype index = 0; // the row, or the sum: 倍面積, 面積, 地積
};

// One page of a parcel's: the lines it shows, from the top.
struct ParcelPage
{
    std::size_t sheet = 0;
    QList<Line> lines;
};

// The first line's top and how many lines a parcel's page holds.
std::pair<double, int> parcelPageRows(Sheet sheet)
{
    const TableLayout layout = tableLayout(sheet);
    const double top = layout.heading.top();
    return { top, std::max(4, int(std::floor((layout.footer.top() - top) / RowHeight))) };
}

// The sheets' lines laid out on pages: each parcel from a new page; a
// table that runs onto the next page repeats its headings there.
QList<ParcelPage> parcelPages(const std::vector<ParcelSheet> &sheets, Sheet paper)
{
    const int capacity = parcelPageRows(paper).second;
    QList<ParcelPage> pages;
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const ParcelSheet &sheet = sheets[s];
        QList<Line> lines { { SheetLine::AreaCaption }, { SheetLine::AreaHeading } };
        for (qsizetype i = 0; i < sheet.area.rows.size(); ++i)
            lines.append({ SheetLine::AreaRow, i });
        for (qsizetype i = 0; i < 3; ++i)
            lines.append({ SheetLine::AreaSum, i });
        lines.append(
            { { SheetLine::Gap }, { SheetLine::SideCaption }, { SheetLine::SideHeading } });
        for (qsizetype i = 0; i < sheet.sides.rows.size(); ++i)
            lines.append({ SheetLine::SideRow, i });
        lines.append({ SheetLine::Perimeter });
        if (sheet.differs)
            lines.append({ SheetLine::Note });

        ParcelPage page { s, {} };
        for (const Line &line : lines) {
            if (page.lines.size() >= capacity) {
                pages.append(page);
                page.lines.clear();
                if (line.kind == SheetLine::AreaRow || line.kind == SheetLine::AreaSum)
                    page.lines.append({ SheetLine::AreaHeading });
                else if (line.kind == SheetLine::SideRow || line.kind == SheetLine::Perimeter)
                    page.lines.append({ SheetLine::SideHeading });
                else if (line.kind == SheetLine::Gap)
                    continue;
            }
            page.lines.append(line);
        }
        pages.append(page);
    }
    return pages;
}

// A column of a parcel's table: its edges and whether its text stands left.
struct SheetColumn
{
    double left = 0;
    double right = 0;
    bool alignLeft = false;
};

// Columns of the widths given side by side, centred on the sheet; the
// first holds names, set left.
QList<SheetColumn> sheetColumns(Sheet sheet, std::initializer_list<double> widths)
{
    double total = 0;
    for (const double width : widths)
        total += width;
    double left = (sheetSize(sheet).width() - total) / 2;
    QList<SheetColumn> columns;
    for (const double width : widths) {
        columns.append({ left, left + width, columns.isEmpty() });
        left += width;
    }
    return columns;
}

void paintRow(
    Page &page, const QRectF &band, const QList<SheetColumn> &columns, const QStringList &texts)
{
    for (qsizetype c = 0; c < columns.size() && c < texts.size(); ++c)
        paintCellAt(page, band, columns[c].left, columns[c].right, columns[c].alignLeft, texts[c]);
}

void paintRule(Page &page, const QList<SheetColumn> &columns, double y)
{
    page.setPen(0.2);
    page.line({ columns.constFirst().left, y }, { columns.constLast().right, y });
}

void paintParcelPage(Page &page, const PlanPdfInput &input, const ParcelSheet &sheet,
    const ParcelPage &parcelPage, const Footer &footer, int pageNumber)
{
    const TableLayout layout = tableLayout(input.sheet);
    paintTitle(page, layout.title, sheet.heading, 12, papertext::ParcelCaption, 12);
    const bool byX = sheet.area.form == parcels::AreaForm::XTimesDeltaY;
    const QList<SheetColumn> area = sheetColumns(input.sheet, { 50, 30, 30, 34, 46 });
    QList<SheetColumn> sides = sheet.fileSides
        ? sheetColumns(input.sheet, { 36, 36, 24, 28, 24, 28, 8 })
        : sheetColumns(input.sheet, { 36, 36, 24, 28 });
    sides[1].alignLeft = true; // 終点 is a name too
    const double top = parcelPageRows(input.sheet).first;
    for (qsizetype l = 0; l < parcelPage.lines.size(); ++l) {
        const Line &line = parcelPage.lines[l];
        const QRectF band(
            layout.heading.left(), top + double(l) * RowHeight, layout.heading.width(), RowHeight);
        switch (line.kind) {
        case SheetLine::AreaCaption:
            page.text(QRectF(area.constFirst().left, band.top(), band.width(), band.height()),
                Qt::AlignLeft | Qt::AlignVCenter, papertext::AreaTableCaption, 10);
            break;
        case SheetLine::AreaHeading:
            paintRow(page, band, area,
                { papertext::PointNameHeading, papertext::XnHeading, papertext::YnHeading,
                    byX ? papertext::DeltaYHeading : papertext::DeltaXHeading,
                    byX ? papertext::XTimesDeltaYHeading : papertext::YTimesDeltaXHeading });
            paintRule(page, area, band.bottom() + 0.5);
            break;
        case SheetLine::AreaRow: {
            const parcels::AreaRow &row = sheet.area.rows[line.index];
            paintRow(page, band, area, { row.name, row.x, row.y, row.difference, row.product });
            break;
        }
        case SheetLine::AreaSum: {
            const QString labels[] = { papertext::DoubleAreaLabel, papertext::AreaLabel,
                papertext::RegisteredAreaLabel };
            const QString values[]
                = { sheet.area.doubleArea, sheet.area.area, sheet.area.registeredArea };
            if (line.index == 0)
                paintRule(page, area, band.top());
            paintRow(page, band, area.mid(3), { labels[line.index], values[line.index] });
            break;
        }
        case SheetLine::SideCaption:
            page.text(QRectF(sides.constFirst().left, band.top(), band.width(), band.height()),
                Qt::AlignLeft | Qt::AlignVCenter, papertext::SideTableCaption, 10);
            break;
        case SheetLine::SideHeading:
            paintRow(page, band, sides,
                { papertext::FromHeading, papertext::ToHeading, papertext::DistanceHeading,
                    papertext::BearingHeading, papertext::FileDistanceHeading,
                    papertext::FileBearingHeading });
            paintRule(page, sides, band.bottom() + 0.5);
            break;
        case SheetLine::SideRow: {
            const parcels::SideRow &row = sheet.sides.rows[line.index];
            QStringList texts { row.from, row.to, row.distance, row.bearing };
            if (row.fileSide)
                texts << row.fileSide->length << row.fileSide->bearing
                      << (row.differs ? papertext::DiffersMark : QString());
            paintRow(page, band, sides, texts);
            break;
        }
        case SheetLine::Perimeter:
            paintRule(page, sides, band.top());
            paintRow(
                page, band, sides.mid(1, 2), { papertext::PerimeterLabel, sheet.sides.perimeter });
            break;
        case SheetLine::Note:
            page.text(QRectF(sides.constFirst().left, band.top(), band.width(), band.height()),
                Qt::AlignLeft | Qt::AlignVCenter, papertext::DiffersNote, 8);
            break;
        case SheetLine::Gap:
            break;
        }
    }
    footer.paint(page, layout.footer, pageNumber);
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
        return papertext::Jgd2024;
    case Datum::Jgd2011:
        return papertext::Jgd2011;
    case Datum::Jgd2000:
        return papertext::Jgd2000;
    case Datum::Tokyo:
        return papertext::TokyoDatum;
    case Datum::Unstated:
        break;
    }
    return {};
}

QString zoneLine(int zone, paperplan::Datum datum)
{
    QStringList parts;
    if (zone == geodesy::LocalZone)
        parts << papertext::ZonePrefix + papertext::LocalGrid;
    else if (geodesy::zone(zone))
        parts << papertext::ZonePrefix + geodesy::zoneLabel(zone);
    if (datum != paperplan::Datum::Unstated)
        parts << papertext::DatumPrefix + datumName(datum);
    return parts.join(papertext::FooterSeparator);
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
    return 1 + tablePageCount(input.points.size(), input.sheet)
        + int(parcelPages(parcelSheets(input), input.sheet).size());
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
    const std::vector<ParcelSheet> sheets = parcelSheets(input);
    const QList<ParcelPage> parcelPageList = parcelPages(sheets, input.sheet);
    const int tablePages = tablePageCount(input.points.size(), input.sheet);
    const Footer footer { zoneLine(input.zone, input.datum),
        papertext::DatePrefix + input.date.toString(papertext::DateFormat),
        1 + tablePages + int(parcelPageList.size()), input.source };

    paintPlanPage(page, input, PlanPoints(input.points), footer);
    const TableLayout table = pointTableLayout(input);
    int pageNumber = 2;
    for (; pageNumber <= 1 + tablePages; ++pageNumber) {
        if (!device.newPage())
            return false;
        paintTablePage(
            page, input, table, (pageNumber - 2) * table.rowsPerPage, footer, pageNumber);
    }
    for (const ParcelPage &parcelPage : parcelPageList) {
        if (!device.newPage())
            return false;
        paintParcelPage(page, input, sheets[parcelPage.sheet], parcelPage, footer, pageNumber++);
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
