// kxrctl's command line: what each accepted line asks for, and the message
// of each refused one. Nothing here opens a link.
#include "cli/CommandLine.h"

#include <QtTest>

namespace {
constexpr quint16 WindowPort = 2000;

CommandLine parse(const QString &line)
{
    return ParseCommandLine(QStringList{QStringLiteral("kxrctl")} + line.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                            WindowPort);
}
} // namespace

class TestCliCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void rawBytes_areTakenAsTyped();
    void salvoOutputs_ascendingEachOnce();
    void defaultLink_data();
    void defaultLink();
};

void TestCliCommandLine::accepted_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("verb");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::addColumn<bool>("json");

    const int route = int(CliVerb::Route);
    QTest::newRow("route with the window's port")
        << "--tcp 10.0.0.5 route 2 3" << route << "10.0.0.5" << 2000 << 2 << 3 << false;
    QTest::newRow("gateway on its device port") << "--gateway gw route 2 3" << route << "gw" << 5000 << 2 << 3 << false;
    QTest::newRow("gateway with a port") << "--gateway gw:5001 status" << int(CliVerb::Status) << "gw" << 5001 << 0 << 0
                                         << false;
    QTest::newRow("route, options after the command")
        << "route 16 1 --tcp 10.0.0.5:4001" << route << "10.0.0.5" << 4001 << 16 << 1 << false;
    QTest::newRow("route to all outputs") << "--tcp h route 4 all" << route << "h" << 2000 << 4 << 0 << false;
    QTest::newRow("host name") << "--tcp=matrix-1.lab.example:23 audio 3" << int(CliVerb::Audio)
                               << "matrix-1.lab.example" << 23 << 3 << 0 << false;
    QTest::newRow("IPv6 with port") << "--tcp [::1]:5000 status --json" << int(CliVerb::Status) << "::1" << 5000 << 0
                                    << 0 << true;
    QTest::newRow("highest port") << "--tcp 127.0.0.1:65535 status" << int(CliVerb::Status) << "127.0.0.1" << 65535 << 0
                                  << 0 << false;
    QTest::newRow("search needs no link")
        << "search --json --udp-port 1902" << int(CliVerb::Search) << "" << 0 << 0 << 0 << true;
    QTest::newRow("edid read") << "--tcp h edid read 2 -o out.bin" << int(CliVerb::EdidRead) << "h" << 2000 << 0 << 2
                               << false;
    QTest::newRow("the last preset") << "--tcp h preset load 30" << int(CliVerb::PresetLoad) << "h" << 2000 << 0 << 0
                                     << false;
    QTest::newRow("help for a command") << "route --help" << int(CliVerb::Help) << "" << 0 << 0 << 0 << false;
    QTest::newRow("several routes: the first") << "--tcp h route 3 4 5 all" << route << "h" << 2000 << 3 << 4 << false;
    QTest::newRow("salvo from standard input") << "--tcp h route --from -" << route << "h" << 2000 << 0 << 0 << false;
    QTest::newRow("search asks one host")
        << "search --tcp 10.0.0.9" << int(CliVerb::Search) << "10.0.0.9" << 0 << 0 << 0 << false;
    QTest::newRow("salvo list needs no link")
        << "salvo list --json" << int(CliVerb::SalvoList) << "" << 0 << 0 << 0 << true;
    QTest::newRow("salvo apply, dry run")
        << "--tcp h salvo apply studio --dry-run" << int(CliVerb::SalvoApply) << "h" << 2000 << 0 << 0 << false;
    QTest::newRow("json on every command")
        << "--tcp h audio 2 --json" << int(CliVerb::Audio) << "h" << 2000 << 2 << 0 << true;
}

void TestCliCommandLine::accepted()
{
    QFETCH(QString, line);
    QFETCH(int, verb);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(int, input);
    QFETCH(int, output);
    QFETCH(bool, json);
    const CommandLine result = parse(line);
    QVERIFY2(result.ok, qPrintable(result.error));
    const CliRequest &r = result.request;
    QCOMPARE(int(r.verb), verb);
    QCOMPARE(r.host, host);
    QCOMPARE(int(r.port), port);
    QCOMPARE(int(r.input), input);
    QCOMPARE(int(r.output), output);
    QCOMPARE(r.json, json);
}

void TestCliCommandLine::refused_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing") << ""
                             << "no command given";
    QTest::newRow("unknown command") << "--tcp h reboot"
                                     << "unknown command \"reboot\"";
    QTest::newRow("unknown option") << "--tcp h status --verbosity"
                                    << "status: unknown option \"--verbosity\"";
    QTest::newRow("quiet and verbose") << "--tcp h status -q -v"
                                       << "status: give either -q or -v, not both";
    QTest::newRow("option without value") << "status --tcp"
                                          << "option --tcp needs a value";
    QTest::newRow("input 0") << "--tcp h route 0 1"
                             << "route: input 0 does not exist: inputs are numbered from 1";
    QTest::newRow("output 17") << "--tcp h route 1 17"
                               << "route: output 17 is out of range: a device has at most 16 outputs";
    QTest::newRow("input not a number") << "--tcp h audio x"
                                        << "audio: \"x\" is not an input number";
    QTest::newRow("unknown option names the command") << "--tcp h route -x 1 2"
                                                      << "route: unknown option \"-x\"";
    QTest::newRow("edid write names its action") << "--tcp h edid write 17"
                                                 << "edid write: missing argument";
    QTest::newRow("missing output") << "--tcp h route 1"
                                    << "route: missing argument; usage: kxrctl route IN OUT|all";
    QTest::newRow("extra argument") << "--tcp h status now"
                                    << "status: too many arguments";
    QTest::newRow("preset 0") << "--tcp h preset save 0"
                              << "preset save: preset 0 is out of range: presets are numbered 1 to 30";
    QTest::newRow("preset 31") << "--tcp h preset load 31"
                               << "preset 31 is out of range";
    QTest::newRow("preset action") << "--tcp h preset delete 1"
                                   << "unknown preset action \"delete\"";
    QTest::newRow("edid without action") << "--tcp h edid 1"
                                         << "usage: kxrctl edid read OUT -o FILE";
    QTest::newRow("edid read without file") << "--tcp h edid read 1"
                                            << "edid read: missing -o FILE";
    QTest::newRow("three-field address") << "--tcp 10.0.0 status"
                                         << "status: malformed host \"10.0.0\"";
    QTest::newRow("empty port") << "--tcp 10.0.0.1: status"
                                << "malformed address \"10.0.0.1:\": empty port";
    QTest::newRow("port 0") << "--tcp 10.0.0.1:0 status"
                            << "malformed port \"0\"";
    QTest::newRow("unclosed IPv6") << "--tcp [::1 status"
                                   << "missing \"]\"";
    QTest::newRow("no link") << "route 1 1"
                             << "route: no device link given";
    QTest::newRow("two links") << "--tcp h --serial /dev/ttyS0 status"
                               << "give either --tcp or --serial, not both";
    QTest::newRow("baud without serial") << "--tcp h --baud 9600 status"
                                         << "--baud applies to --serial only";
    QTest::newRow("malformed baud") << "--serial /dev/ttyS0 --baud fast status"
                                    << "malformed baud rate \"fast\"";
    QTest::newRow("timeout 0") << "--tcp h --timeout 0 status"
                               << "malformed timeout \"0\"";
    QTest::newRow("json with -o -") << "--tcp h edid read 1 -o - --json"
                                    << "edid read: -o - and --json would both write to standard output";
    QTest::newRow("udp port with route") << "--tcp h route 1 1 --udp-port 1902"
                                         << "route: --udp-port applies to search only";
    QTest::newRow("second --tcp") << "--tcp h --tcp k status"
                                  << "status: option --tcp is given twice";
    QTest::newRow("gateway and tcp") << "--gateway g --tcp h status"
                                     << "status: give one of --tcp, --serial and --gateway";
    QTest::newRow("serial with search") << "search --serial /dev/ttyS0"
                                        << "search: --serial does not apply to this command";
    QTest::newRow("search host with a port") << "search --tcp 10.0.0.9:23"
                                             << "search: --tcp takes a host only here";
    QTest::newRow("routes and --from") << "--tcp h route 1 2 --from f"
                                       << "route: give routes or --from, not both";
    QTest::newRow("version with a command") << "--version status"
                                            << "status: --version takes nothing else";
    QTest::newRow("odd hex digit") << "--tcp h raw 7B 7"
                                   << "raw: \"7B 7\" is not hexadecimal bytes";
    QTest::newRow("dry run on status") << "--tcp h status --dry-run"
                                       << "status: --dry-run applies to route and salvo apply only";
    QTest::newRow("salvo name with a slash") << "--tcp h salvo save a/b"
                                             << "salvo save: a salvo's name holds no \"/\"";
    QTest::newRow("salvo name past 64") << "salvo delete " + QString(65, 'n')
                                        << "salvo delete: a salvo's name has at most 64 characters";
    QTest::newRow("salvo outputs backwards") << "--tcp h salvo save a 5-3"
                                             << "salvo save: \"5-3\" is no range of outputs";
    QTest::newRow("salvo output 17") << "--tcp h salvo save a 1,17"
                                     << "salvo save: output 17 is out of range";
    QTest::newRow("salvo action") << "salvo recall a"
                                  << "salvo recall: unknown salvo action \"recall\"; usage: kxrctl salvo list";
    QTest::newRow("help for nothing known") << "help reboot"
                                            << "unknown command \"reboot\"";
}

void TestCliCommandLine::refused()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    const CommandLine result = parse(line);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(message) || result.error.contains(message), qPrintable(result.error));
}

void TestCliCommandLine::salvoOutputs_ascendingEachOnce()
{
    const CommandLine result = parse(QStringLiteral("--tcp h salvo save a 16,5-7,1,6-6"));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.request.salvoOutputs, (QVector<int>{1, 5, 6, 7, 16}));
}

void TestCliCommandLine::rawBytes_areTakenAsTyped()
{
    const CommandLine spaced = parse(QStringLiteral("--tcp h raw 7b 7B 12 01 00037d7d"));
    QVERIFY(spaced.ok);
    QCOMPARE(spaced.request.rawBytes, QByteArray::fromHex("7B7B120100037D7D"));
    // At most one frame buffer at once.
    const QString tooMany = QStringLiteral("00").repeated(2049);
    QVERIFY(!parse(QStringLiteral("--tcp h raw ") + tooMany).ok);
    QVERIFY(parse(QStringLiteral("--tcp h raw ") + QStringLiteral("00").repeated(2048)).ok);
}

void TestCliCommandLine::defaultLink_data()
{
    QTest::addColumn<QString>("envTcp");
    QTest::addColumn<QString>("envSerial");
    QTest::addColumn<QString>("windowHost");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("expected"); // host or device, then the source
    QTest::newRow("KXRCTL_TCP first") << "10.0.0.1:23"
                                      << "/dev/ttyS0"
                                      << "10.0.0.2"
                                      << ""
                                      << "10.0.0.1 KXRCTL_TCP";
    QTest::newRow("then KXRCTL_SERIAL") << ""
                                        << "/dev/ttyS0"
                                        << "10.0.0.2"
                                        << ""
                                        << "/dev/ttyS0 KXRCTL_SERIAL";
    QTest::newRow("then the window's address") << ""
                                               << ""
                                               << "10.0.0.2"
                                               << ""
                                               << "10.0.0.2 the window's config.ini";
    QTest::newRow("the command line above all") << "10.0.0.1"
                                                << ""
                                                << "10.0.0.2"
                                                << "--serial /dev/ttyUSB1"
                                                << "/dev/ttyUSB1 the command line";
    QTest::newRow("none at all") << ""
                                 << ""
                                 << ""
                                 << ""
                                 << "";
}

void TestCliCommandLine::defaultLink()
{
    QFETCH(QString, envTcp);
    QFETCH(QString, envSerial);
    QFETCH(QString, windowHost);
    QFETCH(QString, options);
    QFETCH(QString, expected);
    LinkDefaults defaults;
    defaults.tcpPort = WindowPort;
    defaults.envTcp = envTcp;
    defaults.envSerial = envSerial;
    defaults.windowHost = windowHost;
    const CommandLine result =
        ParseCommandLine(QStringList{QStringLiteral("kxrctl")}
                             + (options + QStringLiteral(" status")).split(QLatin1Char(' '), Qt::SkipEmptyParts),
                         defaults);
    if (expected.isEmpty()) {
        QVERIFY(result.error.startsWith(QStringLiteral("status: no device link given")));
        return;
    }
    QVERIFY2(result.ok, qPrintable(result.error));
    const CliRequest &r = result.request;
    QCOMPARE((r.link == CliLink::Tcp ? r.host : r.serialDevice) + QLatin1Char(' ') + r.linkSource, expected);
}

QTEST_GUILESS_MAIN(TestCliCommandLine)
#include "tst_cli_commandline.moc"
