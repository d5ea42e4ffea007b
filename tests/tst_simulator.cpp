#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimDeviceResponder.h"
#include "tools/devsim/SimEdid.h"
#include "tools/devsim/SimFrameReader.h"

#include <QtTest>

namespace {

constexpr int RoutingReply = 0; // the answer is the routing report 7B 7B 11
constexpr int NoReply = -1;     // a command the program follows with a pause

QByteArray frame(quint8 code, const char *hexPayload)
{
    return DeviceFrameOf(code, Hex(hexPayload));
}

QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

QByteArray payloadOf(const QByteArray &deviceFrame)
{
    return deviceFrame.mid(4, deviceFrame.size() - 7);
}

SimDeviceModel defaultModel()
{
    return MakeSimDeviceModel(SimModelOptions());
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void everyCommand_isAnsweredWithTheExpectedPrefix_data();
    void everyCommand_isAnsweredWithTheExpectedPrefix();
    void writes_readBack_data();
    void writes_readBack();
    void layouts_saveAndLoadTheRouting();
    void tvWallReport_isSelfConsistent();
    void edidWrite_fillsTheInputsEdid();
    void edids_haveValidChecksums();
    void deviceInformation_carriesTheTaggedItems();
    void moduleAtCommand_setsTheModuleAddress();
    void factoryReset_restoresSettingsButKeepsCounts();
};

void TestSimulator::everyCommand_isAnsweredWithTheExpectedPrefix_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("echo");
    QTest::addColumn<int>("minPayload");

    QTest::newRow("CMD_SwitchInput") << frame(0x01, "02 05") << RoutingReply << 8;
    QTest::newRow("CMD_SwitchAllOutputs") << frame(0x01, "03 FF") << RoutingReply << 8;
    QTest::newRow("CMD_RoutingRead") << frame(0x12, "00") << RoutingReply << 8;
    QTest::newRow("CMD_TvWallInputSelect") << frame(0x94, "01 04 00 04 01") << RoutingReply << 8;
    QTest::newRow("CMD_LRInputRead") << frame(0xD9, "00 80 00") << 6 << 3;
    QTest::newRow("CMD_LRInputWrite") << frame(0xD9, "00 00 02") << 6 << 3;
    QTest::newRow("CMD_InputInfoRead") << frame(0x7F, "03 C0") << 3 << 22;
    QTest::newRow("CMD_OutputInfoRead") << frame(0x7F, "02 80") << 3 << 22;
    QTest::newRow("CMD_InputBindRead") << DeviceFrameOf(0x45, Hex("00 F0") + zeros(10)) << 6 << 12;
    QTest::newRow("CMD_InputBindWrite") << DeviceFrameOf(0x45, Hex("00 70 05") + zeros(9)) << 6 << 12;
    QTest::newRow("CMD_InputAudioSelectWrite") << frame(0xC4, "01 40 01") << 6 << 3;
    QTest::newRow("CMD_InputTypeWrite") << frame(0xB0, "01 60 03 00") << 6 << 4;
    QTest::newRow("CMD_OutputTypeWrite") << frame(0xB0, "01 00 03 00") << 6 << 4;
    QTest::newRow("CMD_OutputFormatWrite") << frame(0xB1, "01 00 0B") << 6 << 3;
    QTest::newRow("CMD_OutputAudioMuteWrite") << frame(0x49, "01 30 05 01") << 7 << 4;
    QTest::newRow("CMD_OutputBlackWrite") << frame(0x49, "01 30 07 01") << 7 << 4;
    QTest::newRow("CMD_OutputFreezeWrite") << frame(0x49, "01 30 03 01") << 7 << 4;
    QTest::newRow("CMD_AllBindWrite") << frame(0x49, "00 70 01 01") << 7 << 4;
    QTest::newRow("CMD_ReportWrite") << frame(0x49, "00 70 02 00") << 7 << 4;
    QTest::newRow("CMD_IrWrite") << frame(0x49, "00 20 04 00") << 7 << 4;
    QTest::newRow("CMD_NPlus1Write") << frame(0x49, "00 70 06 01") << 7 << 4;
    QTest::newRow("CMD_AllBindRead") << frame(0x49, "00 F0 01 00") << 7 << 4;
    QTest::newRow("CMD_ReportRead") << frame(0x49, "00 F0 02 00") << 7 << 4;
    QTest::newRow("CMD_IrRead") << frame(0x49, "00 A0 04 00") << 7 << 4;
    QTest::newRow("CMD_NPlus1Read") << frame(0x49, "00 F0 06 00") << 7 << 4;
    QTest::newRow("CMD_NPlus1BackupWrite") << frame(0xBE, "02") << 4 << 1;
    QTest::newRow("CMD_NoSignalModeWrite") << frame(0xD7, "FF 40 01") << 6 << 3;
    QTest::newRow("CMD_OutputModeRead") << frame(0xA1, "04 80 00") << 6 << 3;
    QTest::newRow("CMD_OutputModeWrite") << frame(0xA1, "04 00 01") << 6 << 3;
    QTest::newRow("CMD_OutputRotateRead") << frame(0xBA, "01 80 00") << 6 << 3;
    QTest::newRow("CMD_OutputRotateWrite") << frame(0xBA, "01 00 02") << 6 << 3;
    QTest::newRow("CMD_OutputResolutionRead") << frame(0xA4, "01 80 00 00 00 00") << 6 << 6;
    QTest::newRow("CMD_OutputResolutionWrite") << frame(0xA4, "01 00 07 80 04 38") << 6 << 6;
    QTest::newRow("CMD_OutputTestPatternWrite") << frame(0xD8, "01 01 05") << 6 << 3;
    QTest::newRow("CMD_EdidRead") << DeviceFrameOf(0xB8, Hex("00 80 10") + zeros(16)) << 7 << 19;
    QTest::newRow("CMD_EdidWrite") << DeviceFrameOf(0xB8, Hex("00 40 20") + QByteArray(16, '\x5A')) << 7 << 19;
    QTest::newRow("CMD_InputEdidModeRead") << frame(0xC2, "00 C0 00") << 6 << 3;
    QTest::newRow("CMD_InputEdidModeWrite") << frame(0xC2, "00 40 02") << 6 << 3;
    QTest::newRow("CMD_LayoutSave") << frame(0x02, "01") << NoReply << 0;
    QTest::newRow("CMD_LayoutLoad") << frame(0x03, "01") << RoutingReply << 0;
    QTest::newRow("CMD_DeviceNameRead") << DeviceFrameOf(0x47, Hex("00 81") + zeros(40)) << 6 << 42;
    QTest::newRow("CMD_SerialNumberRead") << DeviceFrameOf(0x47, Hex("00 80") + zeros(40)) << 6 << 42;
    QTest::newRow("CMD_DeviceNameWrite") << DeviceFrameOf(0x47, Hex("00 01") + QByteArray(40, 'N')) << NoReply << 0;
    QTest::newRow("CMD_SerialNumberWrite") << DeviceFrameOf(0x47, Hex("00 00") + QByteArray(40, 'S')) << NoReply << 0;
    QTest::newRow("CMD_FrontPanelTextRead") << DeviceFrameOf(0x44, Hex("00 81") + zeros(34)) << 5 << 36;
    QTest::newRow("CMD_FrontPanelTextWrite")
        << DeviceFrameOf(0x44, Hex("00 01") + QByteArray(16, 'A') + zeros(1) + QByteArray(16, 'B') + zeros(1))
        << NoReply << 0;
    QTest::newRow("CMD_DeviceTypeRead") << frame(0x95, "00 00 00") << 3 << 7;
    QTest::newRow("CMD_DeviceInfoRead") << frame(0x9A, "00") << 3 << 1;
    QTest::newRow("CMD_FirmwareVersionRead main") << DeviceFrameOf(0x96, Hex("00 00") + zeros(7)) << 6 << 9;
    QTest::newRow("CMD_FirmwareVersionRead keyboard") << DeviceFrameOf(0x96, Hex("80 01") + zeros(7)) << 6 << 9;
    QTest::newRow("CMD_FirmwareVersionRead input") << DeviceFrameOf(0x96, Hex("03 44") + zeros(7)) << 6 << 9;
    QTest::newRow("CMD_FirmwareVersionRead output") << DeviceFrameOf(0x96, Hex("03 02") + zeros(7)) << 6 << 9;
    QTest::newRow("CMD_FirmwareVersionRead control") << DeviceFrameOf(0x96, Hex("00 05") + zeros(7)) << 6 << 9;
    QTest::newRow("CMD_DeviceReset") << frame(0xAA, "01 01") << NoReply << 0;
    const QByteArray at("AT+WANN=DHCP,192.168.0.50,255.255.255.0,192.168.0.1\r");
    QTest::newRow("CMD_ModuleAtCommand") << DeviceFrameOf(0x9B, at) << at.size() << at.size();
    QTest::newRow("CMD_TvWallRead") << frame(0x93, "00 80 00 00 00") << 3 << 4;
    QTest::newRow("CMD_TvWallWrite") << DeviceFrameOf(0x93, Hex("00 00 01 01 01 00") + zeros(8)) << NoReply << 0;
    QTest::newRow("CMD_TvWallApply") << frame(0xA5, "01") << NoReply << 0;
    QTest::newRow("CMD_TvWallScreenWrite") << frame(0x90, "00 00 02 02 00 00") << NoReply << 0;
    QTest::newRow("CMD_TvWallBezelWrite") << frame(0x91, "00 00 01 02 03 04") << NoReply << 0;
    QTest::newRow("CMD_TvWallAngleWrite") << frame(0x8F, "00 00 01") << NoReply << 0;
    QTest::newRow("CMD_TvWallScreenModeWrite") << frame(0x92, "00 00 01") << NoReply << 0;
    QTest::newRow("CMD_PanelResolutionWrite") << frame(0x40, "FF 00 01 07 80 04 38") << NoReply << 0;
    QTest::newRow("CMD_MultiviewRead") << frame(0x9C, "04 80") << 3 << 8 + 4 * 15;
    QTest::newRow("CMD_MultiviewWrite") << frame(0x9C, "04 00 04 01 01 02 00 10 00 20 07 80 04 38 00 00 64 64") << 3
                                        << 18;
    QTest::newRow("CMD_MvAudioSelectWrite") << frame(0xA2, "04 00 01") << 6 << 3;
    QTest::newRow("CMD_MvWindowLayerWrite") << frame(0x9F, "04 00 04 01 02") << 6 << 5;
    QTest::newRow("CMD_MvWindowGeometryWrite") << frame(0x9D, "04 00 04 01 00 10 00 20 03 C0 02 1C") << 6 << 12;
    QTest::newRow("CMD_MvWindowStatusWrite") << frame(0xA0, "04 00 04 01 00") << 6 << 5;
    QTest::newRow("CMD_PeripheralIo IO inputs read") << frame(0x33, "00 80 01 00") << 3 << 4;
    QTest::newRow("CMD_PeripheralIo relays write") << frame(0x33, "00 00 03 0A") << 3 << 4;
    QTest::newRow("CMD_PeripheralIo user line") << frame(0x33, "01 02 00 02 68 69") << NoReply << 0;
}

void TestSimulator::everyCommand_isAnsweredWithTheExpectedPrefix()
{
    QFETCH(QByteArray, request);
    QFETCH(int, echo);
    QFETCH(int, minPayload);
    SimDeviceModel model = defaultModel();
    const SimReplies replies = RespondToDeviceFrame(model, request);
    if (echo == NoReply) {
        QVERIFY(replies.isEmpty());
        return;
    }
    QCOMPARE(replies.size(), 1);
    const QByteArray reply = replies.first();
    const QByteArray prefix = echo == RoutingReply ? Hex("7B 7B 11") : request.left(echo);
    QCOMPARE(reply.left(prefix.size()), prefix);
    QVERIFY(payloadOf(reply).size() >= minPayload);
    // A well-formed frame: a reader of the stream takes it whole.
    SimFrameReader reader;
    QCOMPARE(reader.feed(reply), QList<QByteArray>{reply});
}

void TestSimulator::writes_readBack_data()
{
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<int>("at");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("switch 2 to output 5") << frame(0x01, "02 05") << frame(0x12, "00") << 5 << Hex("02");
    QTest::newRow("LR input") << frame(0xD9, "00 00 03") << frame(0xD9, "00 80 00") << 2 << Hex("03");
    QTest::newRow("input bind of inputs 0 and 9") << DeviceFrameOf(0x45, Hex("00 70 01 02") + zeros(8))
                                                  << DeviceFrameOf(0x45, Hex("00 F0") + zeros(10)) << 2 << Hex("01 02");
    QTest::newRow("input type") << frame(0xB0, "01 60 05 00") << frame(0x7F, "01 C0") << 4 << Hex("05");
    QTest::newRow("input audio") << frame(0xC4, "02 40 01") << frame(0x7F, "02 C0") << 6 << Hex("01");
    QTest::newRow("output type") << frame(0xB0, "03 00 03 00") << frame(0x7F, "03 80") << 5 << Hex("03");
    QTest::newRow("output format") << frame(0xB1, "03 00 0C") << frame(0x7F, "03 80") << 12 << Hex("0C");
    QTest::newRow("output mute") << frame(0x49, "02 30 05 01") << frame(0x7F, "02 80") << 13 << Hex("01");
    QTest::newRow("output freeze") << frame(0x49, "02 30 03 01") << frame(0x7F, "02 80") << 14 << Hex("01");
    QTest::newRow("output black") << frame(0x49, "02 30 07 01") << frame(0x7F, "02 80") << 15 << Hex("01");
    QTest::newRow("all bind") << frame(0x49, "00 70 01 01") << frame(0x49, "00 F0 01 00") << 3 << Hex("01");
    QTest::newRow("IR off") << frame(0x49, "00 20 04 00") << frame(0x49, "00 A0 04 00") << 3 << Hex("00");
    QTest::newRow("output mode") << frame(0xA1, "00 00 02") << frame(0xA1, "00 80 00") << 2 << Hex("02");
    QTest::newRow("output mode marks the group") << frame(0xA1, "00 00 01") << frame(0x7F, "03 80") << 3 << Hex("02");
    QTest::newRow("rotation") << frame(0xBA, "01 00 03") << frame(0xBA, "01 80 00") << 2 << Hex("03");
    QTest::newRow("user resolution") << frame(0xA4, "01 00 05 00 02 D0") << frame(0xA4, "01 80 00 00 00 00") << 2
                                     << Hex("05 00 02 D0");
    QTest::newRow("input EDID mode") << frame(0xC2, "03 40 02") << frame(0xC2, "03 C0 00") << 2 << Hex("02");
    QTest::newRow("device name") << DeviceFrameOf(0x47, Hex("00 01") + QByteArray("Studio A").leftJustified(40, '\0'))
                                 << DeviceFrameOf(0x47, Hex("00 81") + zeros(40)) << 2
                                 << QByteArray("Studio A").leftJustified(40, '\0');
    QTest::newRow("serial number") << DeviceFrameOf(0x47, Hex("00 00") + QByteArray("SN-42").leftJustified(40, '\0'))
                                   << DeviceFrameOf(0x47, Hex("00 80") + zeros(40)) << 2
                                   << QByteArray("SN-42").leftJustified(40, '\0');
    QTest::newRow("front panel") << DeviceFrameOf(0x44,
                                                  Hex("00 01") + QByteArray("LINE ONE").leftJustified(16, '\0')
                                                      + zeros(1) + QByteArray("LINE TWO").leftJustified(16, '\0')
                                                      + zeros(1))
                                 << DeviceFrameOf(0x44, Hex("00 81") + zeros(34)) << 2
                                 << QByteArray("LINE ONE").leftJustified(16, '\0') + zeros(1)
            + QByteArray("LINE TWO").leftJustified(16, '\0');
    QTest::newRow("relays") << frame(0x33, "00 00 03 0A") << frame(0x33, "00 80 03 00") << 3 << Hex("0A");
    QTest::newRow("IO inputs cannot be written")
        << frame(0x33, "00 00 01 0F") << frame(0x33, "00 80 01 00") << 3 << Hex("05");
    QTest::newRow("multiview audio") << frame(0xA2, "04 00 02") << frame(0x9C, "04 80") << 7 << Hex("02");
    QTest::newRow("multiview window geometry") << frame(0x9D, "04 00 04 01 00 10 00 20 03 C0 02 1C")
                                               << frame(0x9C, "04 80") << 8 + 15 + 3 << Hex("00 10 00 20 03 C0 02 1C");
    QTest::newRow("TV wall bezel") << frame(0x91, "01 00 01 02 03 04") << frame(0x93, "00 80 00 00 00") << 4 + 8 + 3
                                   << Hex("01 02 03 04");
    QTest::newRow("TV wall write") << DeviceFrameOf(
        0x93, Hex("00 00 02 01 02 01 05 00 03 00 00 00 00 02 01 00 02 00 00 00 00 01"))
                                   << frame(0x93, "00 80 00 00 00") << 0
                                   << Hex("02 01 02 01 05 00 03 00 00 00 00 02 01 00 02 00 00 00 00 01");
}

void TestSimulator::writes_readBack()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, read);
    QFETCH(int, at);
    QFETCH(QByteArray, expected);
    SimDeviceModel model = defaultModel();
    RespondToDeviceFrame(model, write);
    const SimReplies replies = RespondToDeviceFrame(model, read);
    QCOMPARE(replies.size(), 1);
    QCOMPARE(payloadOf(replies.first()).mid(at, expected.size()), expected);
}

void TestSimulator::layouts_saveAndLoadTheRouting()
{
    SimDeviceModel model = defaultModel();
    RespondToDeviceFrame(model, frame(0x01, "03 FF"));
    RespondToDeviceFrame(model, frame(0x02, "04"));
    RespondToDeviceFrame(model, frame(0x01, "01 FF"));
    RespondToDeviceFrame(model, frame(0x03, "04"));
    QCOMPARE(payloadOf(RespondToDeviceFrame(model, frame(0x12, "00")).value(0)), QByteArray(8, '\x03'));

    // A preset that was never saved, or beyond the device's count, loads
    // nothing.
    RespondToDeviceFrame(model, frame(0x03, "05"));
    RespondToDeviceFrame(model, frame(0x03, "1F"));
    QCOMPARE(payloadOf(RespondToDeviceFrame(model, frame(0x12, "00")).value(0)), QByteArray(8, '\x03'));
}

void TestSimulator::tvWallReport_isSelfConsistent()
{
    SimDeviceModel model = defaultModel();
    const QByteArray p = payloadOf(RespondToDeviceFrame(model, frame(0x93, "00 80 00 00 00")).value(0));
    const int cells = quint8(p[0]);
    QCOMPARE(cells, quint8(p[1]) * quint8(p[2]));
    QCOMPARE((p.size() - 4) % 8, 0);
    QCOMPARE((p.size() - 4) / 8, cells);
    // Each cell's input is the routing of the output it shows.
    for (int k = 0; k < cells; ++k)
        QCOMPARE(quint8(p[4 + 8 * k + 7]), model.routing[quint8(p[4 + 8 * k + 2])]);
}

void TestSimulator::edidWrite_fillsTheInputsEdid()
{
    SimDeviceModel model = defaultModel();
    const QByteArray edid = MakeSimEdid(9, false);
    for (int offset = 0; offset < SimEdid::TotalBytes; offset += 16) {
        QByteArray payload = Hex("02 40");
        payload.append(char(offset));
        payload.append(edid.mid(offset, 16));
        QCOMPARE(RespondToDeviceFrame(model, DeviceFrameOf(0xB8, payload)).size(), 1);
    }
    QCOMPARE(model.inputs[2].edid, edid);

    // An offset off the 16-byte grid is refused with the EDID error frame.
    const SimReplies refused = RespondToDeviceFrame(model, DeviceFrameOf(0xB8, Hex("00 80 08") + zeros(16)));
    QCOMPARE(refused.size(), 1);
    QCOMPARE(payloadOf(refused.first()), Hex("00 B8 01"));
    QCOMPARE(refused.first().left(3), Hex("7B 7B FF"));
}

void TestSimulator::edids_haveValidChecksums()
{
    const SimDeviceModel model = defaultModel();
    for (int i = 0; i < SimLimits::Channels; ++i) {
        QVERIFY(SimEdidChecksumsValid(model.inputs[i].edid));
        QVERIFY(SimEdidChecksumsValid(model.outputs[i].edid));
    }
    QVERIFY(model.outputs[0].edid != model.outputs[1].edid);
}

void TestSimulator::deviceInformation_carriesTheTaggedItems()
{
    SimDeviceModel model = defaultModel();
    const QByteArray p = payloadOf(RespondToDeviceFrame(model, frame(0x9A, "00")).value(0));
    QVERIFY(p.startsWith(QByteArray(1, '\0') + "KXR-NET-1"));
    QVERIFY(p.contains(QByteArray(1, '\x01') + "001A2B3C4D5E"));
    QVERIFY(p.contains(QByteArray(1, '\x02') + "STATIC,192.168.0.247,255.255.255.0,192.168.0.1\r"));
    QVERIFY(p.contains(QByteArray(1, '\x08') + "V1.05"));
}

void TestSimulator::moduleAtCommand_setsTheModuleAddress()
{
    SimDeviceModel model = defaultModel();
    RespondToDeviceFrame(model, DeviceFrameOf(0x9B, "AT+WANN=STATIC,10.1.2.3,255.255.0.0,10.1.0.1\r"));
    const QByteArray p = payloadOf(RespondToDeviceFrame(model, frame(0x9A, "00")).value(0));
    QVERIFY(p.contains("STATIC,10.1.2.3,255.255.0.0,10.1.0.1\r"));
}

void TestSimulator::factoryReset_restoresSettingsButKeepsCounts()
{
    SimOptions options;
    options.model.inputs = 4;
    options.model.outputs = 12;
    SimDeviceModel model = MakeSimDeviceModel(options.model);
    RespondToDeviceFrame(model, frame(0x01, "03 FF"));
    RespondToDeviceFrame(model, frame(0x49, "02 30 05 01"));
    RespondToDeviceFrame(model, frame(0xAA, "01 01"));
    QCOMPARE(model.resetCount, 1);
    QCOMPARE(int(model.inputCount), 4);
    QCOMPARE(int(model.outputCount), 12);
    QCOMPARE(int(model.routing[0]), 0);
    QCOMPARE(model.outputs[2].mute, false);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
