#pragma once

#include "cli/CliRequest.h"
#include "cli/CommandTracker.h"
#include "cli/ExitCode.h"
#include "transport/DeviceLink.h"

#include <QObject>
#include <QString>

#include <functional>

class FrameDescriber;
class QTextStream;

// One run of kxrctl against one device: the link, the command tracker and
// the device model, with the steps every command is made of (connect,
// identify, queue and wait for the confirmation). Results go to out,
// messages to err. Lives on the main thread; its waits run the event loop.
class CliSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int ConnectBoundMs = 5000;
    static constexpr int StallMarginMs = 1000;

    CliSession(const CliRequest &request, QTextStream &out, QTextStream &err, QObject *parent = nullptr);
    ~CliSession() override;

    const CliRequest &request() const { return m_request; }
    QTextStream &out() { return m_out; }
    DeviceLink &link() { return m_link; }
    CommandTracker &tracker() { return m_tracker; }

    // Opens the link the command line names (TCP or serial).
    ExitCode openDevice();
    // The identification query; the device's counts are then in Device().
    ExitCode identify();
    // Queues commands under a label, lets them go and waits until every one
    // of them is confirmed, or, given done, until done() holds (a transfer
    // the dispatcher continues block by block, which may also end early). A
    // missing reply gives Timeout, a lost link Connection.
    ExitCode run(const QString &label, const std::function<bool()> &queue,
                 const std::function<bool()> &done = std::function<bool()>());
    // Runs the event loop until condition() holds, the link is lost, a
    // command failed or boundMs ran out (restarted on every progress when
    // restartOnProgress). Returns condition().
    bool waitUntil(const std::function<bool()> &condition, int boundMs, bool restartOnProgress = false);

    // The device's own counts, checked once it has been identified.
    ExitCode checkInput(quint32 input);
    ExitCode checkOutput(quint32 output);

    // "kxrctl: COMMAND: message" on err; returns code.
    ExitCode fail(ExitCode code, const QString &message);
    // The result of a wait that ended without its condition.
    ExitCode waitFailure(const QString &what);

    // Frames are described (watch, raw) while a describer is set; frame is
    // told of every received device frame and whether it was a reply.
    void setFrameObserver(FrameDescriber *describer,
                          std::function<void(const QByteArray &frame, bool reply, const QStringList &notes)> frame);

    bool linkLost() const { return m_linkLost; }
    // Something happened: a frame, a send, a failure, the link.
    void poke();

signals:
    void SGL_Changed();

private:
    void frameReceived(const QByteArray &frame);
    void replyTimedOut(const QByteArray &sent);

    CliRequest m_request;
    QTextStream &m_out;
    QTextStream &m_err;
    DeviceLink m_link;
    CommandTracker m_tracker;
    bool m_linkLost = false;
    bool m_identified = false;
    bool m_identityRefused = false;
    FrameDescriber *m_describer = nullptr;
    std::function<void(const QByteArray &, bool, const QStringList &)> m_frameObserver;
};
