// A long day at the desk: random operator actions on every page, at the
// fastest pace the send queue allows, against the simulator losing, spoiling
// and delaying replies. Reports the actions done, the reply timeouts shown,
// resident memory over the run with the program's own growth apart from the
// simulator's log, and the stalls of the GUI thread (how late an event-loop
// probe's timer fired) while connecting and while acting.
//
//   scripts/netns-run env QT_QPA_PLATFORM=offscreen build/bin/bench_soak [--seconds N] [--serial]
//
// The default run lasts 30 minutes. KXR_BENCH_STALLS=1 lists every stall
// over 16 ms with the place it happened; KXR_BENCH_LIVE_AT_EXIT=1 ends the
// process without teardown, for a heap profiler's view of what it held.
#include "app/LanguageTable.h"
#include "app/Startup.h"
#include "protocol/CommandChannel.h"
#include "support/Tour.h"

#include "LatencyProbe.h"
#include "ProcessMemory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <cstdlib>

namespace {
constexpr int DefaultSeconds = 30 * 60;
constexpr int KiB = 1024;
// The program settles in (pages built, caches filled, the first dialogs
// styled) before its memory is held to account.
constexpr qint64 WarmUpMs = 2 * 60 * 1000;
constexpr qint64 MinuteMs = 60 * 1000;
constexpr qint64 HeapReadEveryMs = 1000;
constexpr int WarmUpMinutes = int(WarmUpMs / MinuteMs);
// The simulator runs in this process; its traffic log is kept short and
// its size measured, so that what grows is the program's.
constexpr int SimTrafficEntries = 4096;

QString megabytes(qint64 kib)
{
    return QString::number(double(kib) / KiB, 'f', 1);
}

QString signedMegabytes(qint64 kib)
{
    return (kib >= 0 ? QStringLiteral("+") : QString()) + megabytes(kib);
}

// The lowest and highest of the readings taken within a minute.
struct Range
{
    qint64 low = -1;
    qint64 high = -1;
    void take(qint64 kib)
    {
        low = low < 0 ? kib : qMin(low, kib);
        high = qMax(high, kib);
    }
};

QString lows(const QVector<Range> &minutes)
{
    QStringList values;
    for (const Range &range : minutes)
        values.append(range.low < 0 ? QStringLiteral("?") : megabytes(range.low));
    return values.join(QLatin1Char(' '));
}

qint64 highestFrom(const QVector<Range> &minutes, int first)
{
    qint64 high = -1;
    for (int m = first; m < minutes.size(); ++m)
        high = qMax(high, minutes.at(m).high);
    return high;
}

} // namespace

int main(int argc, char **argv)
{
    TuneAllocator(); // as the program does before anything else
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random operator actions against a faulty simulated device."));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long to run."), QStringLiteral("N"),
                                     QString::number(DefaultSeconds));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Use the serial pseudo-terminal."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the actions and faults."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({seconds, serial, seed});
    parser.process(app);
    QTextStream out(stdout);

    const qint64 runMs = parser.value(seconds).toLongLong() * 1000;
    const quint32 seedValue = parser.value(seed).toUInt();
    ConnectedProgram program(Tour::DeviceOptions(),
                             parser.isSet(serial) ? ConnectedProgram::Link::Serial : ConnectedProgram::Link::Tcp,
                             Tour::Settings());
    if (!program.ok()) {
        out << "bench_soak: " << program.why() << '\n';
        return 1;
    }
    program.sim().setTrafficLimit(SimTrafficEntries);
    const qint64 rssStart = ResidentKiB();

    program.sim().setFaults(Tour::Faults(seedValue));
    const bool listStalls = qEnvironmentVariableIsSet("KXR_BENCH_STALLS");

    LatencyProbe probe;
    probe.start();
    Tour tour(program, false, true);
    const QVector<Tour::Step> steps = tour.steps();
    QRandomGenerator random(seedValue);
    QElapsedTimer clock;
    clock.start();
    int actions = 0;
    int reconnects = 0;
    // Stalls over 16 ms, by where they happened.
    struct Place
    {
        int stalls = 0;
        double worstMs = 0.0;
    };
    Place connecting;
    Place acting;
    QString worstPlace;
    int stallsSeen = 0;
    const auto note = [&](const QString &place, bool isConnecting) {
        const QVector<LatencyProbe::Stall> &stalls = probe.stalls();
        for (; stallsSeen < stalls.size(); ++stallsSeen) {
            const double ms = stalls.at(stallsSeen).ms;
            Place &where = isConnecting ? connecting : acting;
            ++where.stalls;
            if (ms > qMax(connecting.worstMs, acting.worstMs))
                worstPlace = place;
            where.worstMs = qMax(where.worstMs, ms);
            if (listStalls)
                out << "  stall " << ms << " ms at " << clock.elapsed() / 1000 << " s: " << place << '\n';
        }
    };
    // Resident memory is read before every step: a dialog's window image
    // comes and goes with the step, so each minute's lowest and highest value
    // say more than one reading a minute. The heap is read at most once a
    // second: glibc walks its free lists for it, on this thread, between the
    // steps whose stalls are measured.
    QVector<Range> residentByMinute;
    QVector<Range> heapByMinute;
    qint64 simLogWarm = -1;
    qint64 heapReadAt = -HeapReadEveryMs;
    while (clock.elapsed() < runMs) {
        const int minute = int(clock.elapsed() / MinuteMs);
        if (minute >= residentByMinute.size()) {
            residentByMinute.resize(minute + 1);
            heapByMinute.resize(minute + 1);
        }
        residentByMinute[minute].take(ResidentKiB());
        if (clock.elapsed() - heapReadAt >= HeapReadEveryMs) {
            heapReadAt = clock.elapsed();
            heapByMinute[minute].take(HeapInUseKiB());
        }
        if (simLogWarm < 0 && clock.elapsed() >= WarmUpMs)
            simLogWarm = program.sim().trafficBytes() / KiB;
        if (ActiveTransport.load() == TransportNone) {
            ++reconnects;
            tour.connectAgain(); // a lost identification may leave it idle again
            note(QStringLiteral("connecting"), true);
            continue;
        }
        const Tour::Step &step = steps.at(int(random.bounded(steps.size())));
        step.run();
        note(step.name, false);
        ++actions;
    }
    program.sim().setFaults(SimFaultOptions());
    program.waitQuiet(30000);

    const int timeouts = program.messages().texts().filter(SMSG_CommunicationFail).size();
    note(QStringLiteral("the last replies"), false);
    const qint64 rssEnd = ResidentKiB();
    const qint64 simLogEnd = program.sim().trafficBytes() / KiB;
    out << "bench_soak: " << clock.elapsed() / 1000 << " s of random actions, faults on ("
        << (parser.isSet(serial) ? "serial" : "TCP") << ")\n"
        << "  actions done            : " << actions << '\n'
        << "  reply timeouts shown    : " << timeouts << '\n'
        << "  reconnections           : " << reconnects << '\n'
        << "  resident memory         : " << megabytes(rssStart) << " MB at start, " << megabytes(rssEnd)
        << " MB at end, " << megabytes(PeakResidentKiB()) << " MB at most\n"
        << "  each minute's low (MB)  : " << lows(residentByMinute) << '\n'
        << "  heap in use, lows (MB)  : " << lows(heapByMinute) << '\n'
        << "  simulator's traffic log : " << simLogEnd << " KB at end (at most " << SimTrafficEntries
        << " frames kept; it runs in this process)\n";
    if (simLogWarm >= 0 && residentByMinute.size() > WarmUpMinutes) {
        // The program's own growth: the most the process held after the
        // warm-up against the most it held in the warm-up's last minute,
        // less what the simulator's log gained.
        const qint64 warm = residentByMinute.at(WarmUpMinutes - 1).high;
        const qint64 later = highestFrom(residentByMinute, WarmUpMinutes);
        const qint64 heapWarm = heapByMinute.at(WarmUpMinutes - 1).high;
        const qint64 heapLater = highestFrom(heapByMinute, WarmUpMinutes);
        out << "  program after 2 minutes : " << signedMegabytes((later - warm) - (simLogEnd - simLogWarm))
            << " MB at most (" << megabytes(warm) << " MB at most in minute two, " << megabytes(later)
            << " MB after it, the simulator's log " << (simLogEnd >= simLogWarm ? "+" : "") << simLogEnd - simLogWarm
            << " KB)\n";
        if (heapWarm >= 0)
            out << "  heap after 2 minutes    : " << signedMegabytes(heapLater - heapWarm) << " MB at most in use ("
                << megabytes(heapWarm) << " MB in minute two)\n";
    }
    out << "  worst GUI-thread stall  : " << probe.worstMs() << " ms ("
        << (worstPlace.isEmpty() ? QStringLiteral("none over 16 ms") : worstPlace) << ")\n"
        << "  stalls over 16 ms       : " << connecting.stalls << " while connecting (worst " << connecting.worstMs
        << " ms), " << acting.stalls << " while acting (worst " << acting.worstMs << " ms)\n";
    if (qEnvironmentVariableIsSet("KXR_BENCH_LIVE_AT_EXIT")) {
        // Leave without tearing anything down: under heaptrack, everything
        // the process held at the end shows as not freed, where it was made.
        out.flush();
        std::_Exit(0);
    }
    return 0;
}
