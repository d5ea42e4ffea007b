#include "cli/CommandTracker.h"

#include <QtGlobal>

#include <climits>

CommandTracker::CommandTracker(QObject *parent)
    : QObject(parent)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &CommandTracker::watchdogExpired);
}

CommandTracker::~CommandTracker()
{
    uninstall();
}

void CommandTracker::install()
{
    SetDeviceEnqueueHooks([this](CommandRecord &record) { adjust(record); },
                          [this](const QByteArray &frame, const CommandRecord &record) { queued(frame, record); });
}

void CommandTracker::uninstall()
{
    SetDeviceEnqueueHooks(nullptr, nullptr);
}

void CommandTracker::adjust(CommandRecord &record) const
{
    if (m_timeoutOverrideMs > 0 && record.waitReply)
        record.replyTimeoutMs = quint32(m_timeoutOverrideMs);
}

void CommandTracker::queued(const QByteArray &frame, const CommandRecord &record)
{
    m_pending.push_back({frame, record, m_label});
}

void CommandTracker::expect(const QByteArray &frame, const CommandRecord &record)
{
    queued(frame, record);
}

void CommandTracker::onSent(const QByteArray &bytes)
{
    auto it = m_pending.begin();
    while (it != m_pending.end() && it->frame != bytes)
        ++it;
    if (it == m_pending.end())
        return; // not one of ours
    // The service has moved on: the command before, had it waited for a
    // reply, got none in time.
    if (m_awaiting) {
        m_awaiting = false;
        m_watchdog.stop();
        fail(m_inFlight);
    }
    // Commands queued before this one that never went out (a write that
    // failed is not logged as sent) end through their own reports.
    m_inFlight = *it;
    m_pending.erase(m_pending.begin(), it + 1);
    m_pauseMs = m_inFlight.record.waitReply ? 0 : m_inFlight.record.pauseMs;
    if (m_inFlight.record.waitReply) {
        m_awaiting = true;
        const quint32 wait = m_inFlight.record.replyTimeoutMs + WatchdogMarginMs;
        m_watchdog.start(int(qMin<quint32>(wait, INT_MAX)));
    }
    emit SGL_Changed();
}

bool CommandTracker::onFrame(const QByteArray &frame)
{
    if (!m_awaiting
        || !ReplyMatches(m_inFlight.record, reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size())))
        return false;
    m_awaiting = false;
    m_watchdog.stop();
    emit SGL_Changed();
    return true;
}

void CommandTracker::onTimeoutReport(const QByteArray &sent)
{
    if (m_awaiting && m_inFlight.frame == sent) {
        m_awaiting = false;
        m_watchdog.stop();
        fail(m_inFlight);
        return;
    }
    // A reporting command whose bytes never reached the wire.
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        if (it->frame == sent) {
            const Command command = *it;
            m_pending.erase(it);
            fail(command);
            return;
        }
    }
}

void CommandTracker::watchdogExpired()
{
    if (!m_awaiting)
        return;
    m_awaiting = false;
    fail(m_inFlight);
}

void CommandTracker::fail(const Command &command)
{
    if (!m_failed) {
        m_failed = true;
        m_failedCommand = command;
    }
    emit SGL_Changed();
}

bool CommandTracker::idle() const
{
    return m_pending.empty() && !m_awaiting;
}

int CommandTracker::outstandingMs() const
{
    qint64 total = m_pending.empty() ? 0 : m_pauseMs;
    auto add = [&total](const Command &command) {
        total += SendGapMs + WatchdogMarginMs;
        total += command.record.waitReply ? command.record.replyTimeoutMs : command.record.pauseMs;
    };
    for (const Command &command : m_pending)
        add(command);
    if (m_awaiting)
        add(m_inFlight);
    return int(qMin<qint64>(total, INT_MAX));
}

void CommandTracker::reset()
{
    m_pending.clear();
    m_awaiting = false;
    m_failed = false;
    m_pauseMs = 0;
    m_watchdog.stop();
}
