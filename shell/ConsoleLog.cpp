#include "shell/ConsoleLog.h"

#include "app/ByteText.h"

#include <QStringList>
#include <QTextEdit>
#include <QTimer>

ConsoleLog::ConsoleLog(QTextEdit *box, int maxLines, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_maxLines(maxLines)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &ConsoleLog::flush);
}

void ConsoleLog::append(const QByteArray &frame)
{
    // Older lines would leave the box in the same edit anyway.
    if (m_pending.size() >= m_maxLines)
        m_pending.removeFirst();
    m_pending.append(frame);
    if (!m_timer->isActive())
        m_timer->start();
}

void ConsoleLog::flush()
{
    m_timer->stop();
    if (m_pending.isEmpty())
        return;
    QStringList lines;
    lines.reserve(m_pending.size());
    for (const QByteArray &frame : qAsConst(m_pending))
        lines.append(BytesToHexText(frame));
    m_pending.clear();

    QString text = lines.join(QLatin1Char('\n'));
    m_box->moveCursor(QTextCursor::End);
    if (!m_box->document()->isEmpty())
        text.prepend(QLatin1Char('\n'));
    m_box->insertPlainText(text);
    m_box->moveCursor(QTextCursor::End);
}

void ConsoleLog::clear()
{
    m_timer->stop();
    m_pending.clear();
    m_box->clear();
}
