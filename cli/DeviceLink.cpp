#include "cli/DeviceLink.h"

#include "protocol/CommandChannel.h"
#include "transport/ServiceRegistry.h"
#include "transport/ServiceSerialPort.h"
#include "transport/ServiceTcpClient.h"
#include "transport/ServiceUdp.h"

#include <QThread>
#include <QTimer>

namespace {

constexpr unsigned long ThreadStopWaitMs = 2000;
constexpr char AnyLocalAddress[] = "";
constexpr char ModuleDefaultAddress[] = "192.168.0.247";

void StopThread(QThread *thread)
{
    if (thread->isRunning()) {
        thread->quit();
        thread->wait(ThreadStopWaitMs);
    }
}

} // namespace

DeviceLink::DeviceLink(QObject *parent)
    : QObject(parent)
{ }

DeviceLink::~DeviceLink()
{
    close();
}

void DeviceLink::wireTcp()
{
    if (m_tcpWired)
        return;
    m_tcpWired = true;
    ServiceTcpClient *tcp = TcpService();
    tcp->moveToThread(TcpThread());
    connect(this, &DeviceLink::SGL_PretendConnect_TcpClient, tcp, &ServiceTcpClient::SLT_SyncConnect_TcpClient,
            Qt::QueuedConnection);
    connect(TcpThread(), &QThread::finished, tcp, &ServiceTcpClient::SLT_SyncDisconnect_TcpClient);
    connect(this, &DeviceLink::SGL_UnifyUpdateEmit, tcp, &ServiceTcpClient::SLT_RealSendData_TcpClient,
            Qt::QueuedConnection);
    connect(tcp, &ServiceTcpClient::SGL_ConnectStatus_TcpClient, this, &DeviceLink::connectStatus,
            Qt::QueuedConnection);
    connect(
        tcp, &ServiceTcpClient::SGL_ReConnectStatus_TcpClient, this,
        [this](bool ok) {
            if (!ok)
                emit linkLost();
        },
        Qt::QueuedConnection);
    connect(tcp, &ServiceTcpClient::SGL_UpdateRecvData_TcpClient, this, &DeviceLink::drainDevice, Qt::QueuedConnection);
    connect(
        tcp, &ServiceTcpClient::SGL_UpdateSendData_TcpClient, this,
        [this](const QByteArray &bytes) { emit frameSent(bytes); }, Qt::QueuedConnection);
    connect(tcp, &ServiceTcpClient::SGL_WaitReplyTimeout_TcpClient, this, &DeviceLink::replyTimedOut,
            Qt::QueuedConnection);
}

void DeviceLink::wireSerial()
{
    if (m_serialWired)
        return;
    m_serialWired = true;
    ServiceSerialPort *serial = SerialService();
    serial->moveToThread(SerialThread());
    connect(this, &DeviceLink::SGL_PretendConnect_SerialPort, serial, &ServiceSerialPort::SLT_SyncConnect_SerialPort,
            Qt::QueuedConnection);
    connect(SerialThread(), &QThread::finished, serial, &ServiceSerialPort::SLT_SyncDisconnect_SerialPort);
    connect(this, &DeviceLink::SGL_UnifyUpdateEmit, serial, &ServiceSerialPort::SLT_RealSendData_SerialPort,
            Qt::QueuedConnection);
    connect(serial, &ServiceSerialPort::SGL_ConnectStatus_SerialPort, this, &DeviceLink::connectStatus,
            Qt::QueuedConnection);
    connect(
        serial, &ServiceSerialPort::SGL_LinkLost_SerialPort, this, [this](int) { emit linkLost(); },
        Qt::QueuedConnection);
    connect(serial, &ServiceSerialPort::SGL_UpdateRecvData_SerialPort, this, &DeviceLink::drainDevice,
            Qt::QueuedConnection);
    connect(
        serial, &ServiceSerialPort::SGL_UpdateSendData_SerialPort, this,
        [this](const QByteArray &bytes) { emit frameSent(bytes); }, Qt::QueuedConnection);
    connect(serial, &ServiceSerialPort::SGL_WaitReplyTimeout_SerialPort, this, &DeviceLink::replyTimedOut,
            Qt::QueuedConnection);
}

void DeviceLink::wireUdp()
{
    if (m_udpWired)
        return;
    m_udpWired = true;
    ServiceUdp *udp = UdpService();
    udp->moveToThread(UdpThread());
    connect(this, &DeviceLink::SGL_PretendConnect_Udp, udp, &ServiceUdp::SLT_SyncConnect_Udp, Qt::QueuedConnection);
    connect(this, &DeviceLink::SGL_Startover_Udp, udp, &ServiceUdp::SLT_Startover_Udp, Qt::QueuedConnection);
    connect(UdpThread(), &QThread::finished, udp, &ServiceUdp::SLT_SyncDisconnect_Udp);
    connect(this, &DeviceLink::SGL_UnifyUpdateEmit, udp, &ServiceUdp::SLT_RealSendData_Udp, Qt::QueuedConnection);
    connect(udp, &ServiceUdp::SGL_UpdateRecvData_Udp, this, &DeviceLink::drainModule, Qt::QueuedConnection);
    connect(
        udp, &ServiceUdp::SGL_UpdateSendData_Udp, this, [this](const QByteArray &bytes) { emit frameSent(bytes); },
        Qt::QueuedConnection);
    connect(udp, &ServiceUdp::SGL_WaitReplyTimeout_Udp, this, &DeviceLink::replyTimedOut, Qt::QueuedConnection);
}

void DeviceLink::openTcp(const QString &host, quint16 port)
{
    wireTcp();
    ActiveTransport = TransportTcp;
    TcpThread()->start();
    emit SGL_PretendConnect_TcpClient(QString::fromLatin1(AnyLocalAddress), host, QString::number(port));
}

void DeviceLink::openSerial(const QString &device, const QString &baud, const QString &dataBits, const QString &parity,
                            const QString &stopBits, const QString &flowControl)
{
    wireSerial();
    ActiveTransport = TransportSerial;
    SerialThread()->start();
    emit SGL_PretendConnect_SerialPort(device, baud, dataBits, parity, stopBits, flowControl);
}

void DeviceLink::openUdp(quint16 targetPort)
{
    if (targetPort != 0)
        UdpService()->setTargetPort(targetPort);
    wireUdp();
    UdpThread()->start();
    emit SGL_PretendConnect_Udp();
    emit SGL_Startover_Udp(true, QString::fromLatin1(ModuleDefaultAddress));
    // Both slots above run, in order, before this empty call returns: the
    // channel is open and the sockets are bound when a search is queued.
    QMetaObject::invokeMethod(
        UdpService(), [] {}, Qt::BlockingQueuedConnection);
}

void DeviceLink::requestSend()
{
    emit SGL_UnifyUpdateEmit();
}

bool DeviceLink::pushRaw(const QByteArray &bytes)
{
    CommandChannel *channel = ActiveDeviceChannel();
    if (!channel)
        return false;
    return ChannelPush(*channel, QueueSide::Send, reinterpret_cast<const quint8 *>(bytes.constData()),
                       quint32(bytes.size()), nullptr, 0);
}

void DeviceLink::close()
{
    if (m_serialWired)
        StopThread(SerialThread());
    if (m_tcpWired)
        StopThread(TcpThread());
    if (m_udpWired)
        StopThread(UdpThread());
    ActiveTransport = TransportNone;
}

void DeviceLink::connectStatus(bool ok, int code)
{
    if (ok)
        emit linkOpened();
    else
        emit linkFailed(code);
}

void DeviceLink::drainDevice()
{
    if (CommandChannel *channel = ActiveDeviceChannel())
        drain(*channel, true);
}

void DeviceLink::drainModule()
{
    drain(UdpChannel, false);
}

void DeviceLink::drain(CommandChannel &channel, bool device)
{
    const auto handle = [this, device](const QByteArray &frame) {
        if (device)
            emit frameReceived(frame);
        else
            emit datagramReceived(frame);
    };
    for (int attempt = 0; attempt < DrainAttempts; ++attempt) {
        if (DrainReceiveQueue(channel, handle))
            return;
        QThread::yieldCurrentThread();
    }
    QTimer::singleShot(DrainRetryMs, this, [this, device] { device ? drainDevice() : drainModule(); });
}
