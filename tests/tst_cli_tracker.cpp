// The headless pieces kxrctl is built from: the EDID check shared with the
// window, the list of reads after identification, the enqueue hooks and the
// tracker that decides when the device has confirmed a command.
#include "cli/CommandTracker.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidImage.h"
#include "protocol/FullRead.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int EdidBytes = 256;
constexpr int BlockBytes = 128;

QByteArray balanced(QByteArray edid, int blocks)
{
    for (int block = 0; block < blocks; ++block) {
        quint32 sum = 0;
        for (int i = block * BlockBytes; i < (block + 1) * BlockBytes - 1; ++i)
            sum += quint8(edid[i]);
        edid[(block + 1) * BlockBytes - 1] = char((256 - sum % 256) % 256);
    }
    return edid;
}

QByteArray edidWith(int extensionCount, bool balanceBase, bool balanceExtension)
{
    QByteArray edid(EdidBytes, '\0');
    edid.replace(0, 8, Hex("00 FF FF FF FF FF FF 00"));
    for (int i = 8; i < EdidBytes - 1; ++i)
        edid[i] = char(i);
    edid[126] = char(extensionCount);
    edid = balanced(edid, 2);
    if (!balanceBase)
        edid[127] = char(edid[127] + 1);
    if (!balanceExtension)
        edid[255] = char(edid[255] + 1);
    return edid;
}

QVector<QByteArray> sendQueue(CommandChannel &channel)
{
    QVector<QByteArray> frames;
    QMutexLocker lock(&channel.sendMutex);
    if (channel.sendQueue) {
        for (const QueueEntry &entry : *channel.sendQueue)
            frames << entry.data;
    }
    return frames;
}

} // namespace

class TestCliTracker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void edidCheck_data();
    void edidCheck();
    void fullRead_queuesTheWindowsReadsInOrder();
    void hooks_seeEveryQueuedCommandAndAdjustItsTimeout();
    void tracker_reply_confirmsTheCommandAwaitingIt_data();
    void tracker_reply_confirmsTheCommandAwaitingIt();
    void tracker_missingReply_failsTheCommand_data();
    void tracker_missingReply_failsTheCommand();
    void tracker_commandWithoutReply_isDoneOnceSent();
};

void TestCliTracker::init()
{
    ResetProcessState();
    ChannelOpen(TcpChannel);
    ActiveTransport = TransportTcp;
}

void TestCliTracker::cleanup()
{
    SetDeviceEnqueueHooks(nullptr, nullptr);
    ResetProcessState();
}

void TestCliTracker::edidCheck_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("result");
    QTest::newRow("base and extension balanced") << edidWith(1, true, true) << int(EdidCheck::Valid);
    QTest::newRow("header broken") << QByteArray(edidWith(1, true, true)).replace(0, 1, "\x01")
                                   << int(EdidCheck::NotEdid);
    QTest::newRow("base checksum off") << edidWith(0, false, true) << int(EdidCheck::ChecksumFailed);
    QTest::newRow("one extension, its checksum off") << edidWith(1, true, false) << int(EdidCheck::ChecksumFailed);
    QTest::newRow("two extensions: second block not looked at") << edidWith(2, true, false) << int(EdidCheck::Valid);
    QTest::newRow("128 bytes announcing one extension")
        << EdidImageFromBytes(edidWith(1, true, true).left(BlockBytes)) << int(EdidCheck::Valid);
    QTest::newRow("all zeros") << QByteArray(EdidBytes, '\0') << int(EdidCheck::NotEdid);
}

void TestCliTracker::edidCheck()
{
    QFETCH(QByteArray, image);
    QFETCH(int, result);
    QCOMPARE(int(CheckEdid(reinterpret_cast<const quint8 *>(image.constData()))), result);
}

void TestCliTracker::fullRead_queuesTheWindowsReadsInOrder()
{
    Device().inputCount = 3;
    Device().outputCount = 2;
    QCOMPARE(QueueFullRead(), 9);
    const QVector<QByteArray> expected{
        DeviceFrameOf(0x12, Hex("00")),
        DeviceFrameOf(0xD9, Hex("00 80 00")),
        DeviceFrameOf(0x7F, Hex("00 C0")),
        DeviceFrameOf(0x7F, Hex("01 C0")),
        DeviceFrameOf(0x7F, Hex("02 C0")),
        DeviceFrameOf(0x45, Hex("00 F0") + QByteArray(10, '\0')),
        DeviceFrameOf(0x7F, Hex("00 80")),
        DeviceFrameOf(0x7F, Hex("01 80")),
        DeviceFrameOf(0x93, Hex("00 80 00 00 00")),
    };
    QCOMPARE(sendQueue(TcpChannel), expected);

    // Without a link nothing is queued.
    ActiveTransport = TransportNone;
    QCOMPARE(QueueFullRead(), 0);
}

void TestCliTracker::hooks_seeEveryQueuedCommandAndAdjustItsTimeout()
{
    QVector<QByteArray> seen;
    QVector<quint32> timeouts;
    SetDeviceEnqueueHooks([](CommandRecord &record) { record.replyTimeoutMs = 123; },
                          [&](const QByteArray &frame, const CommandRecord &record) {
                              seen << frame;
                              timeouts << record.replyTimeoutMs;
                          });
    Device().inputCount = 2;
    QVERIFY(CMD_RoutingRead());
    QVERIFY(!CMD_InputInfoRead(5)); // refused by its bound: not seen
    QCOMPARE(seen, QVector<QByteArray>{DeviceFrameOf(0x12, Hex("00"))});
    QCOMPARE(timeouts, QVector<quint32>{123});
    QMutexLocker lock(&TcpChannel.sendMutex);
    QCOMPARE(TcpChannel.sendQueue->front().record.replyTimeoutMs, 123u);
}

void TestCliTracker::tracker_reply_confirmsTheCommandAwaitingIt_data()
{
    QTest::addColumn<bool>("replyFirst");
    QTest::newRow("sent notice, then reply") << false;
    // The link drains every queued frame on the notice of an earlier one,
    // so a reply can come before the notice that its command was sent.
    QTest::newRow("reply, then sent notice") << true;
}

void TestCliTracker::tracker_reply_confirmsTheCommandAwaitingIt()
{
    QFETCH(bool, replyFirst);
    CommandTracker tracker;
    tracker.install();
    Device().inputCount = 1;
    QVERIFY(CMD_InputInfoRead(0));
    QVERIFY(CMD_RoutingRead());
    const QByteArray info = DeviceFrameOf(0x7F, Hex("00 C0") + QByteArray(20, '\0'));
    const QByteArray routing = DeviceFrameOf(0x11, Hex("00 01"));
    // An unasked report that is not the reply of the oldest command.
    QVERIFY(!tracker.onFrame(routing));
    if (replyFirst) {
        QVERIFY(tracker.onFrame(info));
        tracker.onSent(DeviceFrameOf(0x7F, Hex("00 C0")));
    } else {
        tracker.onSent(DeviceFrameOf(0x7F, Hex("00 C0")));
        QVERIFY(tracker.onFrame(info));
    }
    QVERIFY(!tracker.idle());
    if (replyFirst) {
        QVERIFY(tracker.onFrame(routing));
        tracker.onSent(DeviceFrameOf(0x12, Hex("00")));
    } else {
        tracker.onSent(DeviceFrameOf(0x12, Hex("00")));
        QVERIFY(tracker.onFrame(routing));
    }
    QVERIFY(tracker.idle());
    QVERIFY(!tracker.failed());
    // Once answered, a further report is unasked.
    QVERIFY(!tracker.onFrame(routing));
}

void TestCliTracker::tracker_missingReply_failsTheCommand_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("the service reports the timeout") << "report";
    QTest::newRow("the service sends the next command") << "next";
    QTest::newRow("the watchdog runs out") << "watchdog";
}

void TestCliTracker::tracker_missingReply_failsTheCommand()
{
    QFETCH(QString, how);
    CommandTracker tracker;
    tracker.install();
    tracker.setTimeoutOverride(20);
    tracker.setLabel(QStringLiteral("input signal read"));
    Device().inputCount = 1;
    QVERIFY(CMD_InputInfoRead(0));
    tracker.setLabel(QStringLiteral("routing read"));
    QVERIFY(CMD_RoutingRead());
    const QByteArray first = DeviceFrameOf(0x7F, Hex("00 C0"));
    tracker.onSent(first);
    QSignalSpy changed(&tracker, &CommandTracker::SGL_Changed);
    if (how == QLatin1String("report"))
        tracker.onTimeoutReport(first);
    else if (how == QLatin1String("next"))
        tracker.onSent(DeviceFrameOf(0x12, Hex("00")));
    else
        QTRY_VERIFY_WITH_TIMEOUT(tracker.failed(), 2000);
    QVERIFY(tracker.failed());
    QVERIFY(changed.count() >= 1);
    QCOMPARE(tracker.failedCommand().frame, first);
    QCOMPARE(tracker.failedCommand().label, QStringLiteral("input signal read"));
    QCOMPARE(tracker.failedTimeoutMs(), 20);
}

void TestCliTracker::tracker_commandWithoutReply_isDoneOnceSent()
{
    CommandTracker tracker;
    tracker.install();
    Device().layoutCount = 4;
    QVERIFY(CMD_LayoutSave(1));
    QVERIFY(CMD_RoutingRead());
    const int before = tracker.outstandingMs();
    tracker.onSent(DeviceFrameOf(0x02, Hex("01")));
    QVERIFY(!tracker.idle()); // the routing read waits behind the pause
    // The pause after the save is part of what the read still needs.
    QVERIFY(tracker.outstandingMs() >= before - CommandTracker::SendGapMs - CommandTracker::WatchdogMarginMs);
    tracker.onSent(DeviceFrameOf(0x12, Hex("00")));
    QVERIFY(tracker.onFrame(DeviceFrameOf(0x11, Hex("00"))));
    QVERIFY(tracker.idle());
    QVERIFY(!tracker.failed());
}

QTEST_GUILESS_MAIN(TestCliTracker)
#include "tst_cli_tracker.moc"
