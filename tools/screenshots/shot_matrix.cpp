// The matrix page connected to an 8 x 8 and to a 16 x 16 simulated device,
// and the EDID dialog after reading the television on output 1, in both
// languages: shot_matrix OUTDIR
#include "ShotSupport.h"

#include "app/ConfigStore.h"
#include "app/Startup.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTextStream>

namespace {
constexpr int WindowWidth = 1400;
constexpr int WindowHeight = 900;
constexpr int ReadMs = 2500;

SimOptions deviceOf(int inputs, int outputs)
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = inputs;
    options.model.outputs = outputs;
    return options;
}

// A routing that is not the factory one, so the marks tell a story.
void varyRouting(ConnectedProgram &program)
{
    program.sim().device().editState([](SimDeviceModel &model) {
        for (int o = 0; o < model.outputCount; ++o)
            model.routing[o] = quint8((o * 3 + 1) % model.inputCount);
        model.lrInput = 2;
    });
    // Read again, as the page does after an identification.
    program.window()->matrixPage()->InitialRead();
    program.waitQuiet();
}

Ui_Main *showMatrix(ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    ShowMainWindow(window, WindowWidth, WindowHeight);
    return window;
}

bool shootMatrix(const QString &out, int size)
{
    ConnectedProgram program(deviceOf(size, size));
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return false;
    }
    varyRouting(program);
    Ui_Main *window = showMatrix(program);
    const QString name = QStringLiteral("%1/matrix-%2x%2-%3.png").arg(out).arg(size);
    bool ok = GrabScreen(name.arg(QStringLiteral("en")));
    SelectLanguage(window, false);
    Settle(500);
    ok = GrabScreen(name.arg(QStringLiteral("zh"))) && ok;
    SelectLanguage(window, true);
    return ok;
}

bool shootEdid(const QString &out)
{
    ConnectedProgram program(deviceOf(8, 8));
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return false;
    }
    Ui_Main *window = showMatrix(program);
    bool ok = true;
    for (bool english : {true, false}) {
        SelectLanguage(window, english);
        Ui_Matrix *page = window->matrixPage();
        page->edidButton()->click();
        Ui_Edid *dialog = page->edidDialog();
        if (!dialog)
            return false;
        dialog->readPortBox()->setCurrentIndex(0);
        dialog->readButton()->click();
        Settle(ReadMs);
        ok = GrabScreen(
                 QStringLiteral("%1/edid-read-%2.png").arg(out, english ? QStringLiteral("en") : QStringLiteral("zh")))
            && ok;
        dialog->close();
        Settle();
    }
    SelectLanguage(window, true);
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The program's own style sheet, applied as start-up does.
    SetStyleSheetHook(&ApplyStyleSheet);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = shootMatrix(out, 8);
    ok = shootMatrix(out, 16) && ok;
    ok = shootEdid(out) && ok;
    return ok ? 0 : 1;
}
