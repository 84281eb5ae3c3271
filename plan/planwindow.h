#pragma once

#include "filepoint.h"

#include <QWidget>

class QAbstractItemModel;
class QComboBox;
class QItemSelectionModel;
class QLabel;

namespace tavorin {

class PlanWidget;
class PointTable;

// The window "配置図": above, the zone chooser and the commands that write
// a map file, the plan as a PDF file and a DXF file, and open the GSI's map; the plan of the SIMA
// file list; below, a button that fits every point into it again and a status line with the
// cursor's X and Y, its latitude and longitude once a zone is chosen, and the
// count of points that have no numeric coordinates. It is not modal and is
// deleted when closed. The zone and the commands belong to the main window:
// this one reports the user's choice and clicks and shows the zone it is
// given.
class PlanWindow : public QWidget
{
    Q_OBJECT

public:
    // Point names are drawn in nameFont; see PlanWidget for table and records.
    PlanWindow(PointTable &table, const FilePoints &records, QItemSelectionModel *list1Selection,
        QAbstractItemModel *list2, const QFont &nameFont, QWidget *parent = nullptr);

    PlanWidget *plan() const { return m_plan; }

    // Shows zone (1..19; 0: none chosen) in the chooser, the status line and
    // the tooltips, without reporting it as chosen.
    void setZone(int zone);

signals:
    void zoneChosen(int zone);
    void exportRequested();
    void pdfExportRequested();
    void dxfExportRequested();
    void gsiMapRequested();

private:
    PlanWidget *m_plan;
    QComboBox *m_zone;
    QLabel *m_cursor;
    QLabel *m_withoutCoordinates;
    int m_zoneNumber = 0;
};

} // namespace tavorin
