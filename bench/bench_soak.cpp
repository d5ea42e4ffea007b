// A long day at the desk: random operator actions on every page, at the
// fastest pace the send queue allows, against the simulator losing, spoiling
// and delaying replies. Reports the actions done, the reply timeouts shown,
// resident memory at the start and the end, and the worst stall of the GUI
// thread (how late a 5 ms timer fired).
//
//   scripts/netns-run env QT_QPA_PLATFORM=offscreen build/bin/bench_soak [--seconds N] [--serial]
//
// The default run lasts 30 minutes.
#include "app/LanguageTable.h"
#include "protocol/CommandChannel.h"
#include "support/Tour.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

#include <unistd.h>

namespace {

constexpr int DefaultSeconds = 30 * 60;
constexpr int ProbeMs = 5;
constexpr int KiB = 1024;

// Resident set size in KiB, from /proc.
long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / KiB);
}

// How late the GUI thread serves a timer: the worst delay beyond the
// interval seen so far.
class StallProbe : public QObject
{
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 late = m_clock.restart() - ProbeMs;
            m_worstMs = qMax(m_worstMs, late);
            m_windowMs = qMax(m_windowMs, late);
        });
        m_clock.start();
        m_timer.start(ProbeMs);
    }
    qint64 worstMs() const { return m_worstMs; }
    // Starts a new window of measurement; the worst of the run is kept.
    qint64 takeWindow()
    {
        const qint64 worst = m_windowMs;
        m_windowMs = 0;
        return worst;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_worstMs = 0;
    qint64 m_windowMs = 0;
};

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
    const long rssStart = residentKiB();

    program.sim().setFaults(Tour::Faults(seedValue));

    StallProbe probe;
    Tour tour(program, false, true);
    const QVector<Tour::Step> steps = tour.steps();
    QRandomGenerator random(seedValue);
    QElapsedTimer clock;
    clock.start();
    int actions = 0;
    int reconnects = 0;
    QString worstPlace;
    qint64 worstSeen = -1;
    const auto note = [&](const QString &place) {
        const qint64 stall = probe.takeWindow();
        if (stall > worstSeen) {
            worstSeen = stall;
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
    const long rssEnd = residentKiB();
    out << "bench_soak: " << clock.elapsed() / 1000 << " s of random actions, faults on ("
        << (parser.isSet(serial) ? "serial" : "TCP") << ")\n"
        << "  actions done            : " << actions << '\n'
        << "  reply timeouts shown    : " << timeouts << '\n'
        << "  reconnections           : " << reconnects << '\n'
        << "  resident memory         : " << rssStart / KiB << " MB at start, " << rssEnd / KiB << " MB at end\n"
        << "  worst GUI-thread stall  : " << probe.worstMs() << " ms (" << worstPlace << ")\n";
    return 0;
}
