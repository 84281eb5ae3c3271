#pragma once

#include <QString>

#include <optional>

class QUrl;
class QWidget;

namespace tavorin {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
enum class FileDialogMode { Open, Save };

// The modal dialogs the window asks the user through, and the browser it
// hands pages to. The program uses the Qt implementation below; tests answer
// from a script and record what was asked.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    virtual MessageAnswer messageBox(QWidget *parent, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons)
        = 0;

    // qtFilter is in Qt's form ("Description (*.sim)"); returns the chosen
    // full path, or nothing when the user cancels. A name typed without an
    // extension gets defaultSuffix, where one is given, before the dialog
    // asks whether to replace a file of that name.
    virtual std::optional<QString> fileDialog(QWidget *parent, FileDialogMode mode,
        const QString &qtFilter, const QString &initialName, const QString &defaultSuffix)
        = 0;

    // Shows url in the user's browser (a web page, or a local file such as
    // the guide); false when no browser took it.
    virtual bool openUrl(const QUrl &url) = 0;
};

class QtUserDialogs final : public UserDialogs
{
public:
    MessageAnswer messageBox(QWidget *parent, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> fileDialog(QWidget *parent, FileDialogMode mode, const QString &qtFilter,
        const QString &initialName, const QString &defaultSuffix) override;
    bool openUrl(const QUrl &url) override;
};

} // namespace tavorin
