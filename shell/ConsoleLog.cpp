#include "shell/ConsoleLog.h"

#include "app/ByteText.h"

#include <QScrollBar>
#include <QStringList>
#include <QTime>
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

namespace {
const char TimeFormat[] = "hh:mm:ss.zzz ";
} // namespace

void ConsoleLog::append(const QByteArray &frame, const QString &marker)
{
    // Older lines would leave the box in the same edit anyway.
    if (m_pending.size() >= m_maxLines)
        m_pending.removeFirst();
    QString line = marker + BytesToHexText(frame);
    if (m_timestamps)
        line.prepend(QTime::currentTime().toString(QLatin1String(TimeFormat)));
    m_pending.append(line);
    if (!m_timer->isActive())
        m_timer->start();
}

void ConsoleLog::flush()
{
    m_timer->stop();
    if (m_pending.isEmpty())
        return;
    QStringList lines(m_pending.begin(), m_pending.end());
    m_pending.clear();

    QString text = lines.join(QLatin1Char('\n'));
    m_box->moveCursor(QTextCursor::End);
    if (!m_box->document()->isEmpty())
        text.prepend(QLatin1Char('\n'));
    m_box->insertPlainText(text);
    m_box->moveCursor(QTextCursor::End);
    m_box->moveCursor(QTextCursor::StartOfBlock);
    m_box->horizontalScrollBar()->setValue(0);
}

void ConsoleLog::clear()
{
    m_timer->stop();
    m_pending.clear();
    m_box->clear();
}
