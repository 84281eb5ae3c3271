#include "planwidget.h"

#include "coordinatevalue.h"
#include "listline.h"
#include "parceltables.h"
#include "plantext.h"
#include "pointtable.h"
#include "positiontext.h"
#include "raiseddots.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QToolTip>

#include <cmath>

namespace tavorin {

namespace {

// A name as a list line shows it: its first 8 characters, without the
// spaces that pad the name column.
QStringView shownName(QStringView name)
{
    name = name.left(ListLine::NameWidth); // names longer than 8 are cut anyway
    while (!name.isEmpty() && name.back() == u' ')
        name.chop(1);
    return name;
}

// The pixels from corner a to corner b, both included, whichever way the
// mouse went (QRect::normalized would drop the edge pixels of a rectangle
// drawn backwards).
QRect spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRect markRect(QPoint centre, int size)
{
    return { centre.x() - size / 2, centre.y() - size / 2, size, size };
}

} // namespace

PlanWidget::PlanWidget(PointTable &table, const FilePoints &records, const Parcels &parcels,
    QItemSelectionModel *list1Selection, QAbstractItemModel *list2, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
    , m_records(records)
    , m_parcels(parcels)
    , m_selection(list1Selection)
    , m_list1(list1Selection->model())
    , m_list2(list2)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);

    // Reading another file changes List1; adding, erasing and receiving
    // change List2; List1's selection changes by mouse, keys or the plan.
    const auto follow = [this](QAbstractItemModel *model, bool points) {
        const auto mark = [this, points] { changed(points, true, points); };
        connect(model, &QAbstractItemModel::rowsInserted, this, mark);
        connect(model, &QAbstractItemModel::rowsRemoved, this, mark);
        connect(model, &QAbstractItemModel::modelReset, this, mark);
        connect(model, &QAbstractItemModel::dataChanged, this, mark);
        connect(model, &QAbstractItemModel::layoutChanged, this, mark);
    };
    follow(m_list1, true);
    follow(m_list2, false);
    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
        [this] { changed(false, false, true); });
}

// Changes are only noted here and taken in at the next refresh: a selection
// command adds its lines one by one, and the SIMA reader lists the names
// before it stores the points in the table.
void PlanWidget::changed(bool points, bool transfer, bool selection)
{
    m_pointsStale |= points;
    m_transferStale |= transfer;
    m_selectionStale |= selection;
    update();
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_refreshQueued = false;
                refresh();
            },
            Qt::QueuedConnection);
    }
}

const PlanGeometry &PlanWidget::planGeometry()
{
    refresh();
    return m_geometry;
}

void PlanWidget::fitToWindow()
{
    m_fitPending = m_keepFit = true;
    update();
}

void PlanWidget::refresh()
{
    if (m_pointsStale)
        readPoints();
    // Fitting waits until the widget is shown at its size.
    if (m_fitPending && isVisible()) {
        m_geometry.setViewport(size());
        m_geometry.fit();
        m_fitPending = false;
    }
    if (m_transferStale)
        readTransfer();
    if (m_selectionStale)
        readSelection();
}

void PlanWidget::readPoints()
{
    const int count = int(std::min<qsizetype>(m_list1->rowCount(), m_records.size()));
    std::vector<std::optional<SurveyPoint>> points(std::size_t(count), std::nullopt);
    m_names.assign(std::size_t(count), QString());
    m_labelWidths.assign(std::size_t(count), 0);
    // Names are in a fixed-pitch font: the width of a name is the sum of its
    // characters' advances, each measured once.
    const QFontMetricsF metrics(font());
    QHash<char16_t, float> advances;
    const auto widthOf = [&](const QString &name) {
        float width = 0;
        for (const QChar c : name) {
            auto known = advances.constFind(c.unicode());
            if (known == advances.cend())
                known = advances.insert(c.unicode(), float(metrics.horizontalAdvance(c)));
            width += *known;
        }
        return width;
    };
    for (int p = 0; p < count; ++p) {
        const FilePoint &record = m_records.at(p);
        const auto x = coordinateValue(record.x());
        const auto y = coordinateValue(record.y());
        if (x && y)
            points[std::size_t(p)] = SurveyPoint { *x, *y };
        m_names[std::size_t(p)] = record.name();
        m_labelWidths[std::size_t(p)] = widthOf(record.name());
    }
    // A parcel is drawn when it is good and each of its vertices is a point
    // on the plan.
    m_rings.assign(std::size_t(m_parcels.size()), Ring());
    m_parcelLabels.assign(std::size_t(m_parcels.size()), SurveyPoint());
    for (qsizetype i = 0; i < m_parcels.size(); ++i) {
        const Parcel &parcel = m_parcels[i];
        Ring ring;
        for (const ParcelVertex &vertex : parcel.vertices) {
            if (vertex.record < 0 || vertex.record >= count || !points[std::size_t(vertex.record)])
                break;
            ring.push_back(*points[std::size_t(vertex.record)]);
        }
        if (parcel.isGood() && ring.size() == std::size_t(parcel.vertices.size())
            && ring.size() >= 3) {
            m_parcelLabels[std::size_t(i)] = labelPoint(ring);
            m_rings[std::size_t(i)] = std::move(ring);
        }
    }
    m_geometry.setPoints(std::move(points));
    m_pointsStale = false;
    m_transferStale = m_selectionStale = m_fitPending = m_keepFit = true;
    m_pickedParcel = -1;
    emit withoutCoordinatesChanged(m_geometry.withoutCoordinates());
    emit parcelsRead();
}

void PlanWidget::readTransfer()
{
    // A point stands in List2 when its list line does. Only points whose
    // name leads some line of List2 get their line formed and looked up.
    QStringList lines;
    const int rows = m_list2->rowCount();
    for (int r = 0; r < rows; ++r)
        lines.append(m_list2->index(r, 0).data().toString());
    const QSet<QString> lineSet(lines.cbegin(), lines.cend());
    QSet<QStringView> names;
    for (const QString &line : lines)
        names.insert(shownName(line));
    m_inTransfer.assign(m_names.size(), 0);
    for (std::size_t p = 0; p < m_names.size() && !names.isEmpty(); ++p)
        m_inTransfer[p] = names.contains(shownName(m_table.at(int(p)).name))
            && lineSet.contains(ListLine::form(m_table.at(int(p))));
    m_transferStale = false;
}

void PlanWidget::readSelection()
{
    m_selected.assign(m_names.size(), 0);
    const int count = int(m_selected.size());
    for (const QItemSelectionRange &range : m_selection->selection())
        for (int r = std::max(0, range.top()); r <= std::min(range.bottom(), count - 1); ++r)
            m_selected[std::size_t(r)] = 1;
    m_selectionStale = false;
}

void PlanWidget::pick(const QList<int> &positions, bool extend)
{
    QItemSelection selection;
    for (qsizetype i = 0; i < positions.size();) {
        // One range per run of neighbouring positions.
        qsizetype j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1)
            ++j;
        selection.select(m_list1->index(positions[i], 0), m_list1->index(positions[j], 0));
        i = j + 1;
    }
    if (extend)
        m_selection->select(selection, QItemSelectionModel::Select);
    else
        m_selection->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PlanWidget::pickParcel(int parcel)
{
    refresh();
    m_pickedParcel = parcel >= 0 && parcel < int(m_rings.size()) ? parcel : -1;
    update();
    emit parcelPicked(m_pickedParcel);
}

void PlanWidget::selectPoints(QList<int> positions)
{
    refresh();
    const int rows = m_list1->rowCount();
    positions.removeIf([rows](int p) { return p < 0 || p >= rows; });
    std::ranges::sort(positions);
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    pick(positions, false);
}

QString PlanWidget::pointTip(int position) const
{
    const FilePoint &record = m_records.at(position);
    const auto x = coordinateValue(record.x());
    const auto y = coordinateValue(record.y());
    QString tip = record.name() + u'\n';
    if (!record.number().isEmpty())
        tip += plantext::PointNumber.arg(record.number()) + u'\n';
    tip += plantext::CursorPosition.arg(record.x(), record.y());
    if (!record.elevation().isEmpty())
        tip += u'\n' + plantext::Elevation.arg(record.elevation());
    if (x && y)
        tip += u'\n' + latLonText(m_zone, { *x, *y });
    return tip;
}

bool PlanWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        refresh();
        const auto *help = static_cast<QHelpEvent *>(event);
        const int hit = m_geometry.hitTest(help->pos(), HitRadius);
        if (hit >= 0)
            QToolTip::showText(help->globalPos(), pointTip(hit), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void PlanWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintPlan(painter);
}

void PlanWidget::paintPlan(QPainter &painter)
{
    refresh();
    painter.fillRect(rect(), Qt::white);
    std::vector<int> visible;
    paintParcels(painter);
    paintMarks(painter, visible);
    paintLabels(painter, visible);
    if (m_drag == Drag::Select) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(spanned(m_pressPos, m_dragPos));
    }
    paintNorthArrow(painter);
    paintScaleBar(painter);
}

void PlanWidget::paintParcels(QPainter &painter)
{
    // Every outline's edges in one batch (a file may have thousands of
    // parcels), the picked one over them, tinted; then the names.
    const QRectF area = QRectF(rect()).adjusted(-2, -2, 2, 2);
    QList<QLineF> edges;
    QPolygonF picked;
    std::vector<std::pair<std::size_t, QRectF>> shown;
    for (std::size_t i = 0; i < m_rings.size(); ++i) {
        const Ring &ring = m_rings[i];
        if (ring.empty())
            continue;
        QPolygonF outline;
        outline.reserve(qsizetype(ring.size()));
        for (const SurveyPoint &p : ring)
            outline.append(m_geometry.toScreen(p));
        const QRectF bounds = outline.boundingRect();
        if (!bounds.intersects(area))
            continue;
        shown.emplace_back(i, bounds);
        if (int(i) == m_pickedParcel) {
            picked = outline;
            continue;
        }
        for (qsizetype v = 0; v < outline.size(); ++v)
            edges.append({ outline[v], outline[(v + 1) % outline.size()] });
    }
    painter.setPen(QPen(ParcelColour, 1));
    painter.drawLines(edges.constData(), int(edges.size()));
    if (!picked.isEmpty()) {
        painter.setPen(QPen(ParcelColour, 2));
        painter.setBrush(PickedParcelTint);
        painter.drawPolygon(picked);
        painter.setBrush(Qt::NoBrush);
    }
    // A name where its parcel is wide enough on the screen to hold it.
    const QFontMetricsF metrics(font());
    painter.setFont(font());
    painter.setPen(ParcelColour);
    for (const auto &[i, bounds] : shown) {
        if (metrics.height() > bounds.height())
            continue;
        const QString name = parcelName(m_parcels[qsizetype(i)]);
        const qreal width = metrics.horizontalAdvance(name);
        if (width > bounds.width())
            continue;
        const QPointF at = m_geometry.toScreen(m_parcelLabels[i]);
        drawTextRaisingDots(
            painter, at + QPointF(-width / 2, metrics.ascent() - metrics.height() / 2), name);
    }
}

void PlanWidget::paintMarks(QPainter &painter, std::vector<int> &visible)
{
    // Marks are drawn in three batches, plain points under the marked ones.
    QList<QRect> plain, transfer, selected;
    const QRect area = rect().adjusted(-4, -4, 4, 4);
    for (int p = 0; p < m_geometry.pointCount(); ++p) {
        const auto pixel = m_geometry.pixelOf(p);
        if (!pixel || !area.contains(*pixel))
            continue;
        visible.push_back(p);
        if (m_selected[std::size_t(p)])
            selected.append(markRect(*pixel, 7));
        if (m_inTransfer[std::size_t(p)])
            transfer.append(markRect(*pixel, m_selected[std::size_t(p)] ? 11 : 7));
        else if (!m_selected[std::size_t(p)])
            plain.append(markRect(*pixel, 5));
    }
    painter.setPen(Qt::NoPen);
    const auto draw = [&painter](const QList<QRect> &marks, const QColor &colour) {
        painter.setBrush(colour);
        painter.drawRects(marks.constData(), int(marks.size()));
    };
    draw(plain, PlainColour);
    draw(transfer, TransferColour);
    draw(selected, SelectedColour);
}

void PlanWidget::paintLabels(QPainter &painter, const std::vector<int> &visible)
{
    // Names of selected points first, then of points in the transfer list,
    // so that where names crowd, theirs are the ones shown.
    std::vector<int> order;
    order.reserve(visible.size());
    const auto take = [&](auto wanted) {
        for (const int p : visible)
            if (wanted(std::size_t(p)))
                order.push_back(p);
    };
    take([this](std::size_t p) { return m_selected[p]; });
    take([this](std::size_t p) { return !m_selected[p] && m_inTransfer[p]; });
    take([this](std::size_t p) { return !m_selected[p] && !m_inTransfer[p]; });

    const QFontMetricsF metrics(font());
    const QPointF offset(6, -metrics.height() + 2);
    const QList<int> labels
        = m_geometry.chooseLabels(order, m_labelWidths, metrics.height(), offset);
    painter.setFont(font());
    for (const int p : labels) {
        painter.setPen(m_selected[std::size_t(p)] ? SelectedColour : PlainColour);
        drawTextRaisingDots(painter,
            QPointF(*m_geometry.pixelOf(p)) + offset + QPointF(0, metrics.ascent()),
            m_names[std::size_t(p)]);
    }
}

void PlanWidget::paintNorthArrow(QPainter &painter)
{
    const QPointF tip(width() - 24, 12);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(7, 24));
    arrow.lineTo(tip + QPointF(0, 18));
    arrow.lineTo(tip + QPointF(-7, 24));
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(arrow);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawText(
        QRectF(tip.x() - 10, tip.y() + 26, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
}

void PlanWidget::paintScaleBar(QPainter &painter)
{
    const auto bar = m_geometry.scaleBar();
    if (!bar)
        return;
    const QPointF start(12, height() - 14);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(start, start + QPointF(bar->pixels, 0));
    painter.drawLine(start + QPointF(0, -4), start + QPointF(0, 0));
    painter.drawLine(start + QPointF(bar->pixels, -4), start + QPointF(bar->pixels, 0));
    painter.setPen(Qt::black);
    painter.drawText(start + QPointF(0, -6), bar->caption);
}

void PlanWidget::resizeEvent(QResizeEvent *event)
{
    // A new size fits the points again as long as the user has not zoomed or
    // panned; after that it keeps the middle of the plan and its scale.
    m_geometry.setViewport(size());
    m_fitPending |= m_keepFit;
    QWidget::resizeEvent(event);
}

void PlanWidget::mousePressEvent(QMouseEvent *event)
{
    refresh();
    m_pressPos = m_dragPos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_drag = Drag::Select;
        m_extend = event->modifiers().testFlag(Qt::ControlModifier);
    } else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        m_drag = Drag::Pan;
    }
}

void PlanWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const SurveyPoint at = m_geometry.toSurvey(pos);
    emit cursorMoved(at.x, at.y);
    if (m_drag == Drag::Pan && pos != m_dragPos) {
        m_geometry.panBy(pos - m_dragPos);
        m_keepFit = false;
    }
    if (m_drag != Drag::None)
        update();
    m_dragPos = pos;
}

void PlanWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Select && event->button() == Qt::LeftButton) {
        refresh();
        if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) {
            // A click: the point under the cursor alone, or with Ctrl added.
            const int hit = m_geometry.hitTest(pos, HitRadius);
            if (hit >= 0 || !m_extend)
                pick(hit >= 0 ? QList<int> { hit } : QList<int> {}, m_extend);
            // Away from the points, a click picks the parcel under it, or none.
            if (hit < 0 && !m_extend)
                pickParcel(ringAt(m_rings, m_geometry.toSurvey(pos)));
        } else {
            pick(m_geometry.pointsIn(spanned(m_pressPos, pos)), m_extend);
        }
    }
    m_drag = Drag::None;
    update();
}

void PlanWidget::wheelEvent(QWheelEvent *event)
{
    // One notch of the wheel (120) zooms by about a fifth.
    refresh();
    m_geometry.zoomAbout(event->position(), std::pow(2.0, event->angleDelta().y() / 480.0));
    m_keepFit = false;
    update();
}

void PlanWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Home || event->key() == Qt::Key_F)
        fitToWindow();
    else
        QWidget::keyPressEvent(event);
}

} // namespace tavorin
