// A long day at the desk: random operator actions on every page, at the
// fastest pace the send queue allows, against the simulator losing, spoiling
// and delaying replies. Reports the actions done, the reply timeouts shown,
// resident memory at the start and the end, and the worst stall of the GUI
// thread (how late an event-loop probe's timer fired).
//
//   scripts/netns-run env QT_QPA_PLATFORM=offscreen build/bin/bench_soak [--seconds N] [--serial]
//
// The default run lasts 30 minutes.
#include "app/LanguageTable.h"
#include "protocol/CommandChannel.h"
#include "support/Tour.h"

#include "LatencyProbe.h"
#include "ProcessMemory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

namespace {
constexpr int DefaultSeconds = 30 * 60;
constexpr int KiB = 1024;
} // namespace

int main(int argc, char **argv)
{
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
    const qint64 rssStart = ResidentKiB();

    program.sim().setFaults(Tour::Faults(seedValue));

    LatencyProbe probe;
    probe.start();
    Tour tour(program, false, true);
    const QVector<Tour::Step> steps = tour.steps();
    QRandomGenerator random(seedValue);
    QElapsedTimer clock;
    clock.start();
    int actions = 0;
    int reconnects = 0;
    QString worstPlace;
    double worstSeen = -1.0;
    const auto note = [&](const QString &place) {
        if (probe.worstMs() > worstSeen) {
            worstSeen = probe.worstMs();
            worstPlace = place;
        }
    };
    while (clock.elapsed() < runMs) {
        if (ActiveTransport.load() == TransportNone) {
            ++reconnects;
            tour.connectAgain(); // a lost identification may leave it idle again
            note(QStringLiteral("connecting"));
            continue;
        }
        const Tour::Step &step = steps.at(int(random.bounded(steps.size())));
        step.run();
        note(step.name);
        ++actions;
    }
    program.sim().setFaults(SimFaultOptions());
    program.waitQuiet(30000);

    const int timeouts = program.messages().texts().filter(SMSG_CommunicationFail).size();
    const qint64 rssEnd = ResidentKiB();
    out << "bench_soak: " << clock.elapsed() / 1000 << " s of random actions, faults on ("
        << (parser.isSet(serial) ? "serial" : "TCP") << ")\n"
        << "  actions done            : " << actions << '\n'
        << "  reply timeouts shown    : " << timeouts << '\n'
        << "  reconnections           : " << reconnects << '\n'
        << "  resident memory         : " << rssStart / KiB << " MB at start, " << rssEnd / KiB << " MB at end\n"
        << "  worst GUI-thread stall  : " << probe.worstMs() << " ms (" << worstPlace << ")\n"
        << "  stalls over 16 ms       : " << probe.visibleStalls() << '\n';
    return 0;
}
