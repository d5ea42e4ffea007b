// kxr-gateway soak: 32 router clients route at random against the simulated
// device with its faults on (lost, corrupted, noisy and split replies) for a
// given time. At the end, once the gateway has read the routing again, every
// client's view must equal the device, and the device must have been sent
// exactly one switch for every route line the gateway acknowledged: none lost,
// none applied twice. Run inside scripts/netns-run:
//   build/bin/bench_gateway_soak [--seconds N]   (default 1800)
#include "gateway/FrameRecords.h"
#include "gateway/GatewayServer.h"
#include "support/SimHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTextStream>

#include <memory>
#include <vector>

namespace {

constexpr int Clients = 32;
constexpr int Ports = 16;
constexpr int DefaultSeconds = 1800;
constexpr int MaxLinesPerBlock = 3;
// One block from a random client this often: about half of what the device
// can take with its 50 ms gap, so the queue drains between bursts.
constexpr int BlockEveryMs = 300;
constexpr int PollSeconds = 1;
constexpr int SettleMs = 3 * PollSeconds * 1000 + 500;
constexpr int DrainGuardMs = 120000;

// A router client as the protocol page describes one: it keeps the routing
// it was told and counts the routes the server acknowledged.
struct Client
{
    QTcpSocket socket;
    QByteArray pending;
    QByteArray block;
    int routing[Ports] = {};
    QList<int> sentLines; // lines of the blocks still waiting for ACK or NAK
    qint64 acked = 0;

    void read()
    {
        pending += socket.readAll();
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line.isEmpty()) {
                handle(block.split('\n'));
                block.clear();
            } else {
                block += (block.isEmpty() ? "" : "\n") + line;
            }
        }
    }

    void handle(const QList<QByteArray> &lines)
    {
        if (lines.value(0) == "ACK" || lines.value(0) == "NAK") {
            const int n = sentLines.isEmpty() ? 0 : sentLines.takeFirst();
            if (lines.value(0) == "ACK")
                acked += n;
        } else if (lines.value(0) == "VIDEO OUTPUT ROUTING:") {
            for (int i = 1; i < lines.size(); ++i) {
                const QList<QByteArray> f = lines[i].split(' ');
                if (f.size() == 2 && f[0].toInt() >= 0 && f[0].toInt() < Ports)
                    routing[f[0].toInt()] = f[1].toInt();
            }
        }
    }
};

template<typename Done>
bool WaitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--seconds"));
    const int seconds = at > 0 ? args.value(at + 1).toInt() : DefaultSeconds;
    if (seconds <= 0) {
        out << "usage: bench_gateway_soak [--seconds N]\n";
        return 2;
    }
    SimOptions simOptions = SimHarness::TestOptions();
    simOptions.pty = simOptions.udp = false;
    simOptions.model.inputs = simOptions.model.outputs = Ports;
    SimHarness sim(simOptions);
    SimFaultOptions faults;
    faults.drop = faults.corrupt = 0.02;
    faults.garbage = 0.05;
    faults.splitRandom = true;
    sim.setFaults(faults);

    GatewayOptions options;
    options.tcpHost = QStringLiteral("127.0.0.1");
    options.tcpPort = sim.tcpPort();
    options.devicePort = options.routerPort = 0;
    options.routerAddress = QHostAddress(QHostAddress::LocalHost);
    options.pollSeconds = PollSeconds;
    GatewayServer gateway(options, [](const QString &) {});
    QString message;
    if (!gateway.start(message) || !WaitFor([&] { return gateway.core().present(); }, DrainGuardMs)) {
        out << "gateway did not start: " << message << "\n";
        return 1;
    }
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < Clients; ++i) {
        clients.push_back(std::make_unique<Client>());
        Client *c = clients.back().get();
        QObject::connect(&c->socket, &QTcpSocket::readyRead, [c] { c->read(); });
        c->socket.connectToHost(QHostAddress::LocalHost, gateway.routerPort());
    }
    sim.device().clearTraffic();

    QElapsedTimer clock;
    clock.start();
    QRandomGenerator random(2026);
    while (clock.elapsed() < qint64(seconds) * 1000) {
        Client &c = *clients[random.bounded(Clients)];
        if (c.socket.state() == QAbstractSocket::ConnectedState) {
            const int n = 1 + random.bounded(MaxLinesPerBlock);
            QByteArray block = "VIDEO OUTPUT ROUTING:\n";
            for (int i = 0; i < n; ++i)
                block +=
                    QByteArray::number(random.bounded(Ports)) + ' ' + QByteArray::number(random.bounded(Ports)) + '\n';
            c.sentLines.append(n);
            c.socket.write(block + '\n');
        }
        WaitFor([] { return false; }, int(random.bounded(2 * BlockEveryMs)));
    }
    const bool drained = WaitFor(
        [&] {
            return gateway.core().idle()
                && std::all_of(clients.begin(), clients.end(), [](const auto &c) { return c->sentLines.isEmpty(); });
        },
        DrainGuardMs);
    WaitFor([] { return false; }, SettleMs); // the poll reads the routing again

    qint64 acked = 0;
    for (const auto &c : clients)
        acked += c->acked;
    qint64 switches = 0;
    for (const SimTrafficEntry &e : sim.requests(SimLink::Tcp)) {
        if (e.bytes.size() > 2 && quint8(e.bytes.at(2)) == DeviceCode::Switch)
            ++switches;
    }
    const SimDeviceModel model = sim.device().state();
    int wrongViews = 0;
    for (const auto &c : clients) {
        for (int o = 0; o < Ports; ++o) {
            if (c->routing[o] != model.routing[o]) {
                ++wrongViews;
                break;
            }
        }
    }
    out << QStringLiteral("soak %1 s, %2 clients: %3 routes acknowledged, %4 switches sent to the device; "
                          "%5 client views differ from the device%6\n")
               .arg(seconds)
               .arg(Clients)
               .arg(acked)
               .arg(switches)
               .arg(wrongViews)
               .arg(drained ? QString() : QStringLiteral(" (the queue did not drain)"));
    const bool ok = drained && acked == switches && wrongViews == 0;
    out << (ok ? "PASS\n" : "FAIL\n");
    return ok ? 0 : 1;
}
