#include "commondialog.h"

#include "failure.h"
#include "userdialogs.h"

#include <QStringList>

namespace tavorin {

CommonDialog::CommonDialog(UserDialogs &dialogs, QWidget *parent)
    : m_dialogs(dialogs)
    , m_parent(parent)
{
}

void CommonDialog::ShowOpen()
{
    show(false);
}

void CommonDialog::ShowSave()
{
    show(true);
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

void CommonDialog::show(bool save)
{
    const auto chosen = m_dialogs.fileDialog(
        m_parent, save ? FileDialogMode::Save : FileDialogMode::Open, qtFilter(Filter), FileName);
    if (!chosen) {
        if (CancelError)
            throw Failure(FailureNumber::DialogCancelled);
        return;
    }
    FileName = *chosen;
}

} // namespace tavorin
