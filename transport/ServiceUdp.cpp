#include "transport/ServiceUdp.h"

#include <QDebug>
#include <QNetworkInterface>
#include <QTimer>
#include <QUdpSocket>

ServiceUdp::ServiceUdp(QObject *parent)
    : QObject(parent)
    , m_addressSource(&ServiceUdp::LocalIpv4Addresses)
    , m_pacer(UdpChannel)
{ }

ServiceUdp::~ServiceUdp()
{
    deleteSockets();
    m_pacer.deleteTimers();
    ChannelClear(UdpChannel);
}

void ServiceUdp::setAddressSource(AddressSource source)
{
    m_addressSource = source ? std::move(source) : AddressSource(&ServiceUdp::LocalIpv4Addresses);
}

void ServiceUdp::setTargetPort(quint16 port)
{
    m_targetPort = port;
}

QList<ServiceUdp::LocalIpv4Entry> ServiceUdp::LocalIpv4Entries()
{
    QList<LocalIpv4Entry> result;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &netInterface : interfaces) {
        const bool loopback = netInterface.flags().testFlag(QNetworkInterface::IsLoopBack);
        const QList<QNetworkAddressEntry> entries = netInterface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (ip.toString().isEmpty() || entry.netmask().toString().isEmpty()
                || entry.broadcast().toString().isEmpty())
                continue;
            result.append({ip.toString(), entry.netmask().toString(), netInterface.humanReadableName(), loopback});
        }
    }
    return result;
}

QStringList ServiceUdp::LocalIpv4Addresses()
{
    QStringList addresses;
    const QList<LocalIpv4Entry> entries = LocalIpv4Entries();
    for (const LocalIpv4Entry &entry : entries)
        addresses.append(entry.ip);
    return addresses;
}

void ServiceUdp::SLT_SyncConnect_Udp()
{
    m_pacer.createTimers();
    connect(m_pacer.replyTimer(), &QTimer::timeout, this, &ServiceUdp::SLT_MatchTimer_Timeout);
    connect(m_pacer.pauseTimer(), &QTimer::timeout, this, &ServiceUdp::SLT_WaitTimer_Timeout);
    connect(m_pacer.retryTimer(), &QTimer::timeout, this, &ServiceUdp::SLT_RealSendData_Udp);
    ChannelOpen(UdpChannel);
    m_target = QHostAddress(QString::fromLatin1(BroadcastAddress));
    m_connected = true;
    m_disconnectPending = false;
    m_pacer.resetFlags();
}

void ServiceUdp::SLT_Startover_Udp(bool isBroadcast, QString remoteIp)
{
    if (!m_connected)
        return;
    m_localAddresses = m_addressSource();
    m_target = QHostAddress(isBroadcast ? QString::fromLatin1(BroadcastAddress) : remoteIp);

    deleteSockets();
    disconnect(this, &ServiceUdp::SGL_TryCheckSend, this, &ServiceUdp::SLT_RealSendData_Udp);
    m_ready = false;

    for (const QString &address : qAsConst(m_localAddresses)) {
        auto *socket = new QUdpSocket;
        connect(socket, &QUdpSocket::readyRead, this, &ServiceUdp::SLT_RealRecvData_Udp);
        if (socket->bind(QHostAddress(address), 0)) {
            m_sockets.append(socket);
        } else {
            qDebug() << "bind fail"
                     << "IP:" << address;
            delete socket;
        }
    }

    // Queued, so that a reply read in the middle of a batch of datagrams
    // does not start the next gap there.
    connect(this, &ServiceUdp::SGL_TryCheckSend, this, &ServiceUdp::SLT_RealSendData_Udp, Qt::QueuedConnection);
    m_ready = true;
}

void ServiceUdp::SLT_SyncDisconnect_Udp()
{
    if (!m_connected)
        return;
    if (m_pacer.sending()) {
        m_disconnectPending = true;
        m_pacer.abortGap();
        return;
    }
    m_connected = false;
    m_disconnectPending = false;
    m_ready = false;
    for (QUdpSocket *socket : qAsConst(m_sockets))
        socket->abort();
    deleteSockets();
    m_pacer.stopRunningTimer();
    m_pacer.deleteTimers();
    ChannelClear(UdpChannel);
}

void ServiceUdp::SLT_RealSendData_Udp()
{
    // Until the first start-over there is no socket to send from; the
    // commands wait for it.
    if (!m_connected || !m_ready)
        return;
    m_pacer.sendStep([this](const QByteArray &bytes) { return sendDatagram(bytes); });
    if (m_disconnectPending)
        SLT_SyncDisconnect_Udp();
}

void ServiceUdp::SLT_RealRecvData_Udp()
{
    if (!m_connected)
        return;
    const FrameSink sink = [this](const quint8 *frame, quint32 length) {
        if (m_pacer.matchReply(frame, length, m_connected))
            emit SGL_TryCheckSend();
        emit SGL_UpdateRecvData_Udp();
    };
    for (QUdpSocket *socket : qAsConst(m_sockets)) {
        while (socket->hasPendingDatagrams()) {
            const qint64 size = socket->pendingDatagramSize();
            QByteArray datagram(int(qMax<qint64>(size, 0)), '\0');
            const qint64 read = socket->readDatagram(datagram.data(), datagram.size());
            if (read < 0)
                break;
            ReceiveDatagram(UdpChannel, datagram.constData(), read, sink);
        }
    }
}

void ServiceUdp::SLT_MatchTimer_Timeout()
{
    if (!m_connected)
        return;
    const QByteArray sent = m_pacer.replyTimedOut();
    if (!sent.isEmpty())
        emit SGL_WaitReplyTimeout_Udp(sent);
    emit SGL_TryCheckSend();
}

void ServiceUdp::SLT_WaitTimer_Timeout()
{
    if (!m_connected)
        return;
    m_pacer.pauseEnded();
    emit SGL_TryCheckSend();
}

void ServiceUdp::deleteSockets()
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
}

bool ServiceUdp::sendDatagram(const QByteArray &bytes)
{
    if (m_disconnectPending || !m_connected)
        return false;
    // A target that does not parse reaches no module; the request then ends
    // through its reply timeout.
    if (!m_target.isNull()) {
        for (QUdpSocket *socket : qAsConst(m_sockets))
            socket->writeDatagram(bytes, m_target, m_targetPort);
    }
    emit SGL_UpdateSendData_Udp(bytes);
    return true;
}
