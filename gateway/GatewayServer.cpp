#include "gateway/GatewayServer.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "protocol/CommandChannel.h"
#include "gateway/WebServer.h"
#include "transport/DeviceLink.h"

#include <QFile>
#include <QTcpSocket>

namespace {

// The serial settings the device uses besides its baud rate, as the
// values of the serial port's enumerations: 8 data bits, no parity, one
// stop bit, no flow control.
constexpr char DataBits[] = "8";
constexpr char NoParity[] = "0";
constexpr char OneStopBit[] = "1";
constexpr char NoFlowControl[] = "0";

QString Peer(const QTcpSocket *s)
{
    return s->peerAddress().toString() + QLatin1Char(':') + QString::number(s->peerPort());
}

} // namespace

GatewayServer::GatewayServer(const GatewayOptions &options, LogSink log, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_log(std::move(log))
    , m_link(new DeviceLink(this))
{
    GatewayCore::LinkOps ops;
    ops.push = [](const QByteArray &frame, const CommandRecord &record) {
        CommandChannel *channel = ActiveDeviceChannel();
        return channel
            && ChannelPush(*channel, QueueSide::Send, reinterpret_cast<const quint8 *>(frame.constData()),
                           quint32(frame.size()), &record);
    };
    ops.kick = [this] { m_link->requestSend(); };
    GatewayCore::Options coreOptions;
    coreOptions.readOnly = options.readOnly;
    coreOptions.pollSeconds = options.pollSeconds;
    m_core = std::make_unique<GatewayCore>(ops, coreOptions);

    connect(m_core.get(), &GatewayCore::toClient, this, &GatewayServer::write);
    connect(m_core.get(), &GatewayCore::logLine, this, [this](const QString &line) { m_log(line); });
    connect(m_core.get(), &GatewayCore::linkRejected, this, &GatewayServer::linkBroken, Qt::QueuedConnection);
    connect(m_core.get(), &GatewayCore::presentChanged, this, [this](bool present) {
        if (present)
            m_retryMs = FirstRetryMs;
    });

    connect(m_link, &DeviceLink::linkOpened, m_core.get(), &GatewayCore::linkOpened);
    connect(m_link, &DeviceLink::linkFailed, this, [this](int code) {
        m_log(QStringLiteral("device link failed (code %1)").arg(code));
        linkBroken();
    });
    connect(m_link, &DeviceLink::linkLost, this, [this] {
        m_log(QStringLiteral("device link lost"));
        linkBroken();
    });
    connect(m_link, &DeviceLink::frameSent, m_core.get(), &GatewayCore::frameSent);
    connect(m_link, &DeviceLink::frameReceived, m_core.get(), &GatewayCore::frameReceived);
    connect(m_link, &DeviceLink::replyTimedOut, m_core.get(), &GatewayCore::replyTimedOut);

    // The port names are the window's, from the run-time tree beside the
    // program; a rename from a router client is written back there, and a
    // rename written there by the window reaches the router clients.
    LoadSettings(false);
    m_namesFile = SelectedLanguagePath();
    if (QFile::exists(m_namesFile))
        m_namesWatch.addPath(m_namesFile);
    connect(m_core.get(), &GatewayCore::labelsChanged, this, [this] {
        if (!QFile::exists(AppPath(QLatin1String(Paths::ConfigFile))))
            return;
        m_namesWatch.removePath(m_namesFile);
        SaveAllSettings();
        m_namesWatch.addPath(m_namesFile);
    });
    connect(&m_namesWatch, &QFileSystemWatcher::fileChanged, this, [this] {
        LoadSettings(false);
        if (!m_namesWatch.files().contains(m_namesFile) && QFile::exists(m_namesFile))
            m_namesWatch.addPath(m_namesFile); // replaced, not rewritten
        m_core->namesReloaded();
    });

    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &GatewayServer::openLink);
    connect(&m_devicePort, &QTcpServer::newConnection, this,
            [this] { accept(m_devicePort, GatewayCore::ClientKind::Device); });
    connect(&m_routerPort, &QTcpServer::newConnection, this,
            [this] { accept(m_routerPort, GatewayCore::ClientKind::Router); });
}

GatewayServer::~GatewayServer()
{
    m_web.reset();
    for (auto &[socket, id] : m_ids) {
        socket->disconnect(this);
        socket->abort();
    }
    m_link->close();
}

bool GatewayServer::start(QString &message)
{
    if (!m_devicePort.listen(m_options.deviceAddress, m_options.devicePort)) {
        message = QStringLiteral("cannot listen on %1:%2 (device port): %3")
                      .arg(m_options.deviceAddress.toString())
                      .arg(m_options.devicePort)
                      .arg(m_devicePort.errorString());
        return false;
    }
    if (!m_routerPort.listen(m_options.routerAddress, m_options.routerPort)) {
        message = QStringLiteral("cannot listen on %1:%2 (router port): %3")
                      .arg(m_options.routerAddress.toString())
                      .arg(m_options.routerPort)
                      .arg(m_routerPort.errorString());
        return false;
    }
    if (m_options.http) {
        m_web = std::make_unique<WebServer>(*m_core, m_options, m_log);
        if (!m_web->start(message))
            return false;
    }
    m_log(QStringLiteral("device port %1:%2, router port %3:%4")
              .arg(m_devicePort.serverAddress().toString())
              .arg(m_devicePort.serverPort())
              .arg(m_routerPort.serverAddress().toString())
              .arg(m_routerPort.serverPort()));
    openLink();
    return true;
}

void GatewayServer::openLink()
{
    m_linkOpen = true;
    if (!m_options.serialDevice.isEmpty()) {
        m_log(QStringLiteral("device link: opening %1 at %2 baud").arg(m_options.serialDevice, m_options.baud));
        m_link->openSerial(m_options.serialDevice, m_options.baud, QLatin1String(DataBits), QLatin1String(NoParity),
                           QLatin1String(OneStopBit), QLatin1String(NoFlowControl));
    } else {
        m_log(QStringLiteral("device link: connecting to %1:%2").arg(m_options.tcpHost).arg(m_options.tcpPort));
        m_link->openTcp(m_options.tcpHost, m_options.tcpPort);
    }
}

void GatewayServer::linkBroken()
{
    if (!m_linkOpen)
        return;
    m_linkOpen = false;
    m_core->linkDown();
    m_link->closeDevice();
    m_log(QStringLiteral("device link: trying again in %1 s").arg(m_retryMs / 1000.0));
    m_retry.start(m_retryMs);
    m_retryMs = qMin(m_retryMs * 2, int(LastRetryMs));
}

void GatewayServer::accept(QTcpServer &server, GatewayCore::ClientKind kind)
{
    const int port = kind == GatewayCore::ClientKind::Device ? 0 : 1;
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (!m_options.allows(socket->peerAddress())) {
            m_log(QStringLiteral("refused a connection from %1: not allowed").arg(Peer(socket)));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        if (m_perPort[port] >= MaxClientsPerPort) {
            m_log(QStringLiteral("refused a connection from %1: %2 clients already")
                      .arg(Peer(socket))
                      .arg(MaxClientsPerPort));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_perPort[port];
        socket->setParent(this);
        // Replies and updates are small and go out at once: without this the
        // stack holds a short write back until the last one is acknowledged.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // Known before the core speaks: a router client's prelude is written
        // at once.
        const int id = m_core->nextClientId();
        m_ids[socket] = id;
        m_sockets[id] = socket;
        m_core->addClient(kind, Peer(socket));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const auto it = m_ids.find(socket);
            if (it == m_ids.end() || m_dropping.count(it->second))
                return;
            const int cid = it->second;
            while (socket->bytesAvailable() > 0)
                m_core->clientBytes(cid, socket->read(ReadChunk));
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, port] {
            const auto it = m_ids.find(socket);
            if (it == m_ids.end())
                return;
            const int cid = it->second;
            m_ids.erase(it);
            m_sockets.erase(cid);
            m_dropping.erase(cid);
            --m_perPort[port];
            m_core->removeClient(cid);
            socket->deleteLater();
        });
    }
}

void GatewayServer::write(int id, const QByteArray &bytes)
{
    const auto it = m_sockets.find(id);
    if (it == m_sockets.end())
        return;
    QTcpSocket *socket = it->second;
    if (m_dropping.count(id))
        return;
    if (socket->bytesToWrite() + bytes.size() > MaxPendingBytes) {
        drop(id, QStringLiteral("stopped reading (%1 bytes waiting)").arg(socket->bytesToWrite()));
        return;
    }
    socket->write(bytes);
}

void GatewayServer::drop(int id, const QString &why)
{
    const auto it = m_sockets.find(id);
    if (it == m_sockets.end())
        return;
    m_dropping.insert(id);
    m_log(QStringLiteral("dropping client %1: %2").arg(id).arg(why));
    // The disconnected handler removes the client from the core.
    QTcpSocket *socket = it->second;
    QMetaObject::invokeMethod(
        socket, [socket] { socket->abort(); }, Qt::QueuedConnection);
}
