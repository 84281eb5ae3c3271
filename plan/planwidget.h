#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "plangeometry.h"

#include <QColor>
#include <QWidget>

#include <vector>

class QAbstractItemModel;
class QItemSelectionModel;

namespace tavorin {

class PointTable;

// The plan of the points of the SIMA file list. It draws each point of
// List1 where its record (item p of records, which the window keeps in step
// with List1) places it, with its whole name, highlights the points
// selected in List1 and marks those whose list line (made from entry p of
// the point table) stands in List2. Picking on the plan changes List1's selection and nothing else.
//
// Mouse: a left drag selects the points in its rectangle (with Ctrl, adds
// them), a left click selects the point under it, the wheel zooms about the
// cursor, a right or middle drag pans. Home or F fits every point again.
// Until the user zooms or pans, the points are fitted again whenever the
// widget changes size; after that a new size keeps the scale and the middle
// of the plan, until the points are fitted again.
class PlanWidget : public QWidget
{
    Q_OBJECT

public:
    // Mark colours, one per kind of point; the middle pixel of a mark shows
    // its kind.
    static inline const QColor PlainColour { 0, 0, 0 };
    static inline const QColor TransferColour { 0, 0, 255 };
    static inline const QColor SelectedColour { 224, 0, 0 };
    // The parcels' outlines and names; the picked one is also tinted.
    static inline const QColor ParcelColour { 0, 136, 68 };
    static inline const QColor PickedParcelTint { 0, 136, 68, 40 };
    static constexpr double HitRadius = 6;

    // parcels are the records' (their vertices index records), kept in step
    // by the window like the records.
    PlanWidget(PointTable &table, const FilePoints &records, const Parcels &parcels,
        QItemSelectionModel *list1Selection, QAbstractItemModel *list2, QWidget *parent = nullptr);

    // The geometry as it stands after taking in every change of the lists.
    const PlanGeometry &planGeometry();
    // Fits every point into the widget, now and on each later resize until
    // the user zooms or pans.
    void fitToWindow();
    // Takes in the changes of List1, List2 and the selection since the last
    // call; painting does this too.
    void refresh();

    // The whole plan, as paintEvent draws it.
    void paintPlan(QPainter &painter);

    // The zone (1..19; 0: none) whose latitude and longitude the status
    // line and the tooltips show.
    void setZone(int zone) { m_zone = zone; }
    // The tooltip of the point at position: its whole name, number, X, Y and
    // elevation as its file holds them, and where it lies (or the hint to
    // choose a zone).
    QString pointTip(int position) const;

    // The parcel picked (an index of the parcels), -1 for none; reading
    // another file picks none.
    int pickedParcel() const { return m_pickedParcel; }
    void pickParcel(int parcel);
    // Selects exactly the points at positions of List1, as picking by area
    // does.
    void selectPoints(QList<int> positions);

signals:
    void cursorMoved(double x, double y);
    void withoutCoordinatesChanged(int count);
    // After the points and parcels of another file are taken in.
    void parcelsRead();
    void parcelPicked(int parcel);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Drag { None, Select, Pan };

    void changed(bool points, bool transfer, bool selection);
    void readPoints();
    void readTransfer();
    void readSelection();
    void pick(const QList<int> &positions, bool extend);
    void paintParcels(QPainter &painter);
    void paintMarks(QPainter &painter, std::vector<int> &visible);
    void paintLabels(QPainter &painter, const std::vector<int> &visible);
    void paintNorthArrow(QPainter &painter);
    void paintScaleBar(QPainter &painter);

    PointTable &m_table;
    const FilePoints &m_records;
    const Parcels &m_parcels;
    QItemSelectionModel *m_selection;
    QAbstractItemModel *m_list1;
    QAbstractItemModel *m_list2;

    int m_zone = 0;
    PlanGeometry m_geometry;
    std::vector<QString> m_names;
    std::vector<float> m_labelWidths;
    std::vector<char> m_selected;
    std::vector<char> m_inTransfer;
    std::vector<Ring> m_rings; // one a parcel; empty for one not drawn
    std::vector<SurveyPoint> m_parcelLabels; // where each ring's name goes
    int m_pickedParcel = -1;

    bool m_pointsStale = true;
    bool m_transferStale = true;
    bool m_selectionStale = true;
    bool m_fitPending = true;
    bool m_keepFit = true; // false once the user zoomed or panned
    bool m_refreshQueued = false;

    Drag m_drag = Drag::None;
    bool m_extend = false;
    QPoint m_pressPos;
    QPoint m_dragPos;
};

} // namespace tavorin
