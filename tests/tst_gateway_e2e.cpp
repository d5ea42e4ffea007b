// kxr-gateway whole, over real sockets: the simulated device on its TCP
// port, the gateway in-process, router clients speaking the text protocol
// as the protocol page describes it, kxrctl and the window's locks.
#include "app/ConfigTable.h"
#include "app/OutputLocks.h"
#include "gateway/FrameRecords.h"
#include "gateway/GatewayServer.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/KxrctlProcess.h"
#include "support/MainWindowFixture.h"
#include "support/SimHarness.h"
#include "transport/GatewayLockClient.h"
#include "transport/Ui_Uart_Network.h"

#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

constexpr int WaitMs = 10000;
// A lock set on one side shows on the other within this.
constexpr int LockShowsMs = 1000;

// A router-control client: connects, collects what the server sends, and
// cuts it into blocks (header line, lines, blank line).
class TextClient
{
public:
    explicit TextClient(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { m_text += m_socket.readAll(); });
    }

    void send(const QByteArray &text) { m_socket.write(text); }
    // Waits until what arrived holds this text; then forgets all up to it.
    bool expect(const QByteArray &text, int ms = WaitMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_text.contains(text) && clock.elapsed() < ms)
            QTest::qWait(10);
        const int at = m_text.indexOf(text);
        if (at < 0) {
            qWarning() << "never came:" << text << "got:" << m_text.right(300);
            return false;
        }
        m_text.remove(0, at + text.size());
        return true;
    }

private:
    QTcpSocket m_socket;
    QByteArray m_text;
};

SimOptions Sim()
{
    SimOptions o = SimHarness::TestOptions();
    o.pty = o.udp = false;
    o.model.inputs = 8;
    o.model.outputs = 4;
    return o;
}

GatewayOptions Options(quint16 devicePort, int pollSeconds = 0)
{
    GatewayOptions o;
    o.tcpHost = QStringLiteral("127.0.0.1");
    o.tcpPort = devicePort;
    o.devicePort = 0;
    o.routerAddress = QHostAddress(QHostAddress::LocalHost);
    o.routerPort = 0;
    o.pollSeconds = pollSeconds;
    return o;
}

QList<QByteArray> SwitchesSeen(SimHarness &sim)
{
    QList<QByteArray> frames;
    for (const SimTrafficEntry &e : sim.requests(SimLink::Tcp)) {
        if (e.bytes.size() > 2 && quint8(e.bytes.at(2)) == DeviceCode::Switch)
            frames.append(e.bytes);
    }
    return frames;
}

quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestGatewayE2e : public QObject
{
    Q_OBJECT

private slots:
    void routerClientsAndKxrctlTogether()
    {
        SimHarness sim(Sim());
        QStringList log;
        GatewayServer gateway(Options(sim.tcpPort()), [&](const QString &l) { log << l; });
        QString message;
        QVERIFY2(gateway.start(message), qPrintable(message));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().present(), WaitMs);

        TextClient a(gateway.routerPort()), b(gateway.routerPort()), noisy(gateway.routerPort());
        QVERIFY(a.expect("END PRELUDE:\n\n"));
        QVERIFY(b.expect("END PRELUDE:\n\n"));
        QVERIFY(noisy.expect("END PRELUDE:\n\n"));
        noisy.send(QByteArray(300 * 1024, 'x') + "\n\n" + QByteArray("\x01\x02\xff garbage\n\n", 14));

        a.send("VIDEO OUTPUT ROUTING:\n1 3\n\n");
        QVERIFY(a.expect("ACK\n\n"));
        QVERIFY(a.expect("VIDEO OUTPUT ROUTING:\n1 3\n\n"));
        QVERIFY(b.expect("VIDEO OUTPUT ROUTING:\n1 3\n\n"));
        QCOMPARE(SwitchesSeen(sim), QList<QByteArray>{SwitchFrame(3, 1)});
        QVERIFY(noisy.expect("NAK\n\nNAK\n\n"));

        // kxrctl through the device port, while a router client sends a salvo.
        QProcess kxrctl;
        kxrctl.start(KxrctlPath(),
                     {"--tcp", QStringLiteral("127.0.0.1:%1").arg(gateway.devicePort()), "--timeout", "15000", "route",
                      "6", "3"});
        QByteArray salvo = "VIDEO OUTPUT ROUTING:\n";
        for (int i = 0; i < 40; ++i)
            salvo += QByteArray::number(i % 2) + ' ' + QByteArray::number(i % 8) + '\n';
        b.send(salvo + '\n');
        QVERIFY(b.expect("ACK\n\n"));
        QTRY_VERIFY_WITH_TIMEOUT(kxrctl.state() == QProcess::NotRunning, 3 * WaitMs);
        QCOMPARE(kxrctl.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(SwitchesSeen(sim).size(), 42, 3 * WaitMs);
        QVERIFY(SwitchesSeen(sim).contains(SwitchFrame(5, 2)));
        QList<QByteArray> salvoFrames = SwitchesSeen(sim).mid(1); // after the first route
        QVERIFY(salvoFrames.removeOne(SwitchFrame(5, 2)));        // kxrctl's, wherever it went
        for (int i = 0; i < 40; ++i)
            QCOMPARE(salvoFrames.value(i), SwitchFrame(i % 8, i % 2));
        QVERIFY(a.expect("2 5\n"));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().idle(), WaitMs);

        // Everyone ends with the device's routing.
        TextClient late(gateway.routerPort());
        QVERIFY(late.expect("VIDEO OUTPUT ROUTING:\n0 6\n1 7\n2 5\n3 3\n\n"));
        QCOMPARE(sim.device().state().routing[1], quint8(7));
    }

    // A client that stops reading is dropped alone; a lost link is told to
    // everyone, and so is its return.
    void faultsDisturbNobody()
    {
        SimHarness sim(Sim());
        QStringList log;
        GatewayServer gateway(Options(sim.tcpPort(), 1), [&](const QString &l) { log << l; });
        QString message;
        QVERIFY(gateway.start(message));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().present(), WaitMs);
        TextClient a(gateway.routerPort());
        QVERIFY(a.expect("END PRELUDE:\n\n"));

        // A client that asks and asks and never reads.
        QTcpSocket stalled;
        stalled.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        stalled.setReadBufferSize(1);
        stalled.connectToHost(QHostAddress::LocalHost, gateway.routerPort());
        QVERIFY(stalled.waitForConnected(WaitMs));
        QByteArray asks;
        for (int i = 0; i < 4000; ++i)
            asks += "INPUT LABELS:\n\n";
        for (int round = 0; round < 100 && stalled.state() == QAbstractSocket::ConnectedState; ++round) {
            stalled.write(asks);
            QTest::qWait(20);
        }
        QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), QAbstractSocket::UnconnectedState, WaitMs);
        QVERIFY(log.filter("stopped reading").size() == 1);

        a.send("VIDEO OUTPUT ROUTING:\n0 7\n\n");
        QVERIFY(a.expect("ACK\n\nVIDEO OUTPUT ROUTING:\n0 7\n\n"));

        sim.setTcpListening(false);
        sim.dropTcpClients();
        QVERIFY(a.expect("VIDEOHUB DEVICE:\nDevice present: false\n\n", 3 * WaitMs));
        a.send("VIDEO OUTPUT ROUTING:\n0 1\n\n");
        QVERIFY(a.expect("NAK\n\n"));
        sim.setTcpListening(true);
        QVERIFY(a.expect("VIDEOHUB DEVICE:\nDevice present: true\n", 6 * WaitMs));
        QVERIFY(a.expect("VIDEO OUTPUT ROUTING:\n0 7\n1 1\n"));
        QVERIFY(a.expect("END PRELUDE:\n\n"));
        sim.device().editState([](SimDeviceModel &m) { m.routing[2] = 6; }); // on the front panel: the poll sees it
        QVERIFY(a.expect("VIDEO OUTPUT ROUTING:\n2 6\n\n", 3 * WaitMs));
    }

    // Connected to the gateway's device port, the window shows and sets the
    // gateway's locks; they hold for every client.
    // The window on the gateway's device port, the gateway a program of its
    // own (in one process the window and the gateway would share one device
    // model): a click on the matrix is one switch frame on the device and
    // the new route reaches a router client; a router client's lock holds
    // the window back.
    void windowRoutesThroughTheGateway()
    {
        SimHarness sim(Sim());
        const quint16 devicePort = FreePort();
        const quint16 routerPort = FreePort();
        QProcess gateway;
        gateway.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        gateway.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kxr-gateway"),
                      {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort()),
                       QStringLiteral("--device-listen"), QStringLiteral("127.0.0.1:%1").arg(devicePort),
                       QStringLiteral("--router-listen"), QStringLiteral("127.0.0.1:%1").arg(routerPort),
                       QStringLiteral("--poll"), QStringLiteral("0")});
        QVERIFY(gateway.waitForStarted(WaitMs));
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<TextClient> router;
        while (clock.elapsed() < WaitMs) {
            router = std::make_unique<TextClient>(routerPort);
            if (router->expect("Video outputs: 4\n", 500))
                break;
            router.reset();
        }
        QVERIFY2(router, "the gateway never served the device");
        MainWindowFixture program(
            MainWindowFixture::configWith({{"SP_RemoteIp", "127.0.0.1"},
                                           {"SP_RemotePort", QByteArray::number(devicePort)},
                                           {"Key_GatewayRouterPort", QByteArray::number(routerPort)}}));
        Ui_Main *window = program.window();
        window->show();
        QTest::mouseClick(window->connectionPage()->networkConnectButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1, WaitMs);
        window->tabWidget()->setCurrentWidget(window->matrixPage());
        QTRY_VERIFY_WITH_TIMEOUT(window->matrixPage()->grid()->crosspoint(5, 2)->isEnabled(), WaitMs);
        QTest::mouseClick(window->matrixPage()->grid()->crosspoint(5, 2), Qt::LeftButton);
        QVERIFY(router->expect("VIDEO OUTPUT ROUTING:\n2 5\n\n"));
        QCOMPARE(SwitchesSeen(sim), QList<QByteArray>{DeviceFrameOf(DeviceCode::Switch, Hex("05 02"))});
        QTRY_VERIFY_WITH_TIMEOUT(window->matrixPage()->grid()->crosspoint(5, 2)->isFlat(), WaitMs);

        // A router client locks output 4: the window's click on it sends
        // nothing.
        router->send("VIDEO OUTPUT LOCKS:\n3 O\n\n");
        QTRY_COMPARE_WITH_TIMEOUT(window->outputLocks()->holderOf(4), OutputLocks::Holder::OtherClient, WaitMs);
        QTest::mouseClick(window->matrixPage()->grid()->crosspoint(6, 3), Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(SwitchesSeen(sim).size(), 1);
        gateway.terminate();
        QVERIFY(gateway.waitForFinished(WaitMs));
    }

    void windowSharesTheGatewayLocks()
    {
        SimHarness sim(Sim());
        GatewayServer gateway(Options(sim.tcpPort()), [](const QString &) {});
        QString message;
        QVERIFY2(gateway.start(message), qPrintable(message));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().present(), WaitMs);
        MainWindowFixture program(
            MainWindowFixture::configWith({{"SP_RemoteIp", "127.0.0.1"},
                                           {"SP_RemotePort", QByteArray::number(gateway.devicePort())},
                                           {"Key_GatewayRouterPort", QByteArray::number(gateway.routerPort())}}));
        QTest::mouseClick(program.window()->connectionPage()->networkConnectButton(), Qt::LeftButton);
        OutputLocks *locks = program.window()->outputLocks();
        QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1 && locks->isShared(), WaitMs);
        TextClient router(gateway.routerPort());
        QVERIFY(router.expect("END PRELUDE:\n\n"));

        QElapsedTimer clock;
        clock.start();
        router.send("VIDEO OUTPUT LOCKS:\n2 O\n\n");
        QTRY_COMPARE_WITH_TIMEOUT(locks->holderOf(3), OutputLocks::Holder::OtherClient, LockShowsMs);
        qInfo("a router client's lock showed in the window after %lld ms", clock.elapsed());

        clock.restart();
        locks->setLocked(1, true);
        QVERIFY(router.expect("VIDEO OUTPUT LOCKS:\n0 L\n\n", LockShowsMs));
        qInfo("the window's lock showed to a router client after %lld ms", clock.elapsed());
        QTRY_COMPARE_WITH_TIMEOUT(locks->holderOf(1), OutputLocks::Holder::ThisWindow, LockShowsMs);
        router.send("VIDEO OUTPUT ROUTING:\n0 5\n\n");
        QVERIFY(router.expect("NAK\n\n"));
        QVERIFY(SwitchesSeen(sim).isEmpty());

        // The operator opens the other client's lock on purpose.
        locks->setLocked(3, false);
        QVERIFY(router.expect("VIDEO OUTPUT LOCKS:\n2 U\n\n", LockShowsMs));
        QTRY_VERIFY_WITH_TIMEOUT(!locks->isLocked(3), LockShowsMs);
    }

    // Nothing on the router port: a plain device, whose locks are the
    // window's own.
    void plainDeviceKeepsLocalLocks()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QByteArray port = QByteArray::number(closed.serverPort());
        closed.close();
        ConnectedProgram program(Sim(), ConnectedProgram::Link::Tcp, {{"Key_GatewayRouterPort", port}});
        QVERIFY2(program.ok(), program.why());
        QTRY_VERIFY_WITH_TIMEOUT(!program.window()->gatewayLockClient()->isRunning(), WaitMs);
        OutputLocks *locks = program.window()->outputLocks();
        QVERIFY(!locks->isShared());
        locks->setLocked(2, true);
        QCOMPARE(locks->holderOf(2), OutputLocks::Holder::ThisWindow);
        QVERIFY(Key_OutputLocks.endsWith(QStringLiteral("127.0.0.1:%1#2").arg(program.sim().tcpPort())));
    }
};

QTEST_MAIN(TestGatewayE2e)
#include "tst_gateway_e2e.moc"
