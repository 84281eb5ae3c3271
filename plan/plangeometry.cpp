#include "plangeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavorin {

namespace {

constexpr double MaxScale = 1e6;
constexpr double MinScale = 1e-12;
// Screen positions further out than this have no pixel: they are far off
// any window and would not fit an int.
constexpr double PixelLimit = 1e9;
// Label cells are this wide; a cell is as tall as a label.
constexpr double LabelCellWidth = 8;
// Points are noted in cells of this size. A label starts more than one cell
// to the right of its own point (see the label offset), so that point's
// cell never blocks it.
constexpr double MarkCellSize = 4;

} // namespace

void PlanGeometry::setPoints(std::vector<std::optional<SurveyPoint>> points)
{
    m_points = std::move(points);
    m_withoutCoordinates = int(std::count(m_points.cbegin(), m_points.cend(), std::nullopt));
}

void PlanGeometry::fit()
{
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -minX;
    double minY = minX;
    double maxY = -minX;
    for (const auto &p : m_points) {
        if (!p)
            continue;
        minX = std::min(minX, p->x);
        maxX = std::max(maxX, p->x);
        minY = std::min(minY, p->y);
        maxY = std::max(maxY, p->y);
    }
    if (minX > maxX) // no point on the plan: keep the view as it is
        return;
    m_centre = { minX / 2 + maxX / 2, minY / 2 + maxY / 2 };
    const double width = std::max(1.0, m_viewport.width() - 2 * FitMargin);
    const double height = std::max(1.0, m_viewport.height() - 2 * FitMargin);
    // Y runs across the screen, X up it. Points on one line leave a span of
    // 0 and take the scale of the other axis. One point alone, or all on one
    // spot, leave no span at all: they are shown at 1 pixel a metre, where
    // the scale bar reads 100 m, not at the largest scale, where it would
    // read 0.0001 m.
    const double spanX = maxX - minX;
    const double spanY = maxY - minY;
    double scale = MaxScale;
    if (spanY > 0)
        scale = std::min(scale, width / spanY);
    if (spanX > 0)
        scale = std::min(scale, height / spanX);
    if (spanX == 0 && spanY == 0)
        scale = 1;
    m_scale = std::isfinite(scale) && scale > 0 ? scale : 1;
}

void PlanGeometry::zoomAbout(QPointF screenPoint, double factor)
{
    const SurveyPoint fixed = toSurvey(screenPoint);
    // Never past the largest scale nor below the smallest; a fit of a plan
    // of enormous extent may already lie outside, and zooming keeps it.
    m_scale
        = std::clamp(m_scale * factor, std::min(m_scale, MinScale), std::max(m_scale, MaxScale));
    m_centre.x = fixed.x + (screenPoint.y() - m_viewport.height() / 2) / m_scale;
    m_centre.y = fixed.y - (screenPoint.x() - m_viewport.width() / 2) / m_scale;
}

void PlanGeometry::panBy(QPointF screenDelta)
{
    m_centre.x += screenDelta.y() / m_scale;
    m_centre.y -= screenDelta.x() / m_scale;
}

std::optional<PlanGeometry::ScaleBar> PlanGeometry::scaleBar() const
{
    const double units = ScaleBarPixels / m_scale;
    const double power = std::pow(10.0, std::floor(std::log10(units)));
    double length = power;
    for (const double step : { 2.0, 5.0 })
        if (step * power <= units)
            length = step * power;
    const double pixels = length * m_scale;
    if (!std::isfinite(pixels))
        return std::nullopt;
    return ScaleBar { pixels, QString::number(length, 'g', 6) + QStringLiteral(" m") };
}

QPointF PlanGeometry::toScreen(SurveyPoint p) const
{
    return { m_viewport.width() / 2 + (p.y - m_centre.y) * m_scale,
        m_viewport.height() / 2 - (p.x - m_centre.x) * m_scale };
}

SurveyPoint PlanGeometry::toSurvey(QPointF screenPoint) const
{
    return { m_centre.x - (screenPoint.y() - m_viewport.height() / 2) / m_scale,
        m_centre.y + (screenPoint.x() - m_viewport.width() / 2) / m_scale };
}

std::optional<QPoint> PlanGeometry::pixelOf(int position) const
{
    const auto &p = m_points.at(std::size_t(position));
    if (!p)
        return std::nullopt;
    const QPointF s = toScreen(*p);
    if (!(std::abs(s.x()) < PixelLimit && std::abs(s.y()) < PixelLimit))
        return std::nullopt;
    return QPoint(int(std::floor(s.x() + 0.5)), int(std::floor(s.y() + 0.5)));
}

int PlanGeometry::hitTest(QPointF screenPoint, double radius) const
{
    int nearest = -1;
    double nearestDistance = radius * radius;
    for (int position = 0; position < pointCount(); ++position) {
        const auto pixel = pixelOf(position);
        if (!pixel)
            continue;
        const double dx = pixel->x() - screenPoint.x();
        const double dy = pixel->y() - screenPoint.y();
        const double distance = dx * dx + dy * dy;
        if (distance <= nearestDistance && (nearest < 0 || distance < nearestDistance)) {
            nearest = position;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QList<int> PlanGeometry::pointsIn(const QRect &pixels) const
{
    QList<int> inside;
    for (int position = 0; position < pointCount(); ++position) {
        const auto pixel = pixelOf(position);
        if (pixel && pixels.contains(*pixel))
            inside.append(position);
    }
    return inside;
}

QList<int> PlanGeometry::chooseLabels(std::span<const int> order,
    std::span<const float> labelWidths, double labelHeight, QPointF labelOffset) const
{
    QList<int> chosen;
    const double cellHeight = std::max(1.0, labelHeight);
    const int columns = std::max(1, int(std::ceil(m_viewport.width() / LabelCellWidth)));
    const int rows = std::max(1, int(std::ceil(m_viewport.height() / cellHeight)));
    // Which cells of the viewport a chosen label covers. Two labels that
    // overlap share a cell, so a label whose cells are all free overlaps no
    // label chosen before it.
    std::vector<char> taken(std::size_t(columns) * std::size_t(rows), 0);
    // Which cells of a finer grid hold a point, so that no name is written
    // over the marks of other points either.
    const int markColumns = std::max(1, int(std::ceil(m_viewport.width() / MarkCellSize)));
    const int markRows = std::max(1, int(std::ceil(m_viewport.height() / MarkCellSize)));
    std::vector<char> marked(std::size_t(markColumns) * std::size_t(markRows), 0);
    const auto markCell = [&](int c, int r) -> char & {
        return marked[std::size_t(r) * std::size_t(markColumns) + std::size_t(c)];
    };
    for (int position = 0; position < pointCount(); ++position) {
        const auto pixel = pixelOf(position);
        if (pixel && pixel->x() >= 0 && pixel->y() >= 0 && pixel->x() < m_viewport.width()
            && pixel->y() < m_viewport.height())
            markCell(int(pixel->x() / MarkCellSize), int(pixel->y() / MarkCellSize)) = 1;
    }
    for (const int position : order) {
        const auto pixel = pixelOf(position);
        if (!pixel)
            continue;
        const double left = pixel->x() + labelOffset.x();
        const double top = pixel->y() + labelOffset.y();
        const double right = left + labelWidths[std::size_t(position)];
        const double bottom = top + labelHeight;
        if (right <= 0 || bottom <= 0 || left >= m_viewport.width() || top >= m_viewport.height())
            continue;
        const int c0 = std::max(0, int(std::floor(left / LabelCellWidth)));
        const int c1 = std::min(columns - 1, int(std::ceil(right / LabelCellWidth)) - 1);
        const int r0 = std::max(0, int(std::floor(top / cellHeight)));
        const int r1 = std::min(rows - 1, int(std::ceil(bottom / cellHeight)) - 1);
        const auto cell = [&](int c, int r) -> char & {
            return taken[std::size_t(r) * std::size_t(columns) + std::size_t(c)];
        };
        bool free = true;
        for (int r = r0; r <= r1 && free; ++r)
            for (int c = c0; c <= c1 && free; ++c)
                free = !cell(c, r);
        const int m0 = std::max(0, int(std::floor(left / MarkCellSize)));
        const int m1 = std::min(markColumns - 1, int(std::ceil(right / MarkCellSize)) - 1);
        const int n0 = std::max(0, int(std::floor(top / MarkCellSize)));
        const int n1 = std::min(markRows - 1, int(std::ceil(bottom / MarkCellSize)) - 1);
        for (int r = n0; r <= n1 && free; ++r)
            for (int c = m0; c <= m1 && free; ++c)
                free = !markCell(c, r);
        if (!free)
            continue;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cell(c, r) = 1;
        chosen.append(position);
    }
    return chosen;
}

bool ringContains(std::span<const SurveyPoint> ring, SurveyPoint p)
{
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const SurveyPoint a = ring[i];
        const SurveyPoint b = ring[j];
        // An edge counts where it crosses the line of p's X to p's east.
        if ((a.x > p.x) != (b.x > p.x) && p.y < a.y + (p.x - a.x) * (b.y - a.y) / (b.x - a.x))
            inside = !inside;
    }
    return inside;
}

double ringArea(std::span<const SurveyPoint> ring)
{
    double twice = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        twice += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return std::abs(twice) / 2;
}

SurveyPoint labelPoint(std::span<const SurveyPoint> ring)
{
    if (ring.empty())
        return {};
    // The centroid, about the first vertex so that large coordinates keep
    // their digits; a ring of no area takes the mean of its vertices.
    const SurveyPoint origin = ring.front();
    double twice = 0;
    double sumX = 0;
    double sumY = 0;
    double meanX = 0;
    double meanY = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double ax = ring[j].x - origin.x;
        const double ay = ring[j].y - origin.y;
        const double bx = ring[i].x - origin.x;
        const double by = ring[i].y - origin.y;
        const double cross = ax * by - bx * ay;
        twice += cross;
        sumX += (ax + bx) * cross;
        sumY += (ay + by) * cross;
        meanX += bx;
        meanY += by;
    }
    SurveyPoint centre { origin.x + meanX / double(ring.size()),
        origin.y + meanY / double(ring.size()) };
    if (twice != 0)
        centre = { origin.x + sumX / (3 * twice), origin.y + sumY / (3 * twice) };
    if (ringContains(ring, centre))
        return centre;
    // Where the edges cross the line of the centroid's X, in pairs that
    // bound the stretches inside.
    std::vector<double> crossings;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const SurveyPoint a = ring[i];
        const SurveyPoint b = ring[j];
        if ((a.x > centre.x) != (b.x > centre.x))
            crossings.push_back(a.y + (centre.x - a.x) * (b.y - a.y) / (b.x - a.x));
    }
    std::ranges::sort(crossings);
    double widest = -1;
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
        if (crossings[k + 1] - crossings[k] > widest) {
            widest = crossings[k + 1] - crossings[k];
            centre.y = crossings[k] / 2 + crossings[k + 1] / 2;
        }
    }
    return centre;
}

int ringAt(std::span<const Ring> rings, SurveyPoint p)
{
    int found = -1;
    double smallest = std::numeric_limits<double>::infinity();
    for (std::size_t r = 0; r < rings.size(); ++r) {
        if (rings[r].size() < 3 || !ringContains(rings[r], p))
            continue;
        if (const double area = ringArea(rings[r]); area < smallest) {
            smallest = area;
            found = int(r);
        }
    }
    return found;
}

} // namespace tavorin
