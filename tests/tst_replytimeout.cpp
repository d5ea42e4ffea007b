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
        const QString fail =
            QStringLiteral(": no answer from the device\r\nUnable to communicate with device!Error Code:\r\n");
        QTest::newRow("routing read") << Hex("7B 7B 12 01 00 03 7D 7D") << false
                                      << "Read the routing" + fail + "7B 7B 12 01 00 03 7D 7D";
        QTest::newRow("switch, 1-based") << Hex("7B 7B 01 02 02 05 00 7D 7D") << false
                                         << QString::fromUtf8("Switch input 3 → output 6") + fail
                + "7B 7B 01 02 02 05 00 7D 7D";
        QTest::newRow("switch all") << Hex("7B 7B 01 02 00 FF 00 7D 7D") << false
                                    << QString::fromUtf8("Switch input 1 → every output") + fail
                + "7B 7B 01 02 00 FF 00 7D 7D";
        QTest::newRow("switch cut short") << Hex("7B 7B 01 01 02") << false << "Command 0x01" + fail + "7B 7B 01 01 02";
        QTest::newRow("preset load") << Hex("7B 7B 03 01 1D") << false << "Load preset 30" + fail + "7B 7B 03 01 1D";
        QTest::newRow("output mode") << Hex("7B 7B A1 03 04 00 01") << false
                                     << "Output mode of output 5" + fail + "7B 7B A1 03 04 00 01";
        QTest::newRow("other device code")
            << Hex("7B 7B D8 03 00 01 02") << false << "Command 0xD8" + fail + "7B 7B D8 03 00 01 02";
        QTest::newRow("module frame") << Hex("FF 0B 01 0C") << false << "Command 0x0B" + fail + "FF 0B 01 0C";
        QTest::newRow("nothing sent") << QByteArray() << false << "Command ?" + fail;
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
