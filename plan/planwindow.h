#pragma once

#include <QWidget>

class QAbstractItemModel;
class QItemSelectionModel;
class QLabel;

namespace tavorin {

class PlanWidget;
class PointTable;

// The window "配置図": the plan of the SIMA file list, a button that fits
// every point into it again, and a status line with the cursor's X and Y
// and the count of points that have no numeric coordinates. It is not
// modal and is deleted when closed.
class PlanWindow : public QWidget
{
    Q_OBJECT

public:
    // Point names are drawn in nameFont.
    PlanWindow(PointTable &table, QItemSelectionModel *list1Selection, QAbstractItemModel *list2,
        const QFont &nameFont, QWidget *parent = nullptr);

    PlanWidget *plan() const { return m_plan; }

private:
    PlanWidget *m_plan;
    QLabel *m_cursor;
    QLabel *m_withoutCoordinates;
};

} // namespace tavorin
