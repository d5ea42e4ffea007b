#include "gateway/WebServer.h"

#include "app/LanguageTable.h"
#include "gateway/FrameRecords.h"
#include "protocol/DeviceState.h"

#include <httplib.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QUrl>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <mutex>

namespace {

constexpr quint8 LayoutSave = 0x02;
constexpr quint8 LayoutLoad = 0x03;
constexpr int ReadTimeoutSeconds = 5;
constexpr int KeepAliveSeconds = 5;

struct PanelFile
{
    const char *path;
    const char *resource;
    const char *type;
};

const PanelFile PanelFiles[] = {
    {"/", ":/web/panel.html", "text/html; charset=utf-8"},
    {"/index.html", ":/web/panel.html", "text/html; charset=utf-8"},
    {"/panel.js", ":/web/panel.js", "text/javascript; charset=utf-8"},
    {"/panel.css", ":/web/panel.css", "text/css; charset=utf-8"},
};

// Scripts and styles from the page's own files only; the event stream on
// the next port.
constexpr char Policy[] = "default-src 'self'; connect-src 'self' ws: wss:; img-src 'self' data:; "
                          "frame-ancestors 'none'; base-uri 'none'; form-action 'none'";

QString Outcome(GatewayCore::Outcome o)
{
    switch (o) {
    case GatewayCore::Outcome::Confirmed:
        return QStringLiteral("confirmed");
    case GatewayCore::Outcome::NoAnswer:
        return QStringLiteral("no answer");
    case GatewayCore::Outcome::LinkDown:
        return QStringLiteral("link down");
    }
    return QString();
}

bool SameSecret(const std::string &a, const QString &b)
{
    const QByteArray want = b.toUtf8();
    if (a.size() != size_t(want.size()))
        return false;
    unsigned char diff = 0;
    for (size_t i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ want[int(i)]);
    return diff == 0;
}

// A token bucket per peer, on the HTTP threads.
class RateTable
{
public:
    bool take(const std::string &peer)
    {
        const auto now = std::chrono::steady_clock::now();
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_buckets.size() >= size_t(WebServer::MaxTrackedPeers) && !m_buckets.count(peer))
            m_buckets.clear();
        auto it = m_buckets.find(peer);
        if (it == m_buckets.end())
            it = m_buckets.emplace(peer, Bucket{double(WebServer::RateBurst), now}).first;
        Bucket &b = it->second;
        const double seconds = std::chrono::duration<double>(now - b.last).count();
        b.tokens = std::min(double(WebServer::RateBurst), b.tokens + seconds * WebServer::RatePerSecond);
        b.last = now;
        if (b.tokens < 1)
            return false;
        b.tokens -= 1;
        return true;
    }

private:
    struct Bucket
    {
        double tokens;
        std::chrono::steady_clock::time_point last;
    };
    std::mutex m_mutex;
    std::map<std::string, Bucket> m_buckets;
};

} // namespace

WebServer::WebServer(GatewayCore &core, const GatewayOptions &options, LogSink log, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_options(options)
    , m_log(std::move(log))
    , m_events(QStringLiteral("kxr-gateway"), QWebSocketServer::NonSecureMode)
{
    Q_INIT_RESOURCE(web);
    m_id = m_core.addClient(GatewayCore::ClientKind::Web, QStringLiteral("web panel"));
    m_events.setMaxPendingConnections(MaxEventClients);
    connect(&m_events, &QWebSocketServer::newConnection, this, &WebServer::acceptEvents);

    connect(&m_core, &GatewayCore::routingTold, this, [this](const QVector<int> &outputs) {
        QJsonArray routes;
        for (int o : outputs)
            routes.append(QJsonObject{{"output", o + 1}, {"input", int(Device().routingAt(quint32(o))) + 1}});
        broadcast({{"type", "route"}, {"routes", routes}});
    });
    connect(&m_core, &GatewayCore::locksTold, this, [this](const QVector<int> &outputs) {
        QJsonArray locks;
        for (int o : outputs)
            locks.append(QJsonObject{{"output", o + 1}, {"lock", lockName(o)}});
        broadcast({{"type", "lock"}, {"locks", locks}});
    });
    connect(&m_core, &GatewayCore::labelsTold, this, [this] {
        const QJsonObject s = state();
        broadcast({{"type", "label"}, {"inputs", s.value("inputs")}, {"outputs", s.value("outputs")}});
    });
    connect(&m_core, &GatewayCore::presentChanged, this, [this](bool present) {
        broadcast({{"type", "link"}, {"up", present}, {"state", state()}});
    });
}

WebServer::~WebServer()
{
    if (m_http) {
        m_stopping = true;
        m_http->stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    for (QWebSocket *socket : m_eventClients) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    m_core.removeClient(m_id);
}

QString WebServer::lockName(int output) const
{
    const int owner = m_core.lockOwner(output);
    return owner == 0 ? QStringLiteral("none") : owner == m_id ? QStringLiteral("panel") : QStringLiteral("other");
}

QJsonObject WebServer::state() const
{
    const RouterText::Snapshot s = m_core.snapshotFor(m_id);
    const int presets = s.present ? int(qMin<quint32>(Device().layoutCount, 30)) : 0;
    QJsonArray inputs, outputs, presetList;
    for (int i = 0; i < s.inputs; ++i)
        inputs.append(QJsonObject{{"input", i + 1}, {"label", s.inputLabels.value(i)}});
    for (int o = 0; o < s.outputs; ++o) {
        outputs.append(QJsonObject{{"output", o + 1},
                                   {"label", s.outputLabels.value(o)},
                                   {"input", s.routing[size_t(o)] + 1},
                                   {"lock", lockName(o)}});
    }
    for (int p = 0; p < presets; ++p)
        presetList.append(QJsonObject{{"preset", p + 1}, {"name", ScomboBox_Layout[p]}});
    return QJsonObject{
        {"device", QJsonObject{{"model", s.modelName}, {"name", s.friendlyName}, {"serial", s.uniqueId}}},
        {"link", s.present ? "up" : "down"},
        {"readOnly", m_options.readOnly},
        {"counts", QJsonObject{{"inputs", s.inputs}, {"outputs", s.outputs}, {"presets", presets}}},
        {"inputs", inputs},
        {"outputs", outputs},
        {"presets", presetList},
        {"eventsPort", int(m_events.serverPort())},
    };
}

bool WebServer::start(QString &message)
{
    const QString address = m_options.httpAddress.toString();
    if (!m_events.listen(m_options.httpAddress, m_options.httpPort == 0 ? 0 : quint16(m_options.httpPort + 1))) {
        message = QStringLiteral("cannot listen on %1:%2 (web events): %3")
                      .arg(address)
                      .arg(m_options.httpPort + 1)
                      .arg(m_events.errorString());
        return false;
    }
    m_http = std::make_unique<httplib::Server>();
    const std::string host = address.toStdString();
    if (m_options.httpPort == 0) {
        const int port = m_http->bind_to_any_port(host);
        m_httpPort = port > 0 ? quint16(port) : 0;
    } else if (m_http->bind_to_port(host, m_options.httpPort)) {
        m_httpPort = m_options.httpPort;
    }
    if (m_httpPort == 0) {
        message = QStringLiteral("cannot listen on %1:%2 (web panel)").arg(address).arg(m_options.httpPort);
        m_http.reset();
        return false;
    }
    serve();
    m_log(QStringLiteral("web panel http://%1:%2/, events on port %3").arg(address).arg(m_httpPort).arg(eventsPort()));
    return true;
}

// ---- the HTTP thread ----

void WebServer::serve()
{
    httplib::Server &http = *m_http;
    http.set_payload_max_length(WebApi::MaxBodyBytes);
    http.set_read_timeout(ReadTimeoutSeconds, 0);
    http.set_write_timeout(ReadTimeoutSeconds, 0);
    http.set_keep_alive_timeout(KeepAliveSeconds);
    auto rates = std::make_shared<RateTable>();
    const QString token = m_options.httpToken;
    const auto json = [](httplib::Response &res, int status, const QByteArray &body) {
        res.status = status;
        res.set_content(body.constData(), size_t(body.size()), "application/json");
    };
    http.set_pre_routing_handler([rates, token, json](const httplib::Request &req, httplib::Response &res) {
        using R = httplib::Server::HandlerResponse;
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Cache-Control", "no-store");
        if (!rates->take(req.remote_addr)) {
            json(res, 429, WebApi::ErrorBody(429, QStringLiteral("too many requests; slow down")));
            return R::Handled;
        }
        const bool api = req.path.rfind("/api/", 0) == 0;
        if (!api)
            return R::Unhandled;
        if (!token.isEmpty()) {
            const std::string auth = req.get_header_value("Authorization");
            const std::string bearer = "Bearer ";
            const bool ok = (auth.rfind(bearer, 0) == 0 && SameSecret(auth.substr(bearer.size()), token))
                || (req.has_param("token") && SameSecret(req.get_param_value("token"), token));
            if (!ok) {
                res.set_header("WWW-Authenticate", "Bearer");
                json(res, 401, WebApi::ErrorBody(401, QStringLiteral("this gateway asks for its token")));
                return R::Handled;
            }
        }
        if (req.method != "GET" && req.method != "HEAD" && req.has_header("Origin")) {
            const std::string origin = req.get_header_value("Origin");
            if (origin != "http://" + req.get_header_value("Host")) {
                json(res, 403, WebApi::ErrorBody(403, QStringLiteral("requests from another site are refused")));
                return R::Handled;
            }
        }
        return R::Unhandled;
    });
    for (const PanelFile &file : PanelFiles) {
        QFile f(QString::fromLatin1(file.resource));
        f.open(QIODevice::ReadOnly);
        const std::string content = f.readAll().toStdString();
        const std::string type = file.type;
        http.Get(file.path, [content, type](const httplib::Request &, httplib::Response &res) {
            res.set_header("Content-Security-Policy", Policy);
            res.set_header("X-Frame-Options", "DENY");
            res.set_content(content, type.c_str());
        });
    }
    http.Get("/favicon.ico", [](const httplib::Request &, httplib::Response &res) { res.status = 204; });
    const auto api = [this, json](const httplib::Request &req, httplib::Response &res) {
        const Answer a = ask(QByteArray::fromStdString(req.method), QByteArray::fromStdString(req.path),
                             QByteArray::fromStdString(req.body));
        json(res, a.status, a.body);
    };
    http.Get("/api/.*", api);
    http.Post("/api/.*", api);
    http.Delete("/api/.*", api);
    http.Put("/api/.*", api);
    http.Patch("/api/.*", api);
    http.set_error_handler([json](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty())
            return;
        const QString why = res.status == 413
            ? QStringLiteral("the body is larger than %1 bytes").arg(WebApi::MaxBodyBytes)
            : res.status == 404 ? QStringLiteral("no such resource")
                                : QStringLiteral("bad request");
        json(res, res.status, WebApi::ErrorBody(res.status, why));
    });
    http.set_exception_handler([json](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        json(res, 500, WebApi::ErrorBody(500, QStringLiteral("internal error")));
    });
    m_thread = std::thread([&http] { http.listen_after_bind(); });
}

WebServer::Answer WebServer::ask(const QByteArray &method, const QByteArray &path, const QByteArray &body)
{
    auto promise = std::make_shared<std::promise<Answer>>();
    auto once = std::make_shared<std::atomic_bool>(false);
    std::future<Answer> future = promise->get_future();
    auto reply = [promise, once](Answer a) {
        if (!once->exchange(true))
            promise->set_value(std::move(a));
    };
    QMetaObject::invokeMethod(
        this, [this, method, path, body, reply] { handle(method, path, body, reply); }, Qt::QueuedConnection);
    // In slices, so that a worker does not hold up the gateway's stop.
    constexpr int SliceMs = 100;
    for (int waited = 0; waited < MaxAnswerMs && !m_stopping; waited += SliceMs) {
        if (future.wait_for(std::chrono::milliseconds(SliceMs)) == std::future_status::ready)
            return future.get();
    }
    if (m_stopping)
        return {503, WebApi::ErrorBody(503, QStringLiteral("the gateway is stopping"))};
    return {504, WebApi::ErrorBody(504, QStringLiteral("the gateway did not answer in time"))};
}

// ---- the gateway thread ----

void WebServer::handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                       std::function<void(Answer)> reply)
{
    const RouterText::Snapshot s = m_core.snapshotFor(m_id);
    WebApi::Limits limits;
    limits.inputs = s.inputs;
    limits.outputs = s.outputs;
    limits.presets = s.present ? int(qMin<quint32>(Device().layoutCount, 30)) : 0;
    const auto fail = [&reply](int status, const QString &why) { reply({status, WebApi::ErrorBody(status, why)}); };
    const WebApi::Request r = WebApi::Parse(method, path, body, limits);
    if (r.kind == WebApi::Kind::Error) {
        // Without a device every port is out of range: say why instead.
        if (!s.present && (r.status == 400 || r.status == 404) && path.startsWith("/api/"))
            fail(503, QStringLiteral("the device link is down"));
        else
            fail(r.status, r.error);
        return;
    }
    if (r.kind == WebApi::Kind::State) {
        reply({200, WebApi::ToJson(state())});
        return;
    }
    if (r.kind == WebApi::Kind::Events) {
        const QJsonObject o{{"error", "the event stream is a WebSocket on the events port"},
                            {"status", 426},
                            {"eventsPort", int(m_events.serverPort())}};
        reply({426, WebApi::ToJson(o)});
        return;
    }
    if (m_options.readOnly) {
        fail(403, QStringLiteral("the gateway is read-only"));
        return;
    }
    if (!s.present) {
        fail(503, QStringLiteral("the device link is down"));
        return;
    }
    switch (r.kind) {
    case WebApi::Kind::Route:
    case WebApi::Kind::Routes:
        routes(r, reply);
        return;
    case WebApi::Kind::PresetRecall:
    case WebApi::Kind::PresetSave:
        preset(r, reply);
        return;
    case WebApi::Kind::Lock:
    case WebApi::Kind::Unlock:
        if (r.kind == WebApi::Kind::Lock && m_core.lockOwner(r.output) != 0 && m_core.lockOwner(r.output) != m_id) {
            fail(409, QStringLiteral("output %1 is locked by a router client").arg(r.output + 1));
            return;
        }
        m_core.setLock(m_id, r.output, r.kind == WebApi::Kind::Lock);
        reply({200, WebApi::ToJson({{"output", r.output + 1}, {"lock", lockName(r.output)}})});
        return;
    default:
        fail(500, QStringLiteral("internal error"));
    }
}

void WebServer::routes(const WebApi::Request &r, std::function<void(Answer)> reply)
{
    for (const WebApi::Route &route : r.routes) {
        if (m_core.lockOwner(route.output) != 0) {
            const QString why = QStringLiteral("output %1 is locked").arg(route.output + 1);
            reply({409, WebApi::ToJson({{"error", why}, {"status", 409}, {"output", route.output + 1}})});
            return;
        }
    }
    struct Salvo
    {
        std::vector<GatewayCore::Outcome> outcomes;
        size_t left = 0;
    };
    auto salvo = std::make_shared<Salvo>();
    salvo->outcomes.resize(r.routes.size(), GatewayCore::Outcome::Confirmed);
    salvo->left = r.routes.size();
    const bool single = r.kind == WebApi::Kind::Route;
    const std::vector<WebApi::Route> items = r.routes;
    QPointer<WebServer> self(this);
    // Told once every route ended; after one the device did not confirm,
    // the routing is read again, so that the answer shows the device's state.
    const auto answer = [self, salvo, items, single, reply] {
        if (!self)
            return;
        QJsonArray results;
        int status = 200;
        for (size_t k = 0; k < items.size(); ++k) {
            const GatewayCore::Outcome o = salvo->outcomes[k];
            if (o == GatewayCore::Outcome::LinkDown)
                status = 503;
            else if (o == GatewayCore::Outcome::NoAnswer && status == 200)
                status = 504;
            QJsonObject item{{"output", items[k].output + 1}, {"asked", items[k].input + 1}, {"outcome", Outcome(o)}};
            if (o != GatewayCore::Outcome::LinkDown)
                item.insert("input", int(Device().routingAt(quint32(items[k].output))) + 1);
            results.append(item);
        }
        QJsonObject body = single ? results.first().toObject() : QJsonObject{{"results", results}};
        if (status != 200) {
            body.insert("status", status);
            body.insert("error", status == 503 ? "the device link went down" : "the device did not confirm");
        }
        reply({status, WebApi::ToJson(body)});
    };
    for (size_t i = 0; i < items.size(); ++i) {
        const auto done = [self, salvo, i, answer](GatewayCore::Outcome outcome) {
            salvo->outcomes[i] = outcome;
            if (--salvo->left != 0 || !self)
                return;
            const auto &all = salvo->outcomes;
            const bool unsure = std::find(all.begin(), all.end(), GatewayCore::Outcome::NoAnswer) != all.end();
            const bool down = std::find(all.begin(), all.end(), GatewayCore::Outcome::LinkDown) != all.end();
            if (unsure && !down)
                self->m_core.submit(self->m_id, RoutingReadFrame(), -1, [answer](GatewayCore::Outcome) { answer(); });
            else
                answer();
        };
        m_core.submit(m_id, SwitchFrame(items[i].input, items[i].output), items[i].output, done);
    }
}

void WebServer::preset(const WebApi::Request &r, std::function<void(Answer)> reply)
{
    const bool recall = r.kind == WebApi::Kind::PresetRecall;
    const int n = r.preset;
    const auto answer = [reply, n, recall](GatewayCore::Outcome o) {
        const int status = o == GatewayCore::Outcome::Confirmed ? 200 : o == GatewayCore::Outcome::LinkDown ? 503 : 504;
        QJsonObject body{{"preset", n + 1}, {"action", recall ? "recall" : "save"}, {"outcome", Outcome(o)}};
        if (status != 200)
            body.insert("status", status);
        reply({status, WebApi::ToJson(body)});
    };
    const QByteArray frame = PackedDeviceFrame(recall ? LayoutLoad : LayoutSave, QByteArray(1, char(n)));
    if (!recall) {
        m_core.submit(m_id, frame, -1, answer);
        return;
    }
    // A recall changes the routing: read it, so that everyone is told.
    m_core.submit(m_id, frame, -1, [](GatewayCore::Outcome) {});
    m_core.submit(m_id, RoutingReadFrame(), -1, answer);
}

void WebServer::acceptEvents()
{
    while (QWebSocket *socket = m_events.nextPendingConnection()) {
        socket->setParent(this);
        const QUrl url = socket->requestUrl();
        const QString origin = socket->origin();
        bool ok = true;
        QString why;
        if (!m_options.httpToken.isEmpty()) {
            const std::string given = QUrlQuery(url).queryItemValue(QStringLiteral("token")).toStdString();
            if (!SameSecret(given, m_options.httpToken)) {
                ok = false;
                why = QStringLiteral("no token");
            }
        }
        if (ok && !origin.isEmpty()) {
            const QUrl o(origin);
            if (o.host() != url.host() || o.port(80) != m_httpPort) {
                ok = false;
                why = QStringLiteral("origin %1 refused").arg(origin);
            }
        }
        if (ok && url.path() != QLatin1String("/api/events")) {
            ok = false;
            why = QStringLiteral("no such stream");
        }
        if (ok && int(m_eventClients.size()) >= MaxEventClients) {
            ok = false;
            why = QStringLiteral("%1 event clients already").arg(MaxEventClients);
        }
        if (!ok) {
            m_log(QStringLiteral("web events: refused %1: %2").arg(socket->peerAddress().toString(), why));
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, why);
            socket->deleteLater();
            continue;
        }
        m_eventClients.insert(socket);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            if (m_eventClients.erase(socket))
                socket->deleteLater();
        });
        socket->sendTextMessage(QString::fromUtf8(WebApi::ToJson({{"type", "state"}, {"state", state()}})));
    }
}

void WebServer::broadcast(const QJsonObject &event)
{
    const QString text = QString::fromUtf8(WebApi::ToJson(event));
    std::vector<QWebSocket *> slow;
    for (QWebSocket *socket : m_eventClients) {
        if (socket->bytesToWrite() > MaxEventBacklog)
            slow.push_back(socket);
        else
            socket->sendTextMessage(text);
    }
    for (QWebSocket *socket : slow) {
        m_log(QStringLiteral("web events: dropping %1: stopped reading").arg(socket->peerAddress().toString()));
        m_eventClients.erase(socket);
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}
