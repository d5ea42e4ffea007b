// How the program behaves when a link goes away or a reply comes late: the
// serial line hung up, the device gone while the TCP link is idle, a timeout
// report handled late by a busy window, a disconnect in the middle of the
// gap before a send, and how long disconnect and exit take.
#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "transport/DeviceLink.h"
#include "transport/Ui_Uart_Network.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <ctime>

namespace {
constexpr int NoticeMs = 1000;
constexpr int HangUpWatchMs = 2000;
// A service spinning on a dead port takes a whole core (a share of 1).
// Closing the port, the message and the result's pictures take about 0.015
// alone, and up to 0.05 under the sanitizers beside another test.
constexpr double MaxCpuShare = 0.25;
constexpr int StopBoundMs = 500;
constexpr quint8 SilentCode = 0x70; // no device answers it
constexpr quint8 RoutingRead = 0x12;

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Queues raw frames with their records on the active link and asks the
// services to send, as a page does.
void queue(Ui_Main *window, const QByteArray &frame, const CommandRecord &record)
{
    CommandChannel *channel = ActiveDeviceChannel();
    QVERIFY(channel);
    QVERIFY(ChannelPush(*channel, QueueSide::Send, reinterpret_cast<const quint8 *>(frame.constData()),
                        quint32(frame.size()), &record));
    Q_EMIT window->SGL_UnifyUpdateEmit();
}

QByteArray routingRead()
{
    return DeviceFrameOf(RoutingRead, QByteArray(1, '\0'));
}
} // namespace

class LinkLossTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serialHangUp_closesThePortWithoutSpinning();
    void lateTimeoutReport_leavesTheNextCommandMatched();
    void udpTimeout_duringATcpCommand_leavesItInFlight();
    void disconnectAndExit_stopTheThreadsPromptly_data();
    void disconnectAndExit_stopTheThreadsPromptly();
};

void LinkLossTest::serialHangUp_closesThePortWithoutSpinning()
{
    ConnectedProgram program(SimHarness::TestOptions(), ConnectedProgram::Link::Serial);
    QVERIFY2(program.ok(), program.why());
    Ui_Uart_Network *page = program.window()->connectionPage();

    program.sim().closeSerial();
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(HangUpWatchMs);
    const double cpuShare = (processCpuSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000.0);
    QVERIFY2(cpuShare < MaxCpuShare, qPrintable(QStringLiteral("CPU share %1").arg(cpuShare)));

    QCOMPARE(ActiveTransport.load(), quint32(TransportNone));
    QCOMPARE(page->serialConnectButton()->text(), S_ConnectDisconnect[0]);
    QVERIFY(page->networkConnectButton()->isEnabled());
    QVERIFY(!page->link()->isRunning(DeviceLink::Worker::Serial));
    QCOMPARE(program.messages().count(), 1);
    QVERIFY2(program.messages().lastText().startsWith(SMSG_SerialPort_Connect_Fail),
             qPrintable(program.messages().lastText()));
    QCOMPARE(Device().identified, quint8(0));
}

void LinkLossTest::lateTimeoutReport_leavesTheNextCommandMatched()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    SimFaultOptions faults;
    faults.delayMs = 150;
    program.sim().setFaults(faults);

    // The first command times out after 100 ms; the next goes out 50 ms
    // later and its reply comes 150 ms after that. The window is busy from
    // 50 ms to 250 ms, so it reads the first timeout report only after the
    // second command went out.
    const QByteArray silent = DeviceFrameOf(SilentCode, Hex("01"));
    queue(program.window(), silent, ReplyRecord(Hex("7B 7B 70"), 100, true));
    queue(program.window(), routingRead(), ReplyRecord(Hex("7B 7B 11"), 2000, true));
    QTimer::singleShot(50, program.window(), [] { QThread::msleep(200); });

    QTRY_COMPARE_WITH_TIMEOUT(program.messages().count(), 1, NoticeMs);
    QVERIFY(program.messages().lastText().endsWith(SMSG_CommunicationFail + QStringLiteral("\r\n")
                                                   + BytesToHexText(silent)));
    QVERIFY(program.waitQuiet(4000));
    QTest::qWait(2200); // past the second command's own timeout
    QCOMPARE(program.messages().count(), 1);
}

void LinkLossTest::udpTimeout_duringATcpCommand_leavesItInFlight()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    SimFaultOptions faults;
    faults.delayMs = 1500;
    program.sim().setFaults(faults);

    // The search finds nobody and times out after 1000 ms, while the TCP
    // command waits 1500 ms for its reply.
    QTest::mouseClick(program.window()->connectionPage()->searchButton(), Qt::LeftButton);
    queue(program.window(), routingRead(), ReplyRecord(Hex("7B 7B 11"), 3000, true));

    QTRY_COMPARE_WITH_TIMEOUT(program.messages().count(), 1, 2 * NoticeMs);
    QVERIFY(program.messages().lastText().endsWith(SMSG_CommunicationFail + QStringLiteral("\r\nFF 01 01 02")));
    QTest::qWait(3000); // past the TCP command's timeout
    QCOMPARE(program.messages().count(), 1);
}

void LinkLossTest::disconnectAndExit_stopTheThreadsPromptly_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("tcp") << false;
    QTest::newRow("serial") << true;
}

void LinkLossTest::disconnectAndExit_stopTheThreadsPromptly()
{
    QFETCH(bool, serial);
    {
        ConnectedProgram program(SimHarness::TestOptions(),
                                 serial ? ConnectedProgram::Link::Serial : ConnectedProgram::Link::Tcp);
        QVERIFY2(program.ok(), program.why());
        DeviceLink *link = program.window()->connectionPage()->link();
        const DeviceLink::Worker worker = serial ? DeviceLink::Worker::Serial : DeviceLink::Worker::Tcp;
        QVERIFY(link->isRunning(worker));
        QElapsedTimer clock;
        clock.start();
        program.disconnect();
        QVERIFY2(clock.elapsed() < StopBoundMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!link->isRunning(worker));

        // Connected again, then the program ends with the link up.
        QTest::mouseClick(serial ? program.window()->connectionPage()->serialConnectButton()
                                 : program.window()->connectionPage()->networkConnectButton(),
                          Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Device().identified == 1, 5000);
        QVERIFY(program.waitQuiet());
        QVERIFY(link->isRunning(DeviceLink::Worker::Udp));
        clock.restart();
        QVERIFY(link->close());
        QVERIFY2(clock.elapsed() < StopBoundMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!link->isRunning(worker));
        QVERIFY(!link->isRunning(DeviceLink::Worker::Udp));
    }
}

QTEST_MAIN(LinkLossTest)
#include "tst_link_loss.moc"
