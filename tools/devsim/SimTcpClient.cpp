#include "tools/devsim/SimTcpClient.h"

#include "tools/devsim/SimDevice.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

SimTcpClient::SimTcpClient(QTcpSocket *socket, SimDevice *device, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_device(device)
{
    m_socket->setParent(this);
    // Split replies should leave as separate segments.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_peer = QStringLiteral("%1:%2").arg(m_socket->peerAddress().toString()).arg(m_socket->peerPort());
    connect(m_socket, &QTcpSocket::readyRead, this, &SimTcpClient::readRequests);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
}

void SimTcpClient::send(const QByteArray &frame)
{
    m_device->deliver(frame, SimLink::Tcp, m_peer, this, [this](const QByteArray &chunk) { write(chunk); });
}

void SimTcpClient::drop()
{
    m_socket->disconnectFromHost();
}

void SimTcpClient::readRequests()
{
    const QList<QByteArray> frames = m_reader.feed(m_socket->readAll());
    for (const QByteArray &frame : frames) {
        const SimReplies replies = m_device->answerDeviceFrame(frame, SimLink::Tcp, m_peer);
        for (const QByteArray &reply : replies)
            send(reply);
        const int limit = m_device->disconnectAfter();
        if (limit > 0 && ++m_frames >= limit) {
            // After the replies, which may be held back.
            QTimer::singleShot(m_device->delayMs() + 1, this, &SimTcpClient::drop);
            return;
        }
    }
}

void SimTcpClient::write(const QByteArray &chunk)
{
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_socket->write(chunk);
    m_socket->flush();
}
