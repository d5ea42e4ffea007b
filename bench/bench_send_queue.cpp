// Queues N commands on the TCP channel against the device simulator, which
// answers at once over loopback, and measures the time until the last reply
// has been received. Every command costs at least the 50 ms gap before it is
// sent; what lies above N x 50 ms is the pacing's own overhead.

#include "protocol/CommandChannel.h"
#include "protocol/LinkTiming.h"
#include "tools/devsim/SimDevice.h"
#include "transport/DeviceLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cstring>
#include <memory>

namespace {

constexpr int DefaultCommands = 100;
constexpr quint8 RoutingRead = 0x12;
constexpr quint8 RoutingReportPrefix[] = {0x7B, 0x7B, 0x11};
constexpr quint32 ReplyTimeoutMs = 2000;
constexpr double TargetOverheadMs = 2.0;
constexpr unsigned long StopWaitMs = 2000;
constexpr int NsPerMs = 1000000;
// Enough for the floor, the overhead and a margin; the run never hangs.
constexpr int GuardMsPerCommand = 200;

QByteArray routingRead()
{
    const quint8 payload = 0;
    QByteArray frame(int(Frame::BufferSize), '\0');
    frame.resize(int(PackDeviceFrame(RoutingRead, &payload, 1, reinterpret_cast<quint8 *>(frame.data()))));
    return frame;
}

CommandRecord routingRecord()
{
    CommandRecord record = EmptyCommandRecord();
    record.expectedCount = 1;
    record.expectedLength[0] = sizeof RoutingReportPrefix;
    std::memcpy(record.expected[0], RoutingReportPrefix, sizeof RoutingReportPrefix);
    record.waitReply = 1;
    record.replyTimeoutMs = ReplyTimeoutMs;
    record.reportTimeout = 1;
    return record;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int commands = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : DefaultCommands;

    SimOptions options;
    options.tcpPort = 0;
    options.pty = false;
    options.udp = false;
    options.log = false;
    QThread simThread;
    auto *sim = new SimDevice(options);
    sim->moveToThread(&simThread);
    simThread.start();
    bool simRunning = false;
    QMetaObject::invokeMethod(
        sim, [&]() { simRunning = sim->start(); }, Qt::BlockingQueuedConnection);
    if (!simRunning) {
        out << "bench_send_queue: the simulator did not start\n";
        return 1;
    }

    auto link = std::make_unique<DeviceLink>();

    const QByteArray frame = routingRead();
    const CommandRecord record = routingRecord();
    QElapsedTimer clock;
    int received = 0;
    qint64 lastReplyNs = 0;
    int failures = 0;

    QObject::connect(link.get(), &DeviceLink::replyTimedOut, &app, [&]() { ++failures; });
    QObject::connect(link.get(), &DeviceLink::frameReceived, &app, [&](const QByteArray &) {
        if (++received == commands) {
            lastReplyNs = clock.nsecsElapsed();
            app.quit();
        }
    });
    QObject::connect(link.get(), &DeviceLink::linkFailed, &app, [&]() {
        out << "bench_send_queue: could not connect to the simulator\n";
        app.exit(1);
    });
    QObject::connect(link.get(), &DeviceLink::linkOpened, &app, [&]() {
        for (int i = 0; i < commands; ++i)
            EnqueueDeviceCommand(reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size()), record);
        clock.start();
        link->requestSend();
    });

    link->openTcp(QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.1"), QString::number(sim->tcpPort()));
    QTimer::singleShot(commands * GuardMsPerCommand, &app, [&]() { app.exit(1); });
    const int result = app.exec();

    link.reset();
    QMetaObject::invokeMethod(
        sim, [sim]() { sim->stop(); }, Qt::BlockingQueuedConnection);
    simThread.quit();
    simThread.wait(StopWaitMs);
    delete sim;

    if (result != 0 || received != commands) {
        out << "bench_send_queue: only " << received << " of " << commands << " replies arrived\n";
        return 1;
    }
    const double totalMs = double(lastReplyNs) / NsPerMs;
    const double floorMs = double(commands) * LinkTiming::SendGapMs;
    const double overheadMs = (totalMs - floorMs) / commands;
    out << "bench_send_queue: " << commands << " commands over TCP loopback, simulator answering at once\n";
    out << QStringLiteral("  time to the last reply : %1 ms\n").arg(totalMs, 0, 'f', 1);
    out << QStringLiteral("  floor (N x 50 ms gap)  : %1 ms\n").arg(floorMs, 0, 'f', 1);
    out << QStringLiteral("  overhead per command   : %1 ms (target under %2 ms: %3)\n")
               .arg(overheadMs, 0, 'f', 3)
               .arg(TargetOverheadMs, 0, 'f', 1)
               .arg(overheadMs < TargetOverheadMs ? QStringLiteral("met") : QStringLiteral("MISSED"));
    out << "  reply timeouts         : " << failures << '\n';
    return 0;
}
