#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/Startup.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"
#include "transport/Ui_Uart_Network.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTextEdit>
#include <QtTest>

namespace {
QStringList tabCaptions(const QTabWidget *tabs)
{
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

void pushReceived(CommandChannel &channel, const QByteArray &frame)
{
    ChannelPush(channel, QueueSide::Receive, reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size()),
                nullptr);
}
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabs_followThePageKeys_data();
    void tabs_followThePageKeys();
    void geometry_data();
    void geometry();
    void languageSwitch_setsOnlyTheShownCaptions();
    void receiveDrain_echoesThenDispatches();
};

void MainWindowTest::tabs_followThePageKeys_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QStringList>("tabs");
    QTest::newRow("first start") << QByteArray()
                                 << QStringList{"Connect", "Matrix", "Signal Config", "TV Wall", "System", "Multiview"};
    QTest::newRow("defaults") << MainWindowFixture::configWith({})
                              << QStringList{"Connect", "Matrix", "Signal Config", "TV Wall", "System", "Multiview"};
    QTest::newRow("all page keys 0") << MainWindowFixture::configWith({{"Key_UI_Matrix", "0"},
                                                                       {"Key_UI_SignalConfig", "0"},
                                                                       {"Key_UI_TV_Wall", "0"},
                                                                       {"Key_UI_System", "0"},
                                                                       {"Key_UI_Multiview", "0"},
                                                                       {"Key_UI_Peripheral", "0"}})
                                     << QStringList{"Connect"};
    QTest::newRow("peripheral only, yes is not 1") << MainWindowFixture::configWith({{"Key_UI_Matrix", "yes"},
                                                                                     {"Key_UI_SignalConfig", "0"},
                                                                                     {"Key_UI_TV_Wall", "0"},
                                                                                     {"Key_UI_System", "0"},
                                                                                     {"Key_UI_Multiview", "0"},
                                                                                     {"Key_UI_Peripheral", "1"}})
                                                   << QStringList{"Connect", "Peripheral"};
}

void MainWindowTest::tabs_followThePageKeys()
{
    QFETCH(QByteArray, config);
    QFETCH(QStringList, tabs);
    MainWindowFixture fixture(config);
    QCOMPARE(tabCaptions(fixture.window()->tabWidget()), tabs);
    QCOMPARE(fixture.window()->tabWidget()->widget(0), fixture.window()->connectionPage());
}

void MainWindowTest::geometry_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("1280x720") << QSize(1280, 720) << QRect(176, 72, 928, 576);
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QRect(264, 108, 1392, 864);
    QTest::newRow("larger screen centres in the top-left full-HD area")
        << QSize(3840, 2160) << QRect(264, 108, 1392, 864);
}

void MainWindowTest::geometry()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, geometry);
    QCOMPARE(Ui_Main::InitialGeometry(screen), geometry);
}

void MainWindowTest::languageSwitch_setsOnlyTheShownCaptions()
{
    MainWindowFixture fixture(MainWindowFixture::configWith({{"Key_UI_Matrix", "0"}}));
    Ui_Main *window = fixture.window();
    QCOMPARE(window->languageSelector()->count(), 2);
    window->languageSelector()->setCurrentIndex(1);

    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
    const QStringList tabs = tabCaptions(window->tabWidget());
    QCOMPARE(tabs.value(0), Ui_Uart_Network_AppName);
    QVERIFY(Ui_Uart_Network_AppName != QStringLiteral("Connect"));
    QVERIFY(!tabs.contains(QStringLiteral("Matrix")));
    QCOMPARE(tabs.value(1), Ui_SignalConfig_AppName);
    QCOMPARE(window->stopSyncButton()->text(), S_StopSync);

    window->languageSelector()->setCurrentIndex(0);
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("1"));
    QCOMPARE(tabCaptions(window->tabWidget()).value(0), QStringLiteral("Connect"));
}

void MainWindowTest::receiveDrain_echoesThenDispatches()
{
    MainWindowFixture fixture;
    Ui_Main *window = fixture.window();
    ActiveTransport = TransportTcp;
    ChannelOpen(TcpChannel);
    const QByteArray routing = Hex("7B 7B 11 02 03 01 05 7D 7D");
    pushReceived(TcpChannel, routing);

    QList<quint32> routingWhenShown;
    connect(window, &Ui_Main::SGL_DEBUG_SHOW_RecvText, window,
            [&](const QByteArray &) { routingWhenShown << Device().routingAt(0); });
    QSignalSpy shown(window, &Ui_Main::SGL_DEBUG_SHOW_RecvText);
    window->SLT_UnifyUpdateRecv();

    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.first().first().toByteArray(), routing);
    QCOMPARE(routingWhenShown, QList<quint32>{0u}); // shown before it was dispatched
    QCOMPARE(Device().routingAt(0), 3u);
    QCOMPARE(Device().routingAt(1), 1u);
    QCOMPARE(window->debugConsole()->receiveBox()->toPlainText(), QStringLiteral("7B 7B 11 02 03 01 05 7D 7D"));
    ActiveTransport = TransportNone;
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
