// Every corpus EDID decodes to the fields its generator wrote, and the
// committed corpus is what the generator writes today.
#include "protocol/EdidDecoder.h"
#include "support/EdidCorpus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestEdidCorpus : public QObject
{
    Q_OBJECT

private slots:
    void decodedFields_matchTheGenerator_data();
    void decodedFields_matchTheGenerator();
    void committedCorpus_isWhatTheGeneratorWrites();
};

void TestEdidCorpus::decodedFields_matchTheGenerator_data()
{
    QTest::addColumn<QString>("file");
    const auto all = EdidCorpusExpectations(EdidCorpusDir() + QStringLiteral("/expectations.txt"));
    QVERIFY2(all.size() >= 30, "the corpus holds at least 30 EDIDs");
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

void TestEdidCorpus::decodedFields_matchTheGenerator()
{
    QFETCH(QString, file);
    QFile bin(EdidCorpusDir() + QLatin1Char('/') + file);
    QVERIFY(bin.open(QIODevice::ReadOnly));
    const EdidInfo info = DecodeEdid(bin.readAll());
    const QMap<QString, QString> expected =
        EdidCorpusExpectations(EdidCorpusDir() + QStringLiteral("/expectations.txt")).value(file);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it.key() == QLatin1String("message")) {
            bool found = false;
            for (const EdidMessage &m : info.messages)
                found = found || m.text.contains(it.value());
            QVERIFY2(found, qPrintable(QStringLiteral("no message with \"%1\"").arg(it.value())));
            continue;
        }
        QCOMPARE(it.key() + QLatin1Char('=') + DecodedEdidField(info, it.key()),
                 it.key() + QLatin1Char('=') + it.value());
    }
    // A file without a planted fault decodes without a warning.
    if (!expected.contains(QStringLiteral("message")))
        QCOMPARE(info.messages.size(), 0);
}

void TestEdidCorpus::committedCorpus_isWhatTheGeneratorWrites()
{
    QTemporaryDir dir;
    QProcess generator;
    generator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kxr-edidcorpus"), {dir.path()});
    QVERIFY(generator.waitForFinished(10000));
    QCOMPARE(generator.exitCode(), 0);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, QDir(EdidCorpusDir()).entryList({QStringLiteral("*.bin"), QStringLiteral("*.txt")}, QDir::Files));
    for (const QString &name : files) {
        QFile made(dir.filePath(name)), committed(EdidCorpusDir() + QLatin1Char('/') + name);
        QVERIFY(made.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
        QVERIFY2(made.readAll() == committed.readAll(), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestEdidCorpus)
#include "tst_edid_corpus.moc"
