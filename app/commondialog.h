#pragma once

#include "failure.h"

#include <QString>

class QWidget;

namespace tavorin {

class UserDialogs;

// The window's one file dialog. Reading and writing share it, so it offers
// the path last chosen in either as the next initial name. A cancel fails
// with 32755 and leaves FileName as it was.
class CommonDialog
{
public:
    explicit CommonDialog(UserDialogs &dialogs, QWidget *parent = nullptr);

    // Filter in "Description|pattern|Description|pattern|" form.
    QString Filter;
    // The full path chosen last; the initial name of the next dialog.
    QString FileName;
    // The extension a name typed without one gets ("csv"), in the next
    // dialog only; none when empty.
    QString DefaultExt;
    // The title of the next dialog only; the platform's own when empty.
    QString DialogTitle;

    Result<void> ShowOpen();
    Result<void> ShowSave();

    // path with its extension replaced by suffix ("csv"), or suffix added to
    // a name without one: genba.sim becomes genba.csv. An empty path stays
    // empty.
    static QString withSuffix(const QString &path, const QString &suffix);

    // Filter turned into Qt's "Description (pattern);;..." form. A
    // description that already names its pattern is not given it twice.
    static QString qtFilter(const QString &filter);

private:
    Result<void> show(bool save);

    UserDialogs &m_dialogs;
    QWidget *m_parent;
};

} // namespace tavorin
