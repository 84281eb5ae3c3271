#pragma once

#include "userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <optional>

namespace tavorin::test {

// Export options as tests compare them: sheet, scale, text height, zone and
// date, as "A3L 250 2.5 9 2025-04-01" (A4P for A4 portrait, no date when none),
// and " Z" after them for the DXF file's elevation as z.
inline QString optionsText(const ExportOptions &o)
{
    const bool a3 = o.sheet.paper == paperplan::Paper::A3;
    const bool landscape = o.sheet.orientation == paperplan::Orientation::Landscape;
    const QString z = (o.elevationAsZ ? QStringLiteral(" Z") : QString())
        + (o.datum != paperplan::Datum::Unstated
                ? QStringLiteral(" datum ") + paperplan::datumKey(o.datum)
                : QString());
    return QStringLiteral("%1%2 %3 %4 %5 %6")
        .arg(a3 ? u"A3" : u"A4", landscape ? u"L" : u"P")
        .arg(o.scale)
        .arg(o.textHeight)
        .arg(o.zone)
        .arg((o.date.toString(Qt::ISODate) + z).trimmed())
        .trimmed();
}

// Plays the user at the window's dialogs: answers from a script and records
// what was asked. A message box with no scripted answer gets OK; a file
// dialog with no scripted answer is cancelled; the options of an export with
// none are taken as offered; a list to choose from with none is cancelled;
// the browser is only recorded.
class ScriptedDialogs final : public UserDialogs
{
public:
    struct Message
    {
        QString prompt;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
    };
    struct FileRequest
    {
        FileDialogMode mode;
        QString filter;
        QString initialName;
        QString defaultSuffix;
        QString title;
    };

    void answerNextMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void chooseNextFile(std::optional<QString> path) { m_fileAnswers.push_back(std::move(path)); }
    void chooseNextOptions(std::optional<ExportOptions> options)
    {
        m_optionsAnswers.push_back(std::move(options));
    }
    void chooseNextItem(std::optional<int> index) { m_itemAnswers.push_back(index); }

    // What was asked, in order, and the pages handed to the browser, which
    // takes every one.
    QList<Message> messages;
    QList<FileRequest> fileRequests;
    // Each options dialog as offered, with what 自動 takes on its sheet, as
    // "pdf A4P 0 1 9 auto 1000" (see optionsText).
    QStringList optionsRequests;
    // Each list to choose from as "title|prompt|" and its items, a line each.
    QStringList itemRequests;
    QList<QUrl> openedUrls;
    // Forgets what was asked, and any answer not yet taken.
    void clearRecord() { *this = ScriptedDialogs(); }

    MessageAnswer messageBox(QWidget *, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override
    {
        messages.append({ prompt, title, icon, buttons });
        return next(m_messageAnswers, MessageAnswer::Ok);
    }

    std::optional<QString> fileDialog(QWidget *, FileDialogMode mode, const QString &filter,
        const QString &initialName, const QString &defaultSuffix, const QString &title) override
    {
        fileRequests.append({ mode, filter, initialName, defaultSuffix, title });
        return next(m_fileAnswers, std::optional<QString>());
    }

    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return true;
    }

    std::optional<ExportOptions> exportOptions(
        QWidget *, ExportKind kind, const ExportOptions &offered, const PlanFit &fit) override
    {
        optionsRequests.append(
            QStringLiteral("%1 %2 auto %3")
                .arg(kind == ExportKind::PlanPdf ? u"pdf" : u"dxf", optionsText(offered))
                .arg(fit.autoScale(offered.sheet)));
        return next(m_optionsAnswers, std::optional<ExportOptions>(offered));
    }

    std::optional<int> chooseItem(QWidget *, const QString &title, const QString &prompt,
        const QStringList &items, int current) override
    {
        itemRequests.append(
            title + u'|' + prompt + u'|' + items.join(u'\n') + u'|' + QString::number(current));
        return next(m_itemAnswers, std::optional<int>());
    }

private:
    template <typename T> static T next(std::deque<T> &answers, T otherwise)
    {
        if (!answers.empty()) {
            otherwise = std::move(answers.front());
            answers.pop_front();
        }
        return otherwise;
    }

    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<QString>> m_fileAnswers;
    std::deque<std::optional<ExportOptions>> m_optionsAnswers;
    std::deque<std::optional<int>> m_itemAnswers;
};

} // namespace tavorin::test
