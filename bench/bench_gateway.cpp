// kxr-gateway's figures against the in-process simulator: route to ACK, to
// the switch frame on the wire, device reply to the update on all of 64
// router clients and on all of 100 web panels' event streams, a 40-route
// salvo against 40 x 50 ms, and resident memory with 64 router, 4
// device-port and 100 event-stream clients. Run inside scripts/netns-run.
#include "ProcessMemory.h"
#include "gateway/FrameRecords.h"
#include "gateway/GatewayServer.h"
#include "gateway/WebServer.h"
#include "support/SimHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTextStream>
#include <QWebSocket>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int RouterClients = 64;
constexpr int DeviceClients = 4;
constexpr int EventStreams = 100;
constexpr int SalvoRoutes = 40;
constexpr int SendGapMs = 50;
constexpr int Rounds = 20;
constexpr int GuardMs = 20000; // no wait lasts longer
constexpr double NsPerMs = 1e6;

// A web panel's event stream: counts the route events it was sent.
struct Stream
{
    QWebSocket socket;
    int routes = 0;
    qint64 lastAtNs = 0;
};

struct Client
{
    QTcpSocket socket;
    QByteArray text;
    qint64 lastAtNs = 0; // when text last grew, on the simulator's clock
};

// Runs the event loop until done() or the guard; false on the guard.
template<typename Done>
bool WaitFor(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > GuardMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    SimOptions simOptions = SimHarness::TestOptions();
    simOptions.pty = simOptions.udp = false;
    simOptions.model.inputs = simOptions.model.outputs = 16;
    SimHarness sim(simOptions);
    SimDevice &device = sim.device();
    GatewayOptions options;
    options.tcpHost = QStringLiteral("127.0.0.1");
    options.tcpPort = sim.tcpPort();
    options.devicePort = options.routerPort = 0;
    options.routerAddress = QHostAddress(QHostAddress::LocalHost);
    options.pollSeconds = 0;
    options.http = true;
    options.httpPort = 0;
    GatewayServer gateway(options, [](const QString &) {});
    QString message;
    if (!gateway.start(message) || !WaitFor([&] { return gateway.core().present(); })) {
        out << "gateway did not start: " << message << "\n";
        return 1;
    }
    const qint64 idleKiB = ResidentKiB();

    std::vector<std::unique_ptr<Client>> routers;
    for (int i = 0; i < RouterClients; ++i) {
        auto c = std::make_unique<Client>();
        Client *raw = c.get();
        QObject::connect(&c->socket, &QTcpSocket::readyRead, [raw, &device] {
            raw->text += raw->socket.readAll();
            raw->lastAtNs = device.nowNs();
        });
        c->socket.connectToHost(QHostAddress::LocalHost, gateway.routerPort());
        routers.push_back(std::move(c));
    }
    std::vector<std::unique_ptr<QTcpSocket>> ports;
    for (int i = 0; i < DeviceClients; ++i) {
        ports.push_back(std::make_unique<QTcpSocket>());
        ports.back()->connectToHost(QHostAddress::LocalHost, gateway.devicePort());
    }
    if (!WaitFor([&] {
            return std::all_of(routers.begin(), routers.end(),
                               [](const auto &c) { return c->text.contains("END PRELUDE:\n\n"); });
        })) {
        out << "router clients got no prelude\n";
        return 1;
    }
    const qint64 clientsKiB = ResidentKiB();

    // One route at a time: ACK, the frame on the wire, the update everywhere.
    std::vector<double> ack, wire, update, webUpdate;
    Client &first = *routers.front();
    for (int round = 0; round < Rounds; ++round) {
        for (auto &c : routers)
            c->text.clear();
        device.clearTraffic();
        const int input = round % 16;
        const qint64 sentNs = device.nowNs();
        first.socket.write(QStringLiteral("VIDEO OUTPUT ROUTING:\n%1 %2\n\n").arg(round % 16).arg(input).toLatin1());
        if (!WaitFor([&] { return first.text.startsWith("ACK\n\n"); }))
            return 1;
        ack.push_back((first.lastAtNs - sentNs) / NsPerMs);
        const QByteArray line = QByteArray::number(round % 16) + ' ' + QByteArray::number(input) + '\n';
        if (!WaitFor([&] {
                return std::all_of(routers.begin(), routers.end(),
                                   [&](const auto &c) { return c->text.contains(line); });
            }))
            return 1;
        const QVector<SimTrafficEntry> in = sim.requests(SimLink::Tcp), replies = sim.replies(SimLink::Tcp);
        if (in.isEmpty() || replies.isEmpty())
            return 1;
        wire.push_back((in.front().atNs - sentNs) / NsPerMs);
        qint64 lastNs = 0;
        for (const auto &c : routers)
            lastNs = std::max(lastNs, c->lastAtNs);
        update.push_back((lastNs - replies.back().atNs) / NsPerMs);
        WaitFor([&] { return gateway.core().idle(); });
    }

    std::vector<std::unique_ptr<Stream>> streams;
    for (int i = 0; i < EventStreams; ++i) {
        auto st = std::make_unique<Stream>();
        Stream *raw = st.get();
        QObject::connect(&st->socket, &QWebSocket::textMessageReceived, [raw, &device](const QString &text) {
            if (text.contains(QLatin1String("\"route\""))) {
                ++raw->routes;
                raw->lastAtNs = device.nowNs();
            }
        });
        st->socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/events").arg(gateway.web()->eventsPort())));
        streams.push_back(std::move(st));
    }
    if (!WaitFor([&] {
            return std::all_of(streams.begin(), streams.end(),
                               [](const auto &st) { return st->socket.state() == QAbstractSocket::ConnectedState; });
        })) {
        out << "event streams did not open\n";
        return 1;
    }
    const qint64 streamsKiB = ResidentKiB();
    // One route at a time again, the update reaching every event stream
    // (measured apart: the streams' reading shares this thread with the
    // router clients').
    for (int round = 0; round < Rounds; ++round) {
        for (auto &st : streams)
            st->routes = 0;
        device.clearTraffic();
        first.text.clear();
        first.socket.write(
            QStringLiteral("VIDEO OUTPUT ROUTING:\n%1 %2\n\n").arg(round % 16).arg((round + 5) % 16).toLatin1());
        if (!WaitFor([&] {
                return std::all_of(streams.begin(), streams.end(), [](const auto &st) { return st->routes > 0; });
            }))
            return 1;
        const QVector<SimTrafficEntry> replies = sim.replies(SimLink::Tcp);
        if (replies.isEmpty())
            return 1;
        qint64 webNs = 0;
        for (const auto &st : streams)
            webNs = std::max(webNs, st->lastAtNs);
        webUpdate.push_back((webNs - replies.back().atNs) / NsPerMs);
        WaitFor([&] { return gateway.core().idle(); });
    }

    // A salvo of 40 routes in one block.
    QByteArray salvo = "VIDEO OUTPUT ROUTING:\n";
    for (int i = 0; i < SalvoRoutes; ++i)
        salvo += QByteArray::number(i % 16) + ' ' + QByteArray::number((i + 3) % 16) + '\n';
    first.text.clear();
    device.clearTraffic();
    QElapsedTimer salvoClock;
    salvoClock.start();
    first.socket.write(salvo + '\n');
    if (!WaitFor([&] { return gateway.core().idle() && sim.requests(SimLink::Tcp).size() == SalvoRoutes; }))
        return 1;
    const double salvoMs = salvoClock.elapsed();
    const double floorMs = SalvoRoutes * SendGapMs;

    out << QStringLiteral("route -> ACK: median %1 ms, worst %2 ms (target < 2 ms)\n")
               .arg(Median(ack), 0, 'f', 2)
               .arg(*std::max_element(ack.begin(), ack.end()), 0, 'f', 2);
    out << QStringLiteral("route -> switch frame at the device: median %1 ms (target <= %2 + 2 ms)\n")
               .arg(Median(wire), 0, 'f', 2)
               .arg(SendGapMs);
    out << QStringLiteral(
               "device reply -> update on all %1 router clients: median %2 ms, worst %3 ms (target < 5 ms)\n")
               .arg(RouterClients)
               .arg(Median(update), 0, 'f', 2)
               .arg(*std::max_element(update.begin(), update.end()), 0, 'f', 2);
    out << QStringLiteral("device reply -> route event on all %1 web event streams: median %2 ms, worst %3 ms "
                          "(target < 50 ms)\n")
               .arg(EventStreams)
               .arg(Median(webUpdate), 0, 'f', 2)
               .arg(*std::max_element(webUpdate.begin(), webUpdate.end()), 0, 'f', 2);
    out << QStringLiteral("40-route salvo: %1 ms against %2 ms, +%3 % (target < 5 %)\n")
               .arg(salvoMs, 0, 'f', 0)
               .arg(floorMs, 0, 'f', 0)
               .arg((salvoMs / floorMs - 1) * 100, 0, 'f', 1);
    out << QStringLiteral("resident memory: %1 MiB with %2 router + %3 device-port clients, %4 MiB with %5 event "
                          "streams more (the simulator and the clients included; target < 60 MB); %6 KiB a client "
                          "(target < 64 KiB)\n")
               .arg(clientsKiB / 1024.0, 0, 'f', 1)
               .arg(RouterClients)
               .arg(DeviceClients)
               .arg(streamsKiB / 1024.0, 0, 'f', 1)
               .arg(EventStreams)
               .arg(double(streamsKiB - idleKiB) / (RouterClients + DeviceClients + EventStreams), 0, 'f', 1);
    return 0;
}
