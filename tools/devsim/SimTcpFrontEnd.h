#pragma once

#include <QObject>

class QTcpServer;
class SimDevice;

// The device's TCP side on 127.0.0.1: accepts any number of clients, each
// with a stream assembler of its own.
class SimTcpFrontEnd : public QObject
{
    Q_OBJECT

public:
    SimTcpFrontEnd(SimDevice *device, QObject *parent = nullptr);

    // port 0 takes any free port; port() then tells which.
    bool listen(quint16 port);
    quint16 port() const { return m_port; }
    void setListening(bool listening);
    void sendToAll(const QByteArray &frame);
    void dropClients();

private:
    void acceptClients();

    SimDevice *m_device;
    QTcpServer *m_server;
    quint16 m_port = 0;
};
