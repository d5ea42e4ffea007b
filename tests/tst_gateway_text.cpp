// The gateway's pure parts: router-protocol blocks to requests, a router
// snapshot to text, a device-port client's bytes to device frames, the
// records given to those frames (checked against the catalogue's own), and
// the command line and configuration file.
#include "gateway/ClientFramer.h"
#include "gateway/FrameRecords.h"
#include "gateway/GatewayOptions.h"
#include "protocol/RouterText.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

#include <QTemporaryFile>
#include <QtTest>

#include <cstring>
#include <functional>

using namespace RouterText;

namespace {

constexpr int Inputs = 16;
constexpr int Outputs = 8;

std::vector<TextBlock> Blocks(const QByteArray &text)
{
    BlockReader reader;
    std::vector<TextBlock> out;
    reader.feed(text.constData(), text.size(), out);
    return out;
}

// A request in a few words, to compare against a table.
QString Describe(const Request &r)
{
    static const char *const kinds[] = {"ignore", "ping", "dump", "routes", "labels", "locks", "config", "refuse"};
    QString s = QLatin1String(kinds[int(r.kind)]);
    for (const RouteItem &i : r.routes)
        s += QStringLiteral(" %1<%2").arg(i.output).arg(i.input);
    for (const LabelItem &i : r.labels)
        s += QStringLiteral(" %1=%2").arg(i.port).arg(i.text);
    for (const LockItem &i : r.locks)
        s += QStringLiteral(" %1%2").arg(i.output).arg(QLatin1Char("OUF"[int(i.op)]));
    return s;
}

} // namespace

class TestGatewayText : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        const QByteArray label64(MaxLabelBytes, 'x');
        QTest::newRow("route") << QByteArray("VIDEO OUTPUT ROUTING:\n7 2\n\n") << "routes 7<2";
        QTest::newRow("salvo order") << QByteArray("VIDEO OUTPUT ROUTING:\n1 3\n0 15\n1 4\n\n")
                                     << "routes 1<3 0<15 1<4";
        QTest::newRow("output past") << QByteArray("VIDEO OUTPUT ROUTING:\n8 0\n\n") << "refuse";
        QTest::newRow("input past") << QByteArray("VIDEO OUTPUT ROUTING:\n0 16\n\n") << "refuse";
        QTest::newRow("negative") << QByteArray("VIDEO OUTPUT ROUTING:\n-1 2\n\n") << "refuse";
        QTest::newRow("huge") << QByteArray("VIDEO OUTPUT ROUTING:\n4294967297 2\n\n") << "refuse";
        QTest::newRow("three fields") << QByteArray("VIDEO OUTPUT ROUTING:\n1 2 3\n\n") << "refuse";
        QTest::newRow("one bad line refuses all") << QByteArray("VIDEO OUTPUT ROUTING:\n1 2\nx y\n\n") << "refuse";
        QTest::newRow("input label at last input") << QByteArray("INPUT LABELS:\n15 Cam 1\n\n") << "labels 15=Cam 1";
        QTest::newRow("output label past outputs") << QByteArray("OUTPUT LABELS:\n15 Cam\n\n") << "refuse";
        QTest::newRow("label at limit") << "INPUT LABELS:\n0 " + label64 + "\n\n" << QString("labels 0=" + label64);
        QTest::newRow("label past limit") << "INPUT LABELS:\n0 " + label64 + "y\n\n"
                                          << "refuse";
        QTest::newRow("label not utf8") << QByteArray("INPUT LABELS:\n0 \xff\xfe\n\n") << "refuse";
        QTest::newRow("locks") << QByteArray("VIDEO OUTPUT LOCKS:\n0 O\n7 U\n3 F\n\n") << "locks 0O 7U 3F";
        QTest::newRow("lock L from a client") << QByteArray("VIDEO OUTPUT LOCKS:\n0 L\n\n") << "refuse";
        QTest::newRow("ping") << QByteArray("PING:\n\n") << "ping";
        QTest::newRow("dump routing") << QByteArray("VIDEO OUTPUT ROUTING:\n\n") << "dump";
        QTest::newRow("unknown block") << QByteArray("SERIAL PORT ROUTING:\n1 2\n\n") << "ignore";
        QTest::newRow("garbage") << QByteArray("hello world\n\n") << "refuse";
        QTest::newRow("device block is read-only")
            << QByteArray("VIDEOHUB DEVICE:\nDevice present: true\n\n") << "refuse";
        QTest::newRow("take mode off") << QByteArray("CONFIGURATION:\nTake Mode: false\n\n") << "config";
        QTest::newRow("take mode on") << QByteArray("CONFIGURATION:\nTake Mode: true\n\n") << "refuse";
    }

    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        const std::vector<TextBlock> blocks = Blocks(text);
        QCOMPARE(int(blocks.size()), 1);
        const Request r = ParseRequest(blocks.front(), Inputs, Outputs);
        QCOMPARE(Describe(r), expected);
        QCOMPARE(r.reason.isEmpty(), r.kind != RequestKind::Refuse);
    }

    void readerBounds_data()
    {
        QTest::addColumn<int>("lineBytes");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("line at limit") << MaxLineBytes << 1 << false;
        QTest::newRow("line past limit") << MaxLineBytes + 1 << 1 << true;
        QTest::newRow("block at limit") << 3 << MaxBlockLines << false;
        QTest::newRow("block past limit") << 3 << MaxBlockLines + 1 << true;
    }

    void readerBounds()
    {
        QFETCH(int, lineBytes);
        QFETCH(int, lines);
        QFETCH(bool, tooLarge);
        QByteArray text = "VIDEO OUTPUT ROUTING:\n";
        for (int i = 0; i < lines; ++i)
            text += QByteArray(lineBytes, '1') + '\n';
        const std::vector<TextBlock> blocks = Blocks(text + "\nPING:\n\n");
        QCOMPARE(int(blocks.size()), 2);
        QCOMPARE(blocks[0].tooLarge, tooLarge);
        QCOMPARE(ParseRequest(blocks[0], Inputs, Outputs).kind, RequestKind::Refuse);
        QCOMPARE(ParseRequest(blocks[1], Inputs, Outputs).kind, RequestKind::Ping);
    }

    void readerHoldsLittleUnderAnEndlessLine()
    {
        BlockReader reader;
        std::vector<TextBlock> out;
        const QByteArray chunk(64 * 1024, 'a');
        for (int i = 0; i < 64; ++i) {
            reader.feed(chunk.constData(), chunk.size(), out);
            QVERIFY(reader.heldBytes() <= MaxLineBytes);
        }
        for (char c : QByteArray("\n\n\r\nPING:\r\n\r\n")) // byte by byte; stray blank lines make no block
            reader.feed(&c, 1, out);
        QCOMPARE(int(out.size()), 2);
        QCOMPARE(ParseRequest(out[0], Inputs, Outputs).kind, RequestKind::Refuse);
        QCOMPARE(ParseRequest(out[1], Inputs, Outputs).kind, RequestKind::Ping);
    }

    void prelude()
    {
        Snapshot s{true,      "KXR 2x3", "Hall\nB", "00112233AABB", 2, 3, {"Cam 1", "PC"}, {"Left", "Right", "Rear"},
                   {1, 0, 1}, "UOL"};
        QCOMPARE(Prelude(s),
                 QByteArray("PROTOCOL PREAMBLE:\nVersion: 2.8\n\n"
                            "VIDEOHUB DEVICE:\nDevice present: true\nModel name: KXR 2x3\n"
                            "Friendly name: Hall B\nUnique ID: 00112233AABB\nVideo inputs: 2\n"
                            "Video processing units: 0\nVideo outputs: 3\nVideo monitoring outputs: 0\n"
                            "Serial ports: 0\n\n"
                            "INPUT LABELS:\n0 Cam 1\n1 PC\n\n"
                            "OUTPUT LABELS:\n0 Left\n1 Right\n2 Rear\n\n"
                            "VIDEO OUTPUT LOCKS:\n0 U\n1 O\n2 L\n\n"
                            "VIDEO OUTPUT ROUTING:\n0 1\n1 0\n2 1\n\n"
                            "CONFIGURATION:\nTake Mode: false\n\nEND PRELUDE:\n\n"));
        QCOMPARE(RoutingBlock(s.routing, {2, 7, 0}), QByteArray("VIDEO OUTPUT ROUTING:\n2 1\n0 1\n\n"));
        s.present = false;
        QCOMPARE(Prelude(s),
                 QByteArray("PROTOCOL PREAMBLE:\nVersion: 2.8\n\n"
                            "VIDEOHUB DEVICE:\nDevice present: false\n\n"));
        QVERIFY(DumpBlock(BlockId::Routing, s).isEmpty());
    }

    // The window's side: lock states and the output count as a server
    // tells them, and the lock requests it sends.
    void clientSide_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        Snapshot s{true, "KXR 2x3", "Hall", "1", 2, 3, {"a", "b"}, {"x", "y", "z"}, {0, 1, 0}, "UOL"};
        QTest::newRow("prelude") << Prelude(s) << "outputs 3 0U 1O 2L";
        s.present = false;
        QTest::newRow("no device") << Prelude(s) << "outputs 0";
        QTest::newRow("update, last output") << QByteArray("VIDEO OUTPUT LOCKS:\n7 L\n\n") << "7L";
        QTest::newRow("output past") << QByteArray("VIDEO OUTPUT LOCKS:\n8 U\n\n") << "bad";
        QTest::newRow("F is no state") << QByteArray("VIDEO OUTPUT LOCKS:\n0 F\n\n") << "bad";
        QTest::newRow("one bad line spoils all") << QByteArray("VIDEO OUTPUT LOCKS:\n0 O\n1 OL\n\n") << "bad";
        QTest::newRow("outputs at limit") << QByteArray("VIDEOHUB DEVICE:\nVideo outputs: 256\n\n") << "outputs 256";
        QTest::newRow("outputs past limit") << QByteArray("VIDEOHUB DEVICE:\nVideo outputs: 257\n\n") << "outputs -1";
    }

    void clientSide()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QStringList told;
        for (const TextBlock &block : Blocks(text)) {
            std::vector<LockState> states;
            if (BlockOf(block.header) == BlockId::Device)
                told << QStringLiteral("outputs %1").arg(DeviceOutputs(block));
            else if (BlockOf(block.header) == BlockId::Locks && !ParseLockStates(block, Outputs, states))
                told << QStringLiteral("bad");
            for (const LockState &state : states)
                told << QString::number(state.output) + QLatin1Char(state.state);
        }
        QCOMPARE(told.join(QLatin1Char(' ')), expected);
        // What the client asks, the server reads.
        const Request r = ParseRequest(Blocks(LockRequest({2, 6}, 'F')).front(), Inputs, Outputs);
        QCOMPARE(Describe(r), QStringLiteral("locks 2F 6F"));
    }

    void framer_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QByteArray>("frames"); // what passes, concatenated
        QTest::addColumn<int>("held");
        const QByteArray route = SwitchFrame(2, 5), read = RoutingReadFrame();
        QByteArray badSum = route;
        badSum[6] = char(badSum[6] + 1);
        QByteArray wildcard = route;
        wildcard[6] = char(Frame::ChecksumWildcard);
        QByteArray badEnd = route;
        badEnd[8] = 'x';
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += route;
        QTest::newRow("whole") << route << 64 << route << 0;
        QTest::newRow("byte by byte") << route + read << 1 << route + read << 0;
        QTest::newRow("garbage before") << "zz\x7b\x01" + route << 64 << route << 0;
        QTest::newRow("bad checksum") << badSum + read << 64 << read << 0;
        QTest::newRow("wildcard re-encoded") << wildcard << 64 << route << 0;
        QTest::newRow("bad end byte") << badEnd + read << 64 << read << 0;
        QTest::newRow("partial held back") << route + read.left(5) << 64 << route << 5;
        QTest::newRow("larger than the buffer") << many << int(many.size()) << many << 0;
    }

    void framer()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, chunk);
        QFETCH(QByteArray, frames);
        QFETCH(int, held);
        ClientFramer framer;
        QByteArray passed;
        for (int at = 0; at < stream.size(); at += chunk) {
            for (const QByteArray &f : framer.feed(stream.constData() + at, qMin(chunk, stream.size() - at)))
                passed += f;
        }
        QCOMPARE(passed.toHex(' '), frames.toHex(' '));
        QCOMPARE(int(framer.heldBytes()), held);
    }

    void arguments_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("expected"); // the options, or a piece of the message
        const int run = int(GatewayParse::Run), error = int(GatewayParse::Error);
        QTest::newRow("tcp defaults") << "--tcp 10.0.0.5" << run << "10.0.0.5:5000 127.0.0.1:5000 0.0.0.0:9990 10";
        QTest::newRow("serial") << "--serial /dev/ttyUSB0 --baud 9600 --poll 0" << run
                                << "/dev/ttyUSB0@9600 127.0.0.1:5000 0.0.0.0:9990 0";
        QTest::newRow("listen") << "--tcp h:77 --device-listen 127.0.0.1:0 --router-listen ::1:9991" << run
                                << "h:77 127.0.0.1:0 ::1:9991 10";
        QTest::newRow("check") << "--tcp h --check" << int(GatewayParse::Check)
                               << "h:5000 127.0.0.1:5000 0.0.0.0:9990 10";
        QTest::newRow("no link") << "--poll 3" << error << "one device link";
        QTest::newRow("port past 16 bits") << "--tcp h:65536" << error << "bad value";
        QTest::newRow("listen without port") << "--tcp h --router-listen 0.0.0.0" << error << "router-listen";
        QTest::newRow("bad cidr") << "--tcp h --allow 10.0.0.0/33" << error << "allow";
        QTest::newRow("unknown") << "--tcp h --frobnicate" << error << "unknown argument";
        QTest::newRow("help") << "--tcp h --help" << int(GatewayParse::Help) << "Usage: kxr-gateway";
    }

    void arguments()
    {
        QFETCH(QString, line);
        QFETCH(int, result);
        QFETCH(QString, expected);
        GatewayOptions o;
        QString message;
        const GatewayParse parsed =
            ParseGatewayArguments(QStringList{"kxr-gateway"} + line.split(' ', Qt::SkipEmptyParts), o, message);
        QCOMPARE(int(parsed), result);
        if (parsed == GatewayParse::Run || parsed == GatewayParse::Check) {
            const QString link =
                o.tcpHost.isEmpty() ? o.serialDevice + '@' + o.baud : o.tcpHost + ':' + QString::number(o.tcpPort);
            QCOMPARE(QStringLiteral("%1 %2:%3 %4:%5 %6")
                         .arg(link, o.deviceAddress.toString())
                         .arg(o.devicePort)
                         .arg(o.routerAddress.toString())
                         .arg(o.routerPort)
                         .arg(o.pollSeconds),
                     expected);
        } else {
            QVERIFY2(message.contains(expected), qPrintable(message));
        }
    }

    void configFileUnderTheCommandLine()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(
            "# the gateway\ntcp = 10.1.1.1:6000\npoll = 30\nallow = 10.1.0.0/16, 127.0.0.1/32\nread-only = true\n");
        file.close();
        GatewayOptions o;
        QString message;
        QCOMPARE(ParseGatewayArguments({"kxr-gateway", "--config", file.fileName(), "--poll", "5"}, o, message),
                 GatewayParse::Run);
        QCOMPARE(o.tcpHost, QStringLiteral("10.1.1.1"));
        QCOMPARE(o.pollSeconds, 5);
        QVERIFY(o.readOnly);
        QVERIFY(o.allows(QHostAddress("10.1.255.255")));
        QVERIFY(!o.allows(QHostAddress("10.2.0.1")));
        QVERIFY(o.allows(QHostAddress("::ffff:127.0.0.1")));

        QCOMPARE(ApplyGatewayConfig("poll = 3\nbogus line\n", o, message), false);
        QVERIFY2(message.startsWith("line 2:"), qPrintable(message));
        QCOMPARE(ParseGatewayArguments({"kxr-gateway", "--config", "/nonexistent/kxr.conf"}, o, message),
                 GatewayParse::Error);
        QVERIFY(message.contains("/nonexistent/kxr.conf"));
    }

    // The record the gateway gives a client's frame is the one the
    // catalogue gives the command that made it: one command per rule.
    void recordsMatchTheCatalogue()
    {
        const std::function<bool()> builders[] = {
            [] { return CMD_SwitchInput(2, 5); },
            [] { return CMD_SwitchAllOutputs(2); },
            [] { return CMD_RoutingRead(); },
            [] { return CMD_LayoutLoad(3); },
            [] { return CMD_DeviceNameRead(); },
            [] { return CMD_DeviceNameWrite("Hall"); },
            [] { return CMD_DeviceTypeRead(); },
            [] { return CMD_InputInfoRead(4); },
            [] { return CMD_OutputAudioMuteWrite(1, 1); },
            [] { return CMD_ReportWrite(1); },
            [] { return CMD_IrRead(); },
            [] { return CMD_OutputModeRead(2); },
            [] { return CMD_InputEdidModeRead(2); },
            [] { return CMD_TvWallRead(); },
            [] { return CMD_TvWallApply(); },
            [] { return CMD_FrontPanelTextRead(); },
            [] { return CMD_InputBindRead(); },
            [] { return CMD_NPlus1BackupWrite(1); },
            [] { return CMD_PeripheralIo(0x00, 0x80, 2, QByteArray(1, '\x05'), 0); },
        };
        ClearDeviceStateForTests();
        Device().inputCount = Device().outputCount = 16;
        ChannelOpen(TcpChannel);
        ActiveTransport = TransportTcp;
        QByteArray frame;
        CommandRecord catalogue = EmptyCommandRecord();
        SetDeviceEnqueueHooks(nullptr, [&](const QByteArray &f, const CommandRecord &r) {
            frame = f;
            catalogue = r;
        });
        for (const auto &build : builders) {
            QVERIFY(build());
            const CommandRecord ours = RecordForFrame(frame);
            const QByteArray what = frame.toHex(' ');
            QVERIFY2(ours.waitReply == catalogue.waitReply, what);
            QVERIFY2(ours.expectedLength[0] == catalogue.expectedLength[0], what);
            QVERIFY2(!std::memcmp(ours.expected[0], catalogue.expected[0], catalogue.expectedLength[0]), what);
            QVERIFY2(ours.replyTimeoutMs == catalogue.replyTimeoutMs && ours.pauseMs == catalogue.pauseMs, what);
        }
        SetDeviceEnqueueHooks(nullptr, nullptr);
        ChannelClear(TcpChannel);
        ActiveTransport = TransportNone;
    }
};

QTEST_GUILESS_MAIN(TestGatewayText)
#include "tst_gateway_text.moc"
