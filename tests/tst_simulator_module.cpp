#include "protocol/ModuleBlockLayout.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimFaults.h"
#include "tools/devsim/SimFrameReader.h"
#include "tools/devsim/SimModuleBlock.h"
#include "tools/devsim/SimModuleResponder.h"
#include "tools/devsim/SimOptions.h"

#include <QtTest>

namespace {

constexpr quint8 Search = 0x01;
constexpr quint8 ReadConfig = 0x03;
constexpr quint8 Apply = 0x04;
constexpr quint8 BasicWrite = 0x05;
constexpr quint8 PortWrite = 0x06;
constexpr quint8 LoadDefault = 0x0B;

const QByteArray FirstMac = Hex("00 1A 2B 3C 4D 5E");

// A module request: MAC, the two NUL-terminated credentials, then data.
QByteArray moduleRequest(quint8 code, const QByteArray &mac, const QByteArray &data = QByteArray())
{
    QByteArray payload = mac;
    payload.append("qzvkp", 6);
    payload.append("qzvkp", 6);
    payload.append(data);
    return ModuleFrameOf(code, payload);
}

SimDeviceModel modelWithModules(int modules)
{
    SimModelOptions options;
    options.modules = modules;
    options.tcpPort = 5000;
    return MakeSimDeviceModel(options);
}

} // namespace

class TestSimulatorModule : public QObject
{
    Q_OBJECT

private slots:
    void search_isAnsweredByEveryModule();
    void readConfig_answersOnlyTheModuleNamed_data();
    void readConfig_answersOnlyTheModuleNamed();
    void writes_areAcknowledgedAndReadBack();
    void loadDefault_restoresTheFactoryBlock();
    void loadDefault_refusedWhenTheModuleSaysSo();
    void writes_waitForApply_andANewMacTakesOver();
    void wrongLogin_isNotAnswered_data();
    void wrongLogin_isNotAnswered();
    void malformedRequests_areIgnored_data();
    void malformedRequests_areIgnored();
    void faults_shapeTheReplies_data();
    void faults_shapeTheReplies();
    void faults_sameSeedSameChoices();
    void options_data();
    void options();
};

void TestSimulatorModule::search_isAnsweredByEveryModule()
{
    SimDeviceModel model = modelWithModules(2);
    const SimReplies replies = RespondToModuleDatagram(model, Hex("FF 01 01 02"));
    QCOMPARE(replies.size(), 2);
    const QByteArray first = replies.first();
    QCOMPARE(first.size(), 36);
    QCOMPARE(first.left(2), Hex("FF 24"));
    QCOMPARE(first.mid(ModuleSearch::Ip, 4), Hex("C0 A8 00 F7"));
    QCOMPARE(first.mid(ModuleSearch::Mac, 6), FirstMac);
    QCOMPARE(first.mid(ModuleSearch::Version, 2), Hex("05 01"));
    QCOMPARE(first.mid(ModuleSearch::Name, 9), QByteArray("KXR-NET-1"));
    QCOMPARE(replies.at(1).mid(ModuleSearch::Mac, 6), Hex("00 1A 2B 3C 4D 5F"));
    QCOMPARE(replies.at(1).mid(ModuleSearch::Ip, 4), Hex("C0 A8 00 F8"));
}

void TestSimulatorModule::readConfig_answersOnlyTheModuleNamed_data()
{
    QTest::addColumn<QByteArray>("mac");
    QTest::addColumn<int>("answers");
    QTest::newRow("first module") << FirstMac << 1;
    QTest::newRow("second module") << Hex("00 1A 2B 3C 4D 5F") << 1;
    QTest::newRow("no such module") << Hex("00 00 00 00 00 01") << 0;
}

void TestSimulatorModule::readConfig_answersOnlyTheModuleNamed()
{
    QFETCH(QByteArray, mac);
    QFETCH(int, answers);
    SimDeviceModel model = modelWithModules(2);
    const SimReplies replies = RespondToModuleDatagram(model, moduleRequest(ReadConfig, mac));
    QCOMPARE(replies.size(), answers);
    if (answers == 0)
        return;
    const QByteArray block = replies.first();
    QCOMPARE(block.size(), 130);
    QCOMPARE(block.mid(ModuleBlock::Mac, 6), mac);
    QCOMPARE(ModuleBlockAddress(block, ModuleBlock::Mask), QStringLiteral("255.255.255.0"));
    QVERIFY(ModuleBlockStatic(block));
}

void TestSimulatorModule::writes_areAcknowledgedAndReadBack()
{
    SimDeviceModel model = modelWithModules(1);
    QByteArray block = RespondToModuleDatagram(model, moduleRequest(ReadConfig, FirstMac)).value(0);
    QByteArray basic = block.left(ModuleBlock::BasicSize);
    basic.replace(ModuleBlock::Name, 16, QByteArray("Hall B").leftJustified(16, '\0'));
    QByteArray port = block.mid(ModuleBlock::PortOffset);
    port[ModuleBlock::WorkMode] = 1;

    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(BasicWrite, FirstMac, basic)),
             SimReplies{Hex("FF 01 05 06")});
    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(PortWrite, FirstMac, port)), SimReplies{Hex("FF 01 06 07")});
    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(Apply, FirstMac)), SimReplies{Hex("FF 01 04 05")});

    block = RespondToModuleDatagram(model, moduleRequest(ReadConfig, FirstMac)).value(0);
    QCOMPARE(ModuleBlockName(block), QByteArray("Hall B"));
    QCOMPARE(int(block[ModuleBlock::PortOffset + ModuleBlock::WorkMode]), 1);
    // The search answer shows the new name too.
    QCOMPARE(RespondToModuleDatagram(model, Hex("FF 01 01 02")).value(0).mid(ModuleSearch::Name, 6),
             QByteArray("Hall B"));
}

void TestSimulatorModule::loadDefault_restoresTheFactoryBlock()
{
    SimDeviceModel model = modelWithModules(1);
    const QByteArray factory = model.modules.first().block;
    QByteArray basic = factory.left(ModuleBlock::BasicSize);
    basic[ModuleBlock::HttpPort] = 0x50 + 1;
    RespondToModuleDatagram(model, moduleRequest(BasicWrite, FirstMac, basic));
    RespondToModuleDatagram(model, moduleRequest(Apply, FirstMac));
    QVERIFY(model.modules.first().block != factory);

    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(LoadDefault, FirstMac)), SimReplies{Hex("FF 01 0B 4B")});
    QCOMPARE(model.modules.first().block, factory);
}

void TestSimulatorModule::loadDefault_refusedWhenTheModuleSaysSo()
{
    SimModelOptions options;
    options.moduleDefaultFails = true;
    SimDeviceModel model = MakeSimDeviceModel(options);
    QByteArray basic = model.modules.first().block.left(ModuleBlock::BasicSize);
    basic[ModuleBlock::HttpPort] = 0x51;
    RespondToModuleDatagram(model, moduleRequest(BasicWrite, FirstMac, basic));
    RespondToModuleDatagram(model, moduleRequest(Apply, FirstMac));
    const QByteArray written = model.modules.first().block;

    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(LoadDefault, FirstMac)), SimReplies{Hex("FF 01 0B 45")});
    QCOMPARE(model.modules.first().block, written);
}

void TestSimulatorModule::writes_waitForApply_andANewMacTakesOver()
{
    SimDeviceModel model = modelWithModules(1);
    const QByteArray before = model.modules.first().block;
    const QByteArray newMac = Hex("02 11 22 33 44 55");
    QByteArray basic = before.left(ModuleBlock::BasicSize);
    basic.replace(ModuleBlock::Mac, ModuleBlock::MacSize, newMac);

    RespondToModuleDatagram(model, moduleRequest(BasicWrite, FirstMac, basic));
    // Until the apply, the module reads back and answers as before.
    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(ReadConfig, FirstMac)), SimReplies{before});
    // The apply goes to the MAC the module still has.
    QCOMPARE(RespondToModuleDatagram(model, moduleRequest(Apply, FirstMac)), SimReplies{Hex("FF 01 04 05")});
    QVERIFY(RespondToModuleDatagram(model, moduleRequest(ReadConfig, FirstMac)).isEmpty());
    const SimReplies read = RespondToModuleDatagram(model, moduleRequest(ReadConfig, newMac));
    QCOMPARE(read.size(), 1);
    QCOMPARE(ModuleBlockMac(read.first()), newMac);
    QCOMPARE(RespondToModuleDatagram(model, Hex("FF 01 01 02")).first().mid(ModuleSearch::Mac, 6), newMac);
}

void TestSimulatorModule::wrongLogin_isNotAnswered_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("answered");
    QTest::newRow("the program's login") << QByteArray("qzvkp") << QByteArray("qzvkp") << true;
    QTest::newRow("wrong name") << QByteArray("admin") << QByteArray("qzvkp") << false;
    QTest::newRow("wrong password") << QByteArray("qzvkp") << QByteArray("qzvkq") << false;
    QTest::newRow("empty login") << QByteArray() << QByteArray() << false;
}

void TestSimulatorModule::wrongLogin_isNotAnswered()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(bool, answered);
    SimDeviceModel model = modelWithModules(1);
    const QByteArray factory = model.modules.first().block;
    const quint8 codes[] = {ReadConfig, Apply, LoadDefault};
    for (quint8 code : codes) {
        QByteArray payload = FirstMac + user + QByteArray(1, '\0') + password + QByteArray(1, '\0');
        QCOMPARE(RespondToModuleDatagram(model, ModuleFrameOf(code, payload)).size(), answered ? 1 : 0);
    }
    QByteArray basic = factory.left(ModuleBlock::BasicSize);
    basic[ModuleBlock::Name] = 'Z';
    const QByteArray payload = FirstMac + user + QByteArray(1, '\0') + password + QByteArray(1, '\0') + basic;
    RespondToModuleDatagram(model, ModuleFrameOf(BasicWrite, payload));
    RespondToModuleDatagram(model, moduleRequest(Apply, FirstMac));
    QCOMPARE(model.modules.first().block == factory, !answered);
}

void TestSimulatorModule::malformedRequests_areIgnored_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("wrong start byte") << Hex("FE 01 01 02");
    QTest::newRow("wrong checksum") << Hex("FF 01 01 03");
    QTest::newRow("length byte disagrees") << Hex("FF 02 01 02");
    QTest::newRow("credentials missing") << ModuleFrameOf(ReadConfig, FirstMac + QByteArray("qzvkp"));
    QTest::newRow("basic part too short") << moduleRequest(BasicWrite, FirstMac, QByteArray(10, '\0'));
    QTest::newRow("unknown command") << moduleRequest(0x0F, FirstMac);
}

void TestSimulatorModule::malformedRequests_areIgnored()
{
    QFETCH(QByteArray, datagram);
    SimDeviceModel model = modelWithModules(1);
    const QByteArray before = model.modules.first().block;
    QVERIFY(RespondToModuleDatagram(model, datagram).isEmpty());
    QCOMPARE(model.modules.first().block, before);
}

void TestSimulatorModule::faults_shapeTheReplies_data()
{
    QTest::addColumn<double>("drop");
    QTest::addColumn<double>("corrupt");
    QTest::addColumn<double>("garbage");
    QTest::addColumn<bool>("split");
    QTest::addColumn<int>("chunks");     // -1: as many as bytes
    QTest::addColumn<int>("framesRead"); // what the program's assembler makes of it
    QTest::newRow("none") << 0.0 << 0.0 << 0.0 << false << 1 << 1;
    QTest::newRow("dropped") << 1.0 << 0.0 << 0.0 << false << 0 << 0;
    QTest::newRow("corrupted") << 0.0 << 1.0 << 0.0 << false << 1 << 0;
    QTest::newRow("split") << 0.0 << 0.0 << 0.0 << true << -1 << 1;
    QTest::newRow("noise before") << 0.0 << 0.0 << 1.0 << false << 1 << 1;
    QTest::newRow("noise and split") << 0.0 << 0.0 << 1.0 << true << -1 << 1;
}

void TestSimulatorModule::faults_shapeTheReplies()
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
        QByteArray wire;
        for (const QByteArray &chunk : shaped)
            wire.append(chunk);
        if (chunks >= 0)
            QCOMPARE(shaped.size(), chunks);
        else
            QCOMPARE(shaped.size(), wire.size());
        SimFrameReader reader;
        QList<QByteArray> frames;
        for (const QByteArray &chunk : shaped)
            frames += reader.feed(chunk);
        QCOMPARE(frames.size(), framesRead);
        if (framesRead == 1)
            QCOMPARE(frames.first(), reply);
    }
}

void TestSimulatorModule::faults_sameSeedSameChoices()
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

void TestSimulatorModule::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("result");
    QTest::newRow("defaults") << QStringList() << int(SimParse::Run);
    QTest::newRow("help") << QStringList{"--help"} << int(SimParse::Help);
    QTest::newRow("mute in hex and decimal")
        << QStringList{"--mute-code", "0x95", "--mute-code", "18"} << int(SimParse::Run);
    QTest::newRow("17 inputs") << QStringList{"--inputs", "17"} << int(SimParse::Error);
    QTest::newRow("drop above 1") << QStringList{"--drop", "1.5"} << int(SimParse::Error);
    QTest::newRow("port too large") << QStringList{"--tcp-port", "65536"} << int(SimParse::Error);
    QTest::newRow("code too large") << QStringList{"--mute-code", "0x100"} << int(SimParse::Error);
    QTest::newRow("unknown option") << QStringList{"--colour"} << int(SimParse::Error);
    QTest::newRow("module login") << QStringList{"--module-user", "admin", "--module-password", "secret"}
                                  << int(SimParse::Run);
    QTest::newRow("module login too long") << QStringList{"--module-user", "adminis"} << int(SimParse::Error);
}

void TestSimulatorModule::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, result);
    arguments.prepend(QStringLiteral("kxr-devsim"));
    SimOptions options;
    QString text;
    QCOMPARE(int(ParseSimOptions(arguments, options, text)), result);
    if (result == int(SimParse::Help))
        QVERIFY(text.contains(QLatin1String("--disconnect-after")));
    if (arguments.contains(QLatin1String("0x95")))
        QCOMPARE(options.faults.mutedCodes, (QList<quint8>{0x95, 0x12}));
    if (result == int(SimParse::Run) && arguments.size() == 1) {
        QCOMPARE(options.tcpPort, quint16(5000));
        QCOMPARE(options.udpPort, quint16(1901));
        QCOMPARE(options.model.inputs, 8);
        QCOMPARE(options.model.moduleUser, QByteArray("qzvkp"));
        QVERIFY(!options.model.moduleDefaultFails);
    }
    if (arguments.contains(QLatin1String("secret"))) {
        QCOMPARE(options.model.moduleUser, QByteArray("admin"));
        QCOMPARE(MakeSimDeviceModel(options.model).modules.first().block.mid(ModuleBlock::Password, 6),
                 QByteArray("secret"));
    }
}

QTEST_GUILESS_MAIN(TestSimulatorModule)
#include "tst_simulator_module.moc"
