// The windows no page driver shows: the login window, the Save/Load dialog
// over the matrix page and the debug console after a raw send, in both
// languages: shot_extras OUTDIR
#include "ShotSupport.h"

#include "app/ByteText.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QtTest>

namespace {
constexpr int WindowWidth = 1400;
constexpr int WindowHeight = 900;

bool shootLogin(const QString &out, Ui_Main *window)
{
    bool ok = true;
    for (const bool english : {true, false}) {
        SelectLanguage(window, english);
        Ui_Login login;
        login.ApplyLoginTexts(false);
        login.move(200, 150);
        login.show();
        QTest::keyClicks(login.passwordEdit(), QStringLiteral("537204"));
        Settle(500);
        ok = GrabScreen(
                 QStringLiteral("%1/login-%2.png").arg(out, english ? QStringLiteral("en") : QStringLiteral("zh")))
            && ok;
    }
    SelectLanguage(window, true);
    return ok;
}

bool shootSaveLoad(const QString &out, ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    ShowMainWindow(window, WindowWidth, WindowHeight);
    bool ok = true;
    for (const bool english : {true, false}) {
        SelectLanguage(window, english);
        QTest::mouseClick(window->matrixPage()->saveLoadButton(), Qt::LeftButton);
        Ui_SaveLoad *dialog = window->matrixPage()->saveLoadDialog();
        if (!dialog)
            return false;
        dialog->move(420, 260);
        dialog->nameEdit()->setText(english ? QStringLiteral("Morning show") : QStringLiteral("早间节目"));
        Settle(500);
        ok = GrabScreen(
                 QStringLiteral("%1/saveload-%2.png").arg(out, english ? QStringLiteral("en") : QStringLiteral("zh")))
            && ok;
        dialog->close();
    }
    SelectLanguage(window, true);
    return ok;
}

bool shootConsole(const QString &out, ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    QApplication::setActiveWindow(window);
    QTest::keyClick(window, Qt::Key_Z, Qt::AltModifier);
    Ui_Debug *console = window->debugConsole();
    QTest::mouseClick(window->matrixPage()->grid()->crosspoint(2, 1), Qt::LeftButton);
    program.waitQuiet();
    console->timestampBox()->setChecked(true);
    console->sendInput()->setText(QStringLiteral("7B 7B 12 01 00 03 7D 7D"));
    QTest::mouseClick(console->sendButton(), Qt::LeftButton);
    program.waitQuiet();
    console->move(300, 200);
    console->raise();
    Settle(500);
    return GrabScreen(out + QStringLiteral("/debug-console.png"));
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ConnectedProgram program;
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    bool ok = shootSaveLoad(out, program);
    ok = shootConsole(out, program) && ok;
    program.window()->hide();
    program.window()->debugConsole()->close();
    ok = shootLogin(out, program.window()) && ok;
    return ok ? 0 : 1;
}
