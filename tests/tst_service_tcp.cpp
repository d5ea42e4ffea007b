#include "support/ServicePacingTests.h"
#include "support/ServiceRig.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "protocol/LinkTiming.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr quint8 RoutingRead = 0x12;
constexpr quint8 UnknownCode = 0x70;
constexpr quint32 ReplyMs = 2000;
constexpr quint32 SilentMs = 300;
constexpr int PortWrap = 0x10000;
constexpr int WaitMs = 8000;
// The service notices the closed connection on its own thread; the next
// send must come after that.
constexpr int CloseNoticeMs = 200;

const char *const Loopback = "127.0.0.1";

} // namespace

class TcpRig : public ServiceRig
{
    Q_OBJECT

public:
    using ServiceRig::ServiceRig;

    bool open() override { return connectTo(QString::number(m_sim.tcpPort())); }

    // The connection page's connect: local address, device address, port
    // text. Waits for the service's answer.
    bool connectTo(const QString &portText, int *code = nullptr)
    {
        return openAndWait(
            [&] { m_link.openTcp(QString::fromLatin1(Loopback), QString::fromLatin1(Loopback), portText); }, code);
    }

    CommandChannel &channel() const override { return TcpChannel; }
    SimLink link() const override { return SimLink::Tcp; }
    QByteArray answeredFrame() const override { return DeviceFrameOf(RoutingRead, QByteArray(1, '\0')); }
    QByteArray answeredPrefix() const override { return Hex("7B 7B 11"); }
    QByteArray silentFrame() const override { return DeviceFrameOf(UnknownCode, Hex("01 02")); }
    QByteArray unsolicitedFrame() const override { return DeviceFrameOf(0x11, Hex("03 02 01 00")); }
    void sendUnsolicited() override { m_sim.sendUnsolicited(unsolicitedFrame()); }
};

class TestServiceTcp : public ServicePacingTests
{
    Q_OBJECT

protected:
    ServiceRig *createRig(SimHarness &sim) override
    {
        m_tcp = new TcpRig(sim);
        return m_tcp;
    }

private slots:
    void connect_usesTheLow16BitsOfThePortText_data();
    void connect_usesTheLow16BitsOfThePortText();
    void connect_nobodyListening_reportsCode5AndSendsNothing();
    void peerClosesConnection_oneReconnectionBeforeTheNextSend();
    void reconnectionFails_isReportedAndTheCommandTimesOut();
    void threadEnd_disconnectsAndClearsTheChannel();

private:
    TcpRig *m_tcp = nullptr;
};

void TestServiceTcp::connect_usesTheLow16BitsOfThePortText_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("port as it is") << 0;
    QTest::newRow("port plus 65536") << PortWrap;
    QTest::newRow("port plus 3 x 65536") << 3 * PortWrap;
}

void TestServiceTcp::connect_usesTheLow16BitsOfThePortText()
{
    QFETCH(int, offset);
    QVERIFY(m_tcp->connectTo(QString::number(sim().tcpPort() + offset)));
    QTRY_COMPARE_WITH_TIMEOUT(sim().device().tcpConnections(), 2, WaitMs);
}

void TestServiceTcp::connect_nobodyListening_reportsCode5AndSendsNothing()
{
    sim().dropTcpClients();
    sim().setTcpListening(false);
    int code = 0;
    QVERIFY(!m_tcp->connectTo(QString::number(sim().tcpPort()), &code));
    QCOMPARE(code, 5); // the code the connection page shows

    // Without a connection the send slot does nothing, even once the device
    // listens again.
    sim().setTcpListening(true);
    QSignalSpy sent(&rig(), &ServiceRig::sent);
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();
    QVERIFY(!sent.wait(CloseNoticeMs + LinkTiming::SendGapMs));
    QCOMPARE(sim().requests(SimLink::Tcp).size(), 0);
}

void TestServiceTcp::peerClosesConnection_oneReconnectionBeforeTheNextSend()
{
    QSignalSpy reconnect(&rig().deviceLink(), &DeviceLink::SGL_ReConnectStatus_TcpClient);
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);

    sim().dropTcpClients();
    QTest::qWait(CloseNoticeMs);
    for (int i = 0; i < 2; ++i)
        QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 3, WaitMs);
    QCOMPARE(sim().device().tcpConnections(), 2);
    QCOMPARE(sim().requests(SimLink::Tcp).size(), 3);
    QCOMPARE(reconnect.count(), 0);
}

void TestServiceTcp::reconnectionFails_isReportedAndTheCommandTimesOut()
{
    QSignalSpy reconnect(&rig().deviceLink(), &DeviceLink::SGL_ReConnectStatus_TcpClient);
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    sim().setTcpListening(false);
    sim().dropTcpClients();
    QTest::qWait(CloseNoticeMs);

    const QByteArray frame = rig().answeredFrame();
    QVERIFY(rig().push(frame, ReplyRecord(rig().answeredPrefix(), SilentMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(reconnect.count(), 1, WaitMs);
    QCOMPARE(reconnect.first().first().toBool(), false);
    QTRY_COMPARE_WITH_TIMEOUT(timeouts.count(), 1, WaitMs);
    QCOMPARE(timeouts.first().first().toByteArray(), frame);
    QCOMPARE(sim().requests(SimLink::Tcp).size(), 0);
}

void TestServiceTcp::threadEnd_disconnectsAndClearsTheChannel()
{
    QVERIFY(rig().push(rig().silentFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(sim().requests(SimLink::Tcp).size(), 1, WaitMs);

    // The connection page's disconnect, with a reply timer still running.
    rig().deviceLink().closeDevice();
    QVERIFY(!rig().deviceLink().isRunning(DeviceLink::Worker::Tcp));
    QCOMPARE(int(TcpChannel.opened), 0);
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 0);
}

QTEST_GUILESS_MAIN(TestServiceTcp)
#include "tst_service_tcp.moc"
