#include "cli/CommandTracker.h"

#include <QtGlobal>

#include <algorithm>
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
    Command command;
    command.frame = frame;
    command.record = record;
    command.label = m_label;
    m_commands.push_back(command);
}

void CommandTracker::expect(const QByteArray &frame, const CommandRecord &record)
{
    queued(frame, record);
}

std::deque<CommandTracker::Command>::iterator CommandTracker::awaiting()
{
    return std::find_if(m_commands.begin(), m_commands.end(),
                        [](const Command &command) { return command.record.waitReply && !command.answered; });
}

void CommandTracker::onSent(const QByteArray &bytes)
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(),
                                 [&bytes](const Command &command) { return !command.sent && command.frame == bytes; });
    if (it == m_commands.end())
        return; // not one of ours
    // The service has moved on: a command before this one that was sent and
    // waits for its reply got none in time. Commands before it that never
    // went out (a write that failed is not logged as sent) end here too,
    // silently, as their own reports would.
    bool failedBefore = false;
    Command failedCommand;
    for (auto before = m_commands.begin(); before != it; ++before) {
        if (before->sent && before->record.waitReply && !before->answered && !failedBefore) {
            failedBefore = true;
            failedCommand = *before;
        }
    }
    Command command = *it;
    m_commands.erase(m_commands.begin(), it + 1);
    m_watchdog.stop();
    if (failedBefore)
        fail(failedCommand);
    command.sent = true;
    m_pauseMs = command.record.waitReply ? 0 : command.record.pauseMs;
    if (command.record.waitReply && !command.answered) {
        m_commands.push_front(command);
        const quint32 wait = command.record.replyTimeoutMs + WatchdogMarginMs;
        m_watchdog.start(int(qMin<quint32>(wait, INT_MAX)));
    }
    emit SGL_Changed();
}

bool CommandTracker::onFrame(const QByteArray &frame)
{
    const auto it = awaiting();
    if (it == m_commands.end()
        || !ReplyMatches(it->record, reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size())))
        return false;
    // Answered before its sent notice came: it stays until that notice, so
    // that the notice is not taken for a command of its own.
    it->answered = true;
    if (it->sent) {
        m_watchdog.stop();
        m_commands.erase(it);
    }
    emit SGL_Changed();
    return true;
}

void CommandTracker::onTimeoutReport(const QByteArray &sent)
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(),
                                 [&sent](const Command &command) { return command.frame == sent; });
    if (it == m_commands.end())
        return;
    const Command command = *it;
    if (it->sent)
        m_watchdog.stop();
    m_commands.erase(it);
    // A reply the service missed but this side matched stands: the frame was
    // received and decoded.
    if (!command.answered)
        fail(command);
    else
        emit SGL_Changed();
}

void CommandTracker::watchdogExpired()
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(), [](const Command &command) {
        return command.sent && command.record.waitReply && !command.answered;
    });
    if (it == m_commands.end())
        return;
    const Command command = *it;
    m_commands.erase(it);
    fail(command);
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
    return m_commands.empty();
}

int CommandTracker::outstandingMs() const
{
    const bool queued =
        std::any_of(m_commands.begin(), m_commands.end(), [](const Command &command) { return !command.sent; });
    qint64 total = queued ? m_pauseMs : 0;
    for (const Command &command : m_commands) {
        if (command.answered)
            continue;
        total += SendGapMs + WatchdogMarginMs;
        total += command.record.waitReply ? command.record.replyTimeoutMs : command.record.pauseMs;
    }
    return int(qMin<qint64>(total, INT_MAX));
}

void CommandTracker::reset()
{
    m_commands.clear();
    m_failed = false;
    m_pauseMs = 0;
    m_watchdog.stop();
}
