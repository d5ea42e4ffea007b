#pragma once

#include "protocol/CommandChannel.h"
#include "protocol/LinkTiming.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

// Follows every device command kxrctl queues, from the queue to the wire to
// the device's answer, so that the program exits only on the device's own
// confirmation. It sees the commands as the catalogue queues them (with the
// record the service matches against) and learns from the link what was
// sent, what came back and what timed out; it never touches the queue.
//
// A command that awaits a reply is confirmed by the first received frame
// that matches its record, exactly the frame the service takes as its
// reply. It fails when the service reports its timeout, when the service
// sends the next command without a match (commands that time out silently),
// or when its own watchdog (the reply timeout and a margin) runs out first.
// A command that awaits no reply is done once it is on the wire.
class CommandTracker : public QObject
{
    Q_OBJECT

public:
    static constexpr int WatchdogMarginMs = 250;
    static constexpr int SendGapMs = LinkTiming::SendGapMs;

    struct Command
    {
        QByteArray frame;
        CommandRecord record;
        QString label;
    };

    explicit CommandTracker(QObject *parent = nullptr);
    ~CommandTracker() override;

    // Hooks into the enqueue step of the device commands (and out again).
    void install();
    void uninstall();

    // Every reply timeout becomes this many milliseconds (0: the command's
    // own).
    void setTimeoutOverride(int ms) { m_timeoutOverrideMs = ms; }
    // What the commands queued from now on are called in messages.
    void setLabel(const QString &label) { m_label = label; }

    // A command queued behind the catalogue's back (raw bytes).
    void expect(const QByteArray &frame, const CommandRecord &record);

    // From the link, in the order the service produced them.
    void onSent(const QByteArray &bytes);
    // True when the frame is the reply of the command in flight.
    bool onFrame(const QByteArray &frame);
    void onTimeoutReport(const QByteArray &sent);

    // Nothing queued, nothing in flight.
    bool idle() const;
    bool failed() const { return m_failed; }
    const Command &failedCommand() const { return m_failedCommand; }
    int failedTimeoutMs() const { return int(m_failedCommand.record.replyTimeoutMs); }
    // An upper bound of the time what is outstanding still needs: the gap,
    // and the reply timeout or pause, of each command.
    int outstandingMs() const;
    // Forgets every command (a new run, or after a failure was reported).
    void reset();

signals:
    // Something was confirmed, sent or failed.
    void SGL_Changed();

private:
    void queued(const QByteArray &frame, const CommandRecord &record);
    void adjust(CommandRecord &record) const;
    void fail(const Command &command);
    void watchdogExpired();

    std::deque<Command> m_pending; // queued, not yet on the wire
    Command m_inFlight;
    bool m_awaiting = false; // m_inFlight waits for its reply
    quint32 m_pauseMs = 0;   // the pause after the last command sent
    bool m_failed = false;
    Command m_failedCommand;
    QString m_label;
    int m_timeoutOverrideMs = 0;
    QTimer m_watchdog;
};
