#pragma once

#include <QHostAddress>
#include <QObject>

class QUdpSocket;
class SimDevice;

// The network modules' UDP side: every request datagram is answered to the
// address and port it came from.
class SimUdpFrontEnd : public QObject
{
    Q_OBJECT

public:
    SimUdpFrontEnd(SimDevice *device, QObject *parent = nullptr);

    // device: when not empty, only datagrams that arrive through this network
    // interface are heard (a module reachable through that interface only).
    bool bind(const QHostAddress &address, quint16 port, const QString &device = QString());
    quint16 port() const;
    void sendTo(const QByteArray &datagram, const QHostAddress &address, quint16 port);

private:
    void readRequests();

    SimDevice *m_device;
    QUdpSocket *m_socket;
};
