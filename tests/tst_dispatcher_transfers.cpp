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

QByteArray SearchAnswer()
{
    QByteArray d(36, '\0');
    d[0] = char(0xFF);
    d[1] = char(0x24);
    const char ip[] = {char(192), char(168), 0, 7};
    d.replace(5, 4, ip, 4);
    d.replace(9, 6, Hex("00 1A 2B 3C 4D 5E"));
    d[15] = char(0x02); // 0x0102, low byte first
    d[16] = char(0x01);
    d.replace(19, 6, "Module");
    return d;
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

    void edidReadRunsOverAllSixteenBlocks()
    {
        Device().outputCount = 4;
        Device().edidReadBusy = 1;
        Device().edidReadOffset = 0;
        QSignalSpy shown(&Events(), &DeviceEvents::SGL_Update_OutEdid);
        QSignalSpy send(&Events(), &DeviceEvents::SGL_SendRequest);
        for (int block = 0; block < 16; ++block) {
            const int offset = block * 16;
            DispatchDeviceReply(Reply(0xB8, Hex("02 80") + char(offset) + Block(offset)));
            const QList<QByteArray> queued = TakeQueued();
            QCOMPARE(shown.count(), block + 1);
            const QVariantList args = shown.at(block);
            QCOMPARE(args.at(0).toUInt(), 2u);
            QCOMPARE(args.at(2).toUInt(), quint32(offset + 16));
            QCOMPARE(args.at(1).toString().size(), (offset + 16) * 3 - 1); // "00 01 ..."
            if (block < 15) {
                QCOMPARE(queued.size(), 1);
                QCOMPARE(queued.at(0).mid(2, 5), Hex("B8 13 02 80") + char(offset + 16));
                QCOMPARE(send.count(), block + 1);
                QCOMPARE(Device().edidReadBusy, quint8(1));
            } else {
                QCOMPARE(queued.size(), 0);
                QCOMPARE(send.count(), 15);
                QCOMPARE(Device().edidReadBusy, quint8(0));
            }
        }
        for (int i = 0; i < 256; ++i)
            QCOMPARE(Device().edidReadBuffer[i], quint8(i));
        QVERIFY(shown.last().at(1).toString().startsWith("00 01 02"));
        QVERIFY(shown.last().at(1).toString().endsWith("FD FE FF"));
    }

    void edidWriteRunsOverAllSixteenBlocks()
    {
        Device().inputCount = 4;
        Device().edidWriteBusy = 1;
        Device().edidWriteOffset = 0;
        for (int i = 0; i < 256; ++i)
            Device().edidWriteBuffer[i] = quint8(255 - i);
        QSignalSpy message(&Events(), &DeviceEvents::SGL_Update_EdidMessage);
        QSignalSpy send(&Events(), &DeviceEvents::SGL_SendRequest);
        for (int block = 0; block < 16; ++block) {
            const int offset = block * 16;
            DispatchDeviceReply(Reply(0xB8, Hex("03 40") + char(offset) + QByteArray(16, '\0')));
            const QList<QByteArray> queued = TakeQueued();
            if (block < 15) {
                QCOMPARE(queued.size(), 1);
                QByteArray next = Hex("B8 13 03 40") + char(offset + 16);
                for (int i = 0; i < 16; ++i)
                    next.append(char(255 - (offset + 16 + i)));
                QCOMPARE(queued.at(0).mid(2, 21).toHex(' '), next.toHex(' '));
                QCOMPARE(message.count(), 0);
            } else {
                QCOMPARE(queued.size(), 0);
                QCOMPARE(message.count(), 1);
                QCOMPARE(message.at(0).at(0).toString(), QString("EDID Write Success."));
            }
        }
        QCOMPARE(send.count(), 15);
        QCOMPARE(Device().edidWriteBusy, quint8(0));
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

    void moduleSearchAnswerIsListed()
    {
        QSignalSpy found(&Events(), &DeviceEvents::SGL_ModuleFound);
        const QByteArray answer = SearchAnswer();
        HandleModuleReply(answer);
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.at(0), (QVariantList{"Module", "192.168.0.7", "00-1a-2b-3c-4d-5e", "258"}));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Device().moduleSearchRecord), 36), answer);
    }

    void moduleConfigBlockIsStoredWithItsMac()
    {
        QByteArray block(130, '\0');
        for (int i = 0; i < 130; ++i)
            block[i] = char(i);
        QSignalSpy config(&Events(), &DeviceEvents::SGL_ModuleConfig);
        HandleModuleReply(block);
        QCOMPARE(config.count(), 1);
        QCOMPARE(config.at(0).at(0).toByteArray(), block);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Device().moduleMac), 6), Hex("35 36 37 38 39 3A"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Device().moduleConfigRecord), 130), block);
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

    void resetKeepsTransferAndModuleState()
    {
        DeviceState &d = Device();
        d.identified = d.stopSync = 1;
        d.inputCount = d.outputCount = 8;
        d.routingAt(3) = 2;
        d.outputAt(1).mode = 1;
        d.allBind = 1;
        d.lrInput = 4;
        d.multiviewCount = 1;
        d.multiviewAt(0).output = 4;
        d.tvWall.rows = 2;
        d.wallEntry(2).spliced = 1;
        d.mvFeature = 0;
        d.edidReadBuffer[7] = 7;
        d.edidWriteBusy = 1;
        d.edidWriteOffset = 0x40;
        d.multiPanel.busy = 1;
        d.multiPanel.outputs[1] = 5;
        d.moduleMac[0] = 0xAA;
        ResetDeviceState();
        QCOMPARE(d.identified, quint8(0));
        QCOMPARE(d.stopSync, quint8(0));
        QCOMPARE(d.inputCount, 0u);
        QCOMPARE(d.outputCount, 0u);
        QCOMPARE(d.routingAt(3), 0u);
        QCOMPARE(d.outputAt(1).mode, 0u);
        QCOMPARE(d.allBind, quint8(0));
        QCOMPARE(d.lrInput, 0u);
        QCOMPARE(d.multiviewCount, 0u);
        QCOMPARE(d.multiviewAt(0).output, 0u);
        QCOMPARE(d.tvWall.rows, 0u);
        QCOMPARE(d.wallEntry(2).spliced, quint8(0));
        QCOMPARE(d.mvFeature, quint8(0));
        QCOMPARE(d.edidReadBuffer[7], quint8(7));
        QCOMPARE(d.edidWriteBusy, quint8(1));
        QCOMPARE(d.edidWriteOffset, quint8(0x40));
        QCOMPARE(d.multiPanel.busy, quint8(1));
        QCOMPARE(d.multiPanel.outputs[1], quint8(5));
        QCOMPARE(d.moduleMac[0], quint8(0xAA));
    }

    void startupModelOffersMultiview()
    {
        Device().mvFeature = 0;
        ClearDeviceStateForTests();
        QCOMPARE(Device().mvFeature, quint8(1));
        QCOMPARE(Device().inputCount, 0u);
        QCOMPARE(Device().multiviewAt(99).output, 0u);
        QVERIFY(&Device().multiviewAt(99) == &Device().multiviewAt(7));
        QVERIFY(&Device().outputAt(16) == &Device().outputAt(15));
        QVERIFY(&Device().multiviewAt(0).windowAt(4) == &Device().multiviewAt(0).windowAt(3));
    }
};

QTEST_GUILESS_MAIN(DispatcherTransfersTest)
#include "tst_dispatcher_transfers.moc"
