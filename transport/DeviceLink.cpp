#include "transport/DeviceLink.h"

#include "protocol/CommandChannel.h"
#include "protocol/LinkTiming.h"
#include "transport/ServiceSerialPort.h"
#include "transport/ServiceTcpClient.h"
#include "transport/ServiceUdp.h"

#include <QThread>
#include <QTimer>

namespace {

constexpr char AnyLocalAddress[] = "";

QThread *namedThread(const char *name)
{
    auto *thread = new QThread;
    thread->setObjectName(QString::fromLatin1(name));
    return thread;
}

// Whether the thread is stopped, so that its objects may go.
bool stopThread(QThread *thread)
{
    if (!thread || !thread->isRunning())
        return true;
    thread->quit();
    return thread->wait(LinkTiming::ThreadStopWaitMs);
}

// A thread that does not stop in time keeps its service: destroying a
// running thread would abort the program.
template<typename Service>
void release(Service *&service, QThread *&thread)
{
    if (!stopThread(thread))
        return;
    delete service;
    service = nullptr;
    delete thread;
    thread = nullptr;
}

} // namespace

DeviceLink::DeviceLink(QObject *parent)
    : QObject(parent)
    , m_serialThread(namedThread("SerialPortThread"))
    , m_tcpThread(namedThread("TcpClientThread"))
    , m_udpThread(namedThread("UdpThread"))
    , m_serial(new ServiceSerialPort)
    , m_tcp(new ServiceTcpClient)
    , m_udp(new ServiceUdp)
{
    wireSerial();
    wireTcp();
    wireUdp();
}

DeviceLink::~DeviceLink()
{
    release(m_serial, m_serialThread);
    release(m_tcp, m_tcpThread);
    release(m_udp, m_udpThread);
    ActiveTransport = TransportNone;
}

void DeviceLink::wireService(ServiceBase *service, QThread *thread, void (DeviceLink::*drain)())
{
    service->moveToThread(thread);
    // Emitted on the worker thread as it ends: the device closes there.
    connect(thread, &QThread::finished, service, &ServiceBase::SLT_SyncDisconnect, Qt::DirectConnection);
    connect(this, &DeviceLink::SGL_UnifyUpdateEmit, service, &ServiceBase::SLT_RealSendData, Qt::QueuedConnection);
    connect(service, &ServiceBase::SGL_UpdateRecvData, this, drain, Qt::QueuedConnection);
    connect(service, &ServiceBase::SGL_UpdateSendData, this, &DeviceLink::frameSent, Qt::QueuedConnection);
    connect(service, &ServiceBase::SGL_WaitReplyTimeout, this, &DeviceLink::replyTimedOut, Qt::QueuedConnection);
}

void DeviceLink::wireSerial()
{
    wireService(m_serial, m_serialThread, &DeviceLink::drainDevice);
    connect(this, &DeviceLink::SGL_PretendConnect_SerialPort, m_serial, &ServiceSerialPort::SLT_SyncConnect_SerialPort,
            Qt::QueuedConnection);
    connect(m_serial, &ServiceSerialPort::SGL_ConnectStatus_SerialPort, this, &DeviceLink::SGL_ConnectStatus_SerialPort,
            Qt::QueuedConnection);
    connect(m_serial, &ServiceSerialPort::SGL_LinkLost_SerialPort, this, &DeviceLink::SGL_LinkLost_SerialPort,
            Qt::QueuedConnection);
    connect(this, &DeviceLink::SGL_ConnectStatus_SerialPort, this, &DeviceLink::connectStatus);
    connect(this, &DeviceLink::SGL_LinkLost_SerialPort, this, &DeviceLink::linkLost);
}

void DeviceLink::wireTcp()
{
    wireService(m_tcp, m_tcpThread, &DeviceLink::drainDevice);
    connect(this, &DeviceLink::SGL_PretendConnect_TcpClient, m_tcp, &ServiceTcpClient::SLT_SyncConnect_TcpClient,
            Qt::QueuedConnection);
    connect(m_tcp, &ServiceTcpClient::SGL_ConnectStatus_TcpClient, this, &DeviceLink::SGL_ConnectStatus_TcpClient,
            Qt::QueuedConnection);
    connect(m_tcp, &ServiceTcpClient::SGL_ReConnectStatus_TcpClient, this, &DeviceLink::SGL_ReConnectStatus_TcpClient,
            Qt::QueuedConnection);
    connect(m_tcp, &ServiceTcpClient::SGL_Remaking_TcpClient, this, &DeviceLink::linkRemaking, Qt::QueuedConnection);
    connect(this, &DeviceLink::SGL_ConnectStatus_TcpClient, this, &DeviceLink::connectStatus);
    connect(this, &DeviceLink::SGL_ReConnectStatus_TcpClient, this, [this](bool ok) {
        if (!ok)
            emit linkLost();
    });
}

void DeviceLink::wireUdp()
{
    wireService(m_udp, m_udpThread, &DeviceLink::drainModule);
    connect(this, &DeviceLink::SGL_PretendConnect_Udp, m_udp, &ServiceUdp::SLT_SyncConnect_Udp, Qt::QueuedConnection);
    connect(this, &DeviceLink::SGL_Startover_Udp, m_udp, &ServiceUdp::SLT_Startover_Udp, Qt::QueuedConnection);
}

void DeviceLink::openTcp(const QString &host, quint16 port)
{
    openTcp(QString::fromLatin1(AnyLocalAddress), host, QString::number(port));
}

void DeviceLink::openTcp(const QString &localAddress, const QString &host, const QString &portText)
{
    ActiveTransport = TransportTcp;
    m_tcpThread->start();
    emit SGL_PretendConnect_TcpClient(localAddress, host, portText);
}

void DeviceLink::openSerial(const QString &device, const QString &baud, const QString &dataBits, const QString &parity,
                            const QString &stopBits, const QString &flowControl)
{
    ActiveTransport = TransportSerial;
    m_serialThread->start();
    emit SGL_PretendConnect_SerialPort(device, baud, dataBits, parity, stopBits, flowControl);
}

void DeviceLink::openUdp(quint16 targetPort)
{
    if (targetPort != 0)
        setModulePort(targetPort);
    openModules();
    startOverModules(true, QString::fromLatin1(ModuleFactoryAddress));
    syncModules();
}

void DeviceLink::openModules()
{
    m_udpThread->start();
    emit SGL_PretendConnect_Udp();
}

void DeviceLink::startOverModules(bool isBroadcast, const QString &remoteIp)
{
    emit SGL_Startover_Udp(isBroadcast, remoteIp);
}

void DeviceLink::syncModules()
{
    // Slots queued before this empty call run first, in order.
    if (m_udpThread->isRunning())
        QMetaObject::invokeMethod(
            m_udp, [] {}, Qt::BlockingQueuedConnection);
}

void DeviceLink::setModulePort(quint16 port)
{
    ServiceUdp *udp = m_udp;
    runOnModuleThread([udp, port] { udp->setTargetPort(port); });
}

void DeviceLink::setModuleAddressSource(AddressSource source)
{
    ServiceUdp *udp = m_udp;
    runOnModuleThread([udp, source] { udp->setAddressSource(source); });
}

void DeviceLink::runOnModuleThread(std::function<void()> step)
{
    if (m_udpThread->isRunning())
        QMetaObject::invokeMethod(m_udp, std::move(step), Qt::QueuedConnection);
    else
        step();
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

void DeviceLink::closeDevice()
{
    stopThread(m_serialThread);
    stopThread(m_tcpThread);
    ActiveTransport = TransportNone;
}

bool DeviceLink::close()
{
    bool stopped = stopThread(m_serialThread);
    stopped = stopThread(m_tcpThread) && stopped;
    stopped = stopThread(m_udpThread) && stopped;
    ActiveTransport = TransportNone;
    return stopped;
}

bool DeviceLink::isRunning(Worker worker) const
{
    const QThread *thread = worker == Worker::Serial ? m_serialThread
        : worker == Worker::Tcp                      ? m_tcpThread
                                                     : m_udpThread;
    return thread && thread->isRunning();
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
