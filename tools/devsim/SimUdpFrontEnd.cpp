#include "tools/devsim/SimUdpFrontEnd.h"

#include "tools/devsim/SimDevice.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <sys/socket.h>

SimUdpFrontEnd::SimUdpFrontEnd(SimDevice *device, QObject *parent)
    : QObject(parent)
    , m_device(device)
    , m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &SimUdpFrontEnd::readRequests);
}

bool SimUdpFrontEnd::bind(const QHostAddress &address, quint16 port, const QString &device)
{
    if (!m_socket->bind(address, port))
        return false;
    if (device.isEmpty())
        return true;
    const QByteArray name = device.toLocal8Bit();
    return ::setsockopt(int(m_socket->socketDescriptor()), SOL_SOCKET, SO_BINDTODEVICE, name.constData(),
                        socklen_t(name.size()))
        == 0;
}

quint16 SimUdpFrontEnd::port() const
{
    return m_socket->localPort();
}

void SimUdpFrontEnd::sendTo(const QByteArray &datagram, const QHostAddress &address, quint16 port)
{
    const QString peer = QStringLiteral("%1:%2").arg(address.toString()).arg(port);
    m_device->deliver(datagram, SimLink::Udp, peer, this, [this, address, port](const QByteArray &chunk) {
        m_socket->writeDatagram(chunk, address, port);
    });
}

void SimUdpFrontEnd::readRequests()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid())
            break;
        const QHostAddress sender = datagram.senderAddress();
        const quint16 senderPort = quint16(datagram.senderPort());
        const QString peer = QStringLiteral("%1:%2").arg(sender.toString()).arg(senderPort);
        const SimReplies replies = m_device->answerDatagram(datagram.data(), peer);
        for (const QByteArray &reply : replies)
            sendTo(reply, sender, senderPort);
    }
}
