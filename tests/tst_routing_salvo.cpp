// Salvo files: every refusal names its line, what is written reads back the
// same, the diff holds only the outputs that change, and the store's folder
// changes only when an operation succeeds.
#include "protocol/RoutingSalvo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Lines 1 … 7 are the head; the routes start on line 8.
QByteArray salvoText(const QByteArray &routes, const QByteArray &counts = "\"outputs\": 16, \"inputs\": 16")
{
    return "{\n\"format\": \"kxr-salvo\",\n\"version\": 1,\n\"name\": \"studio\",\n\"device\": \"16x16\",\n" + counts
        + ",\n\"routes\": [\n" + routes + "\n]\n}\n";
}

QByteArray routeLines(int count)
{
    QByteArrayList lines;
    for (int output = 1; output <= count; ++output)
        lines << "{\"output\": " + QByteArray::number(output) + ", \"input\": 1}";
    return lines.join(",\n");
}

const QByteArray TwoRoutes = "{\"output\": 1, \"input\": 3},\n{\"output\": 2, \"input\": 5}";

} // namespace

class TestRoutingSalvo : public QObject
{
    Q_OBJECT

private slots:
    void fromJson_refusesNamingTheLine_data();
    void fromJson_refusesNamingTheLine();
    void fromJson_acceptsAndReadsBack_data();
    void fromJson_acceptsAndReadsBack();
    void diff_holdsOnlyTheOutputsThatChange_data();
    void diff_holdsOnlyTheOutputsThatChange();
    void fitsDevice_atTheCountsAndNotPast_data();
    void fitsDevice_atTheCountsAndNotPast();
    void store_changesTheFolderOnlyWhenAnOperationSucceeds();
};

void TestRoutingSalvo::fromJson_refusesNamingTheLine_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const QByteArray extra = ",\n{\"output\": 3, \"input\": 4}";
    QTest::newRow("syntax: missing comma")
        << salvoText("{\"output\": 1, \"input\": 3}\n{\"output\": 2, \"input\": 5}") << "line 9: ";
    QTest::newRow("empty") << QByteArray(" \n") << "the file is empty";
    QTest::newRow("past the size bound") << QByteArray(SalvoLimits::MaxBytes + 1, ' ') << "at most 64 KiB";
    QTest::newRow("not an object") << QByteArray("\n[1, 2]") << "line 2: a salvo is a JSON object";
    QTest::newRow("another format") << salvoText(TwoRoutes).replace("kxr-salvo", "kxr-preset")
                                    << "line 2: not a salvo: \"format\" is not \"kxr-salvo\"";
    QTest::newRow("newer version") << salvoText(TwoRoutes).replace("\"version\": 1", "\"version\": 2")
                                   << "line 3: version 2 is newer than this program reads (1)";
    QTest::newRow("routes missing") << QByteArray("{\"format\": \"kxr-salvo\", \"version\": 1, \"name\": \"a\",\n"
                                                  "\"outputs\": 4}")
                                    << "line 1: \"routes\" is missing";
    QTest::newRow("unsafe name") << salvoText(TwoRoutes).replace("\"studio\"", "\"../etc\"")
                                 << "line 4: a salvo's name does not start with \".\"";
    QTest::newRow("unknown key") << salvoText(TwoRoutes).replace("\"device\"", "\"devise\"")
                                 << "line 5: unknown key \"devise\"";
    QTest::newRow("outputs past 64") << salvoText(TwoRoutes, "\"outputs\": 65") << "line 6: outputs must be";
    QTest::newRow("no routes") << salvoText("") << "line 7: the salvo has no routes";
    QTest::newRow("65 routes") << salvoText(routeLines(65), "\"outputs\": 64") << "line 72: more than 64 routes";
    QTest::newRow("input past the device's inputs")
        << salvoText(TwoRoutes + extra).replace("\"input\": 4", "\"input\": 17") << "line 10: input 17 is past 16";
    QTest::newRow("input past 64 without a count")
        << salvoText(TwoRoutes + extra, "\"outputs\": 16").replace("\"input\": 4", "\"input\": 65")
        << "line 10: input 65 is past 64";
    QTest::newRow("output past the device's outputs")
        << salvoText(TwoRoutes + extra).replace("\"output\": 3", "\"output\": 17") << "line 10: output 17 is past 16";
    QTest::newRow("output 0") << salvoText(TwoRoutes).replace("\"output\": 2", "\"output\": 0")
                              << "line 9: output 0 does not exist: outputs are numbered from 1";
    QTest::newRow("fraction") << salvoText(TwoRoutes).replace("\"input\": 5", "\"input\": 2.5")
                              << "line 9: input must be a whole number";
    QTest::newRow("output twice") << salvoText(TwoRoutes + extra).replace("\"output\": 3", "\"output\": 1")
                                  << "line 10: output 1 is routed twice (first on line 8)";
    QTest::newRow("key twice") << salvoText(TwoRoutes).replace("\"input\": 5", "\"input\": 5, \"input\": 6")
                               << "line 9: \"input\" appears twice";
    QTest::newRow("route without input") << salvoText(TwoRoutes).replace(", \"input\": 5", "")
                                         << "line 9: the route has no input";
    QTest::newRow("unknown route key") << salvoText(TwoRoutes).replace("\"input\": 5", "\"imput\": 5")
                                       << "line 9: unknown key \"imput\" in a route";
}

void TestRoutingSalvo::fromJson_refusesNamingTheLine()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    RoutingSalvo salvo;
    salvo.name = QStringLiteral("untouched");
    QString error;
    QVERIFY(!SalvoFromJson(json, &salvo, &error));
    QVERIFY2(error.startsWith(message) || (!message.startsWith(QLatin1String("line")) && error.contains(message)),
             qPrintable(error));
    QCOMPARE(salvo.name, QStringLiteral("untouched"));
}

void TestRoutingSalvo::fromJson_acceptsAndReadsBack_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("routes");
    QTest::addColumn<int>("inputOfLast");

    QTest::newRow("two routes") << salvoText(TwoRoutes) << 2 << 5;
    QTest::newRow("64 routes on 64 outputs") << salvoText(routeLines(64), "\"outputs\": 64") << 64 << 1;
    QTest::newRow("input 64 without a count")
        << salvoText(TwoRoutes, "\"outputs\": 2").replace("\"input\": 5", "\"input\": 64") << 2 << 64;
    QTest::newRow("escaped keys, one line")
        << QByteArray("{\"routes\": [{\"input\": 2, \"outp\\u0075t\": 7}], \"outputs\": 8, \"name\": \"a b\", "
                      "\"version\": 1.0, \"format\": \"kxr-salvo\"}")
        << 1 << 2;
}

void TestRoutingSalvo::fromJson_acceptsAndReadsBack()
{
    QFETCH(QByteArray, json);
    QFETCH(int, routes);
    QFETCH(int, inputOfLast);
    RoutingSalvo salvo;
    QString error;
    QVERIFY2(SalvoFromJson(json, &salvo, &error), qPrintable(error));
    QCOMPARE(salvo.routes.size(), routes);
    QCOMPARE(salvo.routes.last(), inputOfLast);
    RoutingSalvo again;
    QVERIFY2(SalvoFromJson(SalvoToJson(salvo), &again, &error), qPrintable(error));
    QCOMPARE(again.name, salvo.name);
    QCOMPARE(again.device, salvo.device);
    QCOMPARE(again.outputCount, salvo.outputCount);
    QCOMPARE(again.inputCount, salvo.inputCount);
    QCOMPARE(again.routes, salvo.routes);
}

void TestRoutingSalvo::diff_holdsOnlyTheOutputsThatChange_data()
{
    QTest::addColumn<QVector<int>>("current");
    QTest::addColumn<QString>("expected"); // output:from>to, in output order

    // The salvo: output 1 <- 3, 2 <- 5, 4 <- 1, 9 <- 2.
    QTest::newRow("all as in the salvo") << QVector<int>{3, 5, 8, 1, 6, 6, 6, 6, 2} << "";
    QTest::newRow("two differ") << QVector<int>{3, 2, 8, 7, 6, 6, 6, 6, 2} << "2:2>5 4:7>1";
    QTest::newRow("unknown input changes") << QVector<int>{0, 5, 8, 1, 6, 6, 6, 6, 2} << "1:0>3";
    QTest::newRow("outputs past the device left out") << QVector<int>{1, 1, 1, 1} << "1:1>3 2:1>5";
}

void TestRoutingSalvo::diff_holdsOnlyTheOutputsThatChange()
{
    QFETCH(QVector<int>, current);
    QFETCH(QString, expected);
    RoutingSalvo salvo;
    salvo.routes = {{9, 2}, {1, 3}, {4, 1}, {2, 5}};
    QStringList changes;
    for (const SalvoChange &change : SalvoDiff(salvo, current))
        changes << QStringLiteral("%1:%2>%3").arg(change.output).arg(change.from).arg(change.to);
    QCOMPARE(changes.join(QLatin1Char(' ')), expected);
}

void TestRoutingSalvo::fitsDevice_atTheCountsAndNotPast_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("error"); // on a device of 4 inputs and 8 outputs

    QTest::newRow("last output, last input") << 8 << 4 << "";
    QTest::newRow("output past") << 9 << 4 << "output 9 is past 8";
    QTest::newRow("input past") << 8 << 5 << "input 5 is past 4";
}

void TestRoutingSalvo::fitsDevice_atTheCountsAndNotPast()
{
    QFETCH(int, output);
    QFETCH(int, input);
    QFETCH(QString, error);
    RoutingSalvo salvo;
    salvo.routes = {{1, 1}, {output, input}};
    QString why;
    QCOMPARE(SalvoFitsDevice(salvo, 4, 8, &why), error.isEmpty());
    QCOMPARE(why, error);
}

void TestRoutingSalvo::store_changesTheFolderOnlyWhenAnOperationSucceeds()
{
    QTemporaryDir dir;
    qputenv("KXR_SALVO_DIR", dir.filePath(QStringLiteral("salvos")).toUtf8());
    SalvoStore store;
    QCOMPARE(store.folder(), dir.filePath(QStringLiteral("salvos")));
    RoutingSalvo salvo;
    salvo.outputCount = 8;
    salvo.routes = {{1, 3}};
    QString error;
    for (const QString &name :
         {QString(), QStringLiteral("a/b"), QStringLiteral(".."), QString(65, QLatin1Char('n'))}) {
        salvo.name = name;
        QVERIFY2(!store.save(salvo, &error), qPrintable(name));
    }
    for (const QString &name : {QStringLiteral("Show B"), QStringLiteral("act 1"), QString(64, QLatin1Char('n'))}) {
        salvo.name = name;
        QVERIFY2(store.save(salvo, &error), qPrintable(error));
    }
    QCOMPARE(store.names(), (QStringList{QStringLiteral("Show B"), QStringLiteral("act 1"), QString(64, 'n')}));

    QVERIFY(!store.rename(QStringLiteral("act 1"), QStringLiteral("Show B"), &error));
    QCOMPARE(error, QStringLiteral("a salvo \"Show B\" exists already"));
    QVERIFY(store.rename(QStringLiteral("act 1"), QStringLiteral("act 2"), &error));
    QVERIFY(store.load(QStringLiteral("act 2"), &salvo, &error));
    QCOMPARE(salvo.name, QStringLiteral("act 2"));
    QVERIFY(store.remove(QString(64, 'n'), &error));
    QVERIFY(!store.remove(QStringLiteral("act 1"), &error));
    QCOMPARE(store.names(), (QStringList{QStringLiteral("Show B"), QStringLiteral("act 2")}));

    // An export imports back only under a name not taken; a broken file
    // leaves the folder as it was.
    const QString exported = dir.filePath(QStringLiteral("act.json"));
    QVERIFY(store.exportTo(QStringLiteral("act 2"), exported, &error));
    QString imported;
    QVERIFY(!store.importFrom(exported, &imported, &error));
    QVERIFY(store.remove(QStringLiteral("act 2"), &error));
    QVERIFY2(store.importFrom(exported, &imported, &error), qPrintable(error));
    QCOMPARE(imported, QStringLiteral("act 2"));
    QFile broken(exported);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(salvoText(TwoRoutes).replace("\"studio\"", "\"fresh\"").replace("\"input\": 5", "\"input\": 99"));
    broken.close();
    const QStringList before = QDir(store.folder()).entryList(QDir::Files);
    QVERIFY(!store.importFrom(exported, &imported, &error));
    QVERIFY2(error.endsWith(QLatin1String("act.json: line 9: input 99 is past 16")), qPrintable(error));
    QCOMPARE(QDir(store.folder()).entryList(QDir::Files), before);
}

QTEST_GUILESS_MAIN(TestRoutingSalvo)
#include "tst_routing_salvo.moc"
