// The EDID dialog's decoded view after reading a 4K television, and the
// warning before an EDID that announces 1080p60 goes to an input whose
// displays top out at 1080i, in both languages: shot_edid OUTDIR
#include "ShotSupport.h"

#include "app/ConfigStore.h"
#include "app/Startup.h"
#include "chrome/MessageBox.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "tools/devsim/SimDisplayProfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {
constexpr int WindowWidth = 1400;
constexpr int WindowHeight = 900;
constexpr int ReadMs = 2500;
constexpr int BoxPollMs = 100;
constexpr int BoxWaitMs = 15000;
const char Displays[] = "4k60,1080i,720p,4k30,1080p60,dvi-1080p,1080p60,1080i";
constexpr int WarnedInput = 3;
const int WarnedOutputs[] = {1, 7};

QString languageName(bool english)
{
    return english ? QStringLiteral("en") : QStringLiteral("zh");
}

// Grabs the screen once the confirmation is up, then answers NO.
void grabConfirmation(const QString &path, bool *ok, bool *done)
{
    auto *poll = new QTimer;
    auto *waited = new int(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, path, ok, done] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        *waited += BoxPollMs;
        if (!box && *waited < BoxWaitMs)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        *done = true;
        if (!box) {
            *ok = false;
            return;
        }
        Settle();
        *ok = GrabScreen(path) && *ok;
        for (QAbstractButton *button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::NoRole)
                button->click();
    });
    poll->start(BoxPollMs);
}

bool shoot(const QString &out)
{
    SimOptions options = SimHarness::TestOptions();
    QString error;
    ReadSimOutputEdids(QLatin1String(Displays), options.model.outputEdids, error);
    ConnectedProgram program(options);
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return false;
    }
    // Real boxes: the recorder of the test fixture steps aside.
    SetMessageHook({});
    Ui_Main *window = program.window();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    ShowMainWindow(window, WindowWidth, WindowHeight);
    const QString sample = program.dir().file(QStringLiteral("/UserDefaultEDID/hd-tv-1080p60.bin"));
    QFile file(sample);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(SimDisplayProfileEdid(QStringLiteral("1080p60"), 0));
    file.close();
    SetEdidFileHook([sample](EdidFileAction) { return sample; });

    bool ok = true;
    for (bool english : {true, false}) {
        SelectLanguage(window, english);
        Ui_Matrix *page = window->matrixPage();
        page->edidButton()->click();
        Ui_Edid *dialog = page->edidDialog();
        if (!dialog)
            return false;
        Settle();
        dialog->readPortBox()->setCurrentIndex(0);
        dialog->readButton()->click();
        Settle(ReadMs);
        ok = GrabScreen(QStringLiteral("%1/edid-decoded-%2.png").arg(out, languageName(english))) && ok;

        // Input 4 shown on the two 1080i sets.
        DeviceState &device = Device();
        for (int o : WarnedOutputs)
            device.routingAt(quint32(o)) = WarnedInput;
        dialog->loadButton()->click();
        dialog->writePortBox()->setCurrentIndex(WarnedInput);
        bool done = false;
        grabConfirmation(QStringLiteral("%1/edid-warning-%2.png").arg(out, languageName(english)), &ok, &done);
        dialog->writeButton()->click();
        for (int waited = 0; !done && waited < BoxWaitMs; waited += BoxPollMs)
            Settle(BoxPollMs);
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
    SetStyleSheetHook(&ApplyStyleSheet);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    return shoot(out) ? 0 : 1;
}
