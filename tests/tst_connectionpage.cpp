#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/MyComboBox.h"
#include "protocol/CommandChannel.h"
#include "protocol/ModuleDiscovery.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"
#include "transport/Ui_Uart_Network.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

// The connection page without a device: its checks, its list and its
// refresh. The links themselves are tested against the simulator.
class ConnectionPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedFields_leaveNoLink_data();
    void refusedFields_leaveNoLink();
    void noLocalAddress_reportsWithoutCode();
    void serialListRow_sendsNothing();
    void refresh_showsTheStoredSettings();
};

void ConnectionPageTest::refusedFields_leaveNoLink_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("port");
    QTest::newRow("two dots") << "192.168.1"
                              << "2000";
    QTest::newRow("field of 256") << "192.168.0.256"
                                  << "2000";
    QTest::newRow("port 0") << "192.168.0.247"
                            << "0";
    QTest::newRow("port 65535") << "192.168.0.247"
                                << "65535";
}

void ConnectionPageTest::refusedFields_leaveNoLink()
{
    QFETCH(QString, ip);
    QFETCH(QString, port);
    MainWindowFixture fixture(MainWindowFixture::configWith({}));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    page->ipEdit()->setText(ip);
    page->portEdit()->setText(port);
    QSignalSpy status(page, &Ui_Uart_Network::SGL_ConnectStatus);

    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QCOMPARE(fixture.messages().texts(), QStringList{"Network Info error!!!please check it!"});
    QCOMPARE(ActiveTransport.load(), quint32(TransportNone));
    QCOMPARE(page->networkConnectButton()->text(), S_ConnectDisconnect[0]);
    QVERIFY(page->serialConnectButton()->isEnabled());
    QVERIFY(page->ipEdit()->isEnabled());
    QCOMPARE(status.count(), 0);
    QCOMPARE(SP_RemoteIp, QStringLiteral("192.168.0.247")); // nothing stored
}

void ConnectionPageTest::noLocalAddress_reportsWithoutCode()
{
    MainWindowFixture fixture(MainWindowFixture::configWith({}));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    page->localIpSelector()->clear();
    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QCOMPARE(fixture.messages().texts(), QStringList{"please check your local ip config information!Error Code:"});
    QCOMPARE(ActiveTransport.load(), quint32(TransportNone));
    QCOMPARE(page->networkConnectButton()->text(), S_ConnectDisconnect[0]);
}

void ConnectionPageTest::serialListRow_sendsNothing()
{
    MainWindowFixture fixture(MainWindowFixture::configWith({}));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    QTRY_VERIFY_WITH_TIMEOUT(UdpChannel.opened.load(), 2000);
    Modules().startList(true);
    page->AddFoundDevice(QStringLiteral("KXR"), QStringLiteral("10.0.0.5"), QStringLiteral("00-11-22-33-44-55"),
                         QStringLiteral("3"));
    QSignalSpy selected(page, &Ui_Uart_Network::SGL_ReadSelectedDevice);
    QSignalSpy restart(page, &Ui_Uart_Network::SGL_Startover_Udp);
    page->SLT_SelectDevice(page->searchList()->topLevelItem(0), 1);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(restart.count(), 0);
    QCOMPARE(ChannelQueueSize(UdpChannel, QueueSide::Send), 0);
    Modules().startList(false);
}

void ConnectionPageTest::refresh_showsTheStoredSettings()
{
    MainWindowFixture fixture(MainWindowFixture::configWith(
        {{"SP_Name", "/dev/ttyUSB3"}, {"SP_BaudRate", "57600"}, {"SP_RemotePort", "23"}}));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    QCOMPARE(page->portSelector()->count(), 1);
    QCOMPARE(page->portSelector()->currentText(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(page->baudSelector()->currentText(), QStringLiteral("57600"));
    QCOMPARE(page->portEdit()->text(), QStringLiteral("23"));
    page->AddFoundDevice(QStringLiteral("KXR"), QStringLiteral("10.0.0.5"), QStringLiteral("00-1a-2b-3c-4d-5e"),
                         QStringLiteral("3"));
    fixture.window()->ApplyMainTexts(false); // a refresh keeps the list
    QCOMPARE(page->searchList()->topLevelItemCount(), 1);
}

QTEST_MAIN(ConnectionPageTest)
#include "tst_connectionpage.moc"
