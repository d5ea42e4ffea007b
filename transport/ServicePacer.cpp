#include "transport/ServicePacer.h"

#include <QEventLoop>
#include <QTimer>

#include <climits>

namespace {

// Releases the send mutex on every way out of the send step.
class SendLockGuard
{
public:
    explicit SendLockGuard(QMutex &mutex)
        : m_mutex(mutex)
    { }
    ~SendLockGuard() { m_mutex.unlock(); }
    SendLockGuard(const SendLockGuard &) = delete;
    SendLockGuard &operator=(const SendLockGuard &) = delete;

private:
    QMutex &m_mutex;
};

QTimer *makeSingleShotTimer()
{
    auto *timer = new QTimer;
    timer->setSingleShot(true);
    // A coarse timer may fire a little early; the gap and the waits are
    // minimums.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

ServicePacer::ServicePacer(CommandChannel &channel)
    : m_channel(channel)
{ }

ServicePacer::~ServicePacer()
{
    deleteTimers();
}

void ServicePacer::createTimers()
{
    deleteTimers();
    m_replyTimer = makeSingleShotTimer();
    m_pauseTimer = makeSingleShotTimer();
    m_retryTimer = makeSingleShotTimer();
}

void ServicePacer::deleteTimers()
{
    delete m_replyTimer;
    m_replyTimer = nullptr;
    delete m_pauseTimer;
    m_pauseTimer = nullptr;
    delete m_retryTimer;
    m_retryTimer = nullptr;
}

void ServicePacer::resetFlags()
{
    m_awaitingReply = false;
    m_pausing = false;
}

void ServicePacer::stopRunningTimer()
{
    if (m_awaitingReply && m_replyTimer)
        m_replyTimer->stop();
    else if (m_pausing && m_pauseTimer)
        m_pauseTimer->stop();
    m_awaitingReply = false;
    m_pausing = false;
}

void ServicePacer::sendStep(const Writer &write)
{
    // A trigger that arrives during the gap finds the step in progress,
    // which sends the head command when the gap is over.
    if (m_gapLoop)
        return;
    // Never wait for a page that is queueing. Waiting for "the next
    // trigger" is not enough: the window also locks the queue only to look
    // at it (how many commands wait), and nothing triggers a send after
    // that, so the queue would stall with commands in it. A short
    // single-shot retry takes the place of that trigger.
    if (!m_channel.sendMutex.tryLock(0)) {
        if (m_retryTimer && !m_retryTimer->isActive())
            m_retryTimer->start(LinkTiming::LockRetryMs);
        return;
    }
    {
        SendLockGuard guard(m_channel.sendMutex);
        if (!m_channel.sendQueue || m_channel.sendQueue->empty() || m_awaitingReply || m_pausing)
            return;
    }

    // The gap runs a local event loop, so received bytes and timers of this
    // thread are served meanwhile. The queue is not locked during the gap:
    // held for the whole gap, it would stop the window at every command it queues
    // meanwhile (a page queueing a handful of reads would freeze for a
    // quarter of a second). Only this thread takes commands off the queue,
    // so the head is still there afterwards.
    {
        QEventLoop loop;
        QTimer gap;
        gap.setSingleShot(true);
        gap.setTimerType(Qt::PreciseTimer);
        QObject::connect(&gap, &QTimer::timeout, &loop, &QEventLoop::quit);
        m_gapLoop = &loop;
        gap.start(LinkTiming::SendGapMs);
        loop.exec();
        m_gapLoop = nullptr;
        // A gap that ended before its time was ended on purpose: a
        // disconnect, or the thread being stopped (stopping a thread ends
        // every event loop running in it). The command is not sent, so
        // nothing is logged as sent either; it goes with the queue.
        if (gap.isActive())
            return;
    }

    // Pages hold the lock only to append or count, never for long.
    m_channel.sendMutex.lock();
    SendLockGuard guard(m_channel.sendMutex);
    // A connect that failed during the gap took the timers away.
    if (!m_channel.sendQueue || m_channel.sendQueue->empty() || !m_replyTimer || !m_pauseTimer)
        return;

    const QByteArray bytes = m_channel.sendQueue->front().data;
    m_channel.current = m_channel.sendQueue->front().record;
    if (!write(bytes))
        return;

    const CommandRecord &current = m_channel.current;
    if (current.reportTimeout && current.waitReply)
        m_lastSent = bytes;
    else
        m_lastSent.clear();

    if (current.waitReply) {
        m_replyTimer->start(int(qMin<quint32>(current.replyTimeoutMs, INT_MAX)));
        m_awaitingReply = true;
    } else {
        m_pauseTimer->start(int(qMin<quint32>(current.pauseMs, INT_MAX)));
        m_pausing = true;
    }
    ChannelPopHead(m_channel.sendQueue.get());
}

void ServicePacer::abortGap()
{
    if (m_gapLoop)
        m_gapLoop->quit();
}

bool ServicePacer::matchReply(const quint8 *frame, quint32 length, bool linkUp)
{
    if (!ReplyMatches(m_channel.current, frame, length) || !m_awaitingReply)
        return false;
    if (linkUp) {
        m_awaitingReply = false;
        if (m_replyTimer)
            m_replyTimer->stop();
        m_channel.current.waitReply = 0;
    }
    return true;
}

QByteArray ServicePacer::replyTimedOut()
{
    if (!m_awaitingReply)
        return QByteArray();
    m_awaitingReply = false;
    if (m_replyTimer)
        m_replyTimer->stop();
    // The record of the command in flight is written by this thread alone.
    // The window only learns of the timeout (and shows it) from the report:
    // were it to clear the record itself, a report it handles late would
    // clear the record of the next command instead, whose reply would then
    // go unmatched and time out falsely.
    m_channel.current.waitReply = 0;
    return m_lastSent;
}

void ServicePacer::pauseEnded()
{
    if (!m_pausing)
        return;
    m_pausing = false;
    if (m_pauseTimer)
        m_pauseTimer->stop();
}
