#include "support/MessageRecorder.h"

#include <QStringList>

MessageRecorder::MessageRecorder(bool answer)
    : m_answer(answer)
{
    install();
}

void MessageRecorder::install()
{
    SetMessageHook([this](MessageKind kind, const QString &text) {
        m_messages.append({kind, text});
        return m_queued.isEmpty() ? m_answer : m_queued.takeFirst();
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMessageHook({});
}

QStringList MessageRecorder::texts() const
{
    QStringList result;
    for (const Message &message : m_messages)
        result.append(message.text);
    return result;
}

QString MessageRecorder::lastText() const
{
    return m_messages.isEmpty() ? QString() : m_messages.constLast().text;
}
