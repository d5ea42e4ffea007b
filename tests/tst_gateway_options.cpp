// The gateway's command line and configuration file, and the records it
// gives the frames of device-port clients, checked against the catalogue's
// own records for the same commands.
#include "gateway/FrameRecords.h"
#include "gateway/GatewayOptions.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"

#include <QTemporaryFile>
#include <QtTest>

#include <cstring>
#include <functional>

class TestGatewayOptions : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("two links") << "--tcp h --serial /dev/x" << error << "one device link";
        QTest::newRow("port past 16 bits") << "--tcp h:65536" << error << "bad value";
        QTest::newRow("listen without port") << "--tcp h --router-listen 0.0.0.0" << error << "router-listen";
        QTest::newRow("listen on a name") << "--tcp h --device-listen localhost:5000" << error << "device-listen";
        QTest::newRow("negative poll") << "--tcp h --poll -1" << error << "poll";
        QTest::newRow("bad cidr") << "--tcp h --allow 10.0.0.0/33" << error << "allow";
        QTest::newRow("missing value") << "--tcp" << error << "needs a value";
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
    // catalogue gives the command that made it.
    void recordsMatchTheCatalogue_data()
    {
        QTest::addColumn<int>("command");
        const char *const names[] = {"SwitchInput",    "SwitchAll",      "RoutingRead",   "LayoutLoad", "NameRead",
                                     "NameWrite",      "DeviceType",     "InputInfoRead", "MuteWrite",  "ReportWrite",
                                     "IrRead",         "OutputModeRead", "EdidModeRead",  "TvWallRead", "TvWallApply",
                                     "FrontPanelRead", "BindRead",       "Peripheral",    "UserLine",   "NPlus1Backup"};
        for (int i = 0; i < int(std::size(names)); ++i)
            QTest::newRow(names[i]) << i;
    }

    void recordsMatchTheCatalogue()
    {
        QFETCH(int, command);
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
            [] { return CMD_PeripheralIo(0x00, 0x80, 2, QByteArray(1, '\x05'), 0); },
            [] { return CMD_PeripheralIo(0x01, 0x02, 0, QByteArray("hello"), 300); },
            [] { return CMD_NPlus1BackupWrite(1); },
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
        QVERIFY(builders[command]());
        SetDeviceEnqueueHooks(nullptr, nullptr);
        ChannelClear(TcpChannel);
        ActiveTransport = TransportNone;

        const CommandRecord ours = RecordForFrame(frame);
        QCOMPARE(ours.waitReply, catalogue.waitReply);
        if (catalogue.waitReply) {
            QCOMPARE(ours.expectedLength[0], catalogue.expectedLength[0]);
            QVERIFY(std::memcmp(ours.expected[0], catalogue.expected[0], catalogue.expectedLength[0]) == 0);
            QCOMPARE(ours.replyTimeoutMs, catalogue.replyTimeoutMs);
        } else {
            QCOMPARE(ours.pauseMs, catalogue.pauseMs);
        }
    }
};

QTEST_GUILESS_MAIN(TestGatewayOptions)
#include "tst_gateway_options.moc"
