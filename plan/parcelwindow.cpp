#include "parcelwindow.h"

#include "parceltables.h"
#include "plantext.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tavorin {

namespace {

// Cells that the file's side and the computed one disagree in.
const QColor DiffersBackground { 255, 210, 210 };

QTableWidget *table(const QString &name, QWidget *parent)
{
    auto *t = new QTableWidget(parent);
    t->setObjectName(name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::ContiguousSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

// Rows (headings first) into t; numbers right-aligned, the first
// nameColumns (names and headings) left.
void fill(QTableWidget *t, const QList<QStringList> &rows, int nameColumns)
{
    t->clear();
    t->setRowCount(0);
    t->setColumnCount(rows.isEmpty() ? 0 : int(rows.front().size()));
    if (rows.isEmpty())
        return;
    t->setHorizontalHeaderLabels(rows.front());
    t->setRowCount(int(rows.size() - 1));
    for (int r = 1; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(
                Qt::AlignVCenter | (c < nameColumns ? Qt::AlignLeft : Qt::AlignRight));
            t->setItem(r - 1, c, item);
        }
    }
}

} // namespace

ParcelWindow::ParcelWindow(const Parcels &parcels, const FilePoints &records, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_parcels(parcels)
    , m_records(records)
    , m_form(new QComboBox(this))
    , m_rounding(new QComboBox(this))
    , m_landClass(new QComboBox(this))
    , m_pdfPages(new QCheckBox(plantext::PdfPagesLabel, this))
    , m_heading(new QLabel(this))
    , m_areaTable(table(QStringLiteral("ParcelAreaTable"), this))
    , m_sideTable(table(QStringLiteral("ParcelSideTable"), this))
{
    setObjectName(QStringLiteral("ParcelWindow"));
    setWindowTitle(plantext::ParcelTablesCaption);
    m_form->setObjectName(QStringLiteral("ParcelForm"));
    m_rounding->setObjectName(QStringLiteral("ParcelRounding"));
    m_landClass->setObjectName(QStringLiteral("ParcelLandClass"));
    m_pdfPages->setObjectName(QStringLiteral("ParcelPdfPages"));
    m_heading->setObjectName(QStringLiteral("ParcelHeading"));
    m_form->addItem(plantext::XTimesDeltaYHeading, int(parcels::AreaForm::XTimesDeltaY));
    m_form->addItem(plantext::YTimesDeltaXHeading, int(parcels::AreaForm::YTimesDeltaX));
    m_rounding->addItem(plantext::HalfUpEntry, int(parcels::DistanceRounding::HalfUp));
    m_rounding->addItem(plantext::CutEntry, int(parcels::DistanceRounding::Cut));
    for (const auto landClass : { parcels::LandClass::Residential, parcels::LandClass::Other })
        m_landClass->addItem(parcels::landClassName(landClass), int(landClass));
    connect(m_form, &QComboBox::activated, this, &ParcelWindow::chooseOptions);
    connect(m_rounding, &QComboBox::activated, this, &ParcelWindow::chooseOptions);
    connect(m_pdfPages, &QCheckBox::clicked, this, &ParcelWindow::chooseOptions);
    connect(m_landClass, &QComboBox::activated, this, [this](int index) {
        emit landClassChosen(parcels::LandClass(m_landClass->itemData(index).toInt()));
    });

    auto *copy = new QPushButton(plantext::CopyTablesCaption, this);
    copy->setObjectName(QStringLiteral("ParcelCopy"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this,
        [this] { QGuiApplication::clipboard()->setText(m_text); });

    auto *choices = new QHBoxLayout;
    choices->addWidget(new QLabel(plantext::FormLabel, this));
    choices->addWidget(m_form);
    choices->addSpacing(8);
    choices->addWidget(new QLabel(plantext::RoundingLabel, this));
    choices->addWidget(m_rounding);
    choices->addSpacing(8);
    choices->addWidget(new QLabel(plantext::LandClassLabel, this));
    choices->addWidget(m_landClass);
    choices->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_pdfPages);
    bottom->addStretch(1);
    bottom->addWidget(copy);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(choices);
    layout->addWidget(m_heading);
    layout->addWidget(new QLabel(plantext::AreaTableCaption, this));
    layout->addWidget(m_areaTable, 3);
    layout->addWidget(new QLabel(plantext::SideTableCaption, this));
    layout->addWidget(m_sideTable, 2);
    layout->addLayout(bottom);
    resize(640, 560);
}

void ParcelWindow::chooseOptions()
{
    parcels::Options options = m_options;
    options.form = parcels::AreaForm(m_form->currentData().toInt());
    options.rounding = parcels::DistanceRounding(m_rounding->currentData().toInt());
    options.pdfPages = m_pdfPages->isChecked();
    emit optionsChosen(options);
}

void ParcelWindow::showParcel(
    int parcel, const parcels::Options &options, parcels::LandClass landClass)
{
    m_options = options;
    {
        const QSignalBlocker quiet1(m_form);
        const QSignalBlocker quiet2(m_rounding);
        const QSignalBlocker quiet3(m_landClass);
        const QSignalBlocker quiet4(m_pdfPages);
        m_form->setCurrentIndex(m_form->findData(int(options.form)));
        m_rounding->setCurrentIndex(m_rounding->findData(int(options.rounding)));
        m_landClass->setCurrentIndex(m_landClass->findData(int(landClass)));
        m_pdfPages->setChecked(options.pdfPages);
    }
    const Parcel *picked = parcel >= 0 && parcel < m_parcels.size() ? &m_parcels[parcel] : nullptr;
    m_landClass->setEnabled(picked != nullptr);
    std::optional<parcels::AreaTable> area;
    std::optional<parcels::SideTable> sides;
    if (picked) {
        area = parcels::areaTable(*picked, m_records, options.form, landClass);
        sides = parcels::sideTable(*picked, m_records, options.rounding);
    }
    QList<QStringList> areaRows;
    QList<QStringList> sideRows;
    if (area && sides) {
        areaRows = areaTableRows(*area);
        sideRows = sideTableRows(*sides);
        m_text = tabSeparated(areaRows) + u'\n' + tabSeparated(sideRows);
    } else {
        m_text.clear();
    }
    fill(m_areaTable, areaRows, 1);
    fill(m_sideTable, sideRows, 2);
    // The file's side and its check, where they disagree.
    for (int r = 1; r < sideRows.size(); ++r)
        if (sideRows[r].back() == plantext::SideDiffers)
            for (const int c : { 4, 5, 6 })
                m_sideTable->item(r - 1, c)->setBackground(DiffersBackground);

    if (!picked) {
        m_heading->setText(plantext::NoParcelPicked);
        setWindowTitle(plantext::ParcelTablesCaption);
        return;
    }
    const QString name = parcelName(*picked);
    setWindowTitle(plantext::ParcelTablesCaption + plantext::TitleSeparator + name);
    m_heading->setText(
        picked->isGood() ? name : plantext::BadParcelStatus.arg(name, picked->fault));
}

} // namespace tavorin
