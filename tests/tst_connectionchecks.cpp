#include "protocol/ModuleConfigView.h"
#include "transport/ConnectionChecks.h"

#include <QtTest>

class ConnectionChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkNetworkParams_data();
    void checkNetworkParams();
    void sameSubnet_data();
    void sameSubnet();
    void moduleBlock_decodesTheNetworkSettings();
};

void ConnectionChecksTest::checkNetworkParams_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("ok");
    QTest::newRow("defaults") << "192.168.0.247"
                              << "2000" << true;
    QTest::newRow("port 1") << "10.0.0.1"
                            << "1" << true;
    QTest::newRow("port 65534") << "10.0.0.1"
                                << "65534" << true;
    QTest::newRow("port 0") << "10.0.0.1"
                            << "0" << false;
    QTest::newRow("port 65535") << "10.0.0.1"
                                << "65535" << false;
    QTest::newRow("six-digit port") << "10.0.0.1"
                                    << "000080" << false;
    QTest::newRow("empty port") << "10.0.0.1"
                                << "" << false;
    QTest::newRow("port with a letter") << "10.0.0.1"
                                        << "80a" << false;
    QTest::newRow("ip with two dots") << "10.0.1"
                                      << "80" << false;
    QTest::newRow("ip field of 256") << "10.0.0.256"
                                     << "80" << false;
    QTest::newRow("empty ip field counts as 0") << "10..0.1"
                                                << "80" << true;
    QTest::newRow("ip with a space") << "10.0.0. 1"
                                     << "80" << false;
    QTest::newRow("ip with four dots") << "10.0.0.1."
                                       << "80" << false;
}

void ConnectionChecksTest::checkNetworkParams()
{
    QFETCH(QString, ip);
    QFETCH(QString, port);
    QFETCH(bool, ok);
    QCOMPARE(CheckNetworkParams(ip, port, QStringLiteral("255.255.255.0"), QStringLiteral("192.168.0.1")), ok);
    // The mask and the gateway follow the same rule as the address.
    QCOMPARE(CheckNetworkParams(QStringLiteral("1.2.3.4"), QStringLiteral("80"), ip, QStringLiteral("1.1.1.1")),
             CheckNetworkParams(ip, QStringLiteral("80"), QStringLiteral("0.0.0.0"), QStringLiteral("1.1.1.1")));
    QCOMPARE(CheckNetworkParams(QStringLiteral("1.2.3.4"), QStringLiteral("80"), QStringLiteral("0.0.0.0"), ip),
             CheckNetworkParams(ip, QStringLiteral("80"), QStringLiteral("0.0.0.0"), QStringLiteral("1.1.1.1")));
}

void ConnectionChecksTest::sameSubnet_data()
{
    QTest::addColumn<QString>("localIp");
    QTest::addColumn<QString>("localMask");
    QTest::addColumn<QString>("deviceIp");
    QTest::addColumn<QString>("deviceMask");
    QTest::addColumn<bool>("same");
    QTest::newRow("same /24") << "192.168.0.10"
                              << "255.255.255.0"
                              << "192.168.0.247"
                              << "255.255.255.0" << true;
    QTest::newRow("other /24") << "192.168.1.10"
                               << "255.255.255.0"
                               << "192.168.0.247"
                               << "255.255.255.0" << false;
    QTest::newRow("wider local mask") << "10.1.2.3"
                                      << "255.0.0.0"
                                      << "10.9.9.9"
                                      << "255.0.0.0" << true;
    QTest::newRow("masks differ") << "10.1.2.3"
                                  << "255.255.0.0"
                                  << "10.1.9.9"
                                  << "255.255.255.0" << false;
    QTest::newRow("malformed texts do not crash") << "abc"
                                                  << ""
                                                  << "1.2"
                                                  << "255.255.255.255.255" << false;
}

void ConnectionChecksTest::sameSubnet()
{
    QFETCH(QString, localIp);
    QFETCH(QString, localMask);
    QFETCH(QString, deviceIp);
    QFETCH(QString, deviceMask);
    QFETCH(bool, same);
    QCOMPARE(SameSubnet(localIp, localMask, deviceIp, deviceMask), same);
}

void ConnectionChecksTest::moduleBlock_decodesTheNetworkSettings()
{
    QByteArray block(ModuleBlock::Size, '\0');
    block[3] = char(0x80); // static address
    const char ip[] = {10, 0, char(168), char(192)};
    const char gateway[] = {1, 0, char(168), char(192)};
    const char mask[] = {0, char(255), char(255), char(255)};
    block.replace(ModuleBlock::Ip, 4, ip, 4);
    block.replace(ModuleBlock::Gateway, 4, gateway, 4);
    block.replace(ModuleBlock::Mask, 4, mask, 4);
    block.replace(ModuleBlock::Name, 6, "KXR-16", 6);
    block.replace(ModuleBlock::Mac, 6, QByteArray::fromHex("001a2b3c4d5e"));
    block[ModuleBlock::PortOffset + ModuleBlock::LocalPort] = char(0xD0);
    block[ModuleBlock::PortOffset + ModuleBlock::LocalPort + 1] = char(0x07);

    const auto view = DecodeModuleNetwork(block);
    QVERIFY(view);
    QCOMPARE(view->deviceName, QStringLiteral("KXR-16"));
    QCOMPARE(view->macText, QStringLiteral("00-1a-2b-3c-4d-5e"));
    QVERIFY(view->staticIp);
    QCOMPARE(view->ip, QStringLiteral("192.168.0.10"));
    QCOMPARE(view->gateway, QStringLiteral("192.168.0.1"));
    QCOMPARE(view->mask, QStringLiteral("255.255.255.0"));
    QCOMPARE(view->localPort, QStringLiteral("2000"));

    QVERIFY(!DecodeModuleNetwork(block.left(129)));
    QVERIFY(!DecodeModuleNetwork(block + '\0'));
}

QTEST_GUILESS_MAIN(ConnectionChecksTest)
#include "tst_connectionchecks.moc"
