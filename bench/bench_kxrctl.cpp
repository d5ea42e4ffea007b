// Time of one "kxrctl route" as a script sees it: from the start of the
// process to its exit, against the device simulator over loopback. Each run
// makes the connection, identifies the device and sends one paced switch,
// whose reply is the routing read-back; both commands wait the 50 ms gap of
// the queue. "kxrctl --help" gives the start-up cost of the process alone.

#include "support/SimHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <memory>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int DefaultRuns = 30;
constexpr int Inputs = 8;
constexpr int Outputs = 8;
constexpr double TargetMs = 150.0;
constexpr int RunBoundMs = 10000;

// Milliseconds from start to exit, or -1 when the run failed.
double timedRun(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(RunBoundMs)) {
        process.kill();
        process.waitForFinished(RunBoundMs);
        return -1;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? ms : -1;
}

struct Figures
{
    double min = 0;
    double median = 0;
    double mean = 0;
    double max = 0;
};

Figures figuresOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    Figures f;
    f.min = values.front();
    f.max = values.back();
    f.median = values[values.size() / 2];
    f.mean = std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : DefaultRuns;
    const QString kxrctl = QCoreApplication::applicationDirPath() + QStringLiteral("/kxrctl");

    SimOptions options = SimHarness::TestOptions();
    options.pty = false;
    options.udp = false;
    options.model.inputs = Inputs;
    options.model.outputs = Outputs;
    auto sim = std::make_unique<SimHarness>(options);
    if (!sim->isRunning()) {
        out << "bench_kxrctl: the simulator did not start\n";
        return 1;
    }
    const QString link = QStringLiteral("127.0.0.1:%1").arg(sim->tcpPort());

    // The first run pays for loading the libraries from disk.
    timedRun(kxrctl, {QStringLiteral("--help")});
    std::vector<double> startup;
    std::vector<double> route;
    bool failed = false;
    for (int i = 0; i < runs && !failed; ++i) {
        const double help = timedRun(kxrctl, {QStringLiteral("--help")});
        const QStringList arguments{QStringLiteral("--tcp"), link, QStringLiteral("route"),
                                    QString::number(i % Inputs + 1), QString::number((i / Inputs) % Outputs + 1)};
        const double ms = timedRun(kxrctl, arguments);
        failed = help < 0 || ms < 0;
        startup.push_back(help);
        route.push_back(ms);
    }

    sim.reset();

    if (failed) {
        out << "bench_kxrctl: a run failed\n";
        return 1;
    }
    const Figures s = figuresOf(startup);
    const Figures r = figuresOf(route);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(1);
    out << "kxrctl route over loopback, " << runs << " runs (process start to exit)\n";
    out << "  route:  min " << r.min << " ms, median " << r.median << " ms, mean " << r.mean << " ms, max " << r.max
        << " ms\n";
    out << "  --help: min " << s.min << " ms, median " << s.median << " ms (process start-up alone)\n";
    out << "  target: median under " << TargetMs << " ms: " << (r.median < TargetMs ? "met" : "NOT met") << '\n';
    return r.median < TargetMs ? 0 : 2;
}
