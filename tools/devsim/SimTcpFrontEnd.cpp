#include "tools/devsim/SimTcpFrontEnd.h"

#include "tools/devsim/SimDevice.h"
#include "tools/devsim/SimTcpClient.h"

#include <QTcpServer>
#include <QTcpSocket>

SimTcpFrontEnd::SimTcpFrontEnd(SimDevice *device, QObject *parent)
    : QObject(parent)
    , m_device(device)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &SimTcpFrontEnd::acceptClients);
}

bool SimTcpFrontEnd::listen(quint16 port)
{
    if (!m_server->listen(QHostAddress::LocalHost, port))
        return false;
    m_port = m_server->serverPort();
    return true;
}

void SimTcpFrontEnd::setListening(bool listening)
{
    if (!listening)
        m_server->close();
    else if (!m_server->isListening())
        m_server->listen(QHostAddress::LocalHost, m_port);
}

void SimTcpFrontEnd::sendToAll(const QByteArray &frame)
{
    const QList<SimTcpClient *> clients = findChildren<SimTcpClient *>(QString(), Qt::FindDirectChildrenOnly);
    for (SimTcpClient *client : clients)
        client->send(frame);
}

void SimTcpFrontEnd::dropClients()
{
    const QList<SimTcpClient *> clients = findChildren<SimTcpClient *>(QString(), Qt::FindDirectChildrenOnly);
    for (SimTcpClient *client : clients)
        client->drop();
}

void SimTcpFrontEnd::acceptClients()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        m_device->noteTcpConnection();
        new SimTcpClient(socket, m_device, this);
    }
}
