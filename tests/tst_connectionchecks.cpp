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

QTEST_GUILESS_MAIN(ConnectionChecksTest)
#include "tst_connectionchecks.moc"
