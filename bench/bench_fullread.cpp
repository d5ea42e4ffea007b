// Whole-program figures, not a test: the program (main window over a
// scratch run-time tree, the pages as an operator sees them) against the
// device simulator in-process, 16 x 16, over loopback TCP.
//  1. The full read after Connect: from the click until the last reply has
//     been dispatched, against its floor (commands x the 50 ms send gap; the
//     simulator answers at once), as a ratio.
//  2. The worst GUI-thread stall during that read and under a flood of
//     unsolicited routing reports (1,000 a second by default), measured by
//     an event-loop latency probe.
//  3. Resident memory after the full read and after the flood (the process
//     holds the simulator too, so the figure is an upper bound).
//
//   scripts/netns-run xvfb-run -a build/bin/bench_fullread [flood-seconds] [frames-per-second]
//   (without a display it runs offscreen)

#include "LatencyProbe.h"
#include "ProcessMemory.h"

#include "app/Startup.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"
#include "support/SimHarness.h"
#include "transport/DeviceLink.h"
#include "transport/Ui_Uart_Network.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <atomic>

namespace {
constexpr int Channels = 16;
constexpr int DefaultFloodSeconds = 10;
constexpr int DefaultFramesPerSecond = 1000;
constexpr quint8 RoutingReport = 0x11;
constexpr quint8 DeviceTypeReply = 0x95;
constexpr int CodeOffset = 2;
constexpr int MsPerSecond = 1000;
constexpr double NsPerMs = 1e6;
constexpr qint64 NsPerSecond = 1000000000;
constexpr int FloodTickMs = 1;
constexpr qint64 KiBPerMiB = 1024;
constexpr int ReadTimeoutMs = 20000;
constexpr int QuietMs = 400;
constexpr int PollMs = 20;
constexpr int SettleMs = 500;
constexpr int WindowWidth = 1400;
constexpr int WindowHeight = 900;
constexpr double TargetRatio = 1.02;
constexpr double TargetStallMs = LatencyProbe::VisibleStallMs;
constexpr double TargetMiB = 60.0;

QString verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("MISSED");
}

QString mib(qint64 kib)
{
    return QString::number(double(kib) / KiBPerMiB, 'f', 1) + QStringLiteral(" MiB");
}

// Runs the event loop until the simulator has seen no new request for
// longer than a send gap and its reply; false when the bound ran out. It
// never looks at the send queue: that takes the queue's lock, which would
// make the probe measure the bench instead of the program.
// The event loop runs (and sleeps when idle) for ms milliseconds.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitQuiet(SimHarness &sim, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer stable;
    stable.start();
    int seen = -1;
    while (clock.elapsed() < timeoutMs) {
        runFor(PollMs);
        const int count = sim.requests(SimLink::Tcp).size();
        if (count != seen) {
            seen = count;
            stable.restart();
        } else if (stable.elapsed() >= QuietMs) {
            return true;
        }
    }
    return false;
}

SimOptions sixteenBySixteen()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = Channels;
    options.model.outputs = Channels;
    return options;
}

QByteArray routingReportOf(const SimDeviceModel &model)
{
    QByteArray payload;
    for (int o = 0; o < Channels; ++o)
        payload.append(char(model.routing[o]));
    return DeviceFrameOf(RoutingReport, payload);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparePlatform();
    TuneAllocator(); // as the program does before anything else
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int floodSeconds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : DefaultFloodSeconds;
    const int framesPerSecond = argc > 2 ? qMax(1, QByteArray(argv[2]).toInt()) : DefaultFramesPerSecond;

    SimHarness sim(sixteenBySixteen());
    if (!sim.isRunning()) {
        out << "bench_fullread: the simulator did not start\n";
        return 1;
    }
    MainWindowFixture fixture(MainWindowFixture::configWith(
        {{"SP_RemoteIp", "127.0.0.1"}, {"SP_RemotePort", QByteArray::number(sim.tcpPort())}}));
    Ui_Main *window = fixture.window();
    window->connectionPage()->link()->setModulePort(sim.udpPort());
    window->resize(WindowWidth, WindowHeight);
    window->show();
    runFor(SettleMs);
    const qint64 idleKiB = ResidentKiB();

    SimDevice &device = sim.device();
    qint64 lastFrameNs = 0;
    qint64 identifiedNs = 0;
    qint64 rebuiltNs = 0;
    qint64 queuedNs = 0;
    int framesSeen = 0;
    // Connected after the window's own receivers, so each stamp follows the
    // pages' work for that frame.
    qint64 identityInNs = 0;
    QObject::connect(window, &Ui_Main::SGL_DEBUG_SHOW_RecvText, &app, [&](const QByteArray &frame) {
        ++framesSeen;
        if (identityInNs == 0 && frame.size() > CodeOffset && quint8(frame.at(CodeOffset)) == DeviceTypeReply)
            identityInNs = device.nowNs();
    });
    QObject::connect(&Events(), &DeviceEvents::SGL_StatusLine, &app, [&] { lastFrameNs = device.nowNs(); });
    QObject::connect(&Events(), &DeviceEvents::SGL_UpdateContent_TvWall, &app, [&] { lastFrameNs = device.nowNs(); });
    QObject::connect(&Events(), &DeviceEvents::SGL_IdentificationSucceeded, &app,
                     [&] { identifiedNs = device.nowNs(); });
    QObject::connect(&Events(), &DeviceEvents::SGL_RebuildForCounts, &app, [&] { rebuiltNs = device.nowNs(); });
    QObject::connect(&Events(), &DeviceEvents::SGL_StartFullRead, &app, [&] { queuedNs = device.nowNs(); });

    LatencyProbe probe;
    probe.start();

    // 1. The full read.
    const int requestsBefore = sim.requests(SimLink::Tcp).size();
    probe.reset();
    const qint64 clickNs = device.nowNs();
    const qint64 clickProbeNs = probe.nowNs();
    QTest::mouseClick(window->connectionPage()->networkConnectButton(), Qt::LeftButton);
    if (!waitQuiet(sim, ReadTimeoutMs) || Device().identified != 1) {
        out << "bench_fullread: the full read did not finish\n";
        return 1;
    }
    const double readStallMs = probe.worstMs();
    const double readStallAtMs = double(probe.worstEndNs() - clickProbeNs) / NsPerMs;
    if (qEnvironmentVariableIsSet("KXR_BENCH_STALLS")) {
        for (const LatencyProbe::Stall &stall : probe.stalls())
            out << QStringLiteral("  stall of %1 ms ending %2 ms after the click\n")
                       .arg(stall.ms, 0, 'f', 1)
                       .arg(double(stall.endNs - clickProbeNs) / NsPerMs, 0, 'f', 1);
    }
    const QVector<SimTrafficEntry> requests = sim.requests(SimLink::Tcp);
    const int commands = requests.size() - requestsBefore;
    const double readMs = double(lastFrameNs - clickNs) / NsPerMs;
    const double floorMs = double(commands) * LinkTiming::SendGapMs;
    const double ratio = readMs / floorMs;
    const qint64 readKiB = ResidentKiB();
    const bool readMatches = fixture.messages().count() == 0;

    // 2. The flood, from a timer on the simulator's thread.
    const QByteArray report = routingReportOf(device.state());
    auto *flood = new QTimer;
    flood->setTimerType(Qt::PreciseTimer);
    flood->moveToThread(device.thread());
    // The timer ticks every millisecond and sends what the rate asks for by
    // then, so a late tick catches up.
    std::atomic<int> floodSent{0};
    QElapsedTimer floodSince;
    QObject::connect(flood, &QTimer::timeout, &device, [&device, &floodSent, &floodSince, report, framesPerSecond] {
        const qint64 due = floodSince.nsecsElapsed() * framesPerSecond / NsPerSecond;
        while (floodSent < due) {
            device.sendUnsolicited(report);
            // The simulator logs what it sends; its log must not count as
            // the program's memory.
            if (++floodSent % framesPerSecond == 0)
                device.clearTraffic();
        }
    });
    const int framesBefore = framesSeen;
    QMetaObject::invokeMethod(
        flood,
        [flood, &floodSince] {
            floodSince.start();
            flood->start(FloodTickMs);
        },
        Qt::BlockingQueuedConnection);
    probe.reset();
    QElapsedTimer floodClock;
    floodClock.start();
    runFor(floodSeconds * MsPerSecond);
    QMetaObject::invokeMethod(
        flood, [flood] { flood->stop(); }, Qt::BlockingQueuedConnection);
    const double floodElapsedMs = double(floodClock.nsecsElapsed()) / NsPerMs;
    const double floodStallMs = probe.worstMs();
    const int floodVisible = probe.visibleStalls();
    const double floodMeanMs = probe.meanMs();
    runFor(SettleMs);
    const int floodFrames = framesSeen - framesBefore;
    const qint64 floodKiB = ResidentKiB();
    flood->deleteLater();
    const SimDeviceModel model = device.state();
    bool routingHolds = true;
    for (int o = 0; o < Channels; ++o)
        routingHolds = routingHolds && Device().routingAt(quint32(o)) == model.routing[o];

    out << "bench_fullread: 16 x 16 device over loopback TCP, simulator answering at once, platform "
        << QGuiApplication::platformName() << '\n';
    out << QStringLiteral("  full read            : %1 commands in %2 ms, floor %3 ms, ratio %4 (target <= %5: %6)\n")
               .arg(commands)
               .arg(readMs, 0, 'f', 1)
               .arg(floorMs, 0, 'f', 1)
               .arg(ratio, 0, 'f', 4)
               .arg(TargetRatio, 0, 'f', 2)
               .arg(verdict(ratio <= TargetRatio));
    out << QStringLiteral("    click to identity reply %1 ms, to identified %4 ms, rebuild for the counts %2 ms, "
                          "queuing the reads %3 ms\n")
               .arg(double(identityInNs - clickNs) / NsPerMs, 0, 'f', 1)
               .arg(double(rebuiltNs - identifiedNs) / NsPerMs, 0, 'f', 1)
               .arg(double(queuedNs - rebuiltNs) / NsPerMs, 0, 'f', 1)
               .arg(double(identifiedNs - identityInNs) / NsPerMs, 0, 'f', 1);
    out << QStringLiteral("  worst stall, read    : %1 ms, ended %4 ms after the click (target <= %2 ms: %3)\n")
               .arg(readStallMs, 0, 'f', 1)
               .arg(TargetStallMs, 0, 'f', 0)
               .arg(verdict(readStallMs <= TargetStallMs))
               .arg(readStallAtMs, 0, 'f', 1);
    out << QStringLiteral("  flood                : %1 frames sent, %6 handled in %2 s (%3 a second asked, %4 a "
                          "second sent, %5 handled)\n")
               .arg(floodSent.load())
               .arg(floodElapsedMs / MsPerSecond, 0, 'f', 1)
               .arg(framesPerSecond)
               .arg(double(floodSent.load()) * MsPerSecond / floodElapsedMs, 0, 'f', 0)
               .arg(double(floodFrames) * MsPerSecond / floodElapsedMs, 0, 'f', 0)
               .arg(floodFrames);
    out << QStringLiteral("  worst stall, flood   : %1 ms, mean lateness %2 ms, %3 ticks late by more than %4 ms "
                          "(target <= %4 ms: %5)\n")
               .arg(floodStallMs, 0, 'f', 1)
               .arg(floodMeanMs, 0, 'f', 2)
               .arg(floodVisible)
               .arg(TargetStallMs, 0, 'f', 0)
               .arg(verdict(floodStallMs <= TargetStallMs));
    out << QStringLiteral("  resident memory      : %1 idle, %2 after the full read (target < %3 MiB: %4), "
                          "%5 after the flood\n")
               .arg(mib(idleKiB), mib(readKiB))
               .arg(TargetMiB, 0, 'f', 0)
               .arg(verdict(double(readKiB) / KiBPerMiB < TargetMiB))
               .arg(mib(floodKiB));
    out << "  no message shown: " << (readMatches ? "yes" : "NO")
        << ", routing equals the simulator's after the flood: " << (routingHolds ? "yes" : "NO") << '\n';
    return 0;
}
