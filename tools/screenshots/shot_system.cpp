// The system page after a module was found and read, and the Admin dialog
// after its three reads, in both languages: shot_system OUTDIR
// (the module is searched by the real broadcast, so run it under
// scripts/netns-run).
#include "ShotSupport.h"

#include "pages/network/ModuleSearchList.h"
#include "pages/network/Ui_System.h"
#include "pages/routing/Ui_Admin.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "transport/ServiceUdp.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTreeWidget>
#include <QtTest>

namespace {
constexpr int WindowWidth = 1280;
constexpr int WindowHeight = 800;
constexpr int AdminLeft = 380;
constexpr int AdminTop = 220;
constexpr int ReplyWaitMs = 1500;

bool GrabBothLanguages(Ui_Main *window, const QString &out, const QString &scene)
{
    bool ok = GrabScreen(out + QStringLiteral("/system-%1-en.png").arg(scene));
    SelectLanguage(window, false);
    Settle(ReplyWaitMs);
    ok = GrabScreen(out + QStringLiteral("/system-%1-zh.png").arg(scene)) && ok;
    SelectLanguage(window, true);
    Settle(ReplyWaitMs);
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true;
    options.udpPort = ServiceUdp::ModulePort;
    options.model.modules = 2;
    ConnectedProgram program(options);
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    ShowMainWindow(window, WindowWidth, WindowHeight);
    Ui_System *page = window->systemPage();
    window->tabWidget()->setCurrentWidget(page);
    Settle();

    QTest::mouseClick(page->searchButton(), Qt::LeftButton);
    Settle(ReplyWaitMs);
    QTreeWidget *list = page->searchList();
    if (list->topLevelItemCount() == 0) {
        QTextStream(stderr) << "no module answered the search\n";
        return 1;
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->topLevelItem(0)).center());
    page->SLT_GetFirmwareVersion(page->firmwareBox()->currentIndex());
    Settle(ReplyWaitMs);
    bool ok = GrabBothLanguages(window, out, QStringLiteral("read"));

    QTest::keyClick(page, Qt::Key_C, Qt::AltModifier);
    QTest::mouseClick(page->adminButton(), Qt::LeftButton);
    Ui_Admin *admin = page->adminDialog();
    if (!admin)
        return 1;
    admin->move(AdminLeft, AdminTop);
    for (QPushButton *read :
         {admin->frontPanelReadButton(), admin->serialNumberReadButton(), admin->deviceNameReadButton()})
        QTest::mouseClick(read, Qt::LeftButton);
    Settle(ReplyWaitMs);
    ok = GrabBothLanguages(window, out, QStringLiteral("admin")) && ok;
    return ok ? 0 : 1;
}
