// The TV wall page on a 1600 by 1000 screen: a 4 x 4 wall of sixteen
// outputs with a 2 x 2 and a 1 x 3 splice, one display of the first taken
// out of it, and the context menu of the second open, in both languages:
// shot_tvwall OUTDIR
#include "ShotSupport.h"

#include "app/LanguageTable.h"
#include "pages/wall/MyTableWidget.h"
#include "pages/wall/Ui_TVWall.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/WallGridDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QtTest>

using namespace WallGridDriver;

namespace {

constexpr int WindowWidth = 1200;
constexpr int WindowHeight = 820;

bool BuildScene(Ui_TVWall *page, ConnectedProgram &program)
{
    MyTableWidget *grid = page->grid();
    SelectCells(grid, 0, 0, 1, 1);
    bool ok = ChooseOnCell(grid, 0, 0, SMenu_ScreenSplicing);
    LeftClick(grid, 0, 0);
    QTest::keyClicks(page->bezelEdit(Ui_TVWall::BezelSide::Left), "12");
    QTest::keyClicks(page->bezelEdit(Ui_TVWall::BezelSide::Right), "12");
    QTest::mouseClick(page->bezelWriteButton(), Qt::LeftButton);
    ok = ChooseOnCell(grid, 1, 1, QStringLiteral("6 - ") + SMenu_CancelSplicing) && ok;
    SelectCells(grid, 3, 1, 3, 3);
    ok = ChooseOnCell(grid, 3, 1, SMenu_ScreenSplicing) && ok;
    ok = program.waitQuiet() && ok;
    // A read shows what the device now holds.
    QTest::mouseClick(page->readButton(), Qt::LeftButton);
    return program.waitQuiet() && ok;
}

bool ShootMenu(MyTableWidget *grid, const QString &path)
{
    LeftClick(grid, 3, 2);
    QMenu *menu = RightClick(grid, 3, 2);
    Settle(600);
    const bool ok = menu && GrabScreen(path);
    if (menu)
        menu->close();
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 16;
    options.model.outputs = 16;
    options.model.wallRows = 4;
    options.model.wallCols = 4;
    ConnectedProgram program(options);
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    ShowMainWindow(window, WindowWidth, WindowHeight);
    window->tabWidget()->setCurrentWidget(window->tvWallPage());
    Settle();
    Ui_TVWall *page = window->tvWallPage();
    page->setFocus();
    QTest::keyClick(page, Qt::Key_Q, Qt::AltModifier);
    bool ok = BuildScene(page, program);
    if (!ok)
        QTextStream(stderr) << "the scene could not be set up\n";

    ok = ShootMenu(page->grid(), out + QStringLiteral("/tvwall-splices-menu-en.png")) && ok;
    SelectLanguage(window, false);
    Settle(800);
    ok = ShootMenu(page->grid(), out + QStringLiteral("/tvwall-splices-menu-zh.png")) && ok;
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}
