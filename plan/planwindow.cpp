#include "planwindow.h"

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

namespace tavorin {

PlanWindow::PlanWindow(PointTable &table, const FilePoints &records,
    QItemSelectionModel *list1Selection, QAbstractItemModel *list2, const QFont &nameFont,
    QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_plan(new PlanWidget(table, records, list1Selection, list2, this))
    , m_zone(new QComboBox(this))
    , m_cursor(new QLabel(this))
    , m_withoutCoordinates(new QLabel(this))
{
    setObjectName(QStringLiteral("PlanWindow"));
    setWindowTitle(PlanText::Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    m_plan->setObjectName(QStringLiteral("Plan"));
    m_zone->setObjectName(QStringLiteral("PlanZone"));
    m_cursor->setObjectName(QStringLiteral("PlanCursor"));
    m_withoutCoordinates->setObjectName(QStringLiteral("PlanWithoutCoordinates"));
    m_plan->setFont(nameFont);

    // The chooser shows the zone and the start of its area; its list opens
    // wide enough for the whole entries, the prefectures included.
    for (const geodesy::Zone &z : geodesy::zones())
        m_zone->addItem(geodesy::zoneEntry(z.number), z.number);
    m_zone->addItem(geodesy::LocalZoneEntry, geodesy::LocalZone);
    m_zone->setPlaceholderText(PlanText::ZonePlaceholder);
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
    QPushButton *exportButton = button(QStringLiteral("PlanExport"), PlanText::ExportCaption);
    QPushButton *pdfButton = button(QStringLiteral("PlanPdfExport"), PlanText::PdfExportCaption);
    QPushButton *dxfButton = button(QStringLiteral("PlanDxfExport"), PlanText::DxfExportCaption);
    QPushButton *gsiMap = button(QStringLiteral("PlanGsiMap"), PlanText::GsiMapCaption);
    QPushButton *fit = button(QStringLiteral("PlanFit"), PlanText::FitCaption);
    connect(exportButton, &QPushButton::clicked, this, &PlanWindow::exportRequested);
    connect(pdfButton, &QPushButton::clicked, this, &PlanWindow::pdfExportRequested);
    connect(dxfButton, &QPushButton::clicked, this, &PlanWindow::dxfExportRequested);
    connect(gsiMap, &QPushButton::clicked, this, &PlanWindow::gsiMapRequested);
    connect(fit, &QPushButton::clicked, m_plan, &PlanWidget::fitToWindow);
    connect(m_plan, &PlanWidget::cursorMoved, this, [this](double x, double y) {
        m_cursor->setText(cursorText(m_zoneNumber, { x, y }));
    });
    connect(m_plan, &PlanWidget::withoutCoordinatesChanged, this, [this](int count) {
        m_withoutCoordinates->setText(
            PlanText::NoCoordinatesPrefix + QString::number(count) + PlanText::NoCoordinatesSuffix);
    });

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(PlanText::ZoneCaption, this));
    top->addWidget(m_zone, 1);
    top->addSpacing(12);
    top->addWidget(exportButton);
    top->addWidget(pdfButton);
    top->addWidget(dxfButton);
    top->addWidget(gsiMap);
    auto *status = new QHBoxLayout;
    status->addWidget(fit);
    status->addSpacing(12);
    status->addWidget(m_cursor, 1);
    status->addWidget(m_withoutCoordinates);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_plan, 1);
    layout->addLayout(status);
    resize(760, 520);
    m_plan->refresh();
    m_plan->setFocus();
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
            ? PlanText::Caption
            : PlanText::Caption + PlanText::TitleSeparator + geodesy::zoneState(m_zoneNumber));
}

} // namespace tavorin
