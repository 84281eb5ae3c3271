#pragma once

#include "exporting.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QUrl;
class QWidget;

namespace tavorin {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
enum class FileDialogMode { Open, Save };
// The files whose options are asked before the file dialog: 配置図PDF and
// DXF書込.
enum class ExportKind { PlanPdf, Dxf };

// What the plan PDF's options dialog tells of the points on a sheet: the
// scale 自動 takes, and how many points a scale leaves off the plan.
struct PlanFit
{
    std::function<qint64(paperplan::Sheet)> autoScale;
    std::function<qsizetype(paperplan::Sheet, qint64 scale)> pointsOff;
};

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
    // asks whether to replace a file of that name. The dialog's title is
    // title, or the platform's own where it is empty.
    virtual std::optional<QString> fileDialog(QWidget *parent, FileDialogMode mode,
        const QString &qtFilter, const QString &initialName, const QString &defaultSuffix,
        const QString &title)
        = 0;

    // Shows url in the user's browser (a web page, or a local file such as
    // the guide); false when no browser took it.
    virtual bool openUrl(const QUrl &url) = 0;

    // Asks for the options of kind, offered as chosen: for the plan PDF the
    // paper, the orientation and the scale, among them 自動 (a scale of 0),
    // shown with the scale fit gives for the sheet chosen, with a warning
    // where a chosen scale leaves points off the plan, the zone (the 19 and 系なし)
    // and the datum the footer states (記載しない or one of four); for DXF
    // the text height and whether the elevation is z.
    // Returns offered with the user's choice, or nothing when the user
    // cancels.
    virtual std::optional<ExportOptions> exportOptions(
        QWidget *parent, ExportKind kind, const ExportOptions &offered, const PlanFit &fit)
        = 0;

    // Asks for one of items (the zones), under title with prompt above the
    // list, the one at current preselected (none for -1); returns the index
    // of the one chosen, or nothing when the user cancels.
    virtual std::optional<int> chooseItem(QWidget *parent, const QString &title,
        const QString &prompt, const QStringList &items, int current)
        = 0;
};

class QtUserDialogs final : public UserDialogs
{
public:
    MessageAnswer messageBox(QWidget *parent, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> fileDialog(QWidget *parent, FileDialogMode mode, const QString &qtFilter,
        const QString &initialName, const QString &defaultSuffix, const QString &title) override;
    bool openUrl(const QUrl &url) override;
    std::optional<ExportOptions> exportOptions(QWidget *parent, ExportKind kind,
        const ExportOptions &offered, const PlanFit &fit) override;
    std::optional<int> chooseItem(QWidget *parent, const QString &title, const QString &prompt,
        const QStringList &items, int current) override;
};

} // namespace tavorin
