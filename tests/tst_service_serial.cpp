#include "support/ServicePacingTests.h"
#include "support/ServiceRig.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "protocol/LinkTiming.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr quint8 RoutingRead = 0x12;
constexpr quint8 DeviceType = 0x95;
constexpr quint8 UnknownCode = 0x70;
constexpr quint32 ReplyMs = 2000;
constexpr int WaitMs = 8000;

// The connection page's values: 115200 baud, 8 data bits, no parity, one
// stop bit, no flow control.
struct PortSettings
{
    QString baud = QStringLiteral("115200");
    QString dataBits = QStringLiteral("8");
    QString parity = QStringLiteral("0");
    QString stopBits = QStringLiteral("1");
    QString flow = QStringLiteral("0");
};

} // namespace

class SerialRig : public ServiceRig
{
    Q_OBJECT

public:
    using ServiceRig::ServiceRig;

    bool open() override { return connectTo(m_sim.ptyPath(), PortSettings()); }

    bool connectTo(const QString &name, const PortSettings &settings, int *code = nullptr)
    {
        return openAndWait(
            [&] {
                m_link.openSerial(name, settings.baud, settings.dataBits, settings.parity, settings.stopBits,
                                  settings.flow);
            },
            code);
    }

    CommandChannel &channel() const override { return SerialChannel; }
    SimLink link() const override { return SimLink::Pty; }
    QByteArray answeredFrame() const override { return DeviceFrameOf(RoutingRead, QByteArray(1, '\0')); }
    QByteArray answeredPrefix() const override { return Hex("7B 7B 11"); }
    QByteArray silentFrame() const override { return DeviceFrameOf(UnknownCode, Hex("01 02")); }
    QByteArray unsolicitedFrame() const override { return DeviceFrameOf(0x11, Hex("00 01 02 03")); }
    void sendUnsolicited() override { m_sim.sendUnsolicited(unsolicitedFrame()); }
};

class TestServiceSerial : public ServicePacingTests
{
    Q_OBJECT

protected:
    ServiceRig *createRig(SimHarness &sim) override
    {
        m_serial = new SerialRig(sim);
        return m_serial;
    }

private slots:
    void identification_overThePseudoTerminal();
    void splitAndNoisyReplies_areAssembledAcrossReads();
    void connect_settingsThatNameNoEnumValue_stillOpen_data();
    void connect_settingsThatNameNoEnumValue_stillOpen();
    void connect_missingPort_reportsCode3AndSendsNothing();
    void secondConnect_keepsTheQueue();

private:
    SerialRig *m_serial = nullptr;
};

void TestServiceSerial::identification_overThePseudoTerminal()
{
    QSignalSpy sent(&rig(), &ServiceRig::sent);
    const QByteArray query = DeviceFrameOf(DeviceType, Hex("00 00 00"));
    QVERIFY(rig().push(query, ReplyRecord(query.left(3), ReplyMs, true)));
    rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    const QByteArray reply = rig().received().first();
    QCOMPARE(reply.left(3), Hex("7B 7B 95"));
    QCOMPARE(quint8(reply[4 + 1]), sim().device().state().outputCount);
    QCOMPARE(quint8(reply[4 + 2]), sim().device().state().inputCount);
    QTRY_COMPARE_WITH_TIMEOUT(sent.count(), 1, WaitMs);
    QCOMPARE(sent.first().first().toByteArray(), query);
}

void TestServiceSerial::splitAndNoisyReplies_areAssembledAcrossReads()
{
    SimFaultOptions faults;
    faults.split = true;
    faults.garbage = 1.0;
    sim().setFaults(faults);
    constexpr int Count = 3;
    for (int i = 0; i < Count; ++i)
        QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), Count, WaitMs);
    for (const QByteArray &frame : rig().received())
        QCOMPARE(frame.left(3), Hex("7B 7B 11"));
}

void TestServiceSerial::connect_settingsThatNameNoEnumValue_stillOpen_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<QString>("stopBits");
    QTest::newRow("9600, even, two stop bits") << "9600"
                                               << "2"
                                               << "2";
    QTest::newRow("baud not a number") << "fast"
                                       << "0"
                                       << "1";
    QTest::newRow("parity 1 names no parity") << "115200"
                                              << "1"
                                              << "1";
    QTest::newRow("stop bits 7") << "115200"
                                 << "0"
                                 << "7";
}

void TestServiceSerial::connect_settingsThatNameNoEnumValue_stillOpen()
{
    QFETCH(QString, baud);
    QFETCH(QString, parity);
    QFETCH(QString, stopBits);
    PortSettings settings;
    settings.baud = baud;
    settings.parity = parity;
    settings.stopBits = stopBits;
    QVERIFY(m_serial->connectTo(sim().ptyPath(), settings));

    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
}

void TestServiceSerial::connect_missingPort_reportsCode3AndSendsNothing()
{
    // Stop the connected service first: a fresh one tries a port that is
    // not there.
    rig().close();
    ResetProcessState();
    auto *fresh = new SerialRig(sim());
    int code = 0;
    QVERIFY(!fresh->connectTo(QStringLiteral("/dev/kxr-no-such-port"), PortSettings(), &code));
    QCOMPARE(code, 3); // the code the connection page shows
    QCOMPARE(int(SerialChannel.opened), 0);

    QSignalSpy sent(fresh, &ServiceRig::sent);
    fresh->trigger();
    QVERIFY(!sent.wait(2 * LinkTiming::SendGapMs));
    delete fresh;
}

void TestServiceSerial::secondConnect_keepsTheQueue()
{
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), ReplyMs, true)));
    QVERIFY(m_serial->connectTo(sim().ptyPath(), PortSettings()));
    QCOMPARE(ChannelQueueSize(SerialChannel, QueueSide::Send), 1);
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    QCOMPARE(sim().requests(SimLink::Pty).size(), 1);
}

QTEST_GUILESS_MAIN(TestServiceSerial)
#include "tst_service_serial.moc"
