// The connection page on a 1280 by 720 screen, connected to the simulator,
// in both languages: shot_connection OUTDIR
#include "ShotSupport.h"

#include "support/ConnectedProgram.h"
#include "shell/Ui_Main.h"
#include "transport/Ui_Uart_Network.h"

#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QtTest>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true; // the search by broadcast finds the simulated module
    ConnectedProgram program(options);
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    window->show();
    QTest::mouseClick(window->connectionPage()->searchButton(), Qt::LeftButton);
    Settle(1500);
    bool ok = GrabScreen(out + QStringLiteral("/connection-1280x720-en.png"));
    SelectLanguage(window, false);
    Settle(800);
    ok = GrabScreen(out + QStringLiteral("/connection-1280x720-zh.png")) && ok;
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}
