#pragma once

#include "userdialogs.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <deque>
#include <optional>

namespace tavorin::test {

// Plays the user at the window's dialogs: answers from a script and records
// what was asked. A message box with no scripted answer gets OK; a file
// dialog with no scripted answer is cancelled; the browser is only recorded.
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
    };

    void answerNextMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void chooseNextFile(std::optional<QString> path) { m_fileAnswers.push_back(std::move(path)); }

    const QList<Message> &messages() const { return m_messages; }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }
    // The pages handed to the browser, which takes every one.
    const QList<QUrl> &openedUrls() const { return m_openedUrls; }
    void clearRecord()
    {
        m_messages.clear();
        m_fileRequests.clear();
        m_openedUrls.clear();
    }

    MessageAnswer messageBox(QWidget *, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override
    {
        m_messages.append({ prompt, title, icon, buttons });
        return next(m_messageAnswers, MessageAnswer::Ok);
    }

    std::optional<QString> fileDialog(QWidget *, FileDialogMode mode, const QString &filter,
        const QString &initialName, const QString &defaultSuffix) override
    {
        m_fileRequests.append({ mode, filter, initialName, defaultSuffix });
        return next(m_fileAnswers, std::optional<QString>());
    }

    bool openUrl(const QUrl &url) override
    {
        m_openedUrls.append(url);
        return true;
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
    QList<Message> m_messages;
    QList<FileRequest> m_fileRequests;
    QList<QUrl> m_openedUrls;
};

} // namespace tavorin::test
