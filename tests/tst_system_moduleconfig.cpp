// The system page's rules for the module's configuration block: decoding
// what is shown, the field rules, and the parts written back.
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigEdit.h"
#include "protocol/ModuleConfigFields.h"
#include "protocol/ModuleDiscovery.h"
#include "support/ModuleBlocks.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {

using Octets = std::array<quint8, 4>;
using MacBytes = std::array<quint8, 6>;

ModuleBasicEdits BasicEditsShowing(const ModuleConfigFields &f)
{
    ModuleBasicEdits edits;
    edits.deviceName = f.deviceName;
    edits.mac = f.macText;
    edits.staticIp = f.ipTypeIndex == 1;
    edits.ip = f.ip;
    edits.mask = f.mask;
    edits.gateway = f.gateway;
    return edits;
}

} // namespace

class SystemModuleConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberRule_data();
    void numberRule();
    void addressRule_data();
    void addressRule();
    void macRule_data();
    void macRule();
    void decode_showsEveryField();
    void decode_refusesOtherSizes_data();
    void decode_refusesOtherSizes();
    void basicPart_ipType_data();
    void basicPart_ipType();
    void modules_areKeyedByMac_data();
    void modules_areKeyedByMac();
    void block_isTakenOnlyFromTheModuleAskedFor();
};

void SystemModuleConfigTest::numberRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("limit");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<uint>("value");
    QTest::newRow("empty counts as 0") << "" << 1460u << true << 0u;
    QTest::newRow("at the limit") << "1460" << 1460u << true << 1460u;
    QTest::newRow("above the limit") << "1461" << 1460u << false << 0u;
    QTest::newRow("six digits") << "000080" << 65535u << true << 80u;
    QTest::newRow("seven digits") << "0000080" << 65535u << false << 0u;
    QTest::newRow("letter") << "80a" << 65535u << false << 0u;
    QTest::newRow("sign") << "-1" << 65535u << false << 0u;
    QTest::newRow("space") << " 80" << 65535u << false << 0u;
    QTest::newRow("baud above 115200") << "230400" << 115200u << false << 0u;
}

void SystemModuleConfigTest::numberRule()
{
    QFETCH(QString, text);
    QFETCH(uint, limit);
    QFETCH(bool, ok);
    QFETCH(uint, value);
    const std::optional<quint32> parsed = ParseModuleNumber(text, limit);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(uint(*parsed), value);
}

void SystemModuleConfigTest::addressRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("octets");
    QTest::newRow("plain") << "192.168.0.10" << true << Hex("C0 A8 00 0A");
    QTest::newRow("empty field counts as 0") << "10..0.1" << true << Hex("0A 00 00 01");
    QTest::newRow("two dots") << "192.168.0" << false << QByteArray();
    QTest::newRow("four dots") << "1.2.3.4." << false << QByteArray();
    QTest::newRow("field of 256") << "1.2.3.256" << false << QByteArray();
    QTest::newRow("letter") << "1.2.3.a" << false << QByteArray();
    QTest::newRow("space") << "1.2.3. 4" << false << QByteArray();
    QTest::newRow("empty") << "" << false << QByteArray();
}

void SystemModuleConfigTest::addressRule()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QByteArray, octets);
    const std::optional<Octets> parsed = ParseModuleAddress(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(parsed->data()), 4), octets);
}

void SystemModuleConfigTest::macRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // empty: refused
    const QByteArray mac = Hex("00 1A 2B 3C 4D 5E");
    QTest::newRow("mixed case with dashes") << "00-1a-2B-3c-4D-5e" << mac;
    QTest::newRow("bare digits") << "001A2B3C4D5E" << mac;
    QTest::newRow("colons") << "00:1a:2b:3c:4d:5e" << mac;
    QTest::newRow("seven bytes: first six") << "00-1a-2b-3c-4d-5e-6f" << mac;
    QTest::newRow("five bytes") << "00-1a-2b-3c-4d" << QByteArray();
    QTest::newRow("eleven digits") << "001A2B3C4D5" << QByteArray();
    QTest::newRow("no digits") << "--:--" << QByteArray();
}

void SystemModuleConfigTest::macRule()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::optional<MacBytes> parsed = ParseModuleMac(text);
    QCOMPARE(parsed.has_value(), !bytes.isEmpty());
    if (parsed)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(parsed->data()), 6), bytes);
}

void SystemModuleConfigTest::decode_showsEveryField()
{
    QByteArray block(ModuleBlock::Size, '\0');
    block.replace(0, 9, Hex("00 00 00 80 6C 07 50 00 FF")); // static; UPNP 1900; HTTP 80
    block.replace(ModuleBlock::Ip, 12, Hex("0A 00 A8 C0 01 00 A8 C0 00 FF FF FF"));
    block.replace(ModuleBlock::Name, 6, "Hall A");
    block.replace(ModuleBlock::User, 5, "admin");
    block.replace(ModuleBlock::Password, 6, "secret");
    block.replace(ModuleBlock::DeviceId, 3, Hex("34 12 07"));
    block.replace(ModuleBlock::Mac, 6, Hex("00 1A 2B 3C 4D 5E"));
    const int p = ModuleBlock::PortOffset;
    block.replace(p, 8, Hex("80 25 00 00 07 03 02 05"));              // 9600, 7 bits, parity 3, 2 stop, flow 5
    block.replace(p + ModuleBlock::LocalPort, 4, Hex("88 13 89 13")); // 5000, 5001
    block.replace(p + ModuleBlock::RemoteHost, 30, QByteArray("ctrl.example").leftJustified(30, '\0'));
    block.replace(p + ModuleBlock::Options, 7, Hex("0C 04 B4 05 00 00 0A")); // modbus+sync, mode 4, 1460, 10
    block[p + ModuleBlock::ServerStyle] = char(0x82);

    const std::optional<ModuleConfigFields> f = DecodeModuleConfig(block);
    QVERIFY(f);
    QCOMPARE(f->ipTypeIndex, 1);
    QCOMPARE(f->upnpPort, QStringLiteral("1900"));
    QCOMPARE(f->httpPort, QStringLiteral("80"));
    QCOMPARE(f->ip, QStringLiteral("192.168.0.10"));
    QCOMPARE(f->gateway, QStringLiteral("192.168.0.1"));
    QCOMPARE(f->mask, QStringLiteral("255.255.255.0"));
    QCOMPARE(f->deviceName, QStringLiteral("Hall A"));
    QCOMPARE(f->userName, QStringLiteral("admin"));
    QCOMPARE(f->password, QStringLiteral("secret"));
    QCOMPARE(f->deviceId, QStringLiteral("4660"));
    QCOMPARE(f->deviceIdType, QStringLiteral("7"));
    QCOMPARE(f->macText, QStringLiteral("00-1a-2b-3c-4d-5e"));
    QCOMPARE(f->baudRate, QStringLiteral("9600"));
    QCOMPARE(f->dataBits, QStringLiteral("7"));
    QCOMPARE(f->parityIndex, 2);
    QCOMPARE(f->stopBits, QStringLiteral("2"));
    QCOMPARE(f->flowIndex, 2);
    QCOMPARE(f->localPort, QStringLiteral("5000"));
    QCOMPARE(f->remotePort, QStringLiteral("5001"));
    QCOMPARE(f->remoteHost, QStringLiteral("ctrl.example"));
    QCOMPARE(f->modbusIndex, 1);
    QVERIFY(f->syncBaudRate);
    QCOMPARE(f->workModeIndex, 4);
    QCOMPARE(f->packLength, QStringLiteral("1460"));
    QCOMPARE(f->packTime, QStringLiteral("10"));
    QCOMPARE(f->connectCountIndex, 7);
    QCOMPARE(f->serverStyle, QStringLiteral("1"));

    // Codes of 0 have no box entry.
    block[p + ModuleBlock::Parity] = 0;
    block[p + ModuleBlock::Flow] = 0;
    block[p + ModuleBlock::ServerStyle] = 0;
    const std::optional<ModuleConfigFields> zero = DecodeModuleConfig(block);
    QCOMPARE(zero->parityIndex, -1);
    QCOMPARE(zero->flowIndex, -1);
    QCOMPARE(zero->connectCountIndex, -1);
}

void SystemModuleConfigTest::decode_refusesOtherSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("truncated") << 129;
    QTest::newRow("oversized") << 131;
}

void SystemModuleConfigTest::decode_refusesOtherSizes()
{
    QFETCH(int, size);
    const QByteArray block(size, '\x11');
    QVERIFY(!DecodeModuleConfig(block));
    QVERIFY(BuildBasicPart(block, {}).part.isEmpty());
    QVERIFY(BuildPortPart(block, {}).part.isEmpty());
}

void SystemModuleConfigTest::basicPart_ipType_data()
{
    QTest::addColumn<bool>("wasStatic");
    QTest::addColumn<bool>("staticIp");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QByteArray>("bytes9to20");
    const QByteArray asRead = Hex("0A 00 A8 C0 01 00 A8 C0 00 FF FF FF");
    QTest::newRow("static to dynamic leaves the addresses") << true << false << "1.2.3.4" << asRead;
    QTest::newRow("dynamic stays dynamic, bad address ignored") << false << false << "not an address" << asRead;
    QTest::newRow("static 192.168.0.10 stored last octet first") << false << true << "192.168.0.10" << asRead;
    QTest::newRow("new static address") << true << true << "10.1.2.3" << Hex("03 02 01 0A 01 00 A8 C0 00 FF FF FF");
}

void SystemModuleConfigTest::basicPart_ipType()
{
    QFETCH(bool, wasStatic);
    QFETCH(bool, staticIp);
    QFETCH(QString, ip);
    QFETCH(QByteArray, bytes9to20);
    const QByteArray block = RandomModuleBlock(7, wasStatic);
    ModuleBasicEdits edits = BasicEditsShowing(*DecodeModuleConfig(block));
    edits.staticIp = staticIp;
    edits.ip = ip;

    const ModulePartResult result = BuildBasicPart(block, edits);
    QVERIFY(result.ok());
    QCOMPARE(result.part.size(), ModuleBlock::BasicSize);
    QCOMPARE(result.part.mid(ModuleBlock::Ip, 12), bytes9to20);
    // Bit 31 follows the IP type; the other 31 flag bits go back as read.
    QCOMPARE(bool(quint8(result.part[3]) & 0x80), staticIp);
    QCOMPARE(quint8(result.part[3]) & 0x7F, quint8(block[3]) & 0x7F);
    QCOMPARE(result.part.left(3), block.left(3));
}

void SystemModuleConfigTest::modules_areKeyedByMac_data()
{
    QTest::addColumn<QStringList>("macs");  // answers in order, named "m0", "m1", ...
    QTest::addColumn<QStringList>("names"); // the entries afterwards
    QTest::newRow("same MAC, other spelling") << QStringList{"00-1a-2b-3c-4d-5e", "001A2B3C4D5E"} << QStringList{"m1"};
    QTest::newRow("last digit differs") << QStringList{"00-1a-2b-3c-4d-5e", "00-1a-2b-3c-4d-5f"}
                                        << QStringList{"m0", "m1"};
    QTest::newRow("back after another") << QStringList{"00-1a-2b-3c-4d-5e", "00-00-00-00-00-01", "00:1a:2b:3c:4d:5e"}
                                        << QStringList{"m2", "m1"};
    QTest::newRow("unparsed, same text") << QStringList{"00-1a", "00-1a"} << QStringList{"m1"};
    QTest::newRow("unparsed, other text") << QStringList{"00-1a", "00-1b"} << QStringList{"m0", "m1"};
}

void SystemModuleConfigTest::modules_areKeyedByMac()
{
    QFETCH(QStringList, macs);
    QFETCH(QStringList, names);
    ModuleDiscovery modules;
    for (int i = 0; i < macs.size(); ++i)
        modules.addOrUpdate(QStringLiteral("m%1").arg(i), QStringLiteral("10.0.0.1"), macs.at(i), QStringLiteral("3"));
    QStringList listed;
    for (const ModuleDiscovery::Module &module : modules.modules())
        listed << module.name;
    QCOMPARE(listed, names);
}

void SystemModuleConfigTest::block_isTakenOnlyFromTheModuleAskedFor()
{
    const QByteArray asked = RandomModuleBlock(1, true);
    const QByteArray other = RandomModuleBlock(2, true);
    const auto macText = [](const QByteArray &block) {
        return QString::fromLatin1(block.mid(ModuleBlock::Mac, ModuleBlock::MacSize).toHex('-'));
    };
    ModuleDiscovery modules;
    QVERIFY(!modules.acceptBlock(asked)); // nothing asked for yet
    QVERIFY(modules.request(macText(asked)));
    QVERIFY(!modules.acceptBlock(other));
    QVERIFY(!modules.selected());
    QVERIFY(modules.acceptBlock(asked));
    QCOMPARE(modules.block(), asked);
    QCOMPARE(modules.selected(), modules.requested());

    // Over the serial link nothing is read, and no block is taken.
    modules.startList(true);
    QVERIFY(!modules.request(macText(asked)));
    QVERIFY(!modules.acceptBlock(asked));
    QVERIFY(modules.block().isEmpty());
}

QTEST_GUILESS_MAIN(SystemModuleConfigTest)
#include "tst_system_moduleconfig.moc"
