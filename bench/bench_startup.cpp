// Start-up figure, not a test: the time from starting the program, as a
// user does (a separate process, the executable with its run-time tree
// beside it), until its first window - the login window - is mapped on the
// X display, and the program's resident memory at that moment. Needs an X
// display; run it under xvfb-run:
//
//   scripts/netns-run xvfb-run -a build/bin/bench_startup [program] [runs]
//
// The program and its run-time tree (APP, TitleBar, UserCmdConfig,
// UserDefaultEDID) are copied into a scratch folder first; the first run
// there writes the settings files as a first start does and is reported
// apart from the others.

#include "ProcessMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>

#include <algorithm>
#include <vector>

namespace {
constexpr int DefaultRuns = 10;
constexpr int WindowTimeoutMs = 10000;
constexpr int ExitWaitMs = 5000;
constexpr double NsPerMs = 1e6;
constexpr double TargetMs = 300.0;
constexpr qint64 KiBPerMiB = 1024;
const char *const RuntimeFolders[] = {"APP", "TitleBar", "UserCmdConfig", "UserDefaultEDID"};

struct Run
{
    double ms = 0;
    qint64 residentKiB = 0;
    QString title;
};

bool copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        const bool ok = entry.isDir() ? copyTree(entry.filePath(), target) : QFile::copy(entry.filePath(), target);
        if (!ok)
            return false;
    }
    return true;
}

QString windowTitle(Display *display, Window window)
{
    XTextProperty property;
    if (!XGetWMName(display, window, &property) || !property.value)
        return QString();
    const QString title = QString::fromUtf8(reinterpret_cast<const char *>(property.value), int(property.nitems));
    XFree(property.value);
    return title;
}

// Waits for the first top-level window to be mapped; false on timeout.
bool waitForMap(Display *display, const QElapsedTimer &clock, qint64 &mappedNs, Window &mapped)
{
    const int fd = ConnectionNumber(display);
    while (clock.elapsed() < WindowTimeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedNs = clock.nsecsElapsed();
                mapped = event.xmap.window;
                return true;
            }
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 1000};
        select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    return false;
}

bool startOnce(Display *display, const QString &program, Run &run)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    qint64 mappedNs = 0;
    Window window = 0;
    const bool shown = waitForMap(display, clock, mappedNs, window);
    if (shown) {
        run.ms = double(mappedNs) / NsPerMs;
        run.residentKiB = ResidentKiB(process.processId());
        run.title = windowTitle(display, window);
    }
    process.terminate();
    if (!process.waitForFinished(ExitWaitMs)) {
        process.kill();
        process.waitForFinished(ExitWaitMs);
    }
    // Forget what this run left in the queue.
    XSync(display, True);
    return shown;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QCoreApplication::applicationDirPath() + QStringLiteral("/kxrcontrol");
    const int runs = argc > 2 ? qMax(1, QByteArray(argv[2]).toInt()) : DefaultRuns;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        out << "bench_startup: no X display (run it under xvfb-run)\n";
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    QTemporaryDir scratch;
    const QFileInfo source(program);
    const QString copy = scratch.path() + QLatin1Char('/') + source.fileName();
    bool copied = QFile::copy(source.absoluteFilePath(), copy);
    for (const char *folder : RuntimeFolders)
        copied = copied
            && copyTree(source.absolutePath() + QLatin1Char('/') + QLatin1String(folder),
                        scratch.path() + QLatin1Char('/') + QLatin1String(folder));
    if (!copied) {
        out << "bench_startup: could not copy " << program << " and its run-time tree\n";
        return 1;
    }

    Run first;
    if (!startOnce(display, copy, first)) {
        out << "bench_startup: no window within " << WindowTimeoutMs << " ms\n";
        return 1;
    }
    std::vector<Run> later;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!startOnce(display, copy, run)) {
            out << "bench_startup: no window within " << WindowTimeoutMs << " ms\n";
            return 1;
        }
        later.push_back(run);
    }
    XCloseDisplay(display);

    std::vector<double> times;
    for (const Run &run : later)
        times.push_back(run.ms);
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    out << "bench_startup: " << source.fileName() << ", process start to the first window mapped (\""
        << later.front().title << "\")\n";
    out << QStringLiteral("  first start (settings written)  : %1 ms, %2 MiB resident\n")
               .arg(first.ms, 0, 'f', 1)
               .arg(double(first.residentKiB) / KiBPerMiB, 0, 'f', 1);
    out << QStringLiteral("  %1 later starts                 : median %2 ms, best %3 ms, worst %4 ms "
                          "(target under %5 ms: %6)\n")
               .arg(runs)
               .arg(median, 0, 'f', 1)
               .arg(times.front(), 0, 'f', 1)
               .arg(times.back(), 0, 'f', 1)
               .arg(TargetMs, 0, 'f', 0)
               .arg(median < TargetMs ? QStringLiteral("met") : QStringLiteral("MISSED"));
    out << QStringLiteral("  resident memory at the window   : %1 MiB\n")
               .arg(double(later.back().residentKiB) / KiBPerMiB, 0, 'f', 1);
    return 0;
}
