// The gateway's pure parsers: router-protocol blocks to requests, a router
// snapshot to text, and a device-port client's bytes to device frames.
#include "gateway/ClientFramer.h"
#include "gateway/RouterText.h"
#include "protocol/Frames.h"

#include <QtTest>

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

QByteArray Pack(quint8 command, const QByteArray &payload)
{
    quint8 out[Frame::BufferSize];
    const quint32 n =
        PackDeviceFrame(command, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), out);
    return QByteArray(reinterpret_cast<const char *>(out), int(n));
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
        QTest::newRow("crlf") << QByteArray("VIDEO OUTPUT ROUTING:\r\n7 2\r\n\r\n") << "routes 7<2";
        QTest::newRow("salvo order") << QByteArray("VIDEO OUTPUT ROUTING:\n1 3\n0 15\n1 4\n\n")
                                     << "routes 1<3 0<15 1<4";
        QTest::newRow("output past") << QByteArray("VIDEO OUTPUT ROUTING:\n8 0\n\n") << "refuse";
        QTest::newRow("input past") << QByteArray("VIDEO OUTPUT ROUTING:\n0 16\n\n") << "refuse";
        QTest::newRow("negative") << QByteArray("VIDEO OUTPUT ROUTING:\n-1 2\n\n") << "refuse";
        QTest::newRow("plus sign") << QByteArray("VIDEO OUTPUT ROUTING:\n+1 2\n\n") << "refuse";
        QTest::newRow("hex") << QByteArray("VIDEO OUTPUT ROUTING:\n0x1 2\n\n") << "refuse";
        QTest::newRow("huge") << QByteArray("VIDEO OUTPUT ROUTING:\n4294967297 2\n\n") << "refuse";
        QTest::newRow("three fields") << QByteArray("VIDEO OUTPUT ROUTING:\n1 2 3\n\n") << "refuse";
        QTest::newRow("one field") << QByteArray("VIDEO OUTPUT ROUTING:\n1\n\n") << "refuse";
        QTest::newRow("one bad line refuses all") << QByteArray("VIDEO OUTPUT ROUTING:\n1 2\nx y\n\n") << "refuse";
        QTest::newRow("input label at last input") << QByteArray("INPUT LABELS:\n15 Cam 1\n\n") << "labels 15=Cam 1";
        QTest::newRow("output label past outputs") << QByteArray("OUTPUT LABELS:\n15 Cam\n\n") << "refuse";
        QTest::newRow("empty label") << QByteArray("OUTPUT LABELS:\n3 \n\n") << "labels 3=";
        QTest::newRow("label at limit") << "INPUT LABELS:\n0 " + label64 + "\n\n" << QString("labels 0=" + label64);
        QTest::newRow("label past limit") << "INPUT LABELS:\n0 " + label64 + "y\n\n"
                                          << "refuse";
        QTest::newRow("label not utf8") << QByteArray("INPUT LABELS:\n0 \xff\xfe\n\n") << "refuse";
        QTest::newRow("locks") << QByteArray("VIDEO OUTPUT LOCKS:\n0 O\n7 U\n3 F\n\n") << "locks 0O 7U 3F";
        QTest::newRow("lock L from a client") << QByteArray("VIDEO OUTPUT LOCKS:\n0 L\n\n") << "refuse";
        QTest::newRow("lock lower case") << QByteArray("VIDEO OUTPUT LOCKS:\n0 o\n\n") << "refuse";
        QTest::newRow("lock past outputs") << QByteArray("VIDEO OUTPUT LOCKS:\n8 O\n\n") << "refuse";
        QTest::newRow("ping") << QByteArray("PING:\n\n") << "ping";
        QTest::newRow("dump routing") << QByteArray("VIDEO OUTPUT ROUTING:\n\n") << "dump";
        QTest::newRow("dump device") << QByteArray("VIDEOHUB DEVICE:\n\n") << "dump";
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
        const QByteArray end = "\n\nPING:\n\n";
        reader.feed(end.constData(), end.size(), out);
        QCOMPARE(int(out.size()), 2);
        QCOMPARE(ParseRequest(out[0], Inputs, Outputs).kind, RequestKind::Refuse);
        QCOMPARE(ParseRequest(out[1], Inputs, Outputs).kind, RequestKind::Ping);
    }

    void readerByteByByteEqualsWhole()
    {
        const QByteArray text = "\n\nVIDEO OUTPUT ROUTING:\r\n1 2\n\nPING:\n\nINPUT LABELS:\n0 A";
        BlockReader reader;
        std::vector<TextBlock> out;
        for (char c : text)
            reader.feed(&c, 1, out);
        QCOMPARE(int(out.size()), 2); // stray blank lines make no block; the last is unfinished
        QCOMPARE(Describe(ParseRequest(out[0], Inputs, Outputs)), QStringLiteral("routes 1<2"));
        QCOMPARE(out[1].header, QByteArray("PING:"));
    }

    void prelude()
    {
        Snapshot s;
        s.present = true;
        s.modelName = "KXR 2x3";
        s.friendlyName = "Hall\nB";
        s.uniqueId = "00112233AABB";
        s.inputs = 2;
        s.outputs = 3;
        s.inputLabels = QStringList{"Cam 1", "PC"};
        s.outputLabels = QStringList{"Left", "Right", "Rear"};
        s.routing = {1, 0, 1};
        s.locks = "UOL";
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

    void framer_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QByteArray>("frames"); // what passes, concatenated
        QTest::addColumn<int>("held");
        const QByteArray route = Pack(0x01, QByteArray("\x02\x05", 2));
        const QByteArray read = Pack(0x12, QByteArray(1, '\0'));
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
};

QTEST_GUILESS_MAIN(TestGatewayText)
#include "tst_gateway_text.moc"
