// The multiview page on a 1600 by 1000 screen: a 1920 x 1080 multiview
// with four windows in different layers and crops, window 3 switched off,
// window 4 selected with its handles, and the context menu open on window 2
// with its sub-menu, in both languages:
// shot_multiview OUTDIR
#include "ShotSupport.h"

#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"
#include "pages/wall/Ui_Multiview.h"
#include "shell/Ui_Main.h"
#include "support/CanvasDriver.h"
#include "support/ComboChoice.h"
#include "support/ConnectedProgram.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTextStream>

namespace {

constexpr int WindowWidth = 1300;
constexpr int WindowHeight = 760;
constexpr quint16 Width = 1920;
constexpr quint16 Height = 1080;
const QPoint OnWindow4(600, 900);
const QPoint OnWindow2(1300, 700);

struct ShotWindow
{
    quint16 x, y, w, h;
    quint8 layer, visible, cropX, cropY, cropW, cropH;
};

constexpr ShotWindow Windows[] = {{80, 60, 900, 520, 0, 1, 0, 0, 100, 100},
                                  {700, 300, 800, 500, 2, 1, 10, 10, 80, 80},
                                  {1200, 80, 600, 400, 1, 0, 0, 20, 100, 60},
                                  {300, 600, 700, 420, 3, 1, 25, 0, 50, 100}};

void ArrangeDevice(ConnectedProgram &program)
{
    program.sim().device().editState([](SimDeviceModel &m) {
        SimMultiview &view = m.multiview[4];
        view.audioSource = 2;
        for (int k = 0; k < 4; ++k) {
            const ShotWindow &s = Windows[k];
            SimWindow &w = view.windows[k];
            w.x = s.x, w.y = s.y, w.w = s.w, w.h = s.h;
            w.layer = s.layer, w.visible = s.visible;
            w.cropX = s.cropX, w.cropY = s.cropY, w.cropW = s.cropW, w.cropH = s.cropH;
        }
    });
}

bool Shoot(Ui_Multiview *page, const QString &path)
{
    MyCustomView *view = page->view();
    CanvasDriver::Click(view, OnWindow4);
    QMenu *menu = CanvasDriver::RightClick(view, OnWindow2);
    Settle(400);
    bool ok = menu != nullptr;
    if (menu) {
        // Window 2's sub-menu, opened beside its entry.
        for (QAction *action : menu->actions()) {
            if (action->menu() && action->text().endsWith(QStringLiteral("-2"))) {
                menu->setActiveAction(action);
                action->menu()->popup(menu->mapToGlobal(menu->actionGeometry(action).topRight()));
                break;
            }
        }
        Settle(800);
    }
    ok = GrabScreen(path) && ok;
    if (menu)
        menu->close();
    Settle(200);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SimOptions options = SimHarness::TestOptions();
    options.model.multiviewWidth = Width;
    options.model.multiviewHeight = Height;
    ConnectedProgram program(options);
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    ShowMainWindow(window, WindowWidth, WindowHeight);
    Ui_Multiview *page = window->multiviewPage();
    window->tabWidget()->setCurrentWidget(page);
    Settle();
    ArrangeDevice(program);
    // Reading the multiview again draws what the device now holds.
    bool ok = ChooseComboEntry(page->multiviewBox(), 0) && program.waitQuiet();
    if (!ok)
        QTextStream(stderr) << "the multiview could not be read\n";

    ok = Shoot(page, out + QStringLiteral("/multiview-windows-menu-en.png")) && ok;
    SelectLanguage(window, false);
    Settle(800);
    ok = ChooseComboEntry(page->multiviewBox(), 0) && program.waitQuiet() && ok;
    ok = Shoot(page, out + QStringLiteral("/multiview-windows-menu-zh.png")) && ok;
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}
