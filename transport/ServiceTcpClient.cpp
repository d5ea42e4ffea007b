#include "transport/ServiceTcpClient.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int DecimalBase = 10;
constexpr quint32 PortMask = 0xFFFF;

// The port text is read as a decimal number of which only the low 16 bits
// are used.
quint16 portFromText(const QString &text)
{
    return quint16(text.toULongLong(nullptr, DecimalBase) & PortMask);
}

} // namespace

ServiceTcpClient::ServiceTcpClient(QObject *parent)
    : QObject(parent)
    , m_pacer(TcpChannel)
{
    // Queued for the same reason as in the serial service: a reply found in
    // the middle of a chunk must not start the next gap there.
    connect(this, &ServiceTcpClient::SGL_TryCheckSend, this, &ServiceTcpClient::SLT_RealSendData_TcpClient,
            Qt::QueuedConnection);
}

ServiceTcpClient::~ServiceTcpClient()
{
    deleteSocket();
    m_pacer.deleteTimers();
    ChannelClear(TcpChannel);
}

void ServiceTcpClient::SLT_SyncConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort)
{
    m_localAddress = localAddress;
    m_remoteAddress = remoteAddress;
    m_remotePort = remotePort;
    m_connected = false;
    m_portOpened = false;
    deleteSocket();

    m_socket = new QTcpSocket;
    connect(m_socket, &QTcpSocket::readyRead, this, &ServiceTcpClient::SLT_RealRecvData_TcpClient);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &ServiceTcpClient::SLT_SocketError);
    connect(m_socket, &QAbstractSocket::disconnected, this, &ServiceTcpClient::linkBroken);
    m_pacer.createTimers();
    connect(m_pacer.replyTimer(), &QTimer::timeout, this, &ServiceTcpClient::SLT_MatchTimer_Timeout);
    connect(m_pacer.pauseTimer(), &QTimer::timeout, this, &ServiceTcpClient::SLT_WaitTimer_Timeout);
    connect(m_pacer.retryTimer(), &QTimer::timeout, this, &ServiceTcpClient::SLT_RealSendData_TcpClient);

    startConnecting();
    m_portOpened = m_socket->waitForConnected(ConnectWaitMs);
    if (!m_portOpened) {
        emit SGL_ConnectStatus_TcpClient(false, ConnectFailedCode);
        deleteSocket();
        m_pacer.deleteTimers();
        return;
    }

    ChannelOpen(TcpChannel);
    m_connected = true;
    m_disconnectPending = false;
    m_remakePending = false;
    m_pacer.resetFlags();
    m_lastError = NoError;
    emit SGL_ConnectStatus_TcpClient(true, 0);
}

void ServiceTcpClient::SLT_SyncDisconnect_TcpClient()
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
    if (m_socket) {
        m_socket->disconnectFromHost();
        m_socket->abort();
        m_socket->close();
    }
    m_pacer.stopRunningTimer();
    deleteSocket();
    m_pacer.deleteTimers();
    ChannelClear(TcpChannel);
}

void ServiceTcpClient::SLT_RealSendData_TcpClient()
{
    if (!m_connected)
        return;
    EnsureTcpConnection();
    m_pacer.sendStep([this](const QByteArray &bytes) { return writeCommand(bytes); });
    if (m_disconnectPending)
        SLT_SyncDisconnect_TcpClient();
}

void ServiceTcpClient::SLT_RealRecvData_TcpClient()
{
    if (!m_connected || !m_socket)
        return;
    const QByteArray chunk = m_socket->readAll();
    AssembleDeviceStream(TcpChannel, chunk.constData(), chunk.size(), [this](const quint8 *frame, quint32 length) {
        if (m_pacer.matchReply(frame, length, m_connected))
            emit SGL_TryCheckSend();
        emit SGL_UpdateRecvData_TcpClient();
    });
}

void ServiceTcpClient::SLT_MatchTimer_Timeout()
{
    if (!m_connected)
        return;
    const QByteArray sent = m_pacer.replyTimedOut();
    if (!sent.isEmpty())
        emit SGL_WaitReplyTimeout_TcpClient(sent);
    emit SGL_TryCheckSend();
}

void ServiceTcpClient::SLT_WaitTimer_Timeout()
{
    if (!m_connected)
        return;
    m_pacer.pauseEnded();
    emit SGL_TryCheckSend();
}

void ServiceTcpClient::SLT_SocketError(QAbstractSocket::SocketError error)
{
    m_lastError = quint32(error);
    linkBroken();
}

void ServiceTcpClient::linkBroken()
{
    // A link that broke while nothing was being sent would otherwise be
    // noticed only at the next command, and the page would show a dead link
    // as connected until then. The reconnection runs from the event loop,
    // outside the socket's own signal, and never from inside itself.
    if (!m_connected || m_remaking || m_remakePending)
        return;
    m_remakePending = true;
    QMetaObject::invokeMethod(this, &ServiceTcpClient::remakeBrokenLink, Qt::QueuedConnection);
}

void ServiceTcpClient::remakeBrokenLink()
{
    m_remakePending = false;
    if (!m_connected || m_disconnectPending)
        return;
    if (EnsureTcpConnection())
        emit SGL_TryCheckSend();
}

void ServiceTcpClient::startConnecting()
{
    // The device is always reached directly, whatever proxy the system has.
    m_socket->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    const QHostAddress local(m_localAddress);
    if (!local.isNull())
        m_socket->bind(local, 0);
    m_socket->connectToHost(m_remoteAddress, portFromText(m_remotePort), QIODevice::ReadWrite);
}

bool ServiceTcpClient::EnsureTcpConnection()
{
    if (!m_portOpened || !m_socket)
        return true;
    if (m_socket->state() == QAbstractSocket::ConnectedState && m_lastError == NoError)
        return true;
    // The signals of the attempt itself (the abort, a refused connection)
    // must not start another one.
    m_remaking = true;
    // A socket that still holds a broken link is reset before it binds
    // again.
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    startConnecting();
    const bool remade = m_socket->waitForConnected(ReconnectWaitMs);
    m_remaking = false;
    if (remade) {
        m_lastError = NoError;
        return true;
    }
    emit SGL_ReConnectStatus_TcpClient(false);
    return false;
}

void ServiceTcpClient::deleteSocket()
{
    delete m_socket;
    m_socket = nullptr;
}

bool ServiceTcpClient::writeCommand(const QByteArray &bytes)
{
    if (m_disconnectPending || !m_connected || !m_socket)
        return false;
    // After a failed reconnection the socket is closed: the command counts
    // as sent and ends through its reply timeout, but only bytes that
    // reached the socket are logged as sent.
    if (m_socket->state() == QAbstractSocket::ConnectedState && m_socket->write(bytes) == bytes.size()) {
        m_socket->flush();
        emit SGL_UpdateSendData_TcpClient(bytes);
    }
    return true;
}
