#pragma once

#include "gateway/GatewayCore.h"
#include "gateway/GatewayOptions.h"
#include "gateway/WebApi.h"

#include <QJsonObject>
#include <QObject>
#include <QWebSocketServer>

#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <thread>

class QWebSocket;

namespace httplib {
class Server;
}

// kxr-gateway's web panel: the page and the JSON API over HTTP (cpp-httplib,
// on a thread of its own) and the event stream over a WebSocket (on the
// gateway's thread, on the port after the HTTP port). The HTTP thread never
// touches the core: it checks the token, the Origin, the rate and the size,
// then hands the request to the gateway's thread and waits for the answer,
// which comes once the device confirmed (or did not).
class WebServer : public QObject
{
    Q_OBJECT

public:
    // Requests one peer may make: a bucket of Burst, refilled at PerSecond.
    static constexpr int RatePerSecond = 20;
    static constexpr int RateBurst = 60;
    // Peers whose rate is remembered; the bucket table is cleared past it.
    static constexpr int MaxTrackedPeers = 1024;
    // The longest an HTTP request waits for the gateway's answer.
    static constexpr int MaxAnswerMs = 60000;
    static constexpr int MaxEventClients = 256;
    // An event client whose unsent events reach this much is dropped.
    static constexpr qint64 MaxEventBacklog = 1024 * 1024;

    using LogSink = std::function<void(const QString &line)>;
    struct Answer
    {
        int status = 200;
        QByteArray body;
    };

    WebServer(GatewayCore &core, const GatewayOptions &options, LogSink log, QObject *parent = nullptr);
    ~WebServer() override;

    bool start(QString &message);
    quint16 httpPort() const { return m_httpPort; }
    quint16 eventsPort() const { return m_events.serverPort(); }
    int eventClients() const { return int(m_eventClients.size()); }

    // The whole state as GET /api/state answers it (gateway thread).
    QJsonObject state() const;

private:
    // Gateway thread: one API request, answered through `reply`.
    void handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                std::function<void(Answer)> reply);
    void routes(const WebApi::Request &r, std::function<void(Answer)> reply);
    void preset(const WebApi::Request &r, std::function<void(Answer)> reply);
    void acceptEvents();
    void broadcast(const QJsonObject &event);
    QString lockName(int output) const;

    // HTTP thread.
    void serve();
    Answer ask(const QByteArray &method, const QByteArray &path, const QByteArray &body);

    GatewayCore &m_core;
    GatewayOptions m_options;
    LogSink m_log;
    int m_id = 0; // the web side's client id in the core
    std::unique_ptr<httplib::Server> m_http;
    std::thread m_thread;
    std::atomic_bool m_stopping{false}; // HTTP workers stop waiting for answers
    quint16 m_httpPort = 0;
    QWebSocketServer m_events;
    std::set<QWebSocket *> m_eventClients;
};
