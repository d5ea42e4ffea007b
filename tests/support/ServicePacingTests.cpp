#include "support/ServicePacingTests.h"

#ifdef KXR_HAVE_SIMULATOR

#include "support/TestSupport.h"
#include "protocol/LinkTiming.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr quint32 LongReplyMs = 3000;
constexpr quint32 SilentReplyMs = 300;
constexpr quint32 UnsolicitedWaitMs = 600;
constexpr quint32 LateReplyTimeoutMs = 150;
constexpr int LateReplyDelayMs = 400;
constexpr int InFlightDelayMs = 80;
constexpr int QuietAfterLateReplyMs = 300;
// Releasing the next command takes the gap plus a little; waiting for the
// reply timer would take seconds.
constexpr double ReleaseBoundMs = 1000.0;
constexpr int WaitMs = 8000;
constexpr int EchoBytes = 3;

// The silent request waits for an echo of itself, which never comes and
// which no unsolicited frame resembles.
CommandRecord silentRecord(ServiceRig &rig, quint32 timeoutMs, bool report)
{
    return ReplyRecord(rig.silentFrame().left(EchoBytes), timeoutMs, report);
}

} // namespace

SimOptions ServicePacingTests::simOptions() const
{
    return SimHarness::TestOptions();
}

bool ServicePacingTests::restart(const SimOptions &options)
{
    stopRig();
    return startRig(options);
}

bool ServicePacingTests::startRig(const SimOptions &options)
{
    m_sim = std::make_unique<SimHarness>(options);
    if (!m_sim->isRunning())
        return false;
    m_rig.reset(createRig(*m_sim));
    return m_rig->open();
}

void ServicePacingTests::stopRig()
{
    m_rig.reset();
    m_sim.reset();
}

void ServicePacingTests::init()
{
    ResetProcessState();
    prepareCase();
    QVERIFY(startRig(simOptions()));
}

void ServicePacingTests::cleanup()
{
    stopRig();
    ResetProcessState();
}

void ServicePacingTests::oneCommandInFlight_spacedByTheGap()
{
    SimFaultOptions slow;
    slow.delayMs = InFlightDelayMs;
    sim().setFaults(slow);
    constexpr int Count = 4;
    for (int i = 0; i < Count; ++i)
        QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    // Triggers that arrive while a command is in flight send nothing more.
    for (int i = 0; i < Count; ++i)
        rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), Count, WaitMs);
    const auto in = sim().requests(rig().link());
    const auto out = sim().replies(rig().link());
    QCOMPARE(in.size(), Count);
    QCOMPARE(out.size(), Count);
    for (int k = 1; k < Count; ++k) {
        const double after = MsBetween(out[k - 1], in[k]);
        QVERIFY2(after >= LinkTiming::SendGapMs,
                 qPrintable(QStringLiteral("request %1 came %2 ms after the reply").arg(k).arg(after)));
    }
}

void ServicePacingTests::matchingReply_releasesTheNextAtOnce()
{
    constexpr int Count = 3;
    for (int i = 0; i < Count; ++i)
        QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), Count, WaitMs);
    const auto in = sim().requests(rig().link());
    const auto out = sim().replies(rig().link());
    QCOMPARE(in.size(), Count);
    for (int k = 1; k < Count; ++k)
        QVERIFY(MsBetween(out[k - 1], in[k]) < ReleaseBoundMs);
    QCOMPARE(timeouts.count(), 0);
}

// The window may hold the send queue's lock just when the service tries it
// (it also looks at how many commands wait), and nothing triggers a send
// when it lets go: the command must still leave.
void ServicePacingTests::queueLockedAtTheTrigger_isSentOnceFree()
{
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    rig().channel().sendMutex.lock();
    rig().trigger();
    QTest::qWait(100); // the service tried and found the lock taken
    rig().channel().sendMutex.unlock();
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
}

void ServicePacingTests::unsolicitedFrame_isDeliveredButReleasesNothing()
{
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    QVERIFY(rig().push(rig().silentFrame(), silentRecord(rig(), UnsolicitedWaitMs, false)));
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(sim().requests(rig().link()).size(), 1, WaitMs);

    rig().sendUnsolicited();
    QTRY_VERIFY_WITH_TIMEOUT(rig().received().contains(rig().unsolicitedFrame()), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(sim().requests(rig().link()).size(), 2, WaitMs);
    const auto in = sim().requests(rig().link());
    QVERIFY(MsBetween(in[0], in[1]) >= UnsolicitedWaitMs);
    QCOMPARE(timeouts.count(), 0);
}

void ServicePacingTests::timeout_movesOnWithoutRetry_reportsOnlyWhenAsked()
{
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    const QByteArray silent = rig().silentFrame();
    QVERIFY(rig().push(silent, silentRecord(rig(), SilentReplyMs, true)));
    QVERIFY(rig().push(silent, silentRecord(rig(), SilentReplyMs, false)));
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    const auto in = sim().requests(rig().link());
    QCOMPARE(in.size(), 3);
    QCOMPARE(in[0].bytes, silent);
    QCOMPARE(in[1].bytes, silent);
    QCOMPARE(in[2].bytes, rig().answeredFrame());
    QTRY_COMPARE_WITH_TIMEOUT(timeouts.count(), 1, WaitMs);
    QCOMPARE(timeouts.first().first().toByteArray(), silent);
}

void ServicePacingTests::lateReply_isDeliveredButSendsNothing()
{
    SimFaultOptions late;
    late.delayMs = LateReplyDelayMs;
    sim().setFaults(late);
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LateReplyTimeoutMs, true)));
    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(timeouts.count(), 1, WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);

    // Queued without a trigger: only a release by the late reply could send
    // it.
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    QTest::qWait(QuietAfterLateReplyMs);
    QCOMPARE(sim().requests(rig().link()).size(), 1);

    rig().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(sim().requests(rig().link()).size(), 2, WaitMs);
}

void ServicePacingTests::pauseCommand_waitsItsPauseOnly_data()
{
    QTest::addColumn<quint32>("pauseMs");
    QTest::newRow("raw bytes, pause 0") << 0u;
    QTest::newRow("pause 300") << 300u;
}

void ServicePacingTests::pauseCommand_waitsItsPauseOnly()
{
    QFETCH(quint32, pauseMs);
    QSignalSpy timeouts(&rig(), &ServiceRig::timedOut);
    QVERIFY(rig().push(rig().silentFrame(), PauseRecord(pauseMs, true)));
    QVERIFY(rig().push(rig().answeredFrame(), ReplyRecord(rig().answeredPrefix(), LongReplyMs, true)));
    rig().trigger();

    QTRY_COMPARE_WITH_TIMEOUT(rig().received().size(), 1, WaitMs);
    const auto in = sim().requests(rig().link());
    QCOMPARE(in.size(), 2);
    const double between = MsBetween(in[0], in[1]);
    QVERIFY2(between >= pauseMs, qPrintable(QString::number(between)));
    QVERIFY2(between < pauseMs + ReleaseBoundMs, qPrintable(QString::number(between)));
    QCOMPARE(timeouts.count(), 0);
}

#endif
