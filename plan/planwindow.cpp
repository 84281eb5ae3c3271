#include "planwindow.h"

#include "parceltables.h"
#include "parcelwindow.h"
#include "planezones.h"
#include "plantext.h"
#include "planwidget.h"
#include "positiontext.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace tavorin {

PlanWindow::PlanWindow(PointTable &table, const FilePoints &records, const Parcels &fileParcels,
    const QList<parcels::LandClass> &landClasses, QItemSelectionModel *list1Selection,
    QAbstractItemModel *list2, const QFont &nameFont, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_records(records)
    , m_parcels(fileParcels)
    , m_landClasses(landClasses)
    , m_plan(new PlanWidget(table, records, fileParcels, list1Selection, list2, this))
    , m_zone(new QComboBox(this))
    , m_cursor(new QLabel(this))
    , m_file(new QLabel(this))
    , m_withoutCoordinates(new QLabel(this))
    , m_parcelPanel(new QWidget(this))
    , m_parcelList(new QTreeWidget(m_parcelPanel))
    , m_stake(new QPushButton(plantext::StakeParcelCaption, m_parcelPanel))
    , m_parcelTables(new QPushButton(plantext::ParcelTablesCaption, m_parcelPanel))
    , m_parcelStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("PlanWindow"));
    setWindowTitle(plantext::Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    m_plan->setObjectName(QStringLiteral("Plan"));
    m_zone->setObjectName(QStringLiteral("PlanZone"));
    m_cursor->setObjectName(QStringLiteral("PlanCursor"));
    m_file->setObjectName(QStringLiteral("PlanFile"));
    m_file->setTextFormat(Qt::PlainText);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_file->setVisible(false);
    m_withoutCoordinates->setObjectName(QStringLiteral("PlanWithoutCoordinates"));
    m_plan->setFont(nameFont);
    m_parcelPanel->setObjectName(QStringLiteral("PlanParcelPanel"));
    m_parcelList->setObjectName(QStringLiteral("PlanParcels"));
    m_stake->setObjectName(QStringLiteral("PlanStakeParcel"));
    m_parcelTables->setObjectName(QStringLiteral("PlanParcelTables"));
    m_parcelStatus->setObjectName(QStringLiteral("PlanParcelStatus"));

    // The chooser shows the zone and the start of its area; its list opens
    // wide enough for the whole entries, the prefectures included.
    for (const geodesy::Zone &z : geodesy::zones())
        m_zone->addItem(geodesy::zoneEntry(z.number), z.number);
    m_zone->addItem(geodesy::LocalZoneEntry, geodesy::LocalZone);
    m_zone->setPlaceholderText(plantext::ZonePlaceholder);
    m_zone->setCurrentIndex(-1);
    m_zone->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_zone->setMinimumContentsLength(18);
    m_zone->view()->setMinimumWidth(m_zone->view()->sizeHintForColumn(0) + 24);
    connect(m_zone, &QComboBox::activated, this, [this](int index) {
        const int zone = m_zone->itemData(index).toInt();
        setZone(zone);
        emit zoneChosen(zone);
    });

    const auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *geoJsonKmlButton
        = button(QStringLiteral("PlanGeoJsonKmlExport"), plantext::GeoJsonKmlExportCaption);
    QPushButton *pdfButton = button(QStringLiteral("PlanPdfExport"), plantext::PdfExportCaption);
    QPushButton *dxfButton = button(QStringLiteral("PlanDxfExport"), plantext::DxfExportCaption);
    QPushButton *gsiMap = button(QStringLiteral("PlanGsiMap"), plantext::GsiMapCaption);
    QPushButton *fit = button(QStringLiteral("PlanFit"), plantext::FitCaption);
    connect(geoJsonKmlButton, &QPushButton::clicked, this, &PlanWindow::geoJsonKmlExportRequested);
    connect(pdfButton, &QPushButton::clicked, this, &PlanWindow::pdfExportRequested);
    connect(dxfButton, &QPushButton::clicked, this, &PlanWindow::dxfExportRequested);
    connect(gsiMap, &QPushButton::clicked, this, &PlanWindow::gsiMapRequested);
    connect(fit, &QPushButton::clicked, m_plan, &PlanWidget::fitToWindow);
    connect(m_plan, &PlanWidget::cursorMoved, this, [this](double x, double y) {
        m_cursor->setText(cursorText(m_zoneNumber, { x, y }));
    });
    connect(m_plan, &PlanWidget::withoutCoordinatesChanged, this, [this](int count) {
        m_withoutCoordinates->setText(
            plantext::NoCoordinatesPrefix + QString::number(count) + plantext::NoCoordinatesSuffix);
    });

    // The parcels: picked on the plan or in the list, each shown in the other.
    m_parcelList->setRootIsDecorated(false);
    m_parcelList->setUniformRowHeights(true); // a file may have thousands
    m_parcelList->setHeaderLabels({ plantext::ParcelNumberHeading, plantext::ParcelNameHeading,
        plantext::ParcelFaultHeading });
    for (QPushButton *b : { m_stake, m_parcelTables })
        b->setAutoDefault(false);
    connect(m_plan, &PlanWidget::parcelsRead, this, &PlanWindow::listParcels);
    connect(m_plan, &PlanWidget::parcelPicked, this, &PlanWindow::showPickedParcel);
    connect(m_parcelList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            m_plan->pickParcel(m_parcelList->indexOfTopLevelItem(item));
    });
    connect(m_parcelList, &QTreeWidget::itemClicked, this, &PlanWindow::showParcelWindow);
    connect(m_parcelList, &QTreeWidget::itemActivated, this, &PlanWindow::showParcelWindow);
    connect(m_stake, &QPushButton::clicked, this, &PlanWindow::stakeParcel);
    connect(m_parcelTables, &QPushButton::clicked, this, &PlanWindow::showParcelWindow);
    auto *panel = new QVBoxLayout(m_parcelPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(new QLabel(plantext::ParcelsCaption, m_parcelPanel));
    panel->addWidget(m_parcelList, 1);
    panel->addWidget(m_stake);
    panel->addWidget(m_parcelTables);
    m_parcelPanel->setFixedWidth(220);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(plantext::ZoneCaption, this));
    top->addWidget(m_zone, 1);
    top->addSpacing(12);
    top->addWidget(geoJsonKmlButton);
    top->addWidget(pdfButton);
    top->addWidget(dxfButton);
    top->addWidget(gsiMap);
    auto *status = new QHBoxLayout;
    status->addWidget(fit);
    status->addSpacing(12);
    status->addWidget(m_cursor, 1);
    status->addWidget(m_withoutCoordinates);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_plan, 1);
    middle->addWidget(m_parcelPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_file);
    layout->addLayout(middle, 1);
    layout->addLayout(status);
    layout->addWidget(m_parcelStatus);
    resize(760, 520);
    listParcels();
    m_plan->refresh();
    m_plan->setFocus();
}

ParcelWindow *PlanWindow::parcelWindow() const
{
    return m_parcelWindow;
}

void PlanWindow::setFileText(const QString &text)
{
    m_file->setText(text);
    m_file->setVisible(!text.isEmpty());
}

void PlanWindow::setParcelOptions(const parcels::Options &options)
{
    m_parcelOptions = options;
    showPickedParcel();
}

parcels::LandClass PlanWindow::landClassOf(int parcel) const
{
    return parcel >= 0 && parcel < m_landClasses.size() ? m_landClasses[parcel]
                                                        : parcels::LandClass::Residential;
}

void PlanWindow::listParcels()
{
    // A file without parcels shows the plan as it always was.
    m_parcelPanel->setVisible(!m_parcels.isEmpty());
    const QSignalBlocker quiet(m_parcelList);
    m_parcelList->clear();
    QList<QTreeWidgetItem *> items;
    for (const Parcel &parcel : m_parcels) {
        auto *item = new QTreeWidgetItem({ parcel.number, parcelName(parcel), parcel.fault });
        item->setToolTip(2, parcel.fault);
        if (!parcel.isGood())
            for (int c = 0; c < 3; ++c)
                item->setForeground(c, QColor(160, 0, 0));
        items.append(item);
    }
    m_parcelList->addTopLevelItems(items);
    m_parcelList->resizeColumnToContents(0);
    showPickedParcel();
}

void PlanWindow::showPickedParcel()
{
    const int picked = m_plan->pickedParcel();
    {
        const QSignalBlocker quiet(m_parcelList);
        m_parcelList->setCurrentItem(m_parcelList->topLevelItem(picked));
    }
    const Parcel *parcel = picked >= 0 && picked < m_parcels.size() ? &m_parcels[picked] : nullptr;
    m_stake->setEnabled(parcel && parcel->isGood());
    m_parcelTables->setEnabled(parcel != nullptr);
    QString status;
    if (parcel && !parcel->isGood()) {
        status = plantext::BadParcelStatus.arg(parcelName(*parcel), parcel->fault);
    } else if (parcel) {
        const auto area
            = parcels::areaTable(*parcel, m_records, m_parcelOptions.form, landClassOf(picked));
        const auto sides = parcels::sideTable(*parcel, m_records, m_parcelOptions.rounding);
        status = area && sides ? plantext::ParcelStatus.arg(
                     parcelName(*parcel), area->registeredArea, area->area, sides->perimeter)
                               : parcelName(*parcel);
    }
    m_parcelStatus->setText(status);
    m_parcelStatus->setVisible(!m_parcels.isEmpty());
    if (m_parcelWindow)
        m_parcelWindow->showParcel(picked, m_parcelOptions, landClassOf(picked));
}

void PlanWindow::showParcelWindow()
{
    if (!m_parcelWindow) {
        m_parcelWindow = new ParcelWindow(m_parcels, m_records, this);
        // F1 and the plan window's other shortcuts work there too.
        m_parcelWindow->addActions(actions());
        connect(m_parcelWindow, &ParcelWindow::optionsChosen, this,
            [this](const parcels::Options &options) {
                m_parcelOptions = options;
                emit parcelOptionsChosen(options);
                showPickedParcel();
            });
        connect(m_parcelWindow, &ParcelWindow::landClassChosen, this,
            [this](parcels::LandClass landClass) {
                if (m_plan->pickedParcel() >= 0)
                    emit landClassChosen(m_plan->pickedParcel(), landClass);
                showPickedParcel();
            });
    }
    const int picked = m_plan->pickedParcel();
    m_parcelWindow->showParcel(picked, m_parcelOptions, landClassOf(picked));
    m_parcelWindow->show();
    m_parcelWindow->raise();
    m_parcelWindow->activateWindow();
}

void PlanWindow::stakeParcel()
{
    // The parcel's vertices are points of List1: a record's index is its
    // row.
    const int picked = m_plan->pickedParcel();
    if (picked < 0 || picked >= m_parcels.size() || !m_parcels[picked].isGood())
        return;
    QList<int> positions;
    for (const ParcelVertex &vertex : m_parcels[picked].vertices)
        positions.append(int(vertex.record));
    m_plan->selectPoints(positions);
}

void PlanWindow::setZone(int zone)
{
    m_zoneNumber = geodesy::zone(zone) || zone == geodesy::LocalZone ? zone : geodesy::UnknownZone;
    m_plan->setZone(m_zoneNumber);
    const QSignalBlocker quiet(m_zone);
    m_zone->setCurrentIndex(m_zone->findData(m_zoneNumber));
    m_cursor->clear();
    // The title says which zone the plan's latitudes and longitudes are of.
    setWindowTitle(m_zoneNumber == geodesy::UnknownZone
            ? plantext::Caption
            : plantext::Caption + plantext::TitleSeparator + geodesy::zoneState(m_zoneNumber));
}

} // namespace tavorin
