// The program against the device simulator, driven through the connection
// page the way an operator does it: connect, identify, read; search the
// network module; and the ways a link fails.
#include "app/AppPaths.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/MyComboBox.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"
#include "support/SimHarness.h"
#include "transport/DeviceLink.h"
#include "transport/ServiceUdp.h"
#include "transport/Ui_Uart_Network.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
constexpr int LinkTimeoutMs = 5000;
constexpr int FullReadTimeoutMs = 15000;

QByteArray configFor(const SimHarness &sim, quint16 port = 0)
{
    return MainWindowFixture::configWith({{"SP_RemoteIp", "127.0.0.1"},
                                          {"SP_RemotePort", QByteArray::number(port ? port : sim.tcpPort())},
                                          {"SP_Name", sim.ptyPath().toUtf8()}});
}

bool sendQueueEmpty(CommandChannel &channel)
{
    return channel.opened.load() && ChannelQueueSize(channel, QueueSide::Send) == 0;
}

// The connection result's picture, as the file holds it.
bool showsPicture(Ui_Uart_Network *page, const char *file)
{
    const QImage shown = page->statusPicture()->pixmap(Qt::ReturnByValue).toImage();
    return !shown.isNull() && shown == QPixmap(AppPath(QLatin1String(file))).toImage();
}

// What the full read must have brought over: counts, routing, the input
// and output records, binds, the audio switch and the TV wall.
void compareWithSimulator(const SimDeviceModel &sim)
{
    const DeviceState &device = Device();
    QCOMPARE(device.identified, quint8(1));
    QCOMPARE(device.inputCount, quint32(sim.inputCount));
    QCOMPARE(device.outputCount, quint32(sim.outputCount));
    QCOMPARE(device.layoutCount, quint32(sim.layoutCount));
    QCOMPARE(device.model3, quint32(sim.model3));
    QCOMPARE(device.lrInput, quint32(sim.lrInput));
    for (quint32 o = 0; o < device.outputCount; ++o) {
        QCOMPARE(device.routingAt(o), quint32(sim.routing[o]));
        const OutputInfo &out = device.outputAt(o);
        const SimOutput &simOut = sim.outputs[o];
        QCOMPARE(out.pos2, quint32(simOut.kind));
        QCOMPARE(out.type, quint32(simOut.type));
        QCOMPARE(out.format, quint32(simOut.format));
        QCOMPARE(out.mute, quint8(simOut.mute));
        QCOMPARE(out.freeze, quint8(simOut.freeze));
        QCOMPARE(out.black, quint8(simOut.black));
    }
    for (quint32 i = 0; i < device.inputCount; ++i) {
        const InputInfo &in = device.inputAt(i);
        const SimInput &simIn = sim.inputs[i];
        QCOMPARE(in.pos2, quint32(simIn.kind));
        QCOMPARE(in.type, quint32(simIn.type));
        QCOMPARE(in.pos6, quint32(simIn.audio));
        QCOMPARE(in.pair7, quint32(simIn.width));
        QCOMPARE(in.pair9, quint32(simIn.height));
        QCOMPARE(in.pos12, quint32(simIn.rate));
        QCOMPARE(in.bind, quint8(simIn.bind));
    }
    const TvWallState &wall = device.tvWall;
    QCOMPARE(wall.rows, quint32(sim.wall.rows));
    QCOMPARE(wall.cols, quint32(sim.wall.cols));
    QCOMPARE(wall.cellCount, quint32(sim.wall.cellCount));
    for (quint32 k = 0; k < wall.cellCount; ++k) {
        const SimWallCell &cell = sim.wall.cells[k];
        QCOMPARE(device.wallEntry(k).cellOutput, quint32(cell.output));
        const TvWallEntry &entry = device.wallEntry(cell.output);
        QCOMPARE(entry.spliced, quint8(cell.flags & 1));
        QCOMPARE(entry.spliceOrigin, quint32(cell.spliceOrigin));
        QCOMPARE(entry.bezelLeft, quint32(cell.bezel[0]));
        QCOMPARE(entry.bezelBottom, quint32(cell.bezel[3]));
    }
}
} // namespace

class ConnectionEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void networkConnect_identifiesReadsAndDisconnects();
    void serialConnect_throughThePseudoTerminal();
    void refusedIdentity_disconnectsWithTheMismatchMessage();
    void search_listsTheModuleAndReadsItsSettings();
};

void ConnectionEndToEndTest::networkConnect_identifiesReadsAndDisconnects()
{
    SimHarness sim;
    QVERIFY(sim.isRunning());
    // A device whose state differs from the factory one in every table.
    sim.device().editState([](SimDeviceModel &model) {
        for (int o = 0; o < model.outputCount; ++o)
            model.routing[o] = quint8((o * 3 + 1) % model.inputCount);
        model.lrInput = 5;
        model.inputs[2].type = 3;
        model.inputs[2].audio = 1;
        model.inputs[3].bind = true;
        model.inputs[4].width = 1280;
        model.inputs[4].height = 720;
        model.outputs[1].mute = true;
        model.outputs[2].freeze = true;
        model.outputs[3].black = true;
        model.outputs[4].format = 2;
    });
    MainWindowFixture fixture(configFor(sim));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    if (page->localIpSelector()->count() == 0)
        QSKIP("no IPv4 interface with a broadcast address (run the suite with scripts/netns-run)");

    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QCOMPARE(ActiveTransport.load(), quint32(TransportTcp));
    QCOMPARE(page->networkConnectButton()->text(), S_ConnectDisconnect[1]);
    QVERIFY(!page->serialConnectButton()->isEnabled());
    QVERIFY(!page->ipEdit()->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1, LinkTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(showsPicture(page, Paths::SuccessPicture), LinkTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(page->statusLog()->toPlainText().contains(QStringLiteral("Sync TV Wall Message.")),
                             FullReadTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(sendQueueEmpty(TcpChannel), LinkTimeoutMs);
    const QString log = page->statusLog()->toPlainText();
    for (const char *line : {"Sync Matrix Message.", "Sync Input-1 Message.", "Sync Input-8 Message.",
                             "Sync Output-8 Message.", "Sync Input-Bind Message."})
        QVERIFY2(log.contains(QLatin1String(line)), qPrintable(log));
    QCOMPARE(fixture.messages().count(), 0);
    compareWithSimulator(sim.device().state());
    QCOMPARE(SP_RemoteIp, QStringLiteral("127.0.0.1"));

    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QCOMPARE(ActiveTransport.load(), quint32(TransportNone));
    QCOMPARE(page->networkConnectButton()->text(), S_ConnectDisconnect[0]);
    QVERIFY(page->serialConnectButton()->isEnabled());
    QVERIFY(page->ipEdit()->isEnabled());
    QCOMPARE(Device().identified, quint8(0));
    QCOMPARE(Device().inputCount, 0u);
    QCOMPARE(Device().routingAt(0), 0u);
    QCOMPARE(Device().tvWall.cellCount, 0u);
    QVERIFY(!TcpChannel.opened.load());
}

void ConnectionEndToEndTest::serialConnect_throughThePseudoTerminal()
{
    SimHarness sim;
    QVERIFY(sim.isRunning());
    MainWindowFixture fixture(configFor(sim));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    QCOMPARE(page->portSelector()->currentText(), sim.ptyPath());

    QTest::mouseClick(page->serialConnectButton(), Qt::LeftButton);
    QCOMPARE(ActiveTransport.load(), quint32(TransportSerial));
    QCOMPARE(SP_Parity, QStringLiteral("0"));
    QCOMPARE(SP_DataBit, QStringLiteral("8"));
    QCOMPARE(SP_StopBit, QStringLiteral("1"));
    QCOMPARE(SP_FlowControl, QStringLiteral("0"));
    QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1, LinkTimeoutMs);
    QCOMPARE(Device().inputCount, quint32(sim.device().state().inputCount));
    QVERIFY(!page->uartReadButton()->isHidden()); // shown while the serial link is up

    QTest::mouseClick(page->serialConnectButton(), Qt::LeftButton);
    QCOMPARE(ActiveTransport.load(), quint32(TransportNone));
    QCOMPARE(Device().identified, quint8(0));
    QVERIFY(page->networkConnectButton()->isEnabled());
    QVERIFY(page->uartReadButton()->isHidden());
}

void ConnectionEndToEndTest::refusedIdentity_disconnectsWithTheMismatchMessage()
{
    SimHarness sim;
    MainWindowFixture fixture(configFor(sim));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    if (page->localIpSelector()->count() == 0)
        QSKIP("no IPv4 interface with a broadcast address (run the suite with scripts/netns-run)");
    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1, LinkTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(sendQueueEmpty(TcpChannel), FullReadTimeoutMs);

    // A second identity query, answered by a device too small to be ours,
    // is ignored while the first identification holds.
    sim.sendUnsolicited(DeviceFrameOf(0x95, QByteArray::fromHex("0008")));
    QTest::qWait(200);
    QCOMPARE(ActiveTransport.load(), quint32(TransportTcp));

    // After a reconnect the same short answer is refused.
    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    QCOMPARE(Device().identified, quint8(0));
    sim.setFaults([] {
        SimFaultOptions faults;
        faults.mutedCodes = {0x95};
        return faults;
    }());
    const qint64 requestsBefore = sim.requestCount(SimLink::Tcp);
    QTest::mouseClick(page->networkConnectButton(), Qt::LeftButton);
    // Once the identity query has come in, the new connection is the
    // simulator's client and the answer reaches it.
    QTRY_VERIFY_WITH_TIMEOUT(sim.requestCount(SimLink::Tcp) > requestsBefore, LinkTimeoutMs);
    sim.sendUnsolicited(DeviceFrameOf(0x95, QByteArray::fromHex("0008")));
    QTRY_COMPARE_WITH_TIMEOUT(ActiveTransport.load(), quint32(TransportNone), LinkTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(
        fixture.messages().texts().contains(QStringLiteral("The device does not match with the PC tool!")),
        LinkTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(showsPicture(page, Paths::FailPicture), LinkTimeoutMs);
}

void ConnectionEndToEndTest::search_listsTheModuleAndReadsItsSettings()
{
    if (ServiceUdp::LocalIpv4Addresses().isEmpty())
        QSKIP("no IPv4 interface with a broadcast address (run the suite with scripts/netns-run)");
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true; // hears the real broadcast inside the namespace
    SimHarness sim(options);
    QVERIFY(sim.isRunning());
    MainWindowFixture fixture(configFor(sim));
    Ui_Uart_Network *page = fixture.window()->connectionPage();
    page->link()->setModulePort(sim.udpPort());

    QTest::mouseClick(page->searchButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page->searchList()->topLevelItemCount(), 1, LinkTimeoutMs);
    // The search left from loopback and from the veth address, so the
    // module heard it and answered twice; it is listed once.
    QTRY_VERIFY_WITH_TIMEOUT(sim.replies(SimLink::Udp).size() >= 2, LinkTimeoutMs);
    QTest::qWait(100);
    QCOMPARE(page->searchList()->topLevelItemCount(), 1);
    QTreeWidgetItem *row = page->searchList()->topLevelItem(0);
    const QVector<SimModule> modules = sim.device().state().modules;
    QCOMPARE(modules.size(), 1);
    const SimModule module = modules.value(0);
    QCOMPARE(row->text(0), QStringLiteral("1"));
    QCOMPARE(row->text(4), QString::number(module.version));
    QVERIFY(!row->text(1).isEmpty());
    QVERIFY(row->text(2).count(QLatin1Char('.')) == 3);
    QVERIFY(row->text(3).count(QLatin1Char('-')) == 5);

    // Clicking the row reads the module's configuration; with no link up,
    // the address fields take the module's settings.
    fixture.window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window()));
    QTest::mouseClick(page->searchList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      page->searchList()->visualItemRect(row).topLeft() + QPoint(40, 8));
    QTRY_VERIFY_WITH_TIMEOUT(page->ipEdit()->text() == row->text(2), LinkTimeoutMs);
    QCOMPARE(page->portEdit()->text(),
             QString::number(quint8(module.block.at(79)) | (quint8(module.block.at(80)) << 8)));
    QCOMPARE(fixture.messages().count(), 0);
}

QTEST_MAIN(ConnectionEndToEndTest)
#include "tst_connection_e2e.moc"
