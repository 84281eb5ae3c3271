#pragma once

#include "filepoint.h"
#include "parcel.h"
#include "parcelarea.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace tavorin {

// The window "求積表" of the parcel picked in the plan window: above, the
// choices (the form of the 座標求積表, how distances are rounded, the
// parcel's 地目 class, whether the plan PDF has the parcels' pages); then
// the 座標求積表 and the 辺長表 (the file's own sides beside the computed
// ones, a difference flagged); below, a button that copies both tables for
// a spreadsheet. It reports the choices; the plan window keeps them.
class ParcelWindow : public QWidget
{
    Q_OBJECT

public:
    // parcels and records are the plan's, kept in step by the main window.
    ParcelWindow(const Parcels &parcels, const FilePoints &records, QWidget *parent);

    // Shows parcel (an index of the parcels; -1 for none) as measured with
    // options and landClass.
    void showParcel(int parcel, const parcels::Options &options, parcels::LandClass landClass);
    // Both tables as a spreadsheet pastes them, a blank line between; empty
    // for no parcel or a bad one.
    QString tablesText() const { return m_text; }

signals:
    void optionsChosen(const parcels::Options &options);
    void landClassChosen(parcels::LandClass landClass);

private:
    void chooseOptions();

    const Parcels &m_parcels;
    const FilePoints &m_records;
    parcels::Options m_options;
    QComboBox *m_form;
    QComboBox *m_rounding;
    QComboBox *m_landClass;
    QCheckBox *m_pdfPages;
    QLabel *m_heading;
    QTableWidget *m_areaTable;
    QTableWidget *m_sideTable;
    QString m_text;
};

} // namespace tavorin
