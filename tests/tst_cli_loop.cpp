// A shell script loop of route and status calls (and audio and EDID reads)
// against the simulator: the simulator ends in the state the sequence of
// switches leaves, every request it saw was answered, and each status showed
// the switch before it; also while the device sends reports of its own.
#include "support/SimHarness.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
constexpr int Inputs = 4;
constexpr int Outputs = 4;
// Identification, the switch; identification and the full read.
constexpr int RouteRequests = 2;
constexpr int StatusRequests = 1 + 2 + Inputs + 1 + Outputs + 1;
// Identification and the audio switch; identification and 16 blocks.
constexpr int AllRequests = RouteRequests + StatusRequests + 2 + 1 + 16;
constexpr int ReadBacks = 2;
constexpr int LoopBoundMs = 170000;
} // namespace

class TestCliLoop : public QObject
{
    Q_OBJECT

private slots:
    void routeAndStatusLoop_leavesTheExpectedStateWithNoReplyLost_data();
    void routeAndStatusLoop_leavesTheExpectedStateWithNoReplyLost();
};

void TestCliLoop::routeAndStatusLoop_leavesTheExpectedStateWithNoReplyLost_data()
{
    QTest::addColumn<int>("iterations");
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("unsolicitedMs");
    QTest::newRow("route and status") << 100 << false << 0;
    QTest::newRow("every command, a report every 20 ms") << 20 << true << 20;
}

void TestCliLoop::routeAndStatusLoop_leavesTheExpectedStateWithNoReplyLost()
{
    QFETCH(int, iterations);
    QFETCH(bool, all);
    QFETCH(int, unsolicitedMs);
    const int Iterations = iterations;
    SimOptions options = SimHarness::TestOptions();
    options.pty = false;
    options.udp = false;
    options.model.inputs = Inputs;
    options.model.outputs = Outputs;
    options.faults.unsolicitedMs = unsolicitedMs;
    SimHarness sim(options);
    QVERIFY(sim.isRunning());

    QProcess loop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KXRCTL"), QCoreApplication::applicationDirPath() + QStringLiteral("/kxrctl"));
    environment.insert(QStringLiteral("LINK"), QStringLiteral("--tcp 127.0.0.1:%1").arg(sim.tcpPort()));
    environment.insert(QStringLiteral("INPUTS"), QString::number(Inputs));
    environment.insert(QStringLiteral("OUTPUTS"), QString::number(Outputs));
    environment.insert(QStringLiteral("N"), QString::number(Iterations));
    environment.insert(QStringLiteral("ALL"), all ? QStringLiteral("1") : QStringLiteral("0"));
    loop.setProcessEnvironment(environment);
    loop.start(QStringLiteral("sh"), {QStringLiteral(KXR_SOURCE_DIR "/tests/cli_route_loop.sh")});
    QVERIFY(loop.waitForStarted());
    if (!loop.waitForFinished(LoopBoundMs)) {
        loop.kill();
        loop.waitForFinished();
        QFAIL("the loop did not finish in time");
    }
    QVERIFY2(loop.exitStatus() == QProcess::NormalExit && loop.exitCode() == 0,
             loop.readAllStandardError().constData());
    QCOMPARE(loop.readAllStandardOutput().trimmed(), QByteArray::number(Iterations) + " iterations");

    // The routing the sequence of switches leaves behind, worked out here.
    int expected[Outputs];
    for (int o = 0; o < Outputs; ++o)
        expected[o] = o % Inputs;
    for (int i = 1; i <= Iterations; ++i)
        expected[(i / Inputs) % Outputs] = i % Inputs;
    const SimDeviceModel state = sim.device().state();
    for (int o = 0; o < Outputs; ++o)
        QCOMPARE(int(state.routing[o]), expected[o]);

    // No reply lost: every request was answered, and there were exactly as
    // many as the loop asked for.
    // A report taken for a switch's answer costs a routing read at most.
    const int requests = sim.requests(SimLink::Tcp).size();
    const int expectedRequests = Iterations * (all ? AllRequests : RouteRequests + StatusRequests);
    if (unsolicitedMs == 0) {
        QCOMPARE(requests, expectedRequests);
        QCOMPARE(sim.replies(SimLink::Tcp).size(), requests);
    } else {
        QVERIFY2(requests >= expectedRequests && requests <= expectedRequests + Iterations * ReadBacks,
                 qPrintable(QString::number(requests)));
        QVERIFY(sim.replies(SimLink::Tcp).size() > requests);
    }
}

QTEST_GUILESS_MAIN(TestCliLoop)
#include "tst_cli_loop.moc"
