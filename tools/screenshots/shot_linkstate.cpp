// The window at the default size of the screen it runs on, in both
// languages: a pending crosspoint on the matrix page, the pages inactive
// after the link went away, the 4 x 4 TV wall, the multiview canvas and the
// signal configuration rows: shot_linkstate OUTDIR
#include "ShotSupport.h"

#include "app/ConfigStore.h"
#include "app/Startup.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/wall/Ui_Multiview.h"
#include "pages/wall/Ui_TVWall.h"
#include "shell/Ui_Main.h"
#include "transport/Ui_Uart_Network.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>

namespace {
// Long enough to grab the picture while the switch waits for its answer.
constexpr int HeldReplyMs = 6000;
constexpr int NoticeMs = 1500;

SimOptions device()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 16;
    options.model.outputs = 16;
    options.model.wallRows = 4;
    options.model.wallCols = 4;
    return options;
}

QString sizeName()
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    return QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
}

bool shootBothLanguages(Ui_Main *window, const QString &pattern)
{
    bool ok = GrabScreen(pattern.arg(QStringLiteral("en")));
    SelectLanguage(window, false);
    Settle(500);
    ok = GrabScreen(pattern.arg(QStringLiteral("zh"))) && ok;
    SelectLanguage(window, true);
    return ok;
}

bool shoot(const QString &out)
{
    ConnectedProgram program(device(), ConnectedProgram::Link::Tcp, {{"Key_UI_Peripheral", "1"}});
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return false;
    }
    Ui_Main *window = program.window();
    const QRect geometry = Ui_Main::InitialGeometry(QGuiApplication::primaryScreen()->size());
    ShowMainWindow(window, geometry.width(), geometry.height());
    const QString size = sizeName();
    bool ok = true;

    const struct
    {
        QWidget *page;
        const char *name;
    } pages[] = {
        {window->tvWallPage(), "tvwall-4x4"},
        {window->multiviewPage(), "multiview"},
        {window->signalConfigPage(), "signalconfig"},
    };
    for (const auto &page : pages) {
        window->tabWidget()->setCurrentWidget(page.page);
        Settle(500);
        ok = shootBothLanguages(window, QStringLiteral("%1/%2-%3-%4.png").arg(out, page.name, size)) && ok;
    }

    // Output 2 asked for input 9 while the device still holds its answer.
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    SimFaultOptions held;
    held.delayMs = HeldReplyMs;
    program.sim().setFaults(held);
    window->matrixPage()->grid()->crosspoint(8, 1)->click();
    Settle(300);
    ok = shootBothLanguages(window, QStringLiteral("%1/matrix-pending-%2-%3.png").arg(out, size)) && ok;
    program.sim().setFaults(SimFaultOptions());
    program.waitQuiet(HeldReplyMs * 2);

    // The device goes away, once per language: the language is chosen while
    // the link is up, since a redraw without a link has no counts to draw.
    for (bool english : {true, false}) {
        SelectLanguage(window, english);
        program.sim().setTcpListening(false);
        program.sim().dropTcpClients();
        Settle(NoticeMs);
        ok = GrabScreen(QStringLiteral("%1/notconnected-%2-%3.png")
                            .arg(out, size, english ? QStringLiteral("en") : QStringLiteral("zh")))
            && ok;
        program.sim().setTcpListening(true);
        window->connectionPage()->networkConnectButton()->click();
        Settle(NoticeMs);
        program.waitQuiet();
    }
    SelectLanguage(window, true);
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SetStyleSheetHook(&ApplyStyleSheet);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    return shoot(out) ? 0 : 1;
}
