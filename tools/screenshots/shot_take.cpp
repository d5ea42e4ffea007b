// Take mode with three staged changes and a locked output, the preview of a salvo and the
// routing history, in both languages: shot_take OUTDIR
#include "ShotSupport.h"

#include "app/OutputLocks.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/RoutingDesk.h"
#include "pages/routing/RoutingHistory.h"
#include "pages/routing/TakeBar.h"
#include "pages/routing/Ui_History.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_Salvos.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoStack>

namespace {
constexpr int WindowWidth = 1400;
constexpr int WindowHeight = 900;

QString shotName(const QString &out, const char *what, bool english)
{
    return QStringLiteral("%1/%2-%3.png")
        .arg(out, QLatin1String(what), english ? QStringLiteral("en") : QStringLiteral("zh"));
}

void click(Ui_Matrix *page, int input, int output) // as the page numbers them
{
    page->grid()->crosspoint(input - 1, output - 1)->click();
}

bool shootStaged(const QString &out, ConnectedProgram &program, bool english)
{
    Ui_Matrix *page = program.window()->matrixPage();
    page->takeBar()->takeModeBox()->setChecked(true);
    click(page, 6, 2);
    click(page, 3, 4);
    click(page, 8, 7);
    program.window()->outputLocks()->setLocked(5, true);
    Settle(500);
    const bool ok = GrabScreen(shotName(out, "take-staged", english));
    program.window()->outputLocks()->setLocked(5, false);
    page->desk()->clearStaged();
    page->takeBar()->takeModeBox()->setChecked(false);
    return ok;
}

bool shootPreview(const QString &out, ConnectedProgram &program, bool english)
{
    Ui_Matrix *page = program.window()->matrixPage();
    page->takeBar()->salvosButton()->click();
    Ui_Salvos *dialog = page->salvosDialog();
    if (!dialog)
        return false;
    dialog->nameEdit()->setText(QStringLiteral("Evening show"));
    if (english)
        dialog->saveButton()->click();
    click(page, 5, 1);
    click(page, 2, 3);
    click(page, 7, 6);
    program.waitQuiet();
    dialog->select(QStringLiteral("Evening show"));
    dialog->recallButton()->click();
    dialog->move(200, 150);
    dialog->raise();
    Settle(500);
    const bool ok = GrabScreen(shotName(out, "salvo-preview", english));
    dialog->takeButton()->click();
    program.waitQuiet();
    dialog->close();
    return ok;
}

bool shootHistory(const QString &out, ConnectedProgram &program, bool english)
{
    Ui_Matrix *page = program.window()->matrixPage();
    page->takeBar()->historyButton()->click();
    Ui_History *dialog = page->historyDialog();
    if (!dialog)
        return false;
    dialog->move(300, 200);
    dialog->raise();
    Settle(500);
    const bool ok = GrabScreen(shotName(out, "undo-history", english));
    dialog->close();
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir salvos;
    qputenv("KXR_SALVO_DIR", salvos.path().toUtf8());
    ConnectedProgram program;
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    ShowMainWindow(window, WindowWidth, WindowHeight);
    bool ok = true;
    for (const bool english : {true, false}) {
        SelectLanguage(window, english);
        // The steps keep the words of the language they were made in.
        window->matrixPage()->desk()->history()->stack()->clear();
        Settle(500);
        ok = shootStaged(out, program, english) && ok;
        ok = shootPreview(out, program, english) && ok;
        ok = shootHistory(out, program, english) && ok;
    }
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}
