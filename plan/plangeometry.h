#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace tavorin {

// A point of the plan in survey coordinates: x is the northing, y the
// easting, as SIMA files hold them.
struct SurveyPoint
{
    double x = 0;
    double y = 0;
};

// Where the points of the SIMA file list lie on the screen, with no widget
// of its own: X (north) runs up the screen and Y (east) to the right, both
// at the same scale. Positions are those of List1; a point without numeric
// coordinates has none and is never on the plan.
class PlanGeometry
{
public:
    static constexpr double FitMargin = 24; // pixels kept free round the points when fitting

    void setPoints(std::vector<std::optional<SurveyPoint>> points);
    int pointCount() const { return int(m_points.size()); }
    bool isOnPlan(int position) const { return m_points.at(std::size_t(position)).has_value(); }
    int withoutCoordinates() const { return m_withoutCoordinates; }

    void setViewport(QSizeF size) { m_viewport = size; }
    double scale() const { return m_scale; } // pixels per unit of the coordinates

    // Shows every point of the plan, centred, as large as the viewport allows.
    void fit();
    // Shows centre at the middle of the viewport at scale pixels per unit.
    void setView(SurveyPoint centre, double scale)
    {
        m_centre = centre;
        m_scale = scale;
    }
    // Zooms by factor, keeping the survey point under screenPoint where it is.
    void zoomAbout(QPointF screenPoint, double factor);
    void panBy(QPointF screenDelta);

    // The scale bar: the longest of 1, 2 or 5 times a power of ten metres
    // (units of the coordinates) that is at most ScaleBarPixels long at this
    // scale, with its caption ("100 m"); nothing where the scale gives none.
    struct ScaleBar
    {
        double pixels;
        QString caption;
    };
    static constexpr double ScaleBarPixels = 120;
    std::optional<ScaleBar> scaleBar() const;

    QPointF toScreen(SurveyPoint p) const;
    SurveyPoint toSurvey(QPointF screenPoint) const;
    // The pixel a point is drawn at (its screen position rounded), or nothing
    // when it is not on the plan or too far off the screen to have a pixel.
    std::optional<QPoint> pixelOf(int position) const;

    // The point whose pixel lies nearest to screenPoint, not further than
    // radius pixels; -1 when there is none.
    int hitTest(QPointF screenPoint, double radius) const;
    // The points whose pixels lie inside pixels, its edges included, in
    // ascending position.
    QList<int> pointsIn(const QRect &pixels) const;

    // Which names to draw: labels of labelHeight pixels, each starting at
    // labelOffset from its point's pixel, with the widths given per
    // position. Points are taken in the order given; a label is drawn only
    // where it overlaps no label drawn before it and no other point, so
    // crowded points show fewer names and zooming in reveals more. The
    // offset is at least 5 pixels to the right.
    QList<int> chooseLabels(std::span<const int> order, std::span<const float> labelWidths,
        double labelHeight, QPointF labelOffset) const;

private:
    std::vector<std::optional<SurveyPoint>> m_points;
    int m_withoutCoordinates = 0;
    QSizeF m_viewport { 1, 1 };
    double m_scale = 1;
    SurveyPoint m_centre; // the survey point at the middle of the viewport
};

// A parcel's outline on the plan: its vertices in order, the first not
// repeated at the end. An empty ring is a parcel the plan does not draw.
using Ring = std::vector<SurveyPoint>;

// Whether p lies inside ring, by the even-odd rule; a point on an edge may
// count either way.
bool ringContains(std::span<const SurveyPoint> ring, SurveyPoint p);
// The area the ring encloses, whichever way it runs (the shoelace formula,
// in doubles: for the plan, not for the registry).
double ringArea(std::span<const SurveyPoint> ring);
// Where to write the ring's name: its centroid where that lies inside it,
// otherwise (an L or a C shape) the middle of the widest stretch inside the
// ring along the line of the centroid's X.
SurveyPoint labelPoint(std::span<const SurveyPoint> ring);
// The smallest ring of rings that holds p, so that a parcel lying inside
// another is picked rather than the one round it; -1 when none does.
int ringAt(std::span<const Ring> rings, SurveyPoint p);

} // namespace tavorin
