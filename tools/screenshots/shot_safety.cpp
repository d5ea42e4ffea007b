// The debug console with millisecond times and sent and received frames in
// one view, and the confirmation that "Allset:" asks first (NO is the
// default), in both languages, named after the screen's size:
// shot_safety OUTDIR
#include "ShotSupport.h"

#include "chrome/MyComboBox.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Matrix.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Main.h"
#include "support/ComboChoice.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

namespace {
constexpr int BoxPollMs = 100;
constexpr int BoxPolls = 50;

QString ShotName(const QString &out, const char *what, bool english)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    return QStringLiteral("%1/%2-%3x%4-%5.png")
        .arg(out, QLatin1String(what))
        .arg(screen.width())
        .arg(screen.height())
        .arg(english ? QStringLiteral("en") : QStringLiteral("zh"));
}

bool shootConsole(const QString &out, ConnectedProgram &program, bool english)
{
    Ui_Main *window = program.window();
    QApplication::setActiveWindow(window);
    QTest::keyClick(window, Qt::Key_Z, Qt::AltModifier);
    Ui_Debug *console = window->debugConsole();
    console->SLT_CLEAR_RECV_DATA();
    console->SLT_CLEAR_SEND_DATA();
    console->timestampBox()->setChecked(true);
    console->oneViewBox()->setChecked(true);
    QTest::mouseClick(window->matrixPage()->grid()->crosspoint(2, 1), Qt::LeftButton);
    program.waitQuiet();
    console->sendInput()->setText(QStringLiteral("7B 7B 12 01 00 03 7D 7D"));
    QTest::mouseClick(console->sendButton(), Qt::LeftButton);
    program.waitQuiet();
    console->move(300, 120);
    console->raise();
    Settle(500);
    const bool ok = GrabScreen(ShotName(out, "console-timestamps", english));
    console->close();
    return ok;
}

// The box is modal: it is grabbed and answered NO from a timer while it runs.
bool shootConfirmation(const QString &out, ConnectedProgram &program, bool english)
{
    Ui_Main *window = program.window();
    auto grabbed = std::make_shared<bool>(false);
    auto polls = std::make_shared<int>(0);
    auto *timer = new QTimer;
    const QString path = ShotName(out, "confirm-allset", english);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, grabbed, polls, path] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box) {
            Settle(400);
            *grabbed = GrabScreen(path);
            QTest::keyClick(box, Qt::Key_Escape);
        }
        if (box || ++*polls > BoxPolls)
            timer->deleteLater();
    });
    timer->start(BoxPollMs);
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    ChooseComboEntry(window->matrixPage()->allSetBox(), 2);
    program.waitQuiet();
    return *grabbed;
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
    const QSize screen = QGuiApplication::primaryScreen()->size();
    ShowMainWindow(program.window(), screen.width(), screen.height() - 40);
    bool ok = true;
    for (const bool english : {true, false}) {
        SelectLanguage(program.window(), english);
        ok = shootConsole(out, program, english) && ok;
        // Real boxes: the recorder of the test fixture steps aside.
        SetMessageHook({});
        ok = shootConfirmation(out, program, english) && ok;
        program.messages().install();
    }
    SelectLanguage(program.window(), true);
    return ok ? 0 : 1;
}
