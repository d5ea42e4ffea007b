#include "support/ServicePacingTests.h"
#include "support/ServiceRig.h"
#include "support/SimHarness.h"
#include "protocol/LinkTiming.h"
#include "support/TestSupport.h"
#include "transport/ServiceUdp.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {

constexpr quint8 SearchCode = 0x01;
constexpr quint8 UnknownCode = 0x0F;
constexpr quint32 SearchReplyMs = 1000;
constexpr int SearchAnswerBytes = 36;
constexpr int ConfigBlockBytes = 130;
constexpr int WaitMs = 8000;
// Longer than the stop wait, shorter than the test's own bound.
constexpr int HoldMs = 3 * int(LinkTiming::ThreadStopWaitMs);

const char *const Loopback = "127.0.0.1";
const char *const SecondLoopback = "127.0.0.2";

// Where the rig's service sends from and to.
struct UdpSetup
{
    QStringList addresses{QString::fromLatin1(Loopback)};
    bool interfaceAddresses = false; // the PC's own interface addresses instead
    bool broadcast = false;
};

// "a.b.c.d:port" of a traffic entry.
QPair<QString, quint16> splitPeer(const QString &peer)
{
    const int colon = peer.lastIndexOf(QLatin1Char(':'));
    return {peer.left(colon), quint16(peer.mid(colon + 1).toUInt())};
}

} // namespace

class UdpRig : public ServiceRig
{
    Q_OBJECT

public:
    UdpRig(SimHarness &sim, const UdpSetup &setup)
        : ServiceRig(sim)
        , m_setup(setup)
    { }

    // The connection page's start: the thread runs for the whole program,
    // the link opens at once, each search starts over.
    bool open() override
    {
        if (!m_setup.interfaceAddresses) {
            const QStringList addresses = m_setup.addresses;
            m_link.setModuleAddressSource([addresses]() { return addresses; });
        }
        m_link.setModulePort(m_sim.udpPort());
        m_link.openModules();
        startOver();
        return true;
    }

    // Returns once the service has the new sockets, as it has by the time a
    // page's search request is queued behind the start-over.
    void startOver()
    {
        m_link.startOverModules(m_setup.broadcast, QString::fromLatin1(Loopback));
        m_link.syncModules();
    }

    CommandChannel &channel() const override { return UdpChannel; }
    SimLink link() const override { return SimLink::Udp; }
    QByteArray answeredFrame() const override { return ModuleFrameOf(SearchCode, QByteArray()); }
    QByteArray answeredPrefix() const override { return Hex("FF 24"); }
    QByteArray silentFrame() const override { return ModuleFrameOf(UnknownCode, QByteArray()); }
    QByteArray unsolicitedFrame() const override { return Hex("FF 01 04 05"); }
    void sendUnsolicited() override
    {
        // Sent back to where the last request came from (nowhere before one).
        const auto requests = m_sim.requests(SimLink::Udp);
        if (requests.isEmpty())
            return;
        const auto peer = splitPeer(requests.last().peer);
        m_sim.sendDatagram(unsolicitedFrame(), peer.first, peer.second);
    }

private:
    UdpSetup m_setup;
};

class TestServiceUdp : public ServicePacingTests
{
    Q_OBJECT

protected:
    ServiceRig *createRig(SimHarness &sim) override
    {
        m_udp = new UdpRig(sim, m_setup);
        return m_udp;
    }
    void prepareCase() override { m_setup = UdpSetup(); }

private slots:
    void request_fromTwoLoopbackAddresses_leavesOncePerSocket();
    void twoDatagramsInOneRead_becomeTwoEntries();
    void startOver_replacesEverySocket();
    void bindFailure_isTheOnlyDebugLineAndDropsThatAddress();
    void close_aThreadThatWillNotStop_isLeftAfterTheBoundedWait();

private:
    void search();

    UdpSetup m_setup;
    UdpRig *m_udp = nullptr;
};

void TestServiceUdp::search()
{
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), SearchReplyMs, true)));
    rig().trigger();
}

void TestServiceUdp::request_fromTwoLoopbackAddresses_leavesOncePerSocket()
{
    m_setup.addresses = QStringList{QString::fromLatin1(Loopback), QString::fromLatin1(SecondLoopback)};
    QVERIFY(restart(SimHarness::TestOptions()));
    QSignalSpy sent(&rig(), &ServiceRig::sent);
    search();

    QTRY_COMPARE_WITH_TIMEOUT(sim().requests(SimLink::Udp).size(), 2, WaitMs);
    QStringList senders;
    for (const SimTrafficEntry &entry : sim().requests(SimLink::Udp)) {
        QCOMPARE(entry.bytes, rig().answeredFrame());
        senders.append(splitPeer(entry.peer).first);
    }
    senders.sort();
    QCOMPARE(senders, (QStringList{QString::fromLatin1(Loopback), QString::fromLatin1(SecondLoopback)}));
    // Each socket hears the module's answer; one send step sent both.
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 2, WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(sent.count(), 1, WaitMs);
}

void TestServiceUdp::twoDatagramsInOneRead_becomeTwoEntries()
{
    QSignalSpy received(&rig(), &ServiceRig::dataReceived);
    search();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    const auto requests = sim().requests(SimLink::Udp);
    QVERIFY(!requests.isEmpty());
    const auto peer = splitPeer(requests.last().peer);
    const SimDeviceModel model = sim().device().state();
    const QByteArray block = model.modules.value(0).block;
    const QByteArray answer = rig().received().first();

    // Hold the service thread while both datagrams arrive, so that one read
    // finds them both pending. The hold ends by itself should the test fail
    // before releasing it.
    auto gate = std::make_shared<QSemaphore>();
    auto holding = std::make_shared<QSemaphore>();
    rig().deviceLink().runOnModuleThread([gate, holding]() {
        holding->release();
        gate->tryAcquire(1, WaitMs);
    });
    QVERIFY(holding->tryAcquire(1, WaitMs));
    sim().sendDatagram(answer, peer.first, peer.second);
    sim().sendDatagram(block, peer.first, peer.second);
    gate->release();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 3, WaitMs);
    QCOMPARE(rig().received().at(1), answer);
    QCOMPARE(rig().received().at(2).size(), ConfigBlockBytes);
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 3, WaitMs);
}

void TestServiceUdp::startOver_replacesEverySocket()
{
    search();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    m_udp->startOver();
    search();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 2, WaitMs);

    const auto in = sim().requests(SimLink::Udp);
    QCOMPARE(in.size(), 2);
    QVERIFY(splitPeer(in[0].peer).second != splitPeer(in[1].peer).second);
}

void TestServiceUdp::bindFailure_isTheOnlyDebugLineAndDropsThatAddress()
{
    // An address of no local interface cannot be bound.
    m_setup.addresses = QStringList{QStringLiteral("192.0.2.1"), QString::fromLatin1(Loopback)};
    QTest::ignoreMessage(QtDebugMsg, "bind fail IP: \"192.0.2.1\"");
    QVERIFY(restart(SimHarness::TestOptions()));
    search();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    QCOMPARE(sim().requests(SimLink::Udp).size(), 1);
}

void TestServiceUdp::close_aThreadThatWillNotStop_isLeftAfterTheBoundedWait()
{
    DeviceLink &link = rig().deviceLink();
    auto gate = std::make_shared<QSemaphore>();
    auto holding = std::make_shared<QSemaphore>();
    link.runOnModuleThread([gate, holding]() {
        holding->release();
        gate->tryAcquire(1, HoldMs);
    });
    QVERIFY(holding->tryAcquire(1, WaitMs));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!link.close());
    const qint64 took = clock.elapsed();
    QVERIFY2(took < qint64(LinkTiming::ThreadStopWaitMs) + HoldMs / 3, qPrintable(QString::number(took)));
    QVERIFY(link.isRunning(DeviceLink::Worker::Udp));

    // Once free, the thread stops at the next close, and the service with it.
    gate->release();
    QVERIFY(link.close());
    QVERIFY(!link.isRunning(DeviceLink::Worker::Udp));
    QCOMPARE(int(UdpChannel.opened), 0);
}

QTEST_GUILESS_MAIN(TestServiceUdp)
#include "tst_service_udp.moc"
