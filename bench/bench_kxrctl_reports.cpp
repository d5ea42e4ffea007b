// kxrctl under a device that sends reports of its own: N commands (route,
// audio, status and EDID read in turn) against the simulator sending an
// unasked routing report every 20 ms. Every command must end with status 0;
// any other status is a false one, since the simulator answers everything.

#include "support/SimHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

#include <map>

namespace {

constexpr int DefaultCommands = 2000;
constexpr int Inputs = 8;
constexpr int Outputs = 8;
constexpr int ReportEveryMs = 20;
constexpr int RunBoundMs = 30000;
constexpr int Kinds = 4;

// The exit status, or -1 when the run did not end in time.
int statusOf(const QString &program, const QStringList &arguments, QByteArray *err)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(RunBoundMs)) {
        process.kill();
        process.waitForFinished(RunBoundMs);
        return -1;
    }
    *err = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int commands = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : DefaultCommands;
    const QString kxrctl = QCoreApplication::applicationDirPath() + QStringLiteral("/kxrctl");
    QTemporaryDir dir;
    const QString edidFile = dir.filePath(QStringLiteral("edid.bin"));

    SimOptions options = SimHarness::TestOptions();
    options.pty = false;
    options.udp = false;
    options.model.inputs = Inputs;
    options.model.outputs = Outputs;
    options.faults.unsolicitedMs = ReportEveryMs;
    auto sim = std::make_unique<SimHarness>(options);
    if (!sim->isRunning()) {
        out << "bench_kxrctl_reports: the simulator did not start\n";
        return 1;
    }
    const QStringList link{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim->tcpPort())};

    const char *const names[Kinds] = {"route", "audio", "status", "edid read"};
    int runs[Kinds] = {};
    std::map<int, int> statuses[Kinds];
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < commands; ++i) {
        const int kind = i % Kinds;
        const QString in = QString::number((i / Kinds) % Inputs + 1);
        const QString output = QString::number((i / Kinds / Inputs) % Outputs + 1);
        QStringList arguments = link;
        switch (kind) {
        case 0:
            arguments << QStringLiteral("route") << in << output;
            break;
        case 1:
            arguments << QStringLiteral("audio") << in;
            break;
        case 2:
            arguments << QStringLiteral("status");
            break;
        default:
            arguments << QStringLiteral("edid") << QStringLiteral("read") << output << QStringLiteral("-o") << edidFile;
            break;
        }
        QByteArray err;
        const int status = statusOf(kxrctl, arguments, &err);
        ++runs[kind];
        ++statuses[kind][status];
        if (status != 0)
            out << "  " << arguments.mid(2).join(QLatin1Char(' ')) << ": status " << status << ": " << err.trimmed()
                << '\n';
    }
    const double seconds = double(clock.elapsed()) / 1000.0;

    sim.reset();

    int falseStatuses = 0;
    out << "kxrctl against a report every " << ReportEveryMs << " ms: " << commands << " commands in " << seconds
        << " s\n";
    for (int kind = 0; kind < Kinds; ++kind) {
        out << "  " << names[kind] << ": " << runs[kind] << " runs,";
        for (const auto &entry : statuses[kind]) {
            out << " status " << entry.first << " x" << entry.second;
            if (entry.first != 0)
                falseStatuses += entry.second;
        }
        out << '\n';
    }
    out << "  false statuses: " << falseStatuses << '\n';
    return falseStatuses == 0 ? 0 : 2;
}
