#include "transport/GatewayLockClient.h"

#include <QTcpSocket>

using namespace RouterText;

namespace {
constexpr qint64 ReadChunk = 16 * 1024;
} // namespace

GatewayLockClient::GatewayLockClient(QObject *parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    m_probe.setSingleShot(true);
    m_retry.setSingleShot(true);
    connect(&m_probe, &QTimer::timeout, this, &GatewayLockClient::probeExpired);
    connect(&m_retry, &QTimer::timeout, this, &GatewayLockClient::connectNow);
    connect(m_socket, &QTcpSocket::readyRead, this, &GatewayLockClient::readBytes);
    // A lock request is a few bytes that should leave at once.
    connect(m_socket, &QTcpSocket::connected, this,
            [this] { m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    connect(m_socket, &QTcpSocket::disconnected, this, &GatewayLockClient::lineEnded);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &GatewayLockClient::lineEnded);
}

GatewayLockClient::~GatewayLockClient()
{
    m_running = false;
    m_socket->disconnect(this);
    m_socket->abort();
}

void GatewayLockClient::start(const QString &host, quint16 port)
{
    if (m_running && host == m_host && port == m_port)
        return;
    stop();
    m_host = host;
    m_port = port;
    m_running = true;
    m_wasGateway = false;
    connectNow();
}

void GatewayLockClient::stop()
{
    const bool wasGateway = m_gateway;
    m_running = false;
    m_gateway = false;
    m_probe.stop();
    m_retry.stop();
    m_socket->abort();
    m_reader = BlockReader();
    if (wasGateway)
        emit gatewayLost();
}

void GatewayLockClient::connectNow()
{
    if (!m_running)
        return;
    m_reader = BlockReader();
    m_outputs = 0;
    m_socket->abort();
    m_probe.start(ProbeTimeoutMs);
    m_socket->connectToHost(m_host, m_port);
}

void GatewayLockClient::requestLock(int output, bool locked, bool force)
{
    if (!m_gateway || output < 1 || output > m_outputs)
        return;
    m_socket->write(LockRequest({output - 1}, force ? 'F' : locked ? 'O' : 'U'));
    if (m_socket->bytesToWrite() > MaxUnwrittenBytes)
        m_socket->abort();
}

void GatewayLockClient::readBytes()
{
    std::vector<TextBlock> blocks;
    while (m_socket->bytesAvailable() > 0) {
        const QByteArray bytes = m_socket->read(ReadChunk);
        if (bytes.isEmpty())
            break;
        m_reader.feed(bytes.constData(), bytes.size(), blocks);
        for (const TextBlock &block : blocks) {
            handle(block);
            if (m_socket->state() != QAbstractSocket::ConnectedState)
                return;
        }
        blocks.clear();
    }
}

void GatewayLockClient::handle(const TextBlock &block)
{
    const BlockId id = BlockOf(block.header);
    if (!m_gateway) {
        // The protocol's first words, or nothing of it at all.
        if (id != BlockId::Preamble) {
            lineEnded();
            return;
        }
        m_gateway = true;
        m_wasGateway = true;
        m_retriesLeft = MaxReconnects;
        m_probe.stop();
        emit gatewayFound();
        return;
    }
    if (id == BlockId::Device) {
        const int outputs = DeviceOutputs(block);
        if (outputs >= 0)
            m_outputs = outputs;
        return;
    }
    std::vector<LockState> states;
    if (id != BlockId::Locks || !ParseLockStates(block, m_outputs, states))
        return;
    QVector<QPair<int, char>> told;
    told.reserve(int(states.size()));
    for (const LockState &s : states)
        told.append({s.output + 1, s.state});
    if (!told.isEmpty())
        emit locksTold(told);
}

// Nothing, or nothing of the protocol, came in time.
void GatewayLockClient::probeExpired()
{
    lineEnded();
}

void GatewayLockClient::lineEnded()
{
    if (!m_running || m_retry.isActive())
        return;
    m_probe.stop();
    const bool lost = m_gateway;
    m_gateway = false;
    if (!m_wasGateway || m_retriesLeft <= 0) {
        m_running = false;
    } else {
        --m_retriesLeft;
        m_retry.start(ReconnectDelayMs);
    }
    // The signals abort() emits come back here and find the client at rest
    // or the retry armed.
    m_socket->abort();
    if (lost)
        emit gatewayLost();
    if (!m_wasGateway)
        emit notGateway();
}
