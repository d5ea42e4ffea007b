#include "support/SimHarness.h"

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/LinkTiming.h"

#include <cstring>

namespace {
constexpr double NsPerMs = 1e6;
} // namespace

SimHarness::SimHarness(const SimOptions &options)
    : m_device(new SimDevice(options))
{
    m_thread.setObjectName(QStringLiteral("SimulatorThread"));
    m_device->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_device, [this]() { m_running = m_device->start(); }, Qt::BlockingQueuedConnection);
}

SimHarness::~SimHarness()
{
    QMetaObject::invokeMethod(
        m_device, [this]() { m_device->stop(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait(LinkTiming::ThreadStopWaitMs);
    delete m_device;
}

SimOptions SimHarness::TestOptions()
{
    SimOptions options;
    options.tcpPort = 0;
    options.udpPort = 0;
    options.model.tcpPort = 0;
    options.log = false;
    return options;
}

quint16 SimHarness::tcpPort() const
{
    return m_device->tcpPort();
}

quint16 SimHarness::udpPort() const
{
    return m_device->udpPort();
}

QString SimHarness::ptyPath() const
{
    return m_device->ptyPath();
}

void SimHarness::sendUnsolicited(const QByteArray &frame)
{
    QMetaObject::invokeMethod(
        m_device, [this, frame]() { m_device->sendUnsolicited(frame); }, Qt::BlockingQueuedConnection);
}

void SimHarness::sendDatagram(const QByteArray &datagram, const QString &address, quint16 port)
{
    QMetaObject::invokeMethod(
        m_device, [=]() { m_device->sendDatagram(datagram, address, port); }, Qt::BlockingQueuedConnection);
}

void SimHarness::dropTcpClients()
{
    QMetaObject::invokeMethod(
        m_device, [this]() { m_device->dropTcpClients(); }, Qt::BlockingQueuedConnection);
}

void SimHarness::closeSerial()
{
    QMetaObject::invokeMethod(
        m_device, [this]() { m_device->closeSerial(); }, Qt::BlockingQueuedConnection);
}

void SimHarness::setTcpListening(bool listening)
{
    QMetaObject::invokeMethod(
        m_device, [this, listening]() { m_device->setTcpListening(listening); }, Qt::BlockingQueuedConnection);
}

void SimHarness::setFaults(const SimFaultOptions &faults)
{
    m_device->setFaults(faults);
}

QVector<SimTrafficEntry> SimHarness::requests(SimLink link) const
{
    QVector<SimTrafficEntry> found;
    for (const SimTrafficEntry &entry : m_device->traffic()) {
        if (entry.link == link && entry.direction == SimDirection::In)
            found.append(entry);
    }
    return found;
}

qint64 SimHarness::requestCount(SimLink link) const
{
    return m_device->requestCount(link);
}

QVector<QByteArray> SimHarness::lastRequests(SimLink link, qint64 n) const
{
    return m_device->lastRequests(link, n);
}

void SimHarness::setTrafficLimit(int entries)
{
    m_device->setTrafficLimit(entries);
}

qint64 SimHarness::trafficBytes() const
{
    return m_device->trafficBytes();
}

QVector<SimTrafficEntry> SimHarness::replies(SimLink link) const
{
    QVector<SimTrafficEntry> found;
    for (const SimTrafficEntry &entry : m_device->traffic()) {
        if (entry.link == link && entry.direction == SimDirection::Out && entry.note != QLatin1String("dropped"))
            found.append(entry);
    }
    return found;
}

double MsBetween(const SimTrafficEntry &a, const SimTrafficEntry &b)
{
    return double(b.atNs - a.atNs) / NsPerMs;
}

QByteArray DeviceFrameOf(quint8 code, const QByteArray &payload)
{
    return SimDeviceFrame(code, payload);
}

QByteArray ModuleFrameOf(quint8 code, const QByteArray &payload)
{
    return SimModuleFrame(code, payload);
}

CommandRecord ReplyRecord(const QByteArray &prefix, quint32 timeoutMs, bool report)
{
    CommandRecord record = EmptyCommandRecord();
    record.expectedCount = 1;
    record.expectedLength[0] = quint32(qMin(prefix.size(), int(Frame::BufferSize)));
    std::memcpy(record.expected[0], prefix.constData(), record.expectedLength[0]);
    record.waitReply = 1;
    record.replyTimeoutMs = timeoutMs;
    record.reportTimeout = report ? 1 : 0;
    return record;
}

CommandRecord PauseRecord(quint32 pauseMs, bool report)
{
    CommandRecord record = EmptyCommandRecord();
    record.pauseMs = pauseMs;
    record.reportTimeout = report ? 1 : 0;
    return record;
}

#endif
