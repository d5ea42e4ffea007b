#include "tools/devsim/SimDevice.h"

#include "tools/devsim/SimCodes.h"
#include "tools/devsim/SimDeviceResponder.h"
#include "tools/devsim/SimModuleBlock.h"
#include "tools/devsim/SimModuleResponder.h"
#include "tools/devsim/SimPtyFrontEnd.h"
#include "tools/devsim/SimRoutingCommands.h"
#include "tools/devsim/SimTcpFrontEnd.h"
#include "tools/devsim/SimUdpFrontEnd.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QTextStream>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <iterator>

namespace {

// A long run keeps the most recent traffic only.
constexpr int TrafficLimit = 100000;
constexpr int DeviceCodeOffset = 2;
constexpr int ModuleCodeOffset = 2;

QTextStream &standardOutput()
{
    static QTextStream out(stdout);
    return out;
}

} // namespace

SimDevice::SimDevice(const SimOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_model(MakeSimDeviceModel(options.model))
    , m_faults(options.faults)
    , m_trafficLimit(TrafficLimit)
{
    m_clock.start();
}

SimDevice::~SimDevice()
{
    stop();
}

SimDeviceModel SimDevice::state() const
{
    QMutexLocker lock(&m_mutex);
    return m_model;
}

void SimDevice::editState(const std::function<void(SimDeviceModel &)> &edit)
{
    QMutexLocker lock(&m_mutex);
    edit(m_model);
}

QVector<SimTrafficEntry> SimDevice::traffic() const
{
    QMutexLocker lock(&m_mutex);
    return m_traffic;
}

void SimDevice::clearTraffic()
{
    QMutexLocker lock(&m_mutex);
    m_traffic.clear();
    std::fill(std::begin(m_requestCounts), std::end(m_requestCounts), 0);
}

void SimDevice::setTrafficLimit(int entries)
{
    QMutexLocker lock(&m_mutex);
    m_trafficLimit = qMax(2, entries);
    if (m_traffic.size() > m_trafficLimit)
        m_traffic.remove(0, m_traffic.size() - m_trafficLimit);
    m_traffic.squeeze();
}

qint64 SimDevice::requestCount(SimLink link) const
{
    QMutexLocker lock(&m_mutex);
    return m_requestCounts[int(link)];
}

QVector<QByteArray> SimDevice::lastRequests(SimLink link, qint64 n) const
{
    QMutexLocker lock(&m_mutex);
    QVector<QByteArray> found;
    for (int i = m_traffic.size() - 1; i >= 0 && found.size() < n; --i) {
        const SimTrafficEntry &entry = m_traffic.at(i);
        if (entry.link == link && entry.direction == SimDirection::In)
            found.prepend(entry.bytes);
    }
    return found;
}

qint64 SimDevice::trafficBytes() const
{
    QMutexLocker lock(&m_mutex);
    qint64 bytes = qint64(m_traffic.capacity()) * qint64(sizeof(SimTrafficEntry));
    for (const SimTrafficEntry &entry : m_traffic)
        bytes += entry.bytes.capacity() + (entry.peer.capacity() + entry.note.capacity()) * qint64(sizeof(QChar));
    return bytes;
}

void SimDevice::setFaults(const SimFaultOptions &faults)
{
    QMutexLocker lock(&m_mutex);
    m_faults.setOptions(faults);
}

quint16 SimDevice::tcpPort() const
{
    QMutexLocker lock(&m_mutex);
    return m_tcpPort;
}

quint16 SimDevice::udpPort() const
{
    QMutexLocker lock(&m_mutex);
    return m_udpPort;
}

QString SimDevice::ptyPath() const
{
    QMutexLocker lock(&m_mutex);
    return m_ptyPath;
}

int SimDevice::tcpConnections() const
{
    QMutexLocker lock(&m_mutex);
    return m_tcpConnections;
}

qint64 SimDevice::nowNs() const
{
    return m_clock.nsecsElapsed();
}

SimReplies SimDevice::answerDeviceFrame(const QByteArray &frame, SimLink link, const QString &peer)
{
    const qint64 at = nowNs();
    const quint8 code = frame.size() > DeviceCodeOffset ? quint8(frame[DeviceCodeOffset]) : 0;
    bool muted = false;
    {
        QMutexLocker lock(&m_mutex);
        muted = m_faults.deviceCodeMuted(code);
    }
    // Logged before it is acted on: whoever sees its effect on the model
    // finds the request in the log too.
    record({at, link, SimDirection::In, frame, peer, muted ? QStringLiteral("muted") : QString()});
    SimReplies replies;
    {
        QMutexLocker lock(&m_mutex);
        m_model.requestNs = at;
        const bool locked =
            m_faults.options().lockedRouting && (code == SimCode::Switch || code == SimCode::WallInputSelect);
        if (muted)
            replies.clear();
        else if (locked)
            replies.append(SimRoutingReport(m_model));
        else
            replies = RespondToDeviceFrame(m_model, frame);
    }
    return replies;
}

SimReplies SimDevice::answerDatagram(const QByteArray &datagram, const QString &peer)
{
    const qint64 at = nowNs();
    const quint8 code = datagram.size() > ModuleCodeOffset ? quint8(datagram[ModuleCodeOffset]) : 0;
    bool muted = false;
    {
        QMutexLocker lock(&m_mutex);
        muted = m_faults.netCodeMuted(code);
    }
    record({at, SimLink::Udp, SimDirection::In, datagram, peer, muted ? QStringLiteral("muted") : QString()});
    SimReplies replies;
    if (!muted) {
        QMutexLocker lock(&m_mutex);
        replies = RespondToModuleDatagram(m_model, datagram);
    }
    return replies;
}

void SimDevice::deliver(const QByteArray &reply, SimLink link, const QString &peer, QObject *context,
                        const std::function<void(const QByteArray &)> &write)
{
    SimFaults::Shaped shaped;
    {
        QMutexLocker lock(&m_mutex);
        shaped = m_faults.shapeReply(reply, link != SimLink::Udp);
    }
    const QList<QByteArray> chunks = shaped.chunks;
    const int delay = shaped.delayMs;
    if (chunks.isEmpty()) {
        record({nowNs(), link, SimDirection::Out, reply, peer, QStringLiteral("dropped")});
        return;
    }
    // A spoilt or late reply is logged as such; the receiver drops a spoilt
    // one like a lost one.
    const QString note = shaped.corrupted ? QStringLiteral("corrupted")
        : shaped.late                     ? QStringLiteral("late")
                                          : QString();
    const auto send = [this, chunks, link, peer, write, note]() {
        QByteArray bytes;
        for (const QByteArray &chunk : chunks)
            bytes.append(chunk);
        record({nowNs(), link, SimDirection::Out, bytes, peer, note});
        for (const QByteArray &chunk : chunks)
            write(chunk);
    };
    if (delay > 0)
        QTimer::singleShot(delay, context, send);
    else
        send();
}

void SimDevice::noteTcpConnection()
{
    QMutexLocker lock(&m_mutex);
    ++m_tcpConnections;
}

int SimDevice::disconnectAfter() const
{
    QMutexLocker lock(&m_mutex);
    return m_faults.options().disconnectAfter;
}

int SimDevice::delayMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_faults.options().delayMs;
}

bool SimDevice::start()
{
    stop();
    if (m_options.tcp) {
        m_tcp = new SimTcpFrontEnd(this, this);
        if (!m_tcp->listen(m_options.tcpPort)) {
            stop();
            return false;
        }
        QMutexLocker lock(&m_mutex);
        m_tcpPort = m_tcp->port();
        // The module tells where the device listens.
        for (SimModule &module : m_model.modules) {
            for (QByteArray *block : {&module.block, &module.defaults}) {
                auto *bytes = reinterpret_cast<uchar *>(block->data());
                qToLittleEndian<quint16>(m_tcpPort, bytes + SimBlock::PortOffset + SimBlock::LocalPort);
            }
        }
    }
    if (m_options.pty) {
        m_pty = new SimPtyFrontEnd(this, this);
        if (!m_pty->open()) {
            stop();
            return false;
        }
        QMutexLocker lock(&m_mutex);
        m_ptyPath = m_pty->path();
    }
    if (m_options.udp) {
        m_udp = new SimUdpFrontEnd(this, this);
        const QHostAddress address =
            m_options.udpAny ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(QHostAddress::LocalHost);
        if (!m_udp->bind(address, m_options.udpPort, m_options.udpDevice)) {
            stop();
            return false;
        }
        QMutexLocker lock(&m_mutex);
        m_udpPort = m_udp->port();
    }
    if (m_options.faults.unsolicitedMs > 0) {
        m_unsolicited = new QTimer(this);
        connect(m_unsolicited, &QTimer::timeout, this, &SimDevice::sendRoutingReport);
        m_unsolicited->start(m_options.faults.unsolicitedMs);
    }
    return true;
}

void SimDevice::stop()
{
    delete m_unsolicited;
    m_unsolicited = nullptr;
    delete m_tcp;
    m_tcp = nullptr;
    delete m_pty;
    m_pty = nullptr;
    delete m_udp;
    m_udp = nullptr;
}

void SimDevice::closeSerial()
{
    delete m_pty;
    m_pty = nullptr;
}

void SimDevice::sendUnsolicited(const QByteArray &frame)
{
    if (m_tcp)
        m_tcp->sendToAll(frame);
    if (m_pty)
        m_pty->send(frame);
}

void SimDevice::sendDatagram(const QByteArray &datagram, const QString &address, quint16 port)
{
    if (m_udp)
        m_udp->sendTo(datagram, QHostAddress(address), port);
}

void SimDevice::dropTcpClients()
{
    if (m_tcp)
        m_tcp->dropClients();
}

void SimDevice::setTcpListening(bool listening)
{
    if (m_tcp)
        m_tcp->setListening(listening);
}

void SimDevice::record(SimTrafficEntry entry)
{
    QMutexLocker lock(&m_mutex);
    if (m_traffic.size() >= m_trafficLimit)
        m_traffic.remove(0, m_trafficLimit / 2);
    if (entry.direction == SimDirection::In)
        ++m_requestCounts[int(entry.link)];
    if (m_options.log) {
        standardOutput() << SimTrafficLine(entry) << '\n';
        standardOutput().flush();
    }
    m_traffic.append(std::move(entry));
}

void SimDevice::sendRoutingReport()
{
    QByteArray report;
    {
        QMutexLocker lock(&m_mutex);
        report = SimRoutingReport(m_model);
    }
    sendUnsolicited(report);
}
