#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/CommandChannel.h"
#include "tools/devsim/SimDevice.h"

#include <QByteArray>
#include <QThread>
#include <QVector>

// The device simulator running in-process on a thread of its own, on
// ephemeral ports of 127.0.0.1 and a pseudo-terminal, without logging. The
// thread and the simulator stop with the harness.
class SimHarness
{
public:
    explicit SimHarness(const SimOptions &options = TestOptions());
    ~SimHarness();
    SimHarness(const SimHarness &) = delete;
    SimHarness &operator=(const SimHarness &) = delete;

    static SimOptions TestOptions();

    bool isRunning() const { return m_running; }
    SimDevice &device() { return *m_device; }
    quint16 tcpPort() const;
    quint16 udpPort() const;
    QString ptyPath() const;

    // Run on the simulator's thread; they return when done.
    void sendUnsolicited(const QByteArray &frame);
    void sendDatagram(const QByteArray &datagram, const QString &address, quint16 port);
    void dropTcpClients();
    void closeSerial();
    void setTcpListening(bool listening);
    void setFaults(const SimFaultOptions &faults);

    // What crossed a link so far: the requests that came in (answered or
    // not) and the replies that went out (dropped ones left aside).
    QVector<SimTrafficEntry> requests(SimLink link) const;
    QVector<SimTrafficEntry> replies(SimLink link) const;
    // How many requests came in on a link so far (cheap: no copy of the
    // log), and the last n of them.
    qint64 requestCount(SimLink link) const;
    QVector<QByteArray> lastRequests(SimLink link, qint64 n) const;
    // The traffic log's bound in entries, and what it holds in memory.
    void setTrafficLimit(int entries);
    qint64 trafficBytes() const;

private:
    QThread m_thread;
    SimDevice *m_device;
    bool m_running = false;
};

// Milliseconds from entry a to entry b.
double MsBetween(const SimTrafficEntry &a, const SimTrafficEntry &b);

// Frames built with the simulator's own codec (not the program's), so that
// a test comparing them with what the program sent checks the program's
// framing; records built by hand, as the catalogue would.
QByteArray DeviceFrameOf(quint8 code, const QByteArray &payload);
QByteArray ModuleFrameOf(quint8 code, const QByteArray &payload);
CommandRecord ReplyRecord(const QByteArray &prefix, quint32 timeoutMs, bool report);
CommandRecord PauseRecord(quint32 pauseMs, bool report = false);

#endif
