#include "app/Startup.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"
#include "transport/ServiceRegistry.h"

#include <QApplication>
#include <QFile>

void ApplyStyleSheet()
{
    QFile file(AppPath(QLatin1String(Paths::AppStyleSheet)));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    qApp->setStyleSheet(QString::fromLatin1(file.readAll()));
}

int RunStartup(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);

    SetStyleSheetHook(&ApplyStyleSheet);
    const bool configExisted = StartupSettings();

    auto *mainWindow = new Ui_Main;
    auto *login = new Ui_Login;
    QObject::connect(login, &Ui_Login::SGL_SETUP_UI_MAIN, mainWindow, &Ui_Main::SLT_SETUP_UI_MAIN);

    if (configExisted && Key_UI_Login == QLatin1String("0")) {
        mainWindow->ApplyMainTexts(false);
        mainWindow->show();
    } else {
        login->ApplyLoginTexts(false);
        login->show();
    }

    const int exitCode = app.exec();
    // The first of the two destructors saves the settings.
    delete login;
    delete mainWindow;
    ShutdownServices();
    return exitCode;
}
