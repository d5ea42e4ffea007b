#include "app/Startup.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"

#include <QApplication>
#include <QFile>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
const char GlIntegrationVariable[] = "QT_XCB_GL_INTEGRATION";
const char NoGlIntegration[] = "none";
// glibc's own starting value; setting it keeps it there.
constexpr int MmapThresholdBytes = 128 * 1024;
} // namespace

void PreparePlatform()
{
    if (!qEnvironmentVariableIsSet(GlIntegrationVariable))
        qputenv(GlIntegrationVariable, NoGlIntegration);
}

void TuneAllocator()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, MmapThresholdBytes);
#endif
}

void ApplyStyleSheet()
{
    QFile file(AppPath(QLatin1String(Paths::AppStyleSheet)));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    qApp->setStyleSheet(QString::fromLatin1(file.readAll()));
}

StartupWindows CreateStartupWindows(bool configExisted)
{
    StartupWindows windows;
    windows.main = std::make_unique<Ui_Main>();
    windows.login = std::make_unique<Ui_Login>();
    QObject::connect(windows.login.get(), &Ui_Login::SGL_SETUP_UI_MAIN, windows.main.get(),
                     &Ui_Main::SLT_SETUP_UI_MAIN);

    if (configExisted && Key_UI_Login == QLatin1String("0")) {
        windows.main->ApplyMainTexts(false);
        windows.main->show();
    } else {
        windows.login->ApplyLoginTexts(false);
        windows.login->show();
    }
    return windows;
}

void DestroyStartupWindows(StartupWindows &windows)
{
    windows.login.reset();
    windows.main.reset();
}

int RunStartup(int argc, char *argv[])
{
    TuneAllocator();
    PreparePlatform();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);

    SetStyleSheetHook(&ApplyStyleSheet);
    const bool configExisted = StartupSettings();
    StartupWindows windows = CreateStartupWindows(configExisted);
    const int exitCode = app.exec();
    DestroyStartupWindows(windows);
    return exitCode;
}
