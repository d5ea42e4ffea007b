#pragma once

#include "chrome/MessageBox.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Catches every ShowMessage and AskYesNo while it lives, so that no test
// waits on a modal box; AskYesNo gets the configured answer.
class MessageRecorder
{
public:
    struct Message
    {
        MessageKind kind;
        QString text;
    };

    explicit MessageRecorder(bool answer = true);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    void setAnswer(bool answer) { m_answer = answer; }
    // The answers to the next questions, in order; the set answer after them.
    void queueAnswers(const QVector<bool> &answers) { m_queued = answers; }
    // Catches the messages again after a test let real boxes show.
    void install();
    const QVector<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const; // empty when nothing was shown
    int count() const { return m_messages.size(); }
    void clear() { m_messages.clear(); }

private:
    bool m_answer;
    QVector<bool> m_queued;
    QVector<Message> m_messages;
};
