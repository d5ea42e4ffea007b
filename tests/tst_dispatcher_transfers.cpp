// The multi-step exchanges of the dispatcher (identification, block-by-block
// EDID transfer) and the network module's datagrams.
#include "app/LanguageTable.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/ReplyDispatcher.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {

QByteArray Reply(quint8 code, const QByteArray &payload)
{
    QByteArray frame;
    frame.append(char(0x7B)).append(char(0x7B)).append(char(code)).append(char(payload.size())).append(payload);
    quint32 sum = 0xFA;
    for (char c : frame)
        sum += quint8(c);
    frame.append(char(sum)).append(char(0x7D)).append(char(0x7D));
    return frame;
}

QByteArray Block(int offset)
{
    QByteArray data;
    for (int i = 0; i < 16; ++i)
        data.append(char(offset + i));
    return data;
}

QList<QByteArray> TakeQueued()
{
    QList<QByteArray> frames;
    QMutexLocker lock(&TcpChannel.sendMutex);
    for (const QueueEntry &e : *TcpChannel.sendQueue)
        frames << e.data;
    TcpChannel.sendQueue->clear();
    return frames;
}

} // namespace

class DispatcherTransfersTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetProcessState();
        ActiveTransport = TransportTcp;
        ChannelOpen(TcpChannel);
    }
    void cleanup() { ResetProcessState(); }

    void identificationSizesTheModelAndStartsTheRead_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QList<quint32>>("counts"); // out, in, model3, model4, layouts
        QTest::addColumn<quint8>("mvFeature");
        QTest::newRow("small device") << Hex("00 08 04 02 03 10 00") << QList<quint32>{8, 4, 2, 3, 16} << quint8(0);
        QTest::newRow("capped") << Hex("00 20 11 10 FF 1F 00 00") << QList<quint32>{16, 16, 16, 16, 30} << quint8(1);
    }

    void identificationSizesTheModelAndStartsTheRead()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QList<quint32>, counts);
        QFETCH(quint8, mvFeature);
        Device().expandInputCount = 3;
        QStringList order;
        for (auto signal : {&DeviceEvents::SGL_IdentificationSucceeded, &DeviceEvents::SGL_RebuildForCounts,
                            &DeviceEvents::SGL_StartFullRead, &DeviceEvents::SGL_IdentificationFailed}) {
            connect(&Events(), signal, this, [&order, signal] {
                order << (signal == &DeviceEvents::SGL_IdentificationSucceeded ? "ok"
                              : signal == &DeviceEvents::SGL_RebuildForCounts  ? "rebuild"
                              : signal == &DeviceEvents::SGL_StartFullRead     ? "read"
                                                                               : "failed");
            });
        }
        DispatchDeviceReply(Reply(0x95, payload));
        disconnect(&Events(), nullptr, this, nullptr);

        const DeviceState &d = Device();
        QCOMPARE(d.identified, quint8(1));
        QCOMPARE((QList<quint32>{d.outputCount, d.inputCount, d.model3, d.model4, d.layoutCount}), counts);
        QCOMPARE(d.mvFeature, mvFeature);
        QCOMPARE(d.expandInputCount, 0u);
        QCOMPARE(order, QStringList({"ok", "rebuild", "read"}));
    }

    void stopSyncIdentifiesWithoutReading()
    {
        Device().stopSync = 1;
        QSignalSpy ok(&Events(), &DeviceEvents::SGL_IdentificationSucceeded);
        QSignalSpy read(&Events(), &DeviceEvents::SGL_StartFullRead);
        QSignalSpy rebuild(&Events(), &DeviceEvents::SGL_RebuildForCounts);
        DispatchDeviceReply(Reply(0x95, Hex("00 04 04 00 00 05 00")));
        QCOMPARE(ok.count(), 1);
        QCOMPARE(read.count() + rebuild.count(), 0);
        QCOMPARE(Device().inputCount, 4u);
    }

    void secondIdentificationChangesNothing()
    {
        DispatchDeviceReply(Reply(0x95, Hex("00 04 04 00 00 05 00")));
        QSignalSpy ok(&Events(), &DeviceEvents::SGL_IdentificationSucceeded);
        DispatchDeviceReply(Reply(0x95, Hex("00 08 08 10 00 07 00")));
        QCOMPARE(ok.count(), 0);
        QCOMPARE(Device().outputCount, 4u);
        QCOMPARE(Device().layoutCount, 5u);
    }

    void identificationRejects_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("failed");
        QTest::newRow("six payload bytes") << Hex("00 04 04 00 00 05") << true;
        QTest::newRow("no payload") << QByteArray() << true;
        QTest::newRow("other first byte") << Hex("01 04 04 00 00 05 00") << false;
    }

    void identificationRejects()
    {
        QFETCH(QByteArray, payload);
        QFETCH(bool, failed);
        QSignalSpy failure(&Events(), &DeviceEvents::SGL_IdentificationFailed);
        QSignalSpy message(&Events(), &DeviceEvents::SGL_ShowMessage);
        QSignalSpy ok(&Events(), &DeviceEvents::SGL_IdentificationSucceeded);
        DispatchDeviceReply(Reply(0x95, payload));
        QCOMPARE(Device().identified, quint8(1));
        QCOMPARE(Device().outputCount, 0u);
        QCOMPARE(ok.count(), 0);
        QCOMPARE(failure.count(), failed ? 1 : 0);
        QCOMPARE(message.count(), failed ? 1 : 0);
        if (failed)
            QCOMPARE(message.at(0).at(0).toString(), QString("The device does not match with the PC tool!"));
    }

    void edidTransferEnds_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("read"); // which transfer is running
        QTest::newRow("read offset not a block") << Reply(0xB8, Hex("00 80 18") + Block(0x18)) << true;
        QTest::newRow("write offset not a block") << Reply(0xB8, Hex("00 40 21")) << false;
        QTest::newRow("read error reply") << Reply(0xFF, Hex("00 B8 01")) << true;
        QTest::newRow("write error reply") << Reply(0xFF, Hex("00 B8 00")) << false;
        QTest::newRow("short error reply ends a read") << Reply(0xFF, Hex("00 B8")) << true;
        QTest::newRow("read port no longer valid") << Reply(0xB8, Hex("09 80 00") + Block(0)) << true;
        QTest::newRow("write port no longer valid") << Reply(0xB8, Hex("09 40 00")) << false;
    }

    void edidTransferEnds()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, read);
        Device().inputCount = Device().outputCount = 4;
        (read ? Device().edidReadBusy : Device().edidWriteBusy) = 1;
        QSignalSpy send(&Events(), &DeviceEvents::SGL_SendRequest);
        QSignalSpy message(&Events(), &DeviceEvents::SGL_Update_EdidMessage);
        DispatchDeviceReply(reply);
        QCOMPARE(Device().edidReadBusy, quint8(0));
        QCOMPARE(Device().edidWriteBusy, quint8(0));
        QCOMPARE(TakeQueued().size(), 0);
        QCOMPARE(send.count(), 0);
        QCOMPARE(message.count(), 0);
    }

    void edidReplyOfTheOtherDirectionLeavesTransferRunning()
    {
        Device().outputCount = 4;
        Device().edidReadBusy = 1;
        DispatchDeviceReply(Reply(0xB8, Hex("00 40 00")));
        DispatchDeviceReply(Reply(0xFF, Hex("00 B8 00")));
        QCOMPARE(Device().edidReadBusy, quint8(1));
    }

    void moduleAcknowledgements_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("applied");
        QTest::addColumn<int>("loadDefault"); // -1 none, 0 failed, 1 done
        QTest::newRow("apply") << Hex("FF 01 04 05") << 1 << -1;
        QTest::newRow("defaults restored") << Hex("FF 01 0B 4B") << 0 << 1;
        QTest::newRow("defaults failed") << Hex("FF 01 0B 45") << 0 << 0;
        QTest::newRow("defaults other result") << Hex("FF 01 0B 00") << 0 << -1;
        QTest::newRow("write acknowledgement") << Hex("FF 01 05 06") << 0 << -1;
        QTest::newRow("not a module frame") << Hex("FE 01 04 05") << 0 << -1;
        QTest::newRow("five bytes") << Hex("FF 01 04 05 00") << 0 << -1;
        QTest::newRow("35 bytes") << QByteArray(35, '\xFF') << 0 << -1;
        QTest::newRow("empty") << QByteArray() << 0 << -1;
    }

    void moduleAcknowledgements()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(int, applied);
        QFETCH(int, loadDefault);
        QSignalSpy apply(&Events(), &DeviceEvents::SGL_ModuleApplyAcknowledged);
        QSignalSpy defaults(&Events(), &DeviceEvents::SGL_ModuleLoadDefault);
        QSignalSpy found(&Events(), &DeviceEvents::SGL_ModuleFound);
        QSignalSpy config(&Events(), &DeviceEvents::SGL_ModuleConfig);
        HandleModuleReply(datagram);
        QCOMPARE(apply.count(), applied);
        QCOMPARE(defaults.count(), loadDefault < 0 ? 0 : 1);
        if (loadDefault >= 0)
            QCOMPARE(defaults.at(0).at(0).toBool(), loadDefault == 1);
        QCOMPARE(found.count() + config.count(), 0);
    }
};

QTEST_GUILESS_MAIN(DispatcherTransfersTest)
#include "tst_dispatcher_transfers.moc"
