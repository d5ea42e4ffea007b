#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/Startup.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"

#include <QLineEdit>
#include <QtTest>

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window_data();
    void window();
    void login_opensTheMainWindow();
};

void StartupTest::window_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("mainShown");
    QTest::newRow("first start shows the login") << QByteArray() << false;
    QTest::newRow("login on") << MainWindowFixture::configWith({}) << false;
    QTest::newRow("login off") << MainWindowFixture::configWith({{"Key_UI_Login", "0"}}) << true;
    QTest::newRow("login off but not 0") << MainWindowFixture::configWith({{"Key_UI_Login", "no"}}) << false;
}

// Start-up picks the window, and the windows go in the order that saves the
// settings once, with what the session changed.
void StartupTest::window()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, mainShown);
    ScratchAppDir dir;
    MessageRecorder messages;
    if (!config.isNull())
        dir.write(QLatin1String(Paths::ConfigFile), config);

    const bool existed = StartupSettings();
    QCOMPARE(existed, !config.isNull());
    StartupWindows windows = CreateStartupWindows(existed);
    QCOMPARE(windows.main->isVisible(), mainShown);
    QCOMPARE(windows.login->isVisible(), !mainShown);

    SP_RemoteIp = QStringLiteral("10.9.9.9");
    QVERIFY(SavePendingAtExit);
    DestroyStartupWindows(windows);
    QVERIFY(!SavePendingAtExit);
    QVERIFY(dir.read(QLatin1String(Paths::ConfigFile)).contains("SP_RemoteIp=10.9.9.9\r\n"));
    QCOMPARE(dir.read(QLatin1String(Paths::ConfigFile)).count("\r\n"), ConfigTableSize);
}

void StartupTest::login_opensTheMainWindow()
{
    ScratchAppDir dir;
    MessageRecorder messages;
    StartupWindows windows = CreateStartupWindows(StartupSettings());
    windows.login->passwordEdit()->setText(QStringLiteral("537204"));
    windows.login->login_JudgePassword();
    QVERIFY(windows.main->isVisible());
    QVERIFY(!windows.login->isVisible());
    DestroyStartupWindows(windows);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
