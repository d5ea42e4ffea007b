#include "protocol/CommandChannel.h"
#include "support/TestSupport.h"

#include <QSemaphore>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <vector>

namespace {

CommandRecord prefixRecord(const QByteArray &prefix, const QByteArray &second = {})
{
    CommandRecord record = EmptyCommandRecord();
    record.waitReply = 1;
    record.expectedCount = second.isNull() ? 1 : 2;
    std::memcpy(record.expected[0], prefix.constData(), size_t(prefix.size()));
    record.expectedLength[0] = quint32(prefix.size());
    if (!second.isNull()) {
        std::memcpy(record.expected[1], second.constData(), size_t(second.size()));
        record.expectedLength[1] = quint32(second.size());
    }
    return record;
}

bool matches(const CommandRecord &record, const QByteArray &frame)
{
    return ReplyMatches(record, reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size()));
}

} // namespace

class CommandChannelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ResetProcessState(); }
    void cleanup() { ResetProcessState(); }

    void openAndClear();
    void push_refusesWhatItCannotQueue();
    void enqueue_bounds_data();
    void enqueue_bounds();
    void matcher_data();
    void matcher();
    void drain_givesUpWhileTheServiceHoldsTheLock();
};

void CommandChannelTest::openAndClear()
{
    const quint8 byte = 0x01;
    QVERIFY(!ChannelPush(TcpChannel, QueueSide::Send, &byte, 1, nullptr));

    QVERIFY(ChannelOpen(TcpChannel));
    QVERIFY(ChannelPush(TcpChannel, QueueSide::Send, &byte, 1, nullptr));
    // Opening again creates nothing new: the queued entry is still there.
    QVERIFY(ChannelOpen(TcpChannel));
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 1);

    TcpChannel.current.waitReply = 1;
    TcpChannel.rxCount = 9;
    ChannelClear(TcpChannel);
    QCOMPARE(TcpChannel.opened.load(), quint8(0));
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 0);
    QCOMPARE(TcpChannel.current.waitReply, quint8(0));
    QCOMPARE(TcpChannel.rxCount, 0u);
    QVERIFY(!ChannelPush(TcpChannel, QueueSide::Receive, &byte, 1, nullptr));

    // Clearing a closed channel does nothing.
    ChannelClear(TcpChannel);
    QCOMPARE(TcpChannel.opened.load(), quint8(0));
}

void CommandChannelTest::push_refusesWhatItCannotQueue()
{
    ChannelOpen(SerialChannel);
    const quint8 byte = 0x01;
    QVERIFY(!ChannelPush(SerialChannel, QueueSide::Send, nullptr, 3, nullptr));
    QVERIFY(!ChannelPush(SerialChannel, QueueSide::Send, &byte, 0, nullptr));
    QCOMPARE(ChannelQueueSize(SerialChannel, QueueSide::Send), 0);
}

void CommandChannelTest::enqueue_bounds_data()
{
    QTest::addColumn<quint32>("transport");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("serialQueued");
    QTest::addColumn<int>("tcpQueued");

    QTest::newRow("tcp 2048 queued") << quint32(TransportTcp) << 2048 << 0 << 1;
    QTest::newRow("tcp 2049 dropped") << quint32(TransportTcp) << 2049 << 0 << 0;
    QTest::newRow("serial 2048 queued") << quint32(TransportSerial) << 2048 << 1 << 0;
    QTest::newRow("serial 2049 dropped") << quint32(TransportSerial) << 2049 << 0 << 0;
    QTest::newRow("no transport discards") << quint32(TransportNone) << 8 << 0 << 0;
    QTest::newRow("unknown transport discards") << quint32(7) << 8 << 0 << 0;
}

void CommandChannelTest::enqueue_bounds()
{
    QFETCH(quint32, transport);
    QFETCH(int, size);
    QFETCH(int, serialQueued);
    QFETCH(int, tcpQueued);

    ChannelOpen(SerialChannel);
    ChannelOpen(TcpChannel);
    ActiveTransport = transport;
    const std::vector<quint8> frame(size_t(size), 0x7B);
    QCOMPARE(EnqueueDeviceCommand(frame.data(), quint32(size), EmptyCommandRecord()), serialQueued + tcpQueued == 1);
    QCOMPARE(ChannelQueueSize(SerialChannel, QueueSide::Send), serialQueued);
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), tcpQueued);
}

void CommandChannelTest::matcher_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<bool>("waitReply");
    QTest::addColumn<bool>("acceptAny");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("match");

    const QByteArray routing = Hex("7B 7B 11 02 00 01 FB 7D 7D");
    const QByteArray noSecond;
    QTest::newRow("prefix matches") << Hex("7B 7B 11") << noSecond << true << false << routing << true;
    QTest::newRow("prefix differs") << Hex("7B 7B 12") << noSecond << true << false << routing << false;
    QTest::newRow("not awaiting a reply") << Hex("7B 7B 11") << noSecond << false << false << routing << false;
    QTest::newRow("reply shorter than the prefix")
        << Hex("7B 7B 11 02 00 01 FB 7D 7D 00") << noSecond << true << false << routing << false;
    QTest::newRow("short reply with accept-any")
        << QByteArray(130, 0) << noSecond << true << true << QByteArray(129, 1) << false;
    QTest::newRow("long enough with accept-any")
        << QByteArray(130, 0) << noSecond << true << true << QByteArray(130, 1) << true;
    QTest::newRow("empty prefix matches any frame") << QByteArray("") << noSecond << true << false << routing << true;
    QTest::newRow("second prefix tried after the first fails")
        << Hex("FF 24") << Hex("7B 7B 11") << true << false << routing << true;
    QTest::newRow("neither prefix") << Hex("FF 24") << Hex("7B 7B 95") << true << false << routing << false;
}

void CommandChannelTest::matcher()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(bool, waitReply);
    QFETCH(bool, acceptAny);
    QFETCH(QByteArray, frame);
    QFETCH(bool, match);

    CommandRecord record = prefixRecord(first, second);
    record.waitReply = waitReply ? 1 : 0;
    record.acceptAnyReply = acceptAny ? 1 : 0;
    QCOMPARE(matches(record, frame), match);

    record.expectedCount = 0;
    QVERIFY(!matches(record, frame));
}

void CommandChannelTest::drain_givesUpWhileTheServiceHoldsTheLock()
{
    ChannelOpen(TcpChannel);
    const quint8 byte = 0x11;
    ChannelPush(TcpChannel, QueueSide::Receive, &byte, 1, nullptr);

    int handled = 0;
    QSemaphore locked;
    QSemaphore release;
    QThread *holder = QThread::create([&] {
        TcpChannel.recvMutex.lock();
        locked.release();
        release.tryAcquire(1, 2000);
        TcpChannel.recvMutex.unlock();
    });
    holder->start();
    QVERIFY(locked.tryAcquire(1, 2000));
    QVERIFY(!DrainReceiveQueue(TcpChannel, [&](const QByteArray &) { ++handled; }));
    QCOMPARE(handled, 0);
    release.release();
    QVERIFY(holder->wait(2000));
    delete holder;

    QVERIFY(DrainReceiveQueue(TcpChannel, [&](const QByteArray &frame) {
        QCOMPARE(frame, Hex("11"));
        ++handled;
    }));
    QCOMPARE(handled, 1);
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Receive), 0);
}

QTEST_GUILESS_MAIN(CommandChannelTest)
#include "tst_commandchannel.moc"
