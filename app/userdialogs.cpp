#include "userdialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

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
    const QString &qtFilter, const QString &initialName, const QString &defaultSuffix)
{
    if (!defaultSuffix.isEmpty()) {
        // The static dialogs know no default suffix: the same dialog, built.
        QFileDialog dialog(parent, {}, QFileInfo(initialName).path(), qtFilter);
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
        ? QFileDialog::getOpenFileName(parent, {}, initialName, qtFilter)
        : QFileDialog::getSaveFileName(parent, {}, initialName, qtFilter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtUserDialogs::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace tavorin
