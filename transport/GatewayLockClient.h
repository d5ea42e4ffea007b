#pragma once

#include "protocol/RouterText.h"

#include <QByteArray>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>
#include <QVector>

class QTcpSocket;

// The window's line to a kxr-gateway's shared lock table: a router-protocol
// client on the gateway's router port, on the host of the window's TCP
// device link. Event driven on the thread it lives on (the GUI thread, which
// it never blocks). A host that answers nothing there, or anything but the
// protocol's preamble, is a plain device: notGateway() once, and the
// client rests. A gateway that drops the line is tried again a bounded
// number of times. No widgets.
class GatewayLockClient : public QObject
{
    Q_OBJECT

public:
    // Time for the connection and the preamble.
    static constexpr int ProbeTimeoutMs = 3000;
    // After a gateway dropped the line: tries, and the pause before each.
    static constexpr int MaxReconnects = 5;
    static constexpr int ReconnectDelayMs = 1000;
    // Bytes waiting to be written before the line is given up as stuck.
    static constexpr qint64 MaxUnwrittenBytes = 64 * 1024;

    explicit GatewayLockClient(QObject *parent = nullptr);
    ~GatewayLockClient() override;

    // Starts over with this host and port (a running line to the same
    // place is kept).
    void start(const QString &host, quint16 port);
    void stop();
    bool isGateway() const { return m_gateway; }
    // Probing, on the line to a gateway, or waiting to try it again.
    bool isRunning() const { return m_running; }
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }

public slots:
    // Asks the gateway to lock or open a 1-based output; another client's
    // lock is forced open. Nothing is sent unless the gateway is on the line.
    void requestLock(int output, bool locked, bool force = false);

signals:
    // The gateway's preamble arrived: its lock states follow.
    void gatewayFound();
    // No gateway on that port: the device is a plain one.
    void notGateway();
    // The line to a gateway ended (each try again starts with gatewayFound).
    void gatewayLost();
    // Lock states as the gateway told them, 1-based outputs, 'O' this
    // window's, 'L' another client's, 'U' unlocked.
    void locksTold(QVector<QPair<int, char>> states);

private:
    void connectNow();
    void readBytes();
    void handle(const RouterText::TextBlock &block);
    void lineEnded();
    void probeExpired();

    QTcpSocket *m_socket;
    QTimer m_probe;
    QTimer m_retry;
    RouterText::BlockReader m_reader;
    QString m_host;
    quint16 m_port = 0;
    bool m_running = false;
    bool m_gateway = false;    // the preamble arrived on this line
    bool m_wasGateway = false; // one did, since start()
    int m_outputs = 0;
    int m_retriesLeft = 0;
};
