#include "ShotSupport.h"

#include "app/ConfigStore.h"
#include "app/LanguageTable.h"
#include "app/Startup.h"
#include "shell/Ui_Main.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace {
constexpr int ImportTimeoutMs = 15000;

// The pictures show the program as it looks: its start-up settings step
// installs the application style sheet, as the program's own start-up does.
const bool StyleHookInstalled = (SetStyleSheetHook(&ApplyStyleSheet), true);
} // namespace

void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void SelectLanguage(Ui_Main *window, bool english)
{
    QComboBox *selector = window->languageSelector();
    const QString wanted = english ? ScomboBox_LanguageSelect[0] : ScomboBox_LanguageSelect[1];
    const int index = selector->findText(wanted);
    if (index >= 0 && index != selector->currentIndex())
        selector->setCurrentIndex(index);
    Settle();
}

bool GrabScreen(const QString &path)
{
    Settle();
    QProcess import;
    import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
    return import.waitForFinished(ImportTimeoutMs) && import.exitCode() == 0;
}

void ShowMainWindow(Ui_Main *window, int width, int height)
{
    window->setGeometry(0, 0, width, height);
    window->show();
    window->raise();
    window->activateWindow();
    Settle(500);
}
