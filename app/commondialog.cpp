#include "commondialog.h"

#include "userdialogs.h"

#include <QFileInfo>
#include <QStringList>

#include <utility>

namespace tavorin {

CommonDialog::CommonDialog(UserDialogs &dialogs, QWidget *parent)
    : m_dialogs(dialogs)
    , m_parent(parent)
{
}

Result<void> CommonDialog::ShowOpen()
{
    return show(false);
}

Result<void> CommonDialog::ShowSave()
{
    return show(true);
}

QString CommonDialog::withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty())
        return path;
    const QString old = QFileInfo(path).suffix();
    return (old.isEmpty() ? path : path.chopped(old.size() + 1)) + u'.' + suffix;
}

QString CommonDialog::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        entries << (description.contains(u'(' + patterns + u')')
                ? description
                : description + QStringLiteral(" (") + patterns + u')');
    }
    return entries.join(u";;");
}

Result<void> CommonDialog::show(bool save)
{
    const QString defaultExt = std::exchange(DefaultExt, QString());
    const QString title = std::exchange(DialogTitle, QString());
    const auto chosen
        = m_dialogs.fileDialog(m_parent, save ? FileDialogMode::Save : FileDialogMode::Open,
            qtFilter(Filter), FileName, defaultExt, title);
    if (!chosen)
        return Failure { failurenumber::DialogCancelled };
    FileName = *chosen;
    // The dialog adds it itself; a path given some other way gets it here.
    if (!defaultExt.isEmpty() && QFileInfo(FileName).suffix().isEmpty())
        FileName += u'.' + defaultExt;
    return {};
}

} // namespace tavorin
