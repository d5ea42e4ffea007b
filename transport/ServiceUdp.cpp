#include "transport/ServiceUdp.h"

#include <QDebug>
#include <QNetworkInterface>
#include <QUdpSocket>

ServiceUdp::ServiceUdp(QObject *parent)
    : ServiceBase(UdpChannel, parent)
    , m_addressSource(&ServiceUdp::LocalIpv4Addresses)
{ }

ServiceUdp::~ServiceUdp()
{
    deleteSockets();
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
    connectCycle();
}

bool ServiceUdp::openDevice()
{
    m_target = QHostAddress(QString::fromLatin1(BroadcastAddress));
    return true;
}

void ServiceUdp::SLT_Startover_Udp(bool isBroadcast, QString remoteIp)
{
    if (!connected())
        return;
    m_localAddresses = m_addressSource();
    m_target = QHostAddress(isBroadcast ? QString::fromLatin1(BroadcastAddress) : remoteIp);

    deleteSockets();
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
    m_ready = true;
}

void ServiceUdp::closeDevice()
{
    m_ready = false;
    for (QUdpSocket *socket : qAsConst(m_sockets))
        socket->abort();
    deleteSockets();
}

void ServiceUdp::SLT_RealRecvData_Udp()
{
    if (!connected())
        return;
    const FrameSink sink = [this](const quint8 *frame, quint32 length) { frameArrived(frame, length); };
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

void ServiceUdp::deleteSockets()
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
}

bool ServiceUdp::writeBytes(const QByteArray &bytes)
{
    // A target that does not parse reaches no module; the request then ends
    // through its reply timeout.
    if (!m_target.isNull()) {
        for (QUdpSocket *socket : qAsConst(m_sockets))
            socket->writeDatagram(bytes, m_target, m_targetPort);
    }
    emit SGL_UpdateSendData(bytes);
    return true;
}
