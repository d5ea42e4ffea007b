// The system page and the Admin dialog on their own: what each control puts
// on the command queues, and what the page shows of the answers handed to it.
#include "app/LanguageTable.h"
#include "pages/network/ModuleBasicConfigBox.h"
#include "pages/network/ModulePortConfigBox.h"
#include "pages/network/ModuleSearchList.h"
#include "pages/network/Ui_System.h"
#include "pages/network/WebPageOpener.h"
#include "pages/routing/Ui_Admin.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleDiscovery.h"
#include "support/MessageRecorder.h"
#include "support/ModuleBlocks.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int ModuleLead = 3 + 6 + 12; // FF, length, code; MAC; two credentials
const QByteArray Login = QByteArray("qzvkp\0qzvkp\0", 12);

QVector<QByteArray> Sent(CommandChannel &channel)
{
    QMutexLocker lock(&channel.sendMutex);
    QVector<QByteArray> frames;
    if (channel.sendQueue) {
        for (const QueueEntry &entry : *channel.sendQueue)
            frames << entry.data;
    }
    return frames;
}

void Forget(CommandChannel &channel)
{
    ChannelClear(channel);
    ChannelOpen(channel);
}

void Retype(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

} // namespace

class SystemPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void writes_needAListedAndReadModule_data();
    void writes_needAListedAndReadModule();
    void basicWrite_sendsThePartThenApply();
    void formatError_namesTheFieldAndSendsNothing_data();
    void formatError_namesTheFieldAndSendsNothing();
    void blockAskedByTheConnectionPage_fillsThePage();
    void beforeARead_theModuleIsUnknown();
    void serialPath_sendsTheIpSettingsAsTyped();
    void serialReadButton_onlyOverSerial_data();
    void serialReadButton_onlyOverSerial();
    void firmwareVersion_showsOnlyTheChosenBoard();
    void adminButton_altCTogglesOnlyWhileConnected();
    void adminWrites_fixedWidthFields_data();
    void adminWrites_fixedWidthFields();

private:
    // Lists the module of this block, clicks its row and hands the block
    // over as the dispatcher does; the read request is forgotten.
    void loadModule(const QByteArray &block);
    void connectOver(TransportKind kind);

    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<Ui_System> m_page;
    QList<QUrl> m_opened;
};

void SystemPageTest::init()
{
    ResetProcessState();
    Modules().startList(false);
    ChannelOpen(UdpChannel);
    m_messages = std::make_unique<MessageRecorder>(true);
    m_opened.clear();
    SetWebPageHook([this](const QUrl &url) {
        m_opened << url;
        return true;
    });
    m_page = std::make_unique<Ui_System>();
    m_page->resize(1200, 700);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void SystemPageTest::cleanup()
{
    m_page.reset();
    SetWebPageHook({});
    m_messages.reset();
    ResetProcessState();
}

void SystemPageTest::loadModule(const QByteArray &block)
{
    const QString mac = QString::fromLatin1(block.mid(ModuleBlock::Mac, 6).toHex('-'));
    m_page->AddFoundDevice(QStringLiteral("Hall A"), QStringLiteral("192.168.0.10"), mac, QStringLiteral("261"));
    QTreeWidget *list = m_page->searchList();
    QTreeWidgetItem *row = list->topLevelItem(list->topLevelItemCount() - 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(row).center());
    const QVector<QByteArray> read = Sent(UdpChannel);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first().mid(2, 7), QByteArray(1, '\x03') + block.mid(ModuleBlock::Mac, 6));
    Forget(UdpChannel);
    m_page->ShowModuleConfig(block);
    QCOMPARE(m_page->lastReadBlock(), block);
}

void SystemPageTest::connectOver(TransportKind kind)
{
    ActiveTransport = kind;
    ChannelOpen(kind == TransportSerial ? SerialChannel : TcpChannel);
    m_page->SLT_ConnectStatus(true);
}

void SystemPageTest::writes_needAListedAndReadModule_data()
{
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    const char *buttons[] = {"basic write", "port write", "load default", "open website"};
    for (const char *button : buttons) {
        QTest::addRow("empty list, %s", button) << false << button << SMSG_NoSearchDevice;
        QTest::addRow("listed, not read, %s", button) << true << button << SMSG_NoClickDevice;
    }
}

void SystemPageTest::writes_needAListedAndReadModule()
{
    QFETCH(bool, listed);
    QFETCH(QString, button);
    QFETCH(QString, message);
    if (listed)
        m_page->AddFoundDevice("Hall A", "192.168.0.10", "00-1a-2b-3c-4d-5e", "261");
    QPushButton *target = button == QLatin1String("basic write") ? m_page->basicBox()->writeButton()
        : button == QLatin1String("port write")                  ? m_page->portBox()->writeButton()
        : button == QLatin1String("load default")                ? m_page->loadDefaultButton()
                                                                 : m_page->webOpenButton();
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(m_messages->texts(), QStringList{message});
    QVERIFY(Sent(UdpChannel).isEmpty());
    QVERIFY(m_opened.isEmpty());
}

void SystemPageTest::basicWrite_sendsThePartThenApply()
{
    const QByteArray block = RandomModuleBlock(11, false);
    loadModule(block);
    QSignalSpy restart(m_page.get(), &Ui_System::SGL_Startover_Udp);
    QSignalSpy send(m_page.get(), &Ui_System::SGL_UpdateEmit);
    m_page->basicBox()->ipTypeBox()->setCurrentIndex(1);
    Retype(m_page->basicBox()->staticIpEdit(), QStringLiteral("192.168.0.10"));
    QTest::mouseClick(m_page->basicBox()->writeButton(), Qt::LeftButton);

    const QVector<QByteArray> sent = Sent(UdpChannel);
    QCOMPARE(sent.size(), 2);
    const QByteArray mac = block.mid(ModuleBlock::Mac, 6);
    QCOMPARE(sent[0].left(3), Hex("FF 56 05"));
    QCOMPARE(sent[0].mid(3, 18), mac + Login);
    QByteArray expected = block.left(ModuleBlock::BasicSize);
    expected[3] = char(quint8(expected[3]) | 0x80);
    expected.replace(ModuleBlock::Ip, 4, Hex("0A 00 A8 C0")); // 192.168.0.10, last octet first
    QCOMPARE(sent[0].mid(ModuleLead, ModuleBlock::BasicSize), expected);
    QCOMPARE(sent[1].left(ModuleLead), Hex("FF 13 04") + mac + Login);
    QCOMPARE(restart.count(), 1);
    QCOMPARE(restart.first(), (QVariantList{true, QStringLiteral("192.168.0.247")}));
    QCOMPARE(send.count(), 1);
    // What is shown follows the module's answers: the page asks for nothing
    // more until the acknowledgement, which ends the link.
    QSignalSpy drop(m_page.get(), &Ui_System::SGL_AutoTriggerDisconnect);
    m_page->ModuleWriteAcknowledged();
    QCOMPARE(m_messages->lastText(), SMSG_NetworkConfigEditSuccess);
    QCOMPARE(drop.count(), 1);
}

void SystemPageTest::formatError_namesTheFieldAndSendsNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::newRow("pack length 1461") << "packLength"
                                      << "1461" << Slabel_NM_PackLen;
    QTest::newRow("pack time 256") << "packTime"
                                   << "256" << Slabel_NM_PackTime;
    QTest::newRow("local port 65536") << "localPort"
                                      << "65536" << Slabel_NM_LocalPort;
    QTest::newRow("MAC of five bytes") << "mac"
                                       << "00-1a-2b-3c-4d" << Slabel_NM_MAC;
    QTest::newRow("static IP with two dots") << "ip"
                                             << "192.168.0" << Slabel_NM_StaticIP;
    QTest::newRow("mask of 256") << "mask"
                                 << "255.255.256.0" << Slabel_NM_SubnetMask;
}

void SystemPageTest::formatError_namesTheFieldAndSendsNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, label);
    loadModule(RandomModuleBlock(5, true));
    ModuleBasicConfigBox *basic = m_page->basicBox();
    ModulePortConfigBox *port = m_page->portBox();
    QLineEdit *edit = field == QLatin1String("packLength") ? port->packLengthEdit()
        : field == QLatin1String("packTime")               ? port->packTimeEdit()
        : field == QLatin1String("localPort")              ? port->localPortEdit()
        : field == QLatin1String("mac")                    ? basic->macEdit()
        : field == QLatin1String("ip")                     ? basic->staticIpEdit()
                                                           : basic->maskEdit();
    Retype(edit, text);
    const bool portField = edit->parentWidget() == port || field == QLatin1String("mac");
    QTest::mouseClick(portField ? port->writeButton() : basic->writeButton(), Qt::LeftButton);
    QCOMPARE(m_messages->texts(), QStringList{SMSG_NetworkParamFormatError + label});
    QVERIFY(Sent(UdpChannel).isEmpty());
}

void SystemPageTest::blockAskedByTheConnectionPage_fillsThePage()
{
    const QByteArray block = RandomModuleBlock(2, true);
    const QString mac = QString::fromLatin1(block.mid(ModuleBlock::Mac, 6).toHex('-'));
    m_page->AddFoundDevice(QStringLiteral("Hall B"), QStringLiteral("192.168.0.11"), mac, QStringLiteral("261"));
    // The connection page's click: its selection clears this page's, it
    // asks for its module, and the block arrives here too.
    m_page->SLT_ReadSelectedDevice();
    QVERIFY(Modules().request(mac));
    m_page->ShowModuleConfig(block);
    QCOMPARE(m_page->lastReadBlock(), block);
    QVERIFY(Sent(UdpChannel).isEmpty());
}

void SystemPageTest::beforeARead_theModuleIsUnknown()
{
    ModuleBasicConfigBox *basic = m_page->basicBox();
    QCOMPARE(basic->ipTypeBox()->currentIndex(), -1);
    QCOMPARE(basic->staticIpEdit()->placeholderText(), S_Unknown);
    QCOMPARE(m_page->portBox()->baudRateBox()->currentIndex(), -1);
    loadModule(RandomModuleBlock(3, true));
    QVERIFY(basic->ipTypeBox()->currentIndex() >= 0);
    QVERIFY(!basic->staticIpEdit()->text().isEmpty());
    QVERIFY(m_page->portBox()->baudRateBox()->currentIndex() >= 0);
}

void SystemPageTest::serialReadButton_onlyOverSerial_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<bool>("shown");
    QTest::newRow("serial") << int(TransportSerial) << true;
    QTest::newRow("tcp") << int(TransportTcp) << false;
}

void SystemPageTest::serialReadButton_onlyOverSerial()
{
    QFETCH(int, transport);
    connectOver(TransportKind(transport));
    QTEST(!m_page->uartReadButton()->isHidden(), "shown");
    m_page->SLT_ConnectStatus(false);
    QVERIFY(m_page->uartReadButton()->isHidden());
}

void SystemPageTest::serialPath_sendsTheIpSettingsAsTyped()
{
    connectOver(TransportSerial);
    QVERIFY(!m_page->uartReadButton()->isHidden());
    QTest::mouseClick(m_page->uartReadButton(), Qt::LeftButton);
    QCOMPARE(Sent(SerialChannel), QVector<QByteArray>{Hex("7B 7B 9A 01 00 8B 7D 7D")});
    Forget(SerialChannel);
    m_page->ShowDeviceInformation("KXR", "00:1A:2B:3C:4D:5E", false, "192.168.0.247", "255.255.255.0", "192.168.0.1",
                                  "V1.05");
    ModuleBasicConfigBox *basic = m_page->basicBox();
    QCOMPARE(m_page->searchList()->topLevelItemCount(), 1);
    QCOMPARE(basic->ipTypeBox()->currentIndex(), 0);
    QVERIFY(!basic->staticIpEdit()->isEnabled());
    QVERIFY(!basic->deviceNameEdit()->isEnabled());
    QVERIFY(!m_page->portBox()->writeButton()->isEnabled());
    // Not among the fields the serial path takes away.
    QVERIFY(m_page->loadDefaultButton()->isEnabled());

    basic->ipTypeBox()->setCurrentIndex(1);
    QVERIFY(basic->staticIpEdit()->isEnabled());
    Retype(basic->staticIpEdit(), QStringLiteral("192.168.000.20"));
    QTest::mouseClick(basic->writeButton(), Qt::LeftButton);
    const QVector<QByteArray> sent = Sent(SerialChannel);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().mid(4, sent.first().size() - 7),
             QByteArray("AT+WANN=STATIC,192.168.000.20,255.255.255.0,192.168.0.1\r"));
    QVERIFY(Sent(UdpChannel).isEmpty());
}

void SystemPageTest::firmwareVersion_showsOnlyTheChosenBoard()
{
    connectOver(TransportTcp);
    QComboBox *box = m_page->firmwareBox();
    QCOMPARE(box->count(), 2);
    box->setCurrentIndex(1);
    m_page->SLT_GetFirmwareVersion(1);
    QCOMPARE(Sent(TcpChannel).size(), 1);
    QCOMPARE(Sent(TcpChannel).first().mid(2, 11), Hex("96 09 80 01 00 00 00 00 00 00 00"));
    m_page->ShowFirmwareVersion(0, 0, QStringLiteral("2024/05/17-10:30:00"));
    QVERIFY(m_page->firmwareText()->text().isEmpty());
    m_page->ShowFirmwareVersion(0, 1, QStringLiteral("2023/11/02-09:15:42"));
    QCOMPARE(m_page->firmwareText()->text(), QStringLiteral("2023/11/02-09:15:42"));
}

void SystemPageTest::adminButton_altCTogglesOnlyWhileConnected()
{
    QPushButton *admin = m_page->adminButton();
    QTest::keyClick(m_page.get(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(admin->isHidden());
    connectOver(TransportTcp);
    QTest::keyClick(m_page.get(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(!admin->isHidden());
    QTest::mouseClick(admin, Qt::LeftButton);
    QPointer<Ui_Admin> dialog = m_page->adminDialog();
    QVERIFY(dialog);
    QVERIFY(!dialog->parent());
    // The page relays the device's answers to the dialog.
    Q_EMIT m_page->SGL_Update_SN(QStringLiteral("KXR2024000001"));
    QCOMPARE(dialog->serialNumberEdit()->text(), QStringLiteral("KXR2024000001"));
    QTest::keyClick(m_page.get(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(admin->isHidden());
    m_page.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, 2000);
}

void SystemPageTest::adminWrites_fixedWidthFields_data()
{
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("payload");
    const QByteArray sn40 = QByteArray("KXR-").leftJustified(40, '7');
    QTest::newRow("40-character serial number, no terminating zero")
        << "sn" << QString::fromLatin1(sn40 + "overflow") << QByteArray("\x00\x00", 2) + sn40;
    QTest::newRow("empty device name is 40 zero bytes") << "name"
                                                        << "" << QByteArray("\x00\x01", 2) + QByteArray(40, '\0');
    QTest::newRow("front panel: both lines, 16 characters at most") << "panel"
                                                                    << "Hall A front panel"
                                                                    << QByteArray("\x00\x01", 2) + "Hall A front pan"
            + QByteArray(1, '\0') + "Hall A front pan" + QByteArray(1, '\0');
}

void SystemPageTest::adminWrites_fixedWidthFields()
{
    QFETCH(QString, write);
    QFETCH(QString, typed);
    QFETCH(QByteArray, payload);
    connectOver(TransportTcp);
    Ui_Admin dialog;
    if (write == QLatin1String("panel")) {
        Retype(dialog.firstLineEdit(), typed);
        Retype(dialog.secondLineEdit(), typed);
        QCOMPARE(dialog.firstLineEdit()->text().size(), Ui_Admin::FrontPanelLineChars);
        QTest::mouseClick(dialog.frontPanelWriteButton(), Qt::LeftButton);
    } else if (write == QLatin1String("sn")) {
        Retype(dialog.serialNumberEdit(), typed);
        QTest::mouseClick(dialog.serialNumberWriteButton(), Qt::LeftButton);
    } else {
        Retype(dialog.deviceNameEdit(), typed);
        QTest::mouseClick(dialog.deviceNameWriteButton(), Qt::LeftButton);
    }
    const QVector<QByteArray> sent = Sent(TcpChannel);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(quint8(sent.first()[3]), quint8(payload.size()));
    QCOMPARE(sent.first().mid(4, payload.size()), payload);
}

QTEST_MAIN(SystemPageTest)
#include "tst_system_page.moc"
