#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimFaults.h"
#include "tools/devsim/SimOptions.h"
#include "tools/devsim/SimRequest.h"
#include "tools/devsim/SimTraffic.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

class QTimer;
class SimPtyFrontEnd;
class SimTcpFrontEnd;
class SimUdpFrontEnd;

// The simulated device with its network modules: one model, answered over
// TCP, a serial pseudo-terminal and UDP. It lives on one thread (the main
// thread of kxr-devsim, or a thread of its own inside a test); its slots run
// there. The accessors marked so may be called from any thread.
class SimDevice : public QObject
{
    Q_OBJECT

public:
    explicit SimDevice(const SimOptions &options, QObject *parent = nullptr);
    ~SimDevice() override;

    // Any thread.
    SimDeviceModel state() const;
    void editState(const std::function<void(SimDeviceModel &)> &edit);
    QVector<SimTrafficEntry> traffic() const;
    void clearTraffic();
    // The log keeps at most this many entries (the older half goes when it
    // is full), so that a long run holds it in bounded memory.
    void setTrafficLimit(int entries);
    // Requests that came in on a link since the start (or the last clear),
    // whether the log still holds them or not; and the last n of them,
    // oldest first.
    qint64 requestCount(SimLink link) const;
    QVector<QByteArray> lastRequests(SimLink link, qint64 n) const;
    // What the log holds in memory, roughly: entries and their bytes.
    qint64 trafficBytes() const;
    void setFaults(const SimFaultOptions &faults);
    quint16 tcpPort() const;
    quint16 udpPort() const;
    QString ptyPath() const;
    int tcpConnections() const; // accepted since the start
    qint64 nowNs() const;       // the clock of the traffic entries

    // The front ends (simulator thread).
    SimReplies answerDeviceFrame(const QByteArray &frame, SimLink link, const QString &peer);
    SimReplies answerDatagram(const QByteArray &datagram, const QString &peer);
    // Plays the faults on one reply and writes its chunks, at once or after
    // the configured delay; context ends a delayed write that outlives it.
    void deliver(const QByteArray &reply, SimLink link, const QString &peer, QObject *context,
                 const std::function<void(const QByteArray &chunk)> &write);
    void noteTcpConnection();
    int disconnectAfter() const;
    int delayMs() const;

public slots:
    // Opens the configured links; false when one of them could not be
    // opened (the others are closed again).
    bool start();
    void stop();
    // A frame sent unasked on every stream link.
    void sendUnsolicited(const QByteArray &frame);
    void sendDatagram(const QByteArray &datagram, const QString &address, quint16 port);
    // Closes every TCP connection (the device resets its network side).
    void dropTcpClients();
    // Closes the pseudo-terminal for good, as a serial cable pulled out.
    void closeSerial();
    void setTcpListening(bool listening);

private:
    void record(SimTrafficEntry entry);
    void sendRoutingReport();

    mutable QMutex m_mutex;
    SimOptions m_options;
    SimDeviceModel m_model;
    SimFaults m_faults;
    QVector<SimTrafficEntry> m_traffic;
    int m_trafficLimit;
    qint64 m_requestCounts[3] = {};
    QElapsedTimer m_clock;
    quint16 m_tcpPort = 0;
    quint16 m_udpPort = 0;
    QString m_ptyPath;
    int m_tcpConnections = 0;
    SimTcpFrontEnd *m_tcp = nullptr;
    SimPtyFrontEnd *m_pty = nullptr;
    SimUdpFrontEnd *m_udp = nullptr;
    QTimer *m_unsolicited = nullptr;
};
