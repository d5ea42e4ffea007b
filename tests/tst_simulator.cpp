// The simulator as its users meet it: the command line that shapes the
// device it plays, and the faults it injects into its replies. What it
// answers to each command is exercised through the program by the
// end-to-end tests and the tours.
#include "protocol/ModuleBlockLayout.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimFaults.h"
#include "tools/devsim/SimFrameReader.h"
#include "tools/devsim/SimOptions.h"

#include <QtTest>

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void faults_shapeTheReplies_data();
    void faults_shapeTheReplies();
    void faults_sameSeedSameChoices();
};

void TestSimulator::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("result");
    const int run = int(SimParse::Run);
    const int error = int(SimParse::Error);
    QTest::newRow("defaults") << QStringList() << run;
    QTest::newRow("help") << QStringList{"--help"} << int(SimParse::Help);
    QTest::newRow("mute in hex and decimal") << QStringList{"--mute-code", "0x95", "--mute-code", "18"} << run;
    QTest::newRow("16 inputs") << QStringList{"--inputs", "16"} << run;
    QTest::newRow("17 inputs") << QStringList{"--inputs", "17"} << error;
    QTest::newRow("drop of 1") << QStringList{"--drop", "1"} << run;
    QTest::newRow("drop above 1") << QStringList{"--drop", "1.5"} << error;
    QTest::newRow("port 65535") << QStringList{"--tcp-port", "65535"} << run;
    QTest::newRow("port too large") << QStringList{"--tcp-port", "65536"} << error;
    QTest::newRow("code too large") << QStringList{"--mute-code", "0x100"} << error;
    QTest::newRow("unknown option") << QStringList{"--colour"} << error;
    QTest::newRow("module login") << QStringList{"--module-user", "admin", "--module-password", "secret"} << run;
    QTest::newRow("module login too long") << QStringList{"--module-user", "adminis"} << error;
    QTest::newRow("kinds and formats") << QStringList{"--output-kinds", "7,8", "--output-formats", "0xFF,3"} << run;
    QTest::newRow("timings") << QStringList{"--input-timings", "1920x1080i50,0x0p0"} << run;
    QTest::newRow("kind above a byte") << QStringList{"--input-kinds", "256"} << error;
    QTest::newRow("kind not a number") << QStringList{"--output-types", "7,x"} << error;
    QTest::newRow("bad scan letter") << QStringList{"--output-timings", "1920x1080q60"} << error;
    QTest::newRow("16 kinds") << QStringList{"--input-kinds", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"} << run;
    QTest::newRow("17 kinds") << QStringList{"--input-kinds", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"} << error;
    QTest::newRow("multiview groups 1 and 9") << QStringList{"--outputs", "16", "--multiview-groups", "1,9"} << run;
    QTest::newRow("output 2 leads no group") << QStringList{"--multiview-groups", "2"} << error;
    QTest::newRow("group beyond the outputs") << QStringList{"--multiview-groups", "9"} << error;
    QTest::newRow("four windows") << QStringList{"--multiview-windows", "4"} << run;
    QTest::newRow("five windows") << QStringList{"--multiview-windows", "5"} << error;
    QTest::newRow("3x3 wall of 9 outputs") << QStringList{"--outputs", "9", "--wall", "3x3"} << run;
    QTest::newRow("more displays than outputs") << QStringList{"--wall", "3x3"} << error;
    QTest::newRow("wall of one side only") << QStringList{"--wall", "3"} << error;
}

void TestSimulator::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, result);
    arguments.prepend(QStringLiteral("kxr-devsim"));
    SimOptions options;
    QString text;
    QCOMPARE(int(ParseSimOptions(arguments, options, text)), result);
    if (result == int(SimParse::Error))
        QVERIFY2(!text.isEmpty(), "a refused command line says why");
    if (result == int(SimParse::Help))
        QVERIFY(text.contains(QLatin1String("--disconnect-after")));
    if (arguments.contains(QLatin1String("0x95")))
        QCOMPARE(options.faults.mutedCodes, (QList<quint8>{0x95, 0x12}));
    if (arguments.contains(QLatin1String("secret")))
        QCOMPARE(MakeSimDeviceModel(options.model).modules.first().block.mid(ModuleBlock::Password, 6),
                 QByteArray("secret"));
}

void TestSimulator::faults_shapeTheReplies_data()
{
    QTest::addColumn<double>("drop");
    QTest::addColumn<double>("corrupt");
    QTest::addColumn<double>("garbage");
    QTest::addColumn<bool>("split");
    QTest::addColumn<int>("chunks");     // -1: as many as bytes
    QTest::addColumn<int>("framesRead"); // what a frame reader makes of it
    QTest::newRow("none") << 0.0 << 0.0 << 0.0 << false << 1 << 1;
    QTest::newRow("dropped") << 1.0 << 0.0 << 0.0 << false << 0 << 0;
    QTest::newRow("corrupted") << 0.0 << 1.0 << 0.0 << false << 1 << 0;
    QTest::newRow("split") << 0.0 << 0.0 << 0.0 << true << -1 << 1;
    QTest::newRow("noise and split") << 0.0 << 0.0 << 1.0 << true << -1 << 1;
}

void TestSimulator::faults_shapeTheReplies()
{
    QFETCH(double, drop);
    QFETCH(double, corrupt);
    QFETCH(double, garbage);
    QFETCH(bool, split);
    QFETCH(int, chunks);
    QFETCH(int, framesRead);
    SimFaultOptions options;
    options.drop = drop;
    options.corrupt = corrupt;
    options.garbage = garbage;
    options.split = split;
    SimFaults faults(options);
    const QByteArray reply = DeviceFrameOf(0x11, Hex("00 01 02 03"));
    for (int round = 0; round < 20; ++round) {
        const QList<QByteArray> shaped = faults.shape(reply, true);
        int bytes = 0;
        SimFrameReader reader;
        QList<QByteArray> frames;
        for (const QByteArray &chunk : shaped) {
            bytes += chunk.size();
            frames += reader.feed(chunk);
        }
        QCOMPARE(shaped.size(), chunks >= 0 ? chunks : bytes);
        QCOMPARE(frames.size(), framesRead);
        if (framesRead == 1)
            QCOMPARE(frames.first(), reply);
    }
}

void TestSimulator::faults_sameSeedSameChoices()
{
    SimFaultOptions options;
    options.drop = 0.5;
    options.seed = 7;
    SimFaults first(options);
    SimFaults second(options);
    const QByteArray reply = Hex("FF 01 04 05");
    int dropped = 0;
    for (int i = 0; i < 200; ++i) {
        const bool a = first.shape(reply, false).isEmpty();
        QCOMPARE(second.shape(reply, false).isEmpty(), a);
        dropped += a ? 1 : 0;
    }
    QVERIFY(dropped > 50 && dropped < 150);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
