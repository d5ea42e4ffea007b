// Every builder of the command catalogue, driven the real way: a device link
// is "up" (TCP channel open, active transport TCP), the builder runs, and the
// queued entry is inspected: its bytes, its reply prefix and its timing.
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <functional>
#include <vector>

namespace {

// A device frame with its checksum, from the command and the payload text.
QByteArray DeviceFrame(quint8 code, const QByteArray &payload)
{
    QByteArray frame;
    frame.append(char(0x7B)).append(char(0x7B)).append(char(code)).append(char(payload.size()));
    frame.append(payload);
    quint32 sum = 0;
    for (char c : frame)
        sum += quint8(c);
    sum += 0x7D + 0x7D;
    frame.append(char(sum & 0xFF)).append(char(0x7D)).append(char(0x7D));
    return frame;
}

QByteArray ModuleFrame(quint8 code, const QByteArray &payload)
{
    QByteArray frame;
    frame.append(char(0xFF)).append(char(payload.size() + 1)).append(char(code)).append(payload);
    quint32 sum = 0;
    for (int i = 1; i < frame.size(); ++i)
        sum += quint8(frame.at(i));
    frame.append(char(sum & 0xFF));
    return frame;
}

const quint8 Mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const char Lead[] = "001A2B3C4D5E 717A766B7000 717A766B7000"; // MAC, "qzvkp\0" twice

enum Expect { EchoN, Routing, Prefix, Any };

struct Row
{
    const char *name;
    std::function<bool()> build;
    QByteArray frame;
    Expect expect;
    int echo;          // EchoN: the prefix is the first echo bytes of the frame
    QByteArray prefix; // Prefix
    bool waitReply;
    quint32 ms;
    bool report;
};

Row Dev(const char *name, std::function<bool()> build, quint8 code, const QByteArray &payload, Expect expect, int echo,
        bool waitReply, quint32 ms, bool report)
{
    return Row{
        name,  std::move(build), DeviceFrame(code, Hex(payload.constData())), expect, echo, QByteArray(), waitReply, ms,
        report};
}

Row Net(const char *name, std::function<bool()> build, quint8 code, const QByteArray &payload, Expect expect,
        const char *prefix)
{
    return Row{name,
               std::move(build),
               ModuleFrame(code, payload),
               expect,
               0,
               Hex(prefix),
               true,
               quint32(expect == Prefix && code == 0x01 ? 1000 : 2000),
               true};
}

const std::vector<Row> &Rows()
{
    static const QByteArray block67(67, char(0x67));
    static const QByteArray block63(63, char(0x63));
    static const quint8 *basic = reinterpret_cast<const quint8 *>(block67.constData());
    static const quint8 *port = reinterpret_cast<const quint8 *>(block63.constData());
    static const std::vector<Row> rows = {
        // Routing and matrix
        Dev(
            "SwitchInput", [] { return CMD_SwitchInput(2, 5); }, 0x01, "02 05", Routing, 0, true, 2000, true),
        Dev(
            "SwitchAllOutputs", [] { return CMD_SwitchAllOutputs(3); }, 0x01, "03 FF", Routing, 0, true, 6000, true),
        Dev(
            "RoutingRead", [] { return CMD_RoutingRead(); }, 0x12, "00", Routing, 0, true, 2000, true),
        Dev(
            "TvWallInputSelect",
            [] {
                return CMD_TvWallInputSelect(4, {1, 6});
            },
            0x94, "01 04 01 04 06", Routing, 0, true, 4000, true),
        Dev(
            "LRInputRead", [] { return CMD_LRInputRead(); }, 0xD9, "00 80 00", EchoN, 6, true, 2000, true),
        Dev(
            "LRInputWrite", [] { return CMD_LRInputWrite(7); }, 0xD9, "00 00 07", EchoN, 6, true, 2000, true),
        // Signal configuration
        Dev(
            "InputInfoRead", [] { return CMD_InputInfoRead(3); }, 0x7F, "03 C0", EchoN, 3, true, 2000, false),
        Dev(
            "OutputInfoRead", [] { return CMD_OutputInfoRead(4); }, 0x7F, "04 80", EchoN, 3, true, 2000, false),
        Dev(
            "InputBindRead", [] { return CMD_InputBindRead(); }, 0x45, "00 F0 00 00 00 00 00 00 00 00 00 00", EchoN, 6,
            true, 2000, true),
        // inputs 0, 3 and 15 bound; bits of inputs above 15 repeat input 15
        Dev(
            "InputBindWrite", [] { return CMD_InputBindWrite(); }, 0x45, "00 70 09 80 FF FF FF FF FF FF FF FF", EchoN,
            6, true, 2000, true),
        Dev(
            "InputAudioSelectWrite", [] { return CMD_InputAudioSelectWrite(1, 2); }, 0xC4, "01 40 02", EchoN, 6, true,
            2000, true),
        Dev(
            "InputTypeWrite", [] { return CMD_InputTypeWrite(1, 3); }, 0xB0, "01 60 03 00", EchoN, 6, true, 2000, true),
        Dev(
            "OutputTypeWrite", [] { return CMD_OutputTypeWrite(2, 3); }, 0xB0, "02 00 03 00", EchoN, 6, true, 2000,
            true),
        Dev(
            "OutputFormatWrite", [] { return CMD_OutputFormatWrite(2, 21); }, 0xB1, "02 00 15", EchoN, 6, true, 2000,
            true),
        Dev(
            "OutputAudioMuteWrite", [] { return CMD_OutputAudioMuteWrite(5, 1); }, 0x49, "05 30 05 01", EchoN, 7, true,
            800, false),
        Dev(
            "OutputBlackWrite", [] { return CMD_OutputBlackWrite(5, 1); }, 0x49, "05 30 07 01", EchoN, 7, true, 800,
            false),
        Dev(
            "OutputFreezeWrite", [] { return CMD_OutputFreezeWrite(5, 0); }, 0x49, "05 30 03 00", EchoN, 7, true, 800,
            false),
        // Advanced output settings
        Dev(
            "AllBindWrite", [] { return CMD_AllBindWrite(1); }, 0x49, "00 70 01 01", EchoN, 7, true, 2000, false),
        Dev(
            "ReportWrite", [] { return CMD_ReportWrite(1); }, 0x49, "00 70 02 01", EchoN, 7, true, 2000, false),
        Dev(
            "IrWrite", [] { return CMD_IrWrite(1); }, 0x49, "00 20 04 01", EchoN, 7, true, 2000, false),
        Dev(
            "NPlus1Write", [] { return CMD_NPlus1Write(0); }, 0x49, "00 70 06 00", EchoN, 7, true, 2000, false),
        Dev(
            "AllBindRead", [] { return CMD_AllBindRead(); }, 0x49, "00 F0 01 00", EchoN, 7, true, 800, false),
        Dev(
            "ReportRead", [] { return CMD_ReportRead(); }, 0x49, "00 F0 02 00", EchoN, 7, true, 800, false),
        Dev(
            "IrRead", [] { return CMD_IrRead(); }, 0x49, "00 A0 04 00", EchoN, 7, true, 800, false),
        Dev(
            "NPlus1Read", [] { return CMD_NPlus1Read(); }, 0x49, "00 F0 06 00", EchoN, 7, true, 800, false),
        Dev(
            "NPlus1BackupWrite", [] { return CMD_NPlus1BackupWrite(3); }, 0xBE, "03", EchoN, 4, true, 2000, false),
        Dev(
            "NoSignalModeWrite input", [] { return CMD_NoSignalModeWrite(true, 2); }, 0xD7, "FF 40 02", EchoN, 6, true,
            2000, false),
        Dev(
            "NoSignalModeWrite output", [] { return CMD_NoSignalModeWrite(false, 1); }, 0xD7, "FF 00 01", EchoN, 6,
            true, 2000, false),
        Dev(
            "OutputModeRead", [] { return CMD_OutputModeRead(4); }, 0xA1, "04 80 00", EchoN, 6, true, 3000, false),
        Dev(
            "OutputModeWrite", [] { return CMD_OutputModeWrite(4, 2); }, 0xA1, "04 00 02", EchoN, 6, true, 3000, false),
        Dev(
            "OutputRotateRead", [] { return CMD_OutputRotateRead(1); }, 0xBA, "01 80 00", EchoN, 6, true, 2000, false),
        Dev(
            "OutputRotateWrite", [] { return CMD_OutputRotateWrite(1, 2); }, 0xBA, "01 00 02", EchoN, 6, true, 2000,
            false),
        Dev(
            "OutputResolutionRead", [] { return CMD_OutputResolutionRead(6); }, 0xA4, "06 80 00 00 00 00", EchoN, 6,
            true, 2000, false),
        Dev(
            "OutputResolutionWrite", [] { return CMD_OutputResolutionWrite(6, 1920, 1080); }, 0xA4, "06 00 07 80 04 38",
            EchoN, 6, true, 2000, false),
        Dev(
            "OutputTestPatternWrite on", [] { return CMD_OutputTestPatternWrite(2, true, 5); }, 0xD8, "02 01 05", EchoN,
            6, true, 2000, false),
        Dev(
            "OutputTestPatternWrite off", [] { return CMD_OutputTestPatternWrite(2, false, 5); }, 0xD8, "02 00 00",
            EchoN, 6, true, 2000, false),
        // EDID (read offset 0x20, write offset 0x30, write buffer[i] = i)
        Dev(
            "EdidRead", [] { return CMD_EdidRead(7); }, 0xB8, "07 80 20 00000000000000000000000000000000", EchoN, 7,
            true, 1000, true),
        Dev(
            "EdidWrite", [] { return CMD_EdidWrite(1, Device().edidWriteBuffer); }, 0xB8,
            "01 40 30 303132333435363738393A3B3C3D3E3F", EchoN, 7, true, 1000, true),
        Dev(
            "InputEdidModeRead", [] { return CMD_InputEdidModeRead(2); }, 0xC2, "02 C0 00", EchoN, 6, true, 1000,
            false),
        Dev(
            "InputEdidModeWrite", [] { return CMD_InputEdidModeWrite(2, 4); }, 0xC2, "02 40 04", EchoN, 6, true, 1000,
            false),
        // Layouts, device settings and system
        Dev(
            "LayoutSave", [] { return CMD_LayoutSave(9); }, 0x02, "09", EchoN, 0, false, 1000, true),
        Dev(
            "LayoutLoad", [] { return CMD_LayoutLoad(9); }, 0x03, "09", EchoN, 0, false, 1000, true),
        Dev(
            "DeviceNameRead", [] { return CMD_DeviceNameRead(); }, 0x47, "00 81 " + QByteArray(80, '0'), EchoN, 6, true,
            1000, true),
        Dev(
            "SerialNumberRead", [] { return CMD_SerialNumberRead(); }, 0x47, "00 80 " + QByteArray(80, '0'), EchoN, 6,
            true, 1000, true),
        Dev(
            "DeviceNameWrite", [] { return CMD_DeviceNameWrite("AB"); }, 0x47, "00 01 4142" + QByteArray(76, '0'),
            EchoN, 0, false, 300, false),
        Dev(
            "SerialNumberWrite empty", [] { return CMD_SerialNumberWrite(QByteArray()); }, 0x47,
            "00 00 " + QByteArray(80, '0'), EchoN, 0, false, 300, false),
        Dev(
            "FrontPanelTextRead", [] { return CMD_FrontPanelTextRead(); }, 0x44, "00 81 " + QByteArray(68, '0'), EchoN,
            5, true, 1000, true),
        Dev(
            "FrontPanelTextWrite", [] { return CMD_FrontPanelTextWrite("Hi", "0123456789ABCDEF"); }, 0x44,
            "00 01 4869" + QByteArray(28, '0') + " 00 30313233343536373839414243444546 00", EchoN, 0, false, 300,
            false),
        Dev(
            "DeviceTypeRead", [] { return CMD_DeviceTypeRead(); }, 0x95, "00 00 00", EchoN, 3, true, 1000, true),
        Dev(
            "DeviceInfoRead", [] { return CMD_DeviceInfoRead(); }, 0x9A, "00", EchoN, 3, true, 2000, true),
        Dev(
            "FirmwareVersionRead main", [] { return CMD_FirmwareVersionRead(255, 0); }, 0x96, "00 00 00000000000000",
            EchoN, 6, true, 2000, true),
        Dev(
            "FirmwareVersionRead keyboard", [] { return CMD_FirmwareVersionRead(255, 1); }, 0x96,
            "80 01 00000000000000", EchoN, 6, true, 2000, true),
        Dev(
            "FirmwareVersionRead input", [] { return CMD_FirmwareVersionRead(3, 2); }, 0x96, "03 44 00000000000000",
            EchoN, 6, true, 2000, true),
        Dev(
            "FirmwareVersionRead output", [] { return CMD_FirmwareVersionRead(3, 3); }, 0x96, "03 02 00000000000000",
            EchoN, 6, true, 2000, true),
        Dev(
            "FirmwareVersionRead control", [] { return CMD_FirmwareVersionRead(3, 4); }, 0x96, "00 05 00000000000000",
            EchoN, 6, true, 2000, true),
        Dev(
            "DeviceReset", [] { return CMD_DeviceReset(); }, 0xAA, "01 01", EchoN, 0, false, 1000, true),
        // "AT+WANN=STATIC,1.2.3.4,255.0.0.0,1.2.3.1\r": 40 bytes, echoed as far
        Dev(
            "ModuleAtCommand", [] { return CMD_ModuleAtCommand(true, "1.2.3.4", "255.0.0.0", "1.2.3.1"); }, 0x9B,
            "41542B57414E4E3D535441544943 2C 312E322E332E34 2C 3235352E302E302E30 2C 312E322E332E31 0D", EchoN, 41,
            true, 2000, true),
        Dev(
            "ModuleAtCommand dhcp", [] { return CMD_ModuleAtCommand(false, "", "", ""); }, 0x9B,
            "41542B57414E4E3D44484350 2C 2C 2C 0D", EchoN, 16, true, 2000, true),
        // TV wall (1 x 2; cell 0 shows output 1, cell 1 output 0, a single exit)
        Dev(
            "TvWallRead", [] { return CMD_TvWallRead(); }, 0x93, "00 80 00 00 00", EchoN, 3, true, 2000, true),
        Dev(
            "TvWallWrite", [] { return CMD_TvWallWrite(); }, 0x93,
            "00 00 02 01 02 01  13 01 01 01 02 03 04 05  05 00 00 00 00 00 00 06", EchoN, 0, false, 300, true),
        Dev(
            "TvWallApply", [] { return CMD_TvWallApply(); }, 0xA5, "01", EchoN, 0, false, 300, true),
        Dev(
            "TvWallScreenWrite", [] { return CMD_TvWallScreenWrite(0); }, 0x90, "01 00 01 02 01 02", EchoN, 0, false,
            300, true),
        Dev(
            "TvWallScreenWrite single exit", [] { return CMD_TvWallScreenWrite(1); }, 0x90, "00 00 00 00 00 00", EchoN,
            0, false, 300, true),
        Dev(
            "TvWallBezelWrite", [] { return CMD_TvWallBezelWrite(0); }, 0x91, "01 00 01 02 03 04", EchoN, 0, false, 300,
            true),
        Dev(
            "TvWallAngleWrite", [] { return CMD_TvWallAngleWrite(0); }, 0x8F, "01 00 02", EchoN, 0, false, 300, true),
        Dev(
            "TvWallScreenModeWrite", [] { return CMD_TvWallScreenModeWrite(0); }, 0x92, "01 00 01", EchoN, 0, false,
            300, true),
        Dev(
            "PanelResolutionWrite", [] { return CMD_PanelResolutionWrite({0, 1}); }, 0x40,
            "FF 00 01 0F00 0870 02 0780 0438", EchoN, 0, false, 300, true),
        // Multiview record 1 on output 4, window 1
        Dev(
            "MultiviewRead", [] { return CMD_MultiviewRead(1); }, 0x9C, "04 80", EchoN, 3, true, 2000, true),
        Dev(
            "MultiviewWrite", [] { return CMD_MultiviewWrite(1, 1); }, 0x9C,
            "04 00 02 01 01 02 0102 0304 0500 0280 00 0A 5A 64", EchoN, 3, true, 2000, true),
        Dev(
            "MvAudioSelectWrite", [] { return CMD_MvAudioSelectWrite(1); }, 0xA2, "04 00 03", EchoN, 6, true, 2000,
            true),
        Dev(
            "MvWindowLayerWrite", [] { return CMD_MvWindowLayerWrite(1, 1); }, 0x9F, "04 00 02 01 02", EchoN, 6, true,
            2000, true),
        Dev(
            "MvWindowGeometryWrite", [] { return CMD_MvWindowGeometryWrite(1, 1); }, 0x9D,
            "04 00 02 01 0102 0304 0500 0280", EchoN, 6, true, 2000, true),
        Dev(
            "MvWindowStatusWrite", [] { return CMD_MvWindowStatusWrite(1, 1); }, 0xA0, "04 00 02 01 01", EchoN, 6, true,
            2000, true),
        // Peripherals
        Dev(
            "PeripheralIo read", [] { return CMD_PeripheralIo(0x00, 0x80, 2, QByteArray(1, '\0'), 0); }, 0x33,
            "00 80 02 00", EchoN, 3, true, 2000, true),
        Dev(
            "PeripheralIo user line", [] { return CMD_PeripheralIo(0x10, 0x20, 0, Hex("AABB"), 150); }, 0x33,
            "10 20 00 AA BB", EchoN, 0, false, 150, true),
        // Network module
        Net(
            "NET_SearchDevice", [] { return NET_SearchDevice(); }, 0x01, QByteArray(), Prefix, "FF 24"),
        Net(
            "NET_ReadConfig", [] { return NET_ReadConfig(Mac, 6); }, 0x03, Hex(Lead), Any, ""),
        Net(
            "NET_ApplyConfig", [] { return NET_ApplyConfig(Mac, 6); }, 0x04, Hex(Lead), Prefix, "FF 01 04"),
        Net(
            "NET_BasicConfigWrite", [] { return NET_BasicConfigWrite(Mac, 6, basic); }, 0x05, Hex(Lead) + block67,
            Prefix, "FF 01 05"),
        Net(
            "NET_PortConfigWrite", [] { return NET_PortConfigWrite(Mac, 6, port); }, 0x06, Hex(Lead) + block63, Prefix,
            "FF 01 06"),
        Net(
            "NET_LoadDefault", [] { return NET_LoadDefault(Mac, 6); }, 0x0B, Hex(Lead), Prefix, "FF 01 0B"),
    };
    return rows;
}

// The model the rows above are written against.
void PrepareModel()
{
    DeviceState &d = Device();
    d.inputCount = 8;
    d.outputCount = 8;
    d.inputAt(0).bind = 1;
    d.inputAt(3).bind = 1;
    d.inputAt(15).bind = 1;
    d.edidReadOffset = 0x20;
    d.edidWriteOffset = 0x30;
    for (int i = 0; i < 256; ++i)
        d.edidWriteBuffer[i] = quint8(i);

    d.mvFeature = 1;
    d.tvWall.rows = 1;
    d.tvWall.cols = 2;
    d.tvWall.cellCount = 2;
    d.tvWall.mvInputEnable = 1;
    d.wallEntry(0).cellOutput = 1;
    d.wallEntry(1).cellOutput = 0;
    TvWallEntry &spliced = d.wallEntry(1);
    spliced.spliced = 1;
    spliced.syncLock = 1;
    spliced.screenAngle = 2;
    spliced.spliceOrigin = 0x101;
    spliced.bezelLeft = 1;
    spliced.bezelRight = 2;
    spliced.bezelUp = 3;
    spliced.bezelBottom = 4;
    spliced.input = 5;
    spliced.spliceRows = 1;
    spliced.spliceColumns = 2;
    spliced.spliceRow = 1;
    spliced.spliceColumn = 2;
    TvWallEntry &single = d.wallEntry(0);
    single.spliced = 1;
    single.singleExit = 1;
    single.bezelLeft = single.bezelRight = single.bezelUp = single.bezelBottom = 9;
    single.spliceRows = single.spliceColumns = single.spliceRow = single.spliceColumn = 3;
    single.input = 6;

    d.outputAt(0).panelWidth = 3840;
    d.outputAt(0).panelHeight = 2160;
    d.outputAt(1).panelWidth = 1920;
    d.outputAt(1).panelHeight = 1080;

    MultiviewRecord &mv = d.multiviewAt(1);
    mv.output = 4;
    mv.windowCount = 2;
    mv.audioSource = 3;
    MultiviewWindow &w = mv.windowAt(1);
    w.visible = 1;
    w.layer = 2;
    w.x = 0x0102;
    w.y = 0x0304;
    w.w = 0x0500;
    w.h = 0x0280;
    w.cropX = 0;
    w.cropY = 10;
    w.cropW = 90;
    w.cropH = 100;
}

QueueEntry TakeOnly(CommandChannel &channel)
{
    QMutexLocker lock(&channel.sendMutex);
    if (!channel.sendQueue || channel.sendQueue->size() != 1)
        return QueueEntry{QByteArray(), EmptyCommandRecord()};
    QueueEntry entry = channel.sendQueue->front();
    channel.sendQueue->pop_front();
    return entry;
}

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetProcessState();
        ActiveTransport = TransportTcp;
        ChannelOpen(TcpChannel);
        ChannelOpen(UdpChannel);
        PrepareModel();
    }
    void cleanup() { ResetProcessState(); }

    void builderQueuesItsFrame_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(Rows().size()); ++i)
            QTest::newRow(Rows()[size_t(i)].name) << i;
    }

    void builderQueuesItsFrame()
    {
        QFETCH(int, row);
        const Row &r = Rows()[size_t(row)];
        const bool module = r.frame.startsWith(char(0xFF));
        QVERIFY(r.build());
        QCOMPARE(ChannelQueueSize(module ? TcpChannel : UdpChannel, QueueSide::Send), 0);
        const QueueEntry entry = TakeOnly(module ? UdpChannel : TcpChannel);
        QCOMPARE(entry.data.toHex(' '), r.frame.toHex(' '));

        const CommandRecord &rec = entry.record;
        QCOMPARE(rec.expectedCount, 1u);
        QCOMPARE(rec.expectedLength[1], 0u);
        QByteArray prefix;
        switch (r.expect) {
        case EchoN:
            prefix = r.frame.left(r.echo);
            break;
        case Routing:
            prefix = Hex("7B 7B 11");
            break;
        case Prefix:
            prefix = r.prefix;
            break;
        case Any:
            break;
        }
        if (r.expect == Any) {
            QCOMPARE(rec.acceptAnyReply, quint8(1));
            QCOMPARE(rec.expectedLength[0], 130u);
        } else {
            QCOMPARE(rec.acceptAnyReply, quint8(0));
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(rec.expected[0]), int(rec.expectedLength[0])).toHex(' '),
                     prefix.toHex(' '));
        }
        QCOMPARE(rec.waitReply, quint8(r.waitReply));
        QCOMPARE(rec.replyTimeoutMs, r.waitReply ? r.ms : 0u);
        QCOMPARE(rec.pauseMs, r.waitReply ? 0u : r.ms);
        QCOMPARE(rec.reportTimeout, quint8(r.report));
    }

    void boundBreakingBuilderQueuesNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("EdidRead output == outputCount") << 0;
        QTest::newRow("EdidWrite input == inputCount") << 1;
        QTest::newRow("EdidWrite without buffer") << 2;
        QTest::newRow("SwitchInput input == inputCount") << 3;
        QTest::newRow("SwitchInput output == outputCount") << 4;
        QTest::newRow("SwitchAllOutputs input == inputCount") << 5;
        QTest::newRow("PeripheralIo 253 data bytes") << 6;
        QTest::newRow("FrontPanelTextWrite line 1 of 17 bytes") << 7;
        QTest::newRow("FrontPanelTextWrite line 2 of 17 bytes") << 8;
        QTest::newRow("DeviceNameWrite of 41 bytes") << 9;
        QTest::newRow("MultiviewWrite window 4") << 10;
        QTest::newRow("MvWindowGeometryWrite window 4") << 11;
        QTest::newRow("TvWallInputSelect output out of range") << 12;
        QTest::newRow("TvWallInputSelect no outputs") << 13;
        QTest::newRow("FirmwareVersionRead unknown module") << 14;
        QTest::newRow("InputInfoRead input == inputCount") << 15;
        QTest::newRow("OutputModeWrite output == outputCount") << 16;
        QTest::newRow("NET_ReadConfig MAC of 7 bytes") << 17;
        QTest::newRow("NET_BasicConfigWrite without block") << 18;
        QTest::newRow("EdidRead offset past the last block") << 19;
    }

    void boundBreakingBuilderQueuesNothing()
    {
        QFETCH(int, row);
        const quint8 mac7[7] = {};
        const std::function<bool()> builders[] = {
            [] { return CMD_EdidRead(8); },
            [] { return CMD_EdidWrite(8, Device().edidWriteBuffer); },
            [] { return CMD_EdidWrite(0, nullptr); },
            [] { return CMD_SwitchInput(8, 0); },
            [] { return CMD_SwitchInput(0, 8); },
            [] { return CMD_SwitchAllOutputs(8); },
            [] { return CMD_PeripheralIo(0, 0, 0, QByteArray(253, 'x'), 0); },
            [] { return CMD_FrontPanelTextWrite(QByteArray(17, 'a'), "b"); },
            [] { return CMD_FrontPanelTextWrite("a", QByteArray(17, 'b')); },
            [] { return CMD_DeviceNameWrite(QByteArray(41, 'n')); },
            [] { return CMD_MultiviewWrite(1, 4); },
            [] { return CMD_MvWindowGeometryWrite(1, 4); },
            [] {
                return CMD_TvWallInputSelect(0, {1, 8});
            },
            [] { return CMD_TvWallInputSelect(0, {}); },
            [] { return CMD_FirmwareVersionRead(0, 5); },
            [] { return CMD_InputInfoRead(8); },
            [] { return CMD_OutputModeWrite(8, 1); },
            [&mac7] { return NET_ReadConfig(mac7, 7); },
            [] { return NET_BasicConfigWrite(Mac, 6, nullptr); },
            [] {
                Device().edidReadOffset = 0xF8;
                return CMD_EdidRead(0);
            },
        };
        QVERIFY(!builders[row]());
        QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 0);
        QCOMPARE(ChannelQueueSize(UdpChannel, QueueSide::Send), 0);
    }

    void peripheralIoOf252DataBytesIsA262ByteFrame()
    {
        QVERIFY(CMD_PeripheralIo(0, 0, 0, QByteArray(252, 'x'), 10));
        QCOMPARE(TakeOnly(TcpChannel).data.size(), 262);
    }

    void withoutDeviceLinkDeviceCommandsAreDiscarded()
    {
        ActiveTransport = TransportNone;
        QVERIFY(!CMD_RoutingRead());
        QVERIFY(!CMD_DeviceTypeRead());
        QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 0);
        QVERIFY(NET_SearchDevice()); // the module is reached over UDP regardless
        QCOMPARE(ChannelQueueSize(UdpChannel, QueueSide::Send), 1);
    }

    void tvWallWriteClearsMvInputWithoutSplice_data()
    {
        QTest::addColumn<quint8>("mvFeature");
        QTest::addColumn<bool>("spliced");
        QTest::addColumn<quint8>("sent");
        QTest::newRow("feature and splice keep it") << quint8(1) << true << quint8(1);
        QTest::newRow("no splice clears it") << quint8(1) << false << quint8(0);
        QTest::newRow("no feature clears it") << quint8(0) << true << quint8(0);
    }

    void tvWallWriteClearsMvInputWithoutSplice()
    {
        QFETCH(quint8, mvFeature);
        QFETCH(bool, spliced);
        QFETCH(quint8, sent);
        Device().mvFeature = mvFeature;
        Device().wallEntry(0).spliced = spliced;
        Device().wallEntry(1).spliced = spliced;
        QVERIFY(CMD_TvWallWrite());
        QCOMPARE(TakeOnly(TcpChannel).data.mid(9, 1), QByteArray(1, char(sent)));
        QCOMPARE(Device().tvWall.mvInputEnable, sent);
    }

    void initialReadsQueueInOrder()
    {
        Device().inputCount = 2;
        Device().outputCount = 3;
        QVERIFY(QueueMatrixInitialRead());
        QVERIFY(QueueSignalConfigInitialRead());
        QVERIFY(QueueTvWallRead());
        QStringList heads;
        QMutexLocker lock(&TcpChannel.sendMutex);
        for (const QueueEntry &e : *TcpChannel.sendQueue)
            heads << QString::fromLatin1(e.data.mid(2, 4).toHex(' '));
        QCOMPARE(heads,
                 QStringList({"12 01 00 03", "d9 03 00 80", "7f 02 00 c0", "7f 02 01 c0", "45 0c 00 f0", "7f 02 00 80",
                              "7f 02 01 80", "7f 02 02 80", "93 05 00 80"}));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
