// Cross-check with an independent decoder: Debian's edid-decode reads every
// corpus file, and the fields both print must agree, except where the
// corpus README lists a difference with its reason.
#include "protocol/EdidDecoder.h"
#include "support/EdidCorpus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {
constexpr int OracleTimeoutMs = 10000;

// edid-decode's audio format names, in ours.
const QMap<QString, QString> AudioNames = {
    {QStringLiteral("Linear PCM"), QStringLiteral("LPCM")},
    {QStringLiteral("Enhanced AC-3 (DD+)"), QStringLiteral("E-AC-3")},
    {QStringLiteral("MAT (MLP)"), QStringLiteral("MLP")},
    {QStringLiteral("One Bit Audio"), QStringLiteral("DSD")},
    {QStringLiteral("AAC LC"), QStringLiteral("AAC-LC")},
};

// The fields of edid-decode's text: indented lines "Key: value", block
// headers "Block N, …" and two-space section titles.
QMap<QString, QString> OracleFields(const QString &text)
{
    QMap<QString, QString> f;
    QString section;
    QStringList vics, audio, sums;
    static const QRegularExpression dtd(QStringLiteral(R"(^    DTD 1:\s+(\d+x\d+i?)\s.*\s([\d.]+) MHz)"));
    static const QRegularExpression field(QStringLiteral(R"(^    (Manufacturer|Model|Serial Number): (\S+))"));
    static const QRegularExpression vic(QStringLiteral(R"(^    VIC\s+(\d+):.*?(\(native\))?$)"));
    static const QRegularExpression sad(QStringLiteral(R"(^    (\S.*):$)"));
    static const QRegularExpression channels(QStringLiteral(R"(^      Max channels: (\d+))"));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  ")) && !line.startsWith(QLatin1String("   ")))
            section = line.trimmed();
        if (line.startsWith(QLatin1String("Checksum: ")))
            sums << (line.contains(QLatin1String("should be")) ? QStringLiteral("bad") : QStringLiteral("ok"));
        QRegularExpressionMatch m;
        if ((m = field.match(line)).hasMatch()) {
            static const QMap<QString, QString> keys = {
                {QStringLiteral("Manufacturer"), QStringLiteral("manufacturer")},
                {QStringLiteral("Model"), QStringLiteral("product")},
                {QStringLiteral("Serial Number"), QStringLiteral("serial")}};
            f.insert(keys.value(m.captured(1)), m.captured(2));
        } else if (sums.isEmpty() && !f.contains(QStringLiteral("preferred")) && (m = dtd.match(line)).hasMatch()) {
            f.insert(QStringLiteral("preferred"),
                     QStringLiteral("%1 %2").arg(m.captured(1)).arg(qRound(m.captured(2).toDouble() * 1000)));
        } else if (section == QLatin1String("Video Data Block:") && (m = vic.match(line)).hasMatch()) {
            vics << m.captured(1) + (m.captured(2).isEmpty() ? QString() : QStringLiteral("*"));
        } else if (section == QLatin1String("Audio Data Block:") && (m = sad.match(line)).hasMatch()) {
            audio << AudioNames.value(m.captured(1), m.captured(1));
        } else if (section == QLatin1String("Audio Data Block:") && (m = channels.match(line)).hasMatch()
                   && !audio.isEmpty()) {
            audio.last() += QLatin1Char('/') + m.captured(1);
        }
    }
    for (auto [key, list] : {std::pair<QString, QStringList>{QStringLiteral("vics"), vics},
                             {QStringLiteral("audio"), audio},
                             {QStringLiteral("checksums"), sums}}) {
        if (!list.isEmpty())
            f.insert(key, list.join(QLatin1Char(' ')));
    }
    return f;
}

QMap<QString, QString> OurFields(const EdidInfo &info)
{
    QMap<QString, QString> f;
    if (info.size < 128)
        return f;
    for (const char *key : {"manufacturer", "product", "serial", "checksums"})
        f.insert(QLatin1String(key), DecodedEdidField(info, QLatin1String(key)));
    if (!info.base.detailedTimings.isEmpty()) {
        const EdidDetailedTiming &t = info.base.detailedTimings.first();
        f.insert(QStringLiteral("preferred"),
                 QStringLiteral("%1x%2%3 %4")
                     .arg(t.format.width)
                     .arg(t.format.height)
                     .arg(t.interlaced ? QStringLiteral("i") : QString())
                     .arg(t.pixelClockKHz));
    }
    QStringList vics, audio;
    for (const EdidCtaBlock &cta : info.cta) {
        for (const EdidVic &v : cta.vics)
            vics << QString::number(v.vic) + (v.native ? QStringLiteral("*") : QString());
        for (const EdidAudioFormat &a : cta.audio)
            audio << QStringLiteral("%1/%2").arg(a.name).arg(a.channels);
    }
    f.insert(QStringLiteral("vics"), vics.join(QLatin1Char(' ')));
    f.insert(QStringLiteral("audio"), audio.join(QLatin1Char(' ')));
    return f;
}

// "| file.bin | field | reason |" rows of the README's table of differences.
QSet<QString> ListedDifferences()
{
    QSet<QString> listed;
    QFile readme(EdidCorpusDir() + QStringLiteral("/README.md"));
    if (!readme.open(QIODevice::ReadOnly | QIODevice::Text))
        return listed;
    static const QRegularExpression row(QStringLiteral(R"(^\|\s*`?([\w.-]+\.bin)`?\s*\|\s*(\w+)\s*\|)"));
    for (const QString &line : QString::fromUtf8(readme.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            listed.insert(m.captured(1) + QLatin1Char(' ') + m.captured(2));
    }
    return listed;
}
} // namespace

class TestEdidOracle : public QObject
{
    Q_OBJECT

private slots:
    void sharedFields_agreeWithEdidDecode_data();
    void sharedFields_agreeWithEdidDecode();
};

void TestEdidOracle::sharedFields_agreeWithEdidDecode_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : QDir(EdidCorpusDir()).entryList({QStringLiteral("*.bin")}, QDir::Files))
        QTest::newRow(qPrintable(file)) << file;
}

void TestEdidOracle::sharedFields_agreeWithEdidDecode()
{
    QFETCH(QString, file);
    const QString oracle = QStandardPaths::findExecutable(QStringLiteral("edid-decode"));
    if (oracle.isEmpty())
        QSKIP("edid-decode is not installed");
    const QString path = EdidCorpusDir() + QLatin1Char('/') + file;
    QProcess run;
    run.start(oracle, {QStringLiteral("--skip-hex-dump"), QStringLiteral("--skip-sha"), path});
    QVERIFY(run.waitForFinished(OracleTimeoutMs));
    const QMap<QString, QString> theirs = OracleFields(QString::fromUtf8(run.readAllStandardOutput()));
    QFile bin(path);
    QVERIFY(bin.open(QIODevice::ReadOnly));
    const QMap<QString, QString> ours = OurFields(DecodeEdid(bin.readAll()));
    const QSet<QString> listed = ListedDifferences();
    QStringList unlisted;
    // Only the fields edid-decode printed: it refuses some broken files
    // whole, and leaves out a zero serial number.
    for (auto it = theirs.cbegin(); it != theirs.cend(); ++it) {
        const bool same = ours.value(it.key()) == it.value();
        const bool allowed = listed.contains(file + QLatin1Char(' ') + it.key());
        if (!same && !allowed)
            unlisted << QStringLiteral("%1: edid-decode \"%2\", ours \"%3\"")
                            .arg(it.key(), it.value(), ours.value(it.key()));
        if (same && allowed)
            unlisted << QStringLiteral("%1 is listed as a difference but agrees").arg(it.key());
    }
    QVERIFY2(unlisted.isEmpty(), qPrintable(unlisted.join(QStringLiteral("; "))));
}

QTEST_GUILESS_MAIN(TestEdidOracle)
#include "tst_edid_oracle.moc"
