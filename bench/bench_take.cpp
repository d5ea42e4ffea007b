// Take mode figures, not a test: the program connected to a 16 x 16
// simulated device over loopback TCP.
//  1. a take of 16 changes, timed from the Take until the last switch is
//     confirmed, against its floor of 16 send gaps of 50 ms (target: under
//     5 % above it);
//  2. staging a click: from the click until the grid shows the staged
//     outline (target: under 5 ms);
//  3. the preview of a salvo of all 16 outputs, each changing: from Recall
//     until the table is filled (target: under 50 ms).
//
//   scripts/netns-run build/bin/bench_take [rounds]

#include "pages/routing/MatrixGrid.h"
#include "pages/routing/RoutingDesk.h"
#include "pages/routing/TakeBar.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_Salvos.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"
#include "protocol/RoutingSalvo.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {
constexpr int DefaultRounds = 5;
constexpr int Channels = 16;
constexpr int TakeTimeoutMs = 10000;
constexpr double NsPerMs = 1e6;
constexpr double TakeMarginPercent = 5.0;
constexpr double TargetStageMs = 5.0;
constexpr double TargetPreviewMs = 50.0;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double worst(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Stages every output on an input other than its current one.
void stageAll(Ui_Matrix *page, int shift)
{
    for (int out = 0; out < Channels; ++out) {
        const int input = (int(Device().routingAt(quint32(out))) + shift) % Channels;
        page->grid()->crosspoint(input, out)->click();
    }
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : DefaultRounds;
    QTemporaryDir salvos;
    qputenv("KXR_SALVO_DIR", salvos.path().toUtf8());
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = Channels;
    options.model.outputs = Channels;
    ConnectedProgram program(options);
    QTextStream out(stdout);
    if (!program.ok()) {
        out << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    window->resize(1600, 1000);
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    Ui_Matrix *page = window->matrixPage();
    page->takeBar()->takeModeBox()->setChecked(true);

    std::vector<double> takes;
    std::vector<double> stages;
    QElapsedTimer clock;
    for (int round = 0; round < rounds; ++round) {
        program.waitQuiet();
        // Staging: one click, until the outline is drawn.
        for (int out = 0; out < Channels; ++out) {
            const int input = (int(Device().routingAt(quint32(out))) + 1 + round) % Channels;
            QPushButton *button = page->grid()->crosspoint(input, out);
            clock.start();
            button->click();
            button->repaint();
            stages.push_back(double(clock.nsecsElapsed()) / NsPerMs);
        }
        page->desk()->clearStaged();
        stageAll(page, 1 + round);
        clock.start();
        page->takeBar()->takeButton()->click();
        while (!page->desk()->staged().isEmpty() && clock.elapsed() < TakeTimeoutMs)
            QTest::qWait(1);
        takes.push_back(double(clock.nsecsElapsed()) / NsPerMs);
    }

    // A salvo of all 16 outputs, each one moved on by one input.
    program.waitQuiet();
    RoutingSalvo salvo;
    salvo.name = QStringLiteral("All sixteen");
    salvo.outputCount = salvo.inputCount = Channels;
    for (int o = 1; o <= Channels; ++o)
        salvo.routes.insert(o, int(Device().routingAt(quint32(o - 1)) + 1) % Channels + 1);
    QString error;
    SalvoStore().save(salvo, &error);
    page->takeBar()->salvosButton()->click();
    Ui_Salvos *dialog = page->salvosDialog();
    std::vector<double> previews;
    for (int round = 0; dialog && round < rounds * 4; ++round) {
        dialog->SLT_ClearPreview();
        dialog->select(salvo.name);
        QApplication::processEvents();
        clock.start();
        dialog->recallButton()->click();
        dialog->preview()->repaint();
        previews.push_back(double(clock.nsecsElapsed()) / NsPerMs);
    }
    const int previewRows = dialog ? dialog->preview()->rowCount() : 0;

    const double floorMs = Channels * double(LinkTiming::SendGapMs);
    const double takeMs = median(takes);
    const double overPercent = (takeMs - floorMs) / floorMs * 100.0;
    out << "bench_take: 16 x 16 device over loopback TCP, " << rounds << " rounds, platform "
        << QGuiApplication::platformName() << '\n';
    out << QStringLiteral("take of 16 changes: median %1 ms, worst %2 ms; floor 16 x %3 ms = %4 ms; "
                          "%5 % above it (target under %6 %)\n")
               .arg(takeMs, 0, 'f', 1)
               .arg(worst(takes), 0, 'f', 1)
               .arg(LinkTiming::SendGapMs)
               .arg(floorMs, 0, 'f', 0)
               .arg(overPercent, 0, 'f', 2)
               .arg(TakeMarginPercent, 0, 'f', 0);
    out << QStringLiteral(
               "staging a click (click to outline drawn): median %1 ms, worst %2 ms over %3 (target under %4 ms)\n")
               .arg(median(stages), 0, 'f', 2)
               .arg(worst(stages), 0, 'f', 2)
               .arg(stages.size())
               .arg(TargetStageMs, 0, 'f', 0);
    out << QStringLiteral(
               "preview of a 16 x 16 salvo (%1 rows): median %2 ms, worst %3 ms over %4 (target under %5 ms)\n")
               .arg(previewRows)
               .arg(median(previews), 0, 'f', 2)
               .arg(worst(previews), 0, 'f', 2)
               .arg(previews.size())
               .arg(TargetPreviewMs, 0, 'f', 0);
    const bool met = overPercent < TakeMarginPercent && median(stages) < TargetStageMs
        && median(previews) < TargetPreviewMs && previewRows == Channels;
    out << (met ? "all targets met\n" : "a target was missed\n");
    return met ? 0 : 1;
}
