// Matrix page figures, not a test:
//  1. click-to-confirmed-mark latency: the program connected to the
//     in-process simulator over loopback TCP, N crosspoint clicks on an idle
//     link, each timed from the click until the page shows the new mark.
//     The simulator's clock stamps the click, the request's arrival, the
//     reply's departure and the mark, so the time splits into: the send
//     gap every command waits (50 ms), the device's own reply time, and
//     what is left - the program's overhead.
//  2. rebuilding and redrawing a 16 x 16 grid (build, redraw from the
//     model, paint), offscreen.
//
//   scripts/netns-run build/bin/bench_matrix [clicks]

#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/TestSupport.h"
#include "protocol/LinkTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {
constexpr int DefaultClicks = 100;
constexpr int Rebuilds = 50;
constexpr int Columns = 8;
constexpr qint64 MarkTimeoutNs = 3000LL * 1000 * 1000;
constexpr double NsPerMs = 1e6;
constexpr double TargetOverheadMs = 5.0;
constexpr double TargetRebuildMs = 16.0;
constexpr int PageWidth = 1400;
constexpr int PageHeight = 800;

struct Stats
{
    double median;
    double worst;
};

Stats stats(std::vector<double> values)
{
    if (values.empty())
        return {0, 0};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

int markedColumn(const MatrixGrid *grid, int row)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->crosspoint(c, row)->isFlat())
            return c;
    }
    return -1;
}

const SimTrafficEntry *lastEntry(const QVector<SimTrafficEntry> &entries)
{
    return entries.isEmpty() ? nullptr : &entries.constLast();
}

Stats rebuildFigures()
{
    ResetProcessState();
    Ui_Matrix page;
    page.resize(PageWidth, PageHeight);
    page.show();
    QCoreApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < Rebuilds; ++i) {
        for (quint32 o = 0; o < DeviceLimits::Channels; ++o)
            Device().routingAt(o) = (o + quint32(i)) % DeviceLimits::Channels;
        QElapsedTimer clock;
        clock.start();
        page.BuildGrid(DeviceLimits::Channels, DeviceLimits::Channels);
        page.BuildExpandInputRow(0);
        page.BuildAudioSwitchRow();
        page.RefreshFromDevice();
        page.repaint();
        times.push_back(double(clock.nsecsElapsed()) / NsPerMs);
    }
    ResetProcessState();
    return stats(times);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int clicks = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : DefaultClicks;

    const Stats rebuild = rebuildFigures();

    ConnectedProgram program;
    if (!program.ok()) {
        out << "not connected: " << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    const MatrixGrid *grid = window->matrixPage()->grid();
    SimDevice &sim = program.sim().device();

    // The mark is stamped right after the page has redrawn: this receiver
    // was connected after the page's.
    qint64 markedAt = 0;
    int wanted = -1;
    QObject::connect(&Events(), &DeviceEvents::SGL_RefreshMatrix, &app, [&] {
        if (wanted >= 0 && markedColumn(grid, 0) == wanted && markedAt == 0)
            markedAt = sim.nowNs();
    });

    std::vector<double> total, toWire, device, back, overhead;
    for (int i = 0; i < clicks; ++i) {
        program.waitQuiet();
        wanted = (markedColumn(grid, 0) + 1) % Columns;
        markedAt = 0;
        const int seen = program.sim().requests(SimLink::Tcp).size();
        const qint64 clickedAt = sim.nowNs();
        grid->crosspoint(wanted, 0)->click();
        while (markedAt == 0 && sim.nowNs() - clickedAt < MarkTimeoutNs)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const QVector<SimTrafficEntry> requests = program.sim().requests(SimLink::Tcp);
        const SimTrafficEntry *reply = lastEntry(program.sim().replies(SimLink::Tcp));
        if (markedAt == 0 || requests.size() != seen + 1 || !reply) {
            out << "click " << i << ": no confirmed mark\n";
            return 1;
        }
        const SimTrafficEntry &request = requests.constLast();
        total.push_back(double(markedAt - clickedAt) / NsPerMs);
        toWire.push_back(double(request.atNs - clickedAt) / NsPerMs);
        device.push_back(double(reply->atNs - request.atNs) / NsPerMs);
        back.push_back(double(markedAt - reply->atNs) / NsPerMs);
        overhead.push_back(total.back() - LinkTiming::SendGapMs - device.back());
    }

    const auto line = [&out](const char *what, const Stats &s) {
        out << QStringLiteral("%1 median %2 ms, worst %3 ms\n")
                   .arg(QLatin1String(what), -34)
                   .arg(s.median, 0, 'f', 3)
                   .arg(s.worst, 0, 'f', 3);
    };
    out << clicks << " crosspoint clicks over loopback TCP (8 x 8 device)\n";
    line("click to confirmed mark:", stats(total));
    line("  click to request on the wire:", stats(toWire));
    line("  device reply time:", stats(device));
    line("  reply to mark shown:", stats(back));
    line("overhead beyond gap and device:", stats(overhead));
    out << Rebuilds << " rebuilds of a 16 x 16 grid\n";
    line("rebuild, redraw and paint:", rebuild);
    const bool met = stats(overhead).median < TargetOverheadMs && rebuild.median < TargetRebuildMs;
    out << "targets (overhead median < " << TargetOverheadMs << " ms, rebuild < " << TargetRebuildMs
        << " ms): " << (met ? "met" : "NOT met") << '\n';
    return 0;
}
