#pragma once

#include "transport/ServiceBase.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QUdpSocket;

// Carries the network-module requests of UdpChannel: each request leaves as
// one datagram from every local IPv4 address to the target address, and
// each datagram received is one reply. Paced like the serial service. A
// worker moved into its own thread, which runs for the whole program.
class ServiceUdp : public ServiceBase
{
    Q_OBJECT

public:
    static constexpr quint16 ModulePort = 1901;
    static constexpr const char *BroadcastAddress = "255.255.255.255";

    // Where the local addresses come from; by default every IPv4 interface
    // address with a netmask and a broadcast address.
    using AddressSource = std::function<QStringList()>;

    explicit ServiceUdp(QObject *parent = nullptr);
    ~ServiceUdp() override;

    // Test seam: set before the service is moved to its thread.
    void setAddressSource(AddressSource source);
    void setTargetPort(quint16 port);

    // The PC's IPv4 interface addresses whose address, netmask and
    // broadcast address all exist.
    struct LocalIpv4Entry
    {
        QString ip;
        QString netmask;
        QString interfaceName; // human-readable
        bool loopback = false;
    };
    static QList<LocalIpv4Entry> LocalIpv4Entries();

    // The addresses the requests leave from: every entry above, loopback
    // included, so that a module reachable only through loopback is found
    // too. A module that hears the request on two interfaces then answers
    // twice; the lists of found modules keep one row per MAC address.
    static QStringList LocalIpv4Addresses();

public slots:
    void SLT_SyncConnect_Udp();
    void SLT_Startover_Udp(bool isBroadcast, QString remoteIp);
    void SLT_RealRecvData_Udp();

protected:
    bool openDevice() override;
    bool writeBytes(const QByteArray &bytes) override;
    void closeDevice() override;
    // Until the first start-over there is no socket to send from; the
    // commands wait for it.
    bool prepareSend() override { return m_ready; }

private:
    void deleteSockets();

    QList<QUdpSocket *> m_sockets;
    QStringList m_localAddresses;
    QHostAddress m_target;
    bool m_ready = false;
    AddressSource m_addressSource;
    quint16 m_targetPort = ModulePort;
};
