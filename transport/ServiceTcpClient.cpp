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
    : ServiceBase(TcpChannel, parent)
{ }

ServiceTcpClient::~ServiceTcpClient() = default;

void ServiceTcpClient::SLT_SyncConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort)
{
    m_localAddress = localAddress;
    m_remoteAddress = remoteAddress;
    m_remotePort = remotePort;
    const bool ok = connectCycle();
    emit SGL_ConnectStatus_TcpClient(ok, ok ? 0 : ConnectFailedCode);
}

bool ServiceTcpClient::openDevice()
{
    m_portOpened = false;
    m_socket.reset();
    m_socket = std::make_unique<QTcpSocket>();
    connect(m_socket.get(), &QTcpSocket::readyRead, this, &ServiceTcpClient::SLT_RealRecvData_TcpClient);
    connect(m_socket.get(), &QAbstractSocket::errorOccurred, this, &ServiceTcpClient::SLT_SocketError);
    connect(m_socket.get(), &QAbstractSocket::disconnected, this, &ServiceTcpClient::linkBroken);
    startConnecting();
    m_portOpened = m_socket->waitForConnected(ConnectWaitMs);
    if (!m_portOpened)
        return false;
    m_remakePending = false;
    m_lastError = NoError;
    return true;
}

void ServiceTcpClient::closeDevice()
{
    if (m_socket && m_portOpened) {
        m_socket->disconnectFromHost();
        m_socket->abort();
        m_socket->close();
    }
    m_socket.reset();
}

bool ServiceTcpClient::prepareSend()
{
    EnsureTcpConnection();
    return true;
}

void ServiceTcpClient::SLT_RealRecvData_TcpClient()
{
    receiveStream(m_socket.get());
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
    if (!connected() || m_remaking || m_remakePending)
        return;
    m_remakePending = true;
    QMetaObject::invokeMethod(this, &ServiceTcpClient::remakeBrokenLink, Qt::QueuedConnection);
}

void ServiceTcpClient::remakeBrokenLink()
{
    m_remakePending = false;
    if (!connected() || disconnectPending())
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
    emit SGL_Remaking_TcpClient(true);
    // A socket that still holds a broken link is reset before it binds
    // again.
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    startConnecting();
    const bool remade = m_socket->waitForConnected(ReconnectWaitMs);
    m_remaking = false;
    emit SGL_Remaking_TcpClient(false);
    if (remade) {
        m_lastError = NoError;
        return true;
    }
    emit SGL_ReConnectStatus_TcpClient(false);
    return false;
}

bool ServiceTcpClient::writeBytes(const QByteArray &bytes)
{
    if (!m_socket)
        return false;
    // After a failed reconnection the socket is closed: the command counts
    // as sent and ends through its reply timeout, unwritten.
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        writeAndTell(*m_socket, bytes);
    return true;
}
