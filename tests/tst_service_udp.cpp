#include "support/ServicePacingTests.h"
#include "support/ServiceRig.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "transport/ServiceRegistry.h"
#include "transport/ServiceUdp.h"

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
        ServiceUdp *service = UdpService();
        QThread *thread = UdpThread();
        if (!m_setup.interfaceAddresses) {
            const QStringList addresses = m_setup.addresses;
            service->setAddressSource([addresses]() { return addresses; });
        }
        service->setTargetPort(m_sim.udpPort());
        service->moveToThread(thread);
        connect(this, &UdpRig::SGL_PretendConnect_Udp, service, &ServiceUdp::SLT_SyncConnect_Udp, Qt::QueuedConnection);
        connect(this, &UdpRig::SGL_Startover_Udp, service, &ServiceUdp::SLT_Startover_Udp, Qt::QueuedConnection);
        connect(this, &ServiceRig::SGL_UnifyUpdateEmit, service, &ServiceUdp::SLT_RealSendData_Udp,
                Qt::QueuedConnection);
        connect(thread, &QThread::finished, service, &ServiceUdp::SLT_SyncDisconnect_Udp);
        connect(service, &ServiceUdp::SGL_UpdateRecvData_Udp, this, &ServiceRig::dataReceived, Qt::QueuedConnection);
        connect(service, &ServiceUdp::SGL_UpdateSendData_Udp, this, &ServiceRig::sent, Qt::QueuedConnection);
        connect(service, &ServiceUdp::SGL_WaitReplyTimeout_Udp, this, &ServiceRig::timedOut, Qt::QueuedConnection);
        thread->start();
        emit SGL_PretendConnect_Udp();
        startOver();
        return true;
    }

    // Returns once the service has the new sockets, as it has by the time a
    // page's search request is queued behind the start-over.
    void startOver()
    {
        emit SGL_Startover_Udp(m_setup.broadcast, QString::fromLatin1(Loopback));
        QMetaObject::invokeMethod(
            UdpService(), []() {}, Qt::BlockingQueuedConnection);
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

signals:
    void SGL_PretendConnect_Udp();
    void SGL_Startover_Udp(bool isBroadcast, QString remoteIp);

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
    void broadcastSearch_reachesTheModuleAndItsAnswerComesBack();

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
    QMetaObject::invokeMethod(
        UdpService(),
        [gate, holding]() {
            holding->release();
            gate->tryAcquire(1, WaitMs);
        },
        Qt::QueuedConnection);
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

void TestServiceUdp::broadcastSearch_reachesTheModuleAndItsAnswerComesBack()
{
    if (ServiceUdp::LocalIpv4Addresses().isEmpty())
        QSKIP("no IPv4 interface with a broadcast address (run under scripts/netns-run)");
    m_setup.interfaceAddresses = true;
    m_setup.broadcast = true;
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true;
    QVERIFY(restart(options));
    search();

    // The module may hear the broadcast on more than one interface of the
    // namespace; each hearing is answered.
    QTRY_VERIFY_WITH_TIMEOUT(!rig().received().isEmpty(), WaitMs);
    const QByteArray answer = rig().received().first();
    QCOMPARE(answer.size(), SearchAnswerBytes);
    QCOMPARE(answer.left(2), Hex("FF 24"));
    const QString sender = splitPeer(sim().requests(SimLink::Udp).value(0).peer).first;
    QVERIFY(ServiceUdp::LocalIpv4Addresses().contains(sender));
}

QTEST_GUILESS_MAIN(TestServiceUdp)
#include "tst_service_udp.moc"
