// The main window's handling of a reply that never came: no channel record
// is touched, which EDID transfer ends, and what the operator is told.
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/ReplyTimeout.h"
#include "support/TestSupport.h"

#include <QtTest>

class ReplyTimeoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetProcessState(); }
    void cleanup() { ResetProcessState(); }

    // The service that timed out has released its own wait; a report the
    // window handles late must not release the command sent after it.
    void leavesEveryChannelRecordAlone_data()
    {
        QTest::addColumn<quint32>("transport");
        QTest::newRow("serial") << quint32(TransportSerial);
        QTest::newRow("TCP") << quint32(TransportTcp);
        QTest::newRow("no device link") << quint32(TransportNone);
    }

    void leavesEveryChannelRecordAlone()
    {
        QFETCH(quint32, transport);
        CommandChannel *channels[] = {&SerialChannel, &TcpChannel, &UdpChannel};
        for (CommandChannel *c : channels)
            c->current.waitReply = 1;
        ActiveTransport = transport;
        HandleReplyTimeout(Hex("7B 7B 12 01 00 03 7D 7D"));
        for (CommandChannel *c : channels)
            QCOMPARE(c->current.waitReply, quint8(1));
    }

    void composesTheMessage_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("identification");
        QTest::addColumn<QString>("message");
        QTest::newRow("identity query") << Hex("7B 7B 95 03 00 00 00 8A 7D 7D") << true
                                        << "Failed to identify device!Error Code:\r\n7B 7B 95 03 00 00 00 8A 7D 7D";
        QTest::newRow("identity bytes inside")
            << Hex("00 7B 7B 95") << true << "Failed to identify device!Error Code:\r\n00 7B 7B 95";
        QTest::newRow("routing read") << Hex("7B 7B 12 01 00 03 7D 7D") << false
                                      << "Unable to communicate with device!Error Code:\r\n7B 7B 12 01 00 03 7D 7D";
        QTest::newRow("nothing sent") << QByteArray() << false << "Unable to communicate with device!Error Code:\r\n";
    }

    void composesTheMessage()
    {
        QFETCH(QByteArray, sent);
        QFETCH(bool, identification);
        QFETCH(QString, message);
        const ReplyTimeoutResult result = HandleReplyTimeout(sent);
        QCOMPARE(result.identificationFailed, identification);
        QCOMPARE(result.message, message);
    }

    void endsTheEdidTransfer_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<quint8>("readBusy");
        QTest::addColumn<quint8>("writeBusy");
        QTest::newRow("read block") << Hex("7B 7B B8 13 01 80 20") + QByteArray(19, '\0') << quint8(0) << quint8(1);
        QTest::newRow("write block") << Hex("7B 7B B8 13 01 40 20") + QByteArray(19, '\0') << quint8(1) << quint8(0);
        QTest::newRow("both direction bits") << Hex("7B 7B B8 13 01 C0 20 00 7D 7D") << quint8(1) << quint8(1);
        QTest::newRow("no direction bits") << Hex("7B 7B B8 13 01 00 20 00 7D 7D") << quint8(1) << quint8(1);
        QTest::newRow("EDID length byte 1") << Hex("7B 7B B8 01 01 00 7D 7D") << quint8(0) << quint8(0);
        QTest::newRow("EDID cut before direction") << Hex("7B 7B B8 13 01") << quint8(0) << quint8(0);
        QTest::newRow("three bytes") << Hex("7B 7B B8") << quint8(0) << quint8(0);
        QTest::newRow("another command") << Hex("7B 7B 12 01 80 03 7D 7D") << quint8(1) << quint8(1);
        QTest::newRow("identity query keeps both") << Hex("7B 7B 95 03") << quint8(1) << quint8(1);
    }

    void endsTheEdidTransfer()
    {
        QFETCH(QByteArray, sent);
        QFETCH(quint8, readBusy);
        QFETCH(quint8, writeBusy);
        Device().edidReadBusy = 1;
        Device().edidWriteBusy = 1;
        HandleReplyTimeout(sent);
        QCOMPARE(Device().edidReadBusy, readBusy);
        QCOMPARE(Device().edidWriteBusy, writeBusy);
    }
};

QTEST_GUILESS_MAIN(ReplyTimeoutTest)
#include "tst_replytimeout.moc"
