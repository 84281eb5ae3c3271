#pragma once

#include "userdialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

namespace tavorin::test {

// Plays the user at the window's dialogs: answers from a script and records
// what was asked. A message box with no scripted answer gets OK; a file
// dialog with no scripted answer is cancelled.
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
    };

    void answerNextMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void chooseNextFile(std::optional<QString> path) { m_fileAnswers.push_back(std::move(path)); }
    // Runs while the next message box is "open", as things the user does
    // then (for instance events that arrive meanwhile).
    void whileNextMessageIsShown(std::function<void()> action)
    {
        m_duringMessage.push_back(std::move(action));
    }

    const QList<Message> &messages() const { return m_messages; }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }
    void clearRecord()
    {
        m_messages.clear();
        m_fileRequests.clear();
    }

    MessageAnswer messageBox(QWidget *, const QString &prompt, const QString &title,
        MessageIcon icon, MessageButtons buttons) override
    {
        m_messages.append({ prompt, title, icon, buttons });
        if (!m_duringMessage.empty()) {
            auto action = std::move(m_duringMessage.front());
            m_duringMessage.pop_front();
            action();
        }
        if (m_messageAnswers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    }

    std::optional<QString> fileDialog(
        QWidget *, FileDialogMode mode, const QString &filter, const QString &initialName) override
    {
        m_fileRequests.append({ mode, filter, initialName });
        if (m_fileAnswers.empty())
            return std::nullopt;
        auto answer = std::move(m_fileAnswers.front());
        m_fileAnswers.pop_front();
        return answer;
    }

private:
    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<QString>> m_fileAnswers;
    std::deque<std::function<void()>> m_duringMessage;
    QList<Message> m_messages;
    QList<FileRequest> m_fileRequests;
};

} // namespace tavorin::test
