// kxrctl edid show and edid check, run as a script runs them.
#include "support/EdidCorpus.h"
#include "support/KxrctlProcess.h"
#include "support/SimHarness.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {
QString Corpus(const QString &name)
{
    return EdidCorpusDir() + QLatin1Char('/') + name;
}
} // namespace

class TestCliEdidDoctor : public QObject
{
    Q_OBJECT

private slots:
    void check_exitsByTheVerdictAndPrintsTheMessages_data();
    void check_exitsByTheVerdictAndPrintsTheMessages();
    void show_file_needsNoLink_butAnOutputDoes();
    void show_output_decodesTheDisplayOnThatOutput();
};

void TestCliEdidDoctor::check_exitsByTheVerdictAndPrintsTheMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed");
    QTest::newRow("valid") << Corpus(QStringLiteral("lg-oled-4k-13.bin")) << 0
                           << QStringLiteral("valid EDID, 0 error(s), 0 warning(s)");
    QTest::newRow("valid with a warning") << Corpus(QStringLiteral("warn-preferred-unlisted-14.bin")) << 0
                                          << QStringLiteral("warning: base block: the preferred timing 1080p50");
    QTest::newRow("overrun") << Corpus(QStringLiteral("broken-cta-overrun.bin")) << 5
                             << QStringLiteral("error: block 1: data block");
    QTest::newRow("truncated") << Corpus(QStringLiteral("broken-truncated-base.bin")) << 5
                               << QStringLiteral("truncated: 100 bytes");
    QTest::newRow("missing file") << Corpus(QStringLiteral("absent.bin")) << 2 << QStringLiteral("no such file");
}

void TestCliEdidDoctor::check_exitsByTheVerdictAndPrintsTheMessages()
{
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, printed);
    const KxrctlResult run = RunKxrctlProcess({QStringLiteral("edid"), QStringLiteral("check"), file});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(QString::fromUtf8(run.out + run.err).contains(printed), run.out + run.err);
}

void TestCliEdidDoctor::show_file_needsNoLink_butAnOutputDoes()
{
    KxrctlResult run = RunKxrctlProcess({QStringLiteral("edid"), QStringLiteral("show"),
                                         Corpus(QStringLiteral("sony-bravia-14.bin")), QStringLiteral("--json")});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(json.value(QStringLiteral("manufacturer")).toString(), QStringLiteral("SNY"));
    QCOMPARE(json.value(QStringLiteral("valid")).toBool(), true);

    run = RunKxrctlProcess({QStringLiteral("edid"), QStringLiteral("show"), QStringLiteral("2")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("no device link"));
}

void TestCliEdidDoctor::show_output_decodesTheDisplayOnThatOutput()
{
    SimHarness sim;
    QVERIFY(sim.isRunning());
    QFile lg(Corpus(QStringLiteral("lg-oled-4k-13.bin")));
    QVERIFY(lg.open(QIODevice::ReadOnly));
    const QByteArray edid = lg.readAll();
    sim.device().editState([&](SimDeviceModel &m) { m.outputs[2].edid = edid; });
    const KxrctlResult run =
        RunKxrctlProcess({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort()),
                          QStringLiteral("edid"), QStringLiteral("show"), QStringLiteral("3")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("EDID of the display on output 3\nvalid EDID\n"), run.out);
    QVERIFY(run.out.contains("manufacturer GSM"));
    QVERIFY(run.out.contains("VICs: 97 (2160p60)"));
}

QTEST_GUILESS_MAIN(TestCliEdidDoctor)
#include "tst_cli_edid_doctor.moc"
