// The decoder's limits, each at the limit and just past it, on a corpus
// television (base block and CTA block) changed byte by byte.
#include "protocol/EdidDecoder.h"
#include "support/EdidCorpus.h"

#include <QFile>
#include <QtTest>

namespace {
constexpr int Block = 128;
constexpr int Cta = Block;
constexpr int CtaDtdOffset = Cta + 2;
constexpr int FirstVic = Cta + 5;
constexpr int DataBlocksEnd = 29; // of the television below

using Patches = QVector<QPair<int, int>>;

QByteArray Patched(QByteArray bytes, const Patches &patches)
{
    for (const auto &patch : patches)
        bytes[patch.first] = char(patch.second);
    for (int block = 0; block * Block + Block <= bytes.size(); ++block) {
        int sum = 0;
        for (int i = 0; i < Block - 1; ++i)
            sum += quint8(bytes.at(block * Block + i));
        bytes[block * Block + Block - 1] = char((256 - (sum & 0xFF)) & 0xFF);
    }
    return bytes;
}

// The timing offset moved to at, the data block bytes from there on
// cleared so that they do not read as detailed timings.
Patches OffsetAt(int at)
{
    Patches p{{CtaDtdOffset, at}};
    for (int i = at; i < DataBlocksEnd; ++i)
        p.append({Cta + i, 0});
    return p;
}

// The preferred timing copied into the CTA block at offset at.
Patches CtaDtdAt(const QByteArray &bytes, int at)
{
    Patches p{{CtaDtdOffset, at}};
    for (int i = 0; i < 18 && at + i < Block - 1; ++i)
        p.append({Cta + at + i, quint8(bytes.at(54 + i))});
    return p;
}
} // namespace

class TestEdidDecoder : public QObject
{
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
};

void TestEdidDecoder::limits_data()
{
    QFile file(EdidCorpusDir() + QStringLiteral("/samsung-tv-1080-13.bin"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray tv = file.readAll();
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // a part of the one error expected; empty: none
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");

    QTest::newRow("data blocks end at the timing offset")
        << tv << QString() << "vics"
        << "16*=1080p60 4=720p60 31=1080p50 19=720p50 5=1080i60 20=1080i50 3=720x480p60 18=720x576p50";
    QTest::newRow("last data block one byte past it") << Patched(tv, OffsetAt(28)) << "overruns"
                                                      << "hdmi"
                                                      << "";
    QTest::newRow("offset 4: no data blocks") << Patched(tv, OffsetAt(4)) << QString() << "vics"
                                              << "";
    QTest::newRow("offset 3") << Patched(tv, {{CtaDtdOffset, 3}}) << "offset 3 is outside"
                              << "vics"
                              << "";
    QTest::newRow("offset 128") << Patched(tv, {{CtaDtdOffset, 128}}) << "offset 128 is outside"
                                << "vics"
                                << "";
    QTest::newRow("CTA timing in the last 18 bytes") << Patched(tv, CtaDtdAt(tv, 109)) << QString() << "dtds"
                                                     << "1080p60 720p60 1080p60";
    QTest::newRow("CTA timing one byte short") << Patched(tv, CtaDtdAt(tv, 110)) << QString() << "dtds"
                                               << "1080p60 720p60";
    QTest::newRow("native VIC 64") << Patched(tv, {{FirstVic, 0x80 | 64}}) << QString() << "checksums"
                                   << "ok ok";
    QTest::newRow("code 193 is VIC 193, not native 65")
        << Patched(tv, {{FirstVic, 0x80 | 65}}) << QString() << "vics"
        << "193=5120x2160p120 4=720p60 31=1080p50 19=720p50 5=1080i60 20=1080i50 3=720x480p60 18=720x576p50";
    QTest::newRow("127 bytes") << tv.left(127) << "truncated: 127 bytes"
                               << "checksums"
                               << "";
    QTest::newRow("128 bytes of an EDID announcing one extension")
        << tv.left(128) << "1 extension blocks announced, the bytes hold 0"
        << "checksums"
        << "ok";
    QTest::newRow("two announced, one present")
        << Patched(tv, {{126, 2}}) << "2 extension blocks announced, the bytes hold 1"
        << "checksums"
        << "ok ok";
    QTest::newRow("week 255 before 1.4") << Patched(tv, {{16, 255}}) << "model year"
                                         << "made"
                                         << "model 2019";
    QTest::newRow("week 54") << Patched(tv, {{16, 54}}) << QString() << "made"
                             << "week 54 of 2019";
    QTest::newRow("week 55") << Patched(tv, {{16, 55}}) << "week 55 is out of range"
                             << "made"
                             << "week 55 of 2019";
}

void TestEdidDecoder::limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const EdidInfo info = DecodeEdid(bytes);
    QStringList errors;
    for (const EdidMessage &m : info.messages) {
        if (m.severity == EdidSeverity::Error)
            errors << m.text;
    }
    if (error.isEmpty())
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QStringLiteral("; "))));
    else
        QVERIFY2(errors.size() == 1 && errors.first().contains(error), qPrintable(errors.join(QStringLiteral("; "))));
    QCOMPARE(DecodedEdidField(info, field), value);
}

QTEST_GUILESS_MAIN(TestEdidDecoder)
#include "tst_edid_decoder.moc"
