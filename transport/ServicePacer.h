#pragma once

#include "protocol/CommandChannel.h"
#include "protocol/LinkTiming.h"

#include <QByteArray>

#include <functional>

class QEventLoop;
class QTimer;

// The pacing every transport service shares: one command in flight at a
// time, the send gap before each send, a single-shot reply timer for commands
// that await an answer and a single-shot pause timer for those that do not.
// It lives inside the service and runs only on the service's thread.
class ServicePacer
{
public:
    explicit ServicePacer(CommandChannel &channel);
    ~ServicePacer();

    ServicePacer(const ServicePacer &) = delete;
    ServicePacer &operator=(const ServicePacer &) = delete;

    CommandChannel &channel() const { return m_channel; }

    // The two single-shot timers; created on connect, on the service thread,
    // so that they run there. The service connects their timeout().
    void createTimers();
    void deleteTimers();
    QTimer *replyTimer() const { return m_replyTimer; }
    QTimer *pauseTimer() const { return m_pauseTimer; }
    // Started when a send step found the queue locked; the service connects
    // its timeout() to its send slot.
    QTimer *retryTimer() const { return m_retryTimer; }

    // Back to idle after a connect: no reply awaited, no pause running.
    void resetFlags();
    // Stops whichever timer runs (disconnect).
    void stopRunningTimer();

    // Puts the bytes on the wire; returns false when the link went away
    // during the gap, in which case the command stays queued.
    using Writer = std::function<bool(const QByteArray &bytes)>;
    // The send step: tryLock(0) on the send mutex, nothing while a command
    // is in flight, the gap (the queue unlocked meanwhile), the head record
    // becomes the channel's current one, write, reply or pause timer, pop. A
    // locked queue starts the retry timer.
    void sendStep(const Writer &write);
    // Inside the gap of a send step (its local event loop runs).
    bool sending() const { return m_gapLoop != nullptr; }
    // Ends the gap at once; the send step then asks its writer, which
    // refuses when the link is going away.
    void abortGap();

    // A complete frame arrived: whether it is the reply the command in
    // flight waits for while the reply timer runs. When linkUp, the timer is
    // stopped and the command counts as answered. The caller then lets the
    // next command go.
    bool matchReply(const quint8 *frame, quint32 length, bool linkUp);

    // The reply timer ran out: the sent bytes to report, or empty when
    // nothing is to be reported. The command is never repeated.
    QByteArray replyTimedOut();
    // The pause timer ran out.
    void pauseEnded();

private:
    CommandChannel &m_channel;
    bool m_awaitingReply = false;
    bool m_pausing = false;
    QTimer *m_replyTimer = nullptr;
    QTimer *m_pauseTimer = nullptr;
    QTimer *m_retryTimer = nullptr;
    QByteArray m_lastSent;
    QEventLoop *m_gapLoop = nullptr;
};
