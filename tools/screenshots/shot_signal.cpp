// The signal configuration page and its More dialog, connected to a
// simulated 16 x 16 device with mixed cards, in both languages:
// shot_signal OUTDIR
#include "ShotSupport.h"

#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_More.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QtTest>

namespace {

constexpr int ScreenWidth = 1600;
constexpr int ScreenHeight = 1000;
constexpr int DialogX = 1215;
constexpr int DialogY = 120;

SimTiming Timing(quint16 width, quint16 height, quint8 rate, bool interlaced = false)
{
    SimTiming timing;
    timing.width = width;
    timing.height = height;
    timing.rate = rate;
    timing.interlaced = interlaced;
    return timing;
}

SimOptions MixedDevice()
{
    SimOptions options = SimHarness::TestOptions();
    SimModelOptions &model = options.model;
    model.inputs = 16;
    model.outputs = 16;
    model.inputKinds = {0, 4, 5, 3, 6, 4, 0, 0, 1, 1, 2, 2, 0, 0, 0, 0};
    model.inputTypes = {7, 3, 6, 1, 0, 4, 8, 9, 7, 7, 7, 7, 7, 7, 7, 7};
    model.inputTimings = {Timing(1920, 1080, 60),       Timing(1280, 1024, 60), Timing(1024, 768, 60),
                          Timing(1920, 1080, 50, true), Timing(1280, 720, 50),  Timing(720, 576, 50, true),
                          Timing(3840, 2160, 30),       Timing(3840, 2160, 60), Timing(0, 0, 0)};
    model.outputKinds = {1, 1, 1, 1, 4, 4, 4, 4, 7, 8, 3, 6, 10, 12, 14, 11};
    model.outputFormats = {10, 22, 0xFF, 2, 10, 10, 10, 10, 1, 0, 5, 3, 4, 2, 6, 1};
    return options;
}

void PlaceMore(Ui_More *more)
{
    more->move(DialogX, DialogY);
    more->raise();
    Settle(800);
}

Ui_More *OpenMore(Ui_SignalConfig *page)
{
    QTest::mouseClick(page->outputRows()->moreButton(), Qt::LeftButton);
    Ui_More *more = page->moreDialog();
    if (more)
        PlaceMore(more);
    return more;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ConnectedProgram program(MixedDevice());
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    Ui_SignalConfig *page = window->signalConfigPage();
    ShowMainWindow(window, ScreenWidth, ScreenHeight);
    window->tabWidget()->setCurrentWidget(page);
    Settle(800);

    bool ok = GrabScreen(out + QStringLiteral("/signalconfig-16x16-en.png"));
    Ui_More *more = OpenMore(page);
    ok = more && program.waitQuiet() && ok;
    ok = GrabScreen(out + QStringLiteral("/signalconfig-more-en.png")) && ok;
    if (more)
        more->close();

    SelectLanguage(window, false);
    Settle(800);
    ok = GrabScreen(out + QStringLiteral("/signalconfig-16x16-zh.png")) && ok;
    more = OpenMore(page);
    ok = more && program.waitQuiet() && ok;
    ok = GrabScreen(out + QStringLiteral("/signalconfig-more-zh.png")) && ok;
    if (more)
        more->close();
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}
