#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "parcelarea.h"

#include <QPointer>
#include <QWidget>

class QAbstractItemModel;
class QComboBox;
class QItemSelectionModel;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace tavorin {

class ParcelWindow;
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
//
// A file with parcels adds a list of them beside the plan (bad ones with
// why), a status line of the parcel picked, and the commands that select
// its points in List1 (for 決定 to add them to List2) and open the parcel
// window. The parcels' 地目 classes and the parcel window's choices belong
// to the main window too: this one reports them.
class PlanWindow : public QWidget
{
    Q_OBJECT

public:
    // Point names are drawn in nameFont; see PlanWidget for table and records.
    // fileParcels and landClasses (in step with them; a parcel without one
    // is 宅地・鉱泉地) are kept in step with records by the main window.
    PlanWindow(PointTable &table, const FilePoints &records, const Parcels &fileParcels,
        const QList<parcels::LandClass> &landClasses, QItemSelectionModel *list1Selection,
        QAbstractItemModel *list2, const QFont &nameFont, QWidget *parent = nullptr);

    PlanWidget *plan() const { return m_plan; }
    // The parcel window, once opened.
    ParcelWindow *parcelWindow() const;

    // The choices the parcels are measured with, without reporting them.
    void setParcelOptions(const parcels::Options &options);

    // Shows above the plan what its points come from: the file, or a
    // registry's map with its source line (a line each); nothing when empty.
    void setFileText(const QString &text);

    // Shows zone (1..19; 0: none chosen) in the chooser, the status line and
    // the tooltips, without reporting it as chosen.
    void setZone(int zone);

signals:
    void zoneChosen(int zone);
    void geoJsonKmlExportRequested();
    void pdfExportRequested();
    void dxfExportRequested();
    void gsiMapRequested();
    void parcelOptionsChosen(const parcels::Options &options);
    // After this signal, landClasses gives landClass for parcel.
    void landClassChosen(int parcel, parcels::LandClass landClass);

private:
    parcels::LandClass landClassOf(int parcel) const;
    void listParcels();
    void showPickedParcel();
    void showParcelWindow();
    void stakeParcel();

    const FilePoints &m_records;
    const Parcels &m_parcels;
    const QList<parcels::LandClass> &m_landClasses;
    parcels::Options m_parcelOptions;
    PlanWidget *m_plan;
    QComboBox *m_zone;
    QLabel *m_cursor;
    QLabel *m_file;
    QLabel *m_withoutCoordinates;
    QWidget *m_parcelPanel;
    QTreeWidget *m_parcelList;
    QPushButton *m_stake;
    QPushButton *m_parcelTables;
    QLabel *m_parcelStatus;
    QPointer<ParcelWindow> m_parcelWindow;
    int m_zoneNumber = 0;
};

} // namespace tavorin
