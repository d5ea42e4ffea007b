#pragma once

#include "gateway/GatewayCore.h"
#include "gateway/GatewayOptions.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <map>
#include <set>

class DeviceLink;
class WebServer;
class QTcpSocket;

// kxr-gateway as a whole: the two listening ports, one socket per client,
// the device link with its back-off, and the core between them. It moves
// bytes only: what they mean is the core's business.
class GatewayServer : public QObject
{
    Q_OBJECT

public:
    // A client whose unread output reaches this much is dropped.
    static constexpr qint64 MaxPendingBytes = 1024 * 1024;
    // Clients per port; more are turned away.
    static constexpr int MaxClientsPerPort = 256;
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LastRetryMs = 30000;
    static constexpr qint64 ReadChunk = 16 * 1024;

    using LogSink = std::function<void(const QString &line)>;

    GatewayServer(const GatewayOptions &options, LogSink log, QObject *parent = nullptr);
    ~GatewayServer() override;

    // Opens both ports and starts the device link; false with a message when
    // a port cannot be opened.
    bool start(QString &message);
    quint16 devicePort() const { return m_devicePort.serverPort(); }
    quint16 routerPort() const { return m_routerPort.serverPort(); }
    GatewayCore &core() { return *m_core; }
    int retryDelayMs() const { return m_retryMs; }
    // The web panel, with --http; null without.
    WebServer *web() const { return m_web.get(); }

private:
    void accept(QTcpServer &server, GatewayCore::ClientKind kind);
    void write(int id, const QByteArray &bytes);
    void drop(int id, const QString &why);
    void openLink();
    void linkBroken();

    GatewayOptions m_options;
    LogSink m_log;
    DeviceLink *m_link = nullptr;
    std::unique_ptr<GatewayCore> m_core;
    std::unique_ptr<WebServer> m_web;
    QTcpServer m_devicePort;
    QTcpServer m_routerPort;
    std::map<int, QTcpSocket *> m_sockets;
    std::map<QTcpSocket *, int> m_ids;
    std::set<int> m_dropping; // aborted, not yet gone
    int m_perPort[2] = {0, 0};
    QTimer m_retry;
    int m_retryMs = FirstRetryMs;
    bool m_linkOpen = false;
    QString m_namesFile;
    QFileSystemWatcher m_namesWatch;
};
