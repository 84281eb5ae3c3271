#include "userdialogs.h"

#include "papertext.h"
#include "planezones.h"
#include "planpdf.h"
#include "plantext.h"
#include "windowtext.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

#include <algorithm>

namespace tavorin {

MessageAnswer QtUserDialogs::messageBox(QWidget *parent, const QString &prompt,
    const QString &title, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (icon) {
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<QString> QtUserDialogs::fileDialog(QWidget *parent, FileDialogMode mode,
    const QString &qtFilter, const QString &initialName, const QString &defaultSuffix,
    const QString &title)
{
    if (!defaultSuffix.isEmpty()) {
        // The static dialogs know no default suffix: the same dialog, built.
        QFileDialog dialog(parent, title, QFileInfo(initialName).path(), qtFilter);
        if (!initialName.isEmpty())
            dialog.selectFile(QFileInfo(initialName).fileName());
        dialog.setAcceptMode(
            mode == FileDialogMode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(
            mode == FileDialogMode::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(defaultSuffix);
        // A name typed without an extension takes that of the file type
        // chosen in the dialog ("KMLファイル (*.kml)"), where the type names
        // one.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
                static const QRegularExpression extension(QStringLiteral("\\(\\*\\.(\\w+)[ )]"));
                if (const QRegularExpressionMatch match = extension.match(filter); match.hasMatch())
                    dialog.setDefaultSuffix(match.captured(1));
            });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
    const QString path = mode == FileDialogMode::Open
        ? QFileDialog::getOpenFileName(parent, title, initialName, qtFilter)
        : QFileDialog::getSaveFileName(parent, title, initialName, qtFilter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtUserDialogs::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

std::optional<ExportOptions> QtUserDialogs::exportOptions(
    QWidget *parent, ExportKind kind, const ExportOptions &offered, const PlanFit &fit)
{
    using namespace paperplan;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ExportOptions"));
    auto *form = new QFormLayout;
    const auto combo = [&dialog](const QString &name, const QStringList &entries, int current) {
        auto *box = new QComboBox(&dialog);
        box->setObjectName(name);
        box->addItems(entries);
        box->setCurrentIndex(current);
        return box;
    };
    QComboBox *paper = nullptr;
    QComboBox *orientation = nullptr;
    QComboBox *scale = nullptr;
    QComboBox *zone = nullptr;
    QComboBox *datum = nullptr;
    QDoubleSpinBox *height = nullptr;
    QCheckBox *elevation = nullptr;
    QString note;
    if (kind == ExportKind::PlanPdf) {
        dialog.setWindowTitle(plantext::PdfExportCaption);
        paper = combo(QStringLiteral("Paper"), { QStringLiteral("A4"), QStringLiteral("A3") },
            offered.sheet.paper == Paper::A3 ? 1 : 0);
        orientation = combo(QStringLiteral("Orientation"),
            { windowtext::PortraitEntry, windowtext::LandscapeEntry },
            offered.sheet.orientation == Orientation::Landscape ? 1 : 0);
        scale = combo(QStringLiteral("Scale"), { QString() }, 0);
        for (const qint64 n : Scales) {
            scale->addItem(papertext::ScalePrefix + QString::number(n), n);
            if (n == offered.scale)
                scale->setCurrentIndex(scale->count() - 1);
        }
        // 自動 names the scale it takes on the sheet chosen; a scale chosen
        // that leaves points off the plan says so, and which scale takes all.
        auto *offPlan = new QLabel(&dialog);
        offPlan->setObjectName(QStringLiteral("OffPlan"));
        const auto showFit = [=] {
            const Sheet sheet { paper->currentIndex() == 1 ? Paper::A3 : Paper::A4,
                orientation->currentIndex() == 1 ? Orientation::Landscape : Orientation::Portrait };
            const qint64 fitting = fit.autoScale(sheet);
            scale->setItemText(0, windowtext::AutoScaleEntry.arg(fitting));
            const qint64 chosen = scale->currentData().toLongLong();
            const qsizetype off = chosen > 0 && fit.pointsOff ? fit.pointsOff(sheet, chosen) : 0;
            offPlan->setText(off > 0 ? exporttext::PointsOffPlan.arg(chosen).arg(off)
                        + windowtext::AllFitAt.arg(fitting)
                                     : QString());
            offPlan->setVisible(off > 0);
        };
        showFit();
        QObject::connect(paper, &QComboBox::currentIndexChanged, &dialog, showFit);
        QObject::connect(orientation, &QComboBox::currentIndexChanged, &dialog, showFit);
        QObject::connect(scale, &QComboBox::currentIndexChanged, &dialog, showFit);
        // The footer states the file's zone, which the user may correct, and
        // the datum only where the user says which it is.
        zone = combo(QStringLiteral("Zone"), {}, -1);
        zone->setPlaceholderText(geodesy::zoneState(geodesy::UnknownZone));
        for (const geodesy::Zone &z : geodesy::zones())
            zone->addItem(geodesy::zoneEntry(z.number), z.number);
        zone->addItem(geodesy::LocalZoneEntry, geodesy::LocalZone);
        zone->setCurrentIndex(zone->findData(offered.zone));
        // As in the plan: the box shows the zone and the start of its area,
        // its list the whole area.
        zone->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        zone->setMinimumContentsLength(18);
        zone->view()->setMinimumWidth(zone->view()->sizeHintForColumn(0) + 24);
        datum = combo(QStringLiteral("Datum"), {}, 0);
        for (const Datum d :
            { Datum::Unstated, Datum::Jgd2024, Datum::Jgd2011, Datum::Jgd2000, Datum::Tokyo })
            datum->addItem(d == Datum::Unstated ? papertext::DatumUnstated : datumName(d), int(d));
        datum->setCurrentIndex(datum->findData(int(offered.datum)));
        form->addRow(windowtext::PaperLabel, paper);
        form->addRow(windowtext::OrientationLabel, orientation);
        form->addRow(windowtext::ScaleLabel, scale);
        form->addRow(offPlan);
        form->addRow(plantext::ZoneCaption, zone);
        form->addRow(windowtext::DatumLabel, datum);
        note = windowtext::PrintNote;
    } else {
        dialog.setWindowTitle(plantext::DxfExportCaption);
        height = new QDoubleSpinBox(&dialog);
        height->setObjectName(QStringLiteral("TextHeight"));
        height->setDecimals(2);
        height->setRange(MinTextHeight, MaxTextHeight);
        height->setSuffix(windowtext::TextHeightSuffix);
        height->setValue(offered.textHeight);
        form->addRow(windowtext::TextHeightLabel, height);
        elevation = new QCheckBox(windowtext::ElevationAsZLabel, &dialog);
        elevation->setObjectName(QStringLiteral("ElevationAsZ"));
        elevation->setChecked(offered.elevationAsZ);
        form->addRow(elevation);
        note = windowtext::AxesNote;
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(new QLabel(note, &dialog));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    ExportOptions chosen = offered;
    if (kind == ExportKind::PlanPdf) {
        chosen.sheet = { paper->currentIndex() == 1 ? Paper::A3 : Paper::A4,
            orientation->currentIndex() == 1 ? Orientation::Landscape : Orientation::Portrait };
        chosen.scale = scale->currentData().toLongLong();
        chosen.zone = zone->currentIndex() < 0 ? geodesy::UnknownZone : zone->currentData().toInt();
        chosen.datum = Datum(datum->currentData().toInt());
    } else {
        chosen.textHeight = height->value();
        chosen.elevationAsZ = elevation->isChecked();
    }
    return chosen;
}

std::optional<int> QtUserDialogs::chooseItem(QWidget *parent, const QString &title,
    const QString &prompt, const QStringList &items, int current)
{
    bool chosen = false;
    const QString item
        = QInputDialog::getItem(parent, title, prompt, items, std::max(current, 0), false, &chosen);
    if (!chosen || !items.contains(item))
        return std::nullopt;
    return int(items.indexOf(item));
}

} // namespace tavorin
