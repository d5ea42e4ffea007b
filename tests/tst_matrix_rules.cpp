// The matrix page's rules that need no widget: paging, typed routing, the
// EDID image check, and the file and hexadecimal text conversions.
#include "pages/routing/MatrixKeys.h"
#include "pages/routing/MatrixPaging.h"
#include "protocol/EdidImage.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {
constexpr int ImageBytes = 256;
constexpr int BlockBytes = 128;

using Image = QByteArray;

void seal(Image &image, int block)
{
    quint32 sum = 0;
    for (int i = block; i < block + BlockBytes - 1; ++i)
        sum += quint8(image[i]);
    image[block + BlockBytes - 1] = char((0x100 - (sum & 0xFF)) & 0xFF);
}

// A base block with the header, some content and the given extension
// count; the extension block (when count is 1) with content too.
Image edid(int extensions, bool sealExtension = true)
{
    Image image(ImageBytes, '\0');
    const char header[] = {0, char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), 0};
    image.replace(0, int(sizeof header), QByteArray(header, int(sizeof header)));
    for (int i = 8; i < 126; ++i)
        image[i] = char(i * 7);
    image[126] = char(extensions);
    seal(image, 0);
    for (int i = BlockBytes; i < ImageBytes - 1; ++i)
        image[i] = char(i * 3);
    if (sealExtension)
        seal(image, BlockBytes);
    return image;
}

EdidCheck check(const Image &image)
{
    return CheckEdid(reinterpret_cast<const quint8 *>(image.constData()));
}
} // namespace

Q_DECLARE_METATYPE(EdidCheck)

class MatrixRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void crosspoint_mapsToChannelsOfThePage_data();
    void crosspoint_mapsToChannelsOfThePage();
    void pageIndexes_stayOnARebuiltDevice();
    void typedRoute_endsTheOutputNumberWhereNoChannelIsLeft_data();
    void typedRoute_endsTheOutputNumberWhereNoChannelIsLeft();
    void check_data();
    void check();
    void readFile_takesAtMost256Bytes_data();
    void readFile_takesAtMost256Bytes();
    void hexText_fillsOnlyWhatItHolds();
};

void MatrixRulesTest::crosspoint_mapsToChannelsOfThePage_data()
{
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("rightClicks");
    QTest::addColumn<int>("downClicks");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::newRow("8x4 button 11: column 3 of row 1") << 8 << 4 << 0 << 0 << 11 << 3 << 1;
    QTest::newRow("16x16 last button") << 16 << 16 << 0 << 0 << 255 << 15 << 15;
    QTest::newRow("16x16 paging changes nothing") << 16 << 16 << 1 << 1 << 17 << 1 << 1;
    QTest::newRow("20x20 second pages, button 0") << 20 << 20 << 1 << 1 << 0 << 16 << 16;
    QTest::newRow("20x20 second pages, button 35") << 20 << 20 << 1 << 1 << 35 << 19 << 18;
    QTest::newRow("20x20 second input page only") << 20 << 20 << 1 << 0 << 17 << 17 << 1;
    QTest::newRow("20x20 at most one page further") << 20 << 20 << 3 << 3 << 16 << 16 << 17;
}

void MatrixRulesTest::crosspoint_mapsToChannelsOfThePage()
{
    QFETCH(int, inputs);
    QFETCH(int, outputs);
    QFETCH(int, rightClicks);
    QFETCH(int, downClicks);
    QFETCH(int, button);
    MatrixPaging paging;
    paging.setCounts(quint32(inputs), quint32(outputs));
    for (int i = 0; i < rightClicks; ++i)
        paging.nextInputPage(quint32(inputs));
    for (int i = 0; i < downClicks; ++i)
        paging.nextOutputPage(quint32(outputs));
    const MatrixTarget target = paging.crosspoint(quint32(button));
    QTEST(int(target.input), "input");
    QTEST(int(target.output), "output");
}

void MatrixRulesTest::pageIndexes_stayOnARebuiltDevice()
{
    MatrixPaging paging;
    paging.setCounts(40, 40);
    paging.nextInputPage(40);
    paging.nextInputPage(40);
    paging.nextOutputPage(40);
    paging.setCounts(40, 20);
    QCOMPARE(paging.inputPage(), 2u);
    QCOMPARE(paging.outputPage(), 1u);
    // A smaller device: the last page that exists, never an empty one.
    paging.setCounts(8, 8);
    QCOMPARE(paging.inputPage(), 0u);
    QCOMPARE(paging.shownInputs(8), 8u);
    // More channels than were built: only the built buttons are shown.
    QCOMPARE(paging.shownInputs(16), 8u);
    paging.setCounts(0, 0);
    QCOMPARE(paging.shownInputs(0), 0u);
    QCOMPARE(paging.audioInput(0), 0xFFFFFFFFu);
}

void MatrixRulesTest::typedRoute_endsTheOutputNumberWhereNoChannelIsLeft_data()
{
    QTest::addColumn<int>("channels");  // inputs and outputs
    QTest::addColumn<QString>("keys");  // digits, '.' a separator, 'E' Enter
    QTest::addColumn<QString>("route"); // "output>input", empty for none
    QTest::newRow("16: output 16 at the limit") << 16 << "165E"
                                                << "16>5";
    QTest::newRow("16: output 17 past it, the 7 is not typed") << 16 << "17.5E"
                                                               << "1>5";
    QTest::newRow("16: 3 ends at once") << 16 << "35E"
                                        << "3>5";
    QTest::newRow("16: Enter ends output 1") << 16 << "1E2E"
                                             << "1>2";
    QTest::newRow("8: 1 ends at once, input 8 at the limit") << 8 << "18E"
                                                             << "1>8";
    QTest::newRow("8: input 9 past it, nothing routed") << 8 << "19E"
                                                        << "";
    QTest::newRow("a leading 0 is not typed") << 8 << "035E"
                                              << "3>5";
}

void MatrixRulesTest::typedRoute_endsTheOutputNumberWhereNoChannelIsLeft()
{
    QFETCH(int, channels);
    QFETCH(QString, keys);
    QFETCH(QString, route);
    MatrixKeys typed;
    typed.setCounts(quint32(channels), quint32(channels));
    QString routed;
    for (const QChar key : keys) {
        MatrixKeys::Step step = MatrixKeys::Step::Ignored;
        if (key.isDigit())
            step = typed.digit(key.digitValue());
        else if (key == QLatin1Char('.'))
            step = typed.separator();
        else
            step = typed.enter();
        if (step == MatrixKeys::Step::Route)
            routed = QStringLiteral("%1>%2").arg(typed.output()).arg(typed.input());
    }
    QCOMPARE(routed, route);
}

void MatrixRulesTest::check_data()
{
    QTest::addColumn<Image>("image");
    QTest::addColumn<EdidCheck>("result");
    Image noExtension = edid(0);
    QTest::newRow("base block only") << noExtension << EdidCheck::Valid;
    QTest::newRow("with extension") << edid(1) << EdidCheck::Valid;
    // A 128-byte file saying it has an extension: the zero half balances.
    Image shortFile = edid(1).left(BlockBytes) + QByteArray(BlockBytes, '\0');
    QTest::newRow("128-byte file, count 1") << shortFile << EdidCheck::Valid;
    Image badHeader = edid(1);
    badHeader[0] = 1;
    QTest::newRow("byte 0 wrong") << badHeader << EdidCheck::NotEdid;
    Image badHeaderEnd = edid(0);
    badHeaderEnd[7] = char(0xFF);
    QTest::newRow("byte 7 wrong") << badHeaderEnd << EdidCheck::NotEdid;
    QTest::newRow("all zero") << Image(ImageBytes, '\0') << EdidCheck::NotEdid;
    Image badBase = edid(0);
    badBase[127] = char(quint8(badBase[127]) + 1);
    QTest::newRow("base checksum") << badBase << EdidCheck::ChecksumFailed;
    QTest::newRow("extension checksum") << edid(1, false) << EdidCheck::ChecksumFailed;
    // Two or more extensions: only the base block is looked at.
    Image two = edid(2, false);
    QTest::newRow("count 2, extension unchecked") << two << EdidCheck::Valid;
}

void MatrixRulesTest::check()
{
    QFETCH(Image, image);
    QTEST(::check(image), "result");
}

void MatrixRulesTest::readFile_takesAtMost256Bytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("image");
    const QByteArray full = edid(1);
    QTest::newRow("256 bytes") << full << full;
    QTest::newRow("128 bytes") << full.left(BlockBytes) << full.left(BlockBytes) + QByteArray(BlockBytes, '\0');
    QTest::newRow("300 bytes") << full + QByteArray(44, 'x') << full;
    QTest::newRow("empty") << QByteArray() << QByteArray(ImageBytes, '\0');
}

void MatrixRulesTest::readFile_takesAtMost256Bytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, image);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("e.bin"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    quint8 buffer[ImageBytes + 1];
    std::memset(buffer, 0xAA, sizeof buffer);
    QVERIFY(ReadEdidFile(path, buffer));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), ImageBytes), image);
    QCOMPARE(buffer[ImageBytes], quint8(0xAA));

    QVERIFY(!ReadEdidFile(dir.filePath(QStringLiteral("missing.bin")), buffer));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), ImageBytes), QByteArray(ImageBytes, '\0'));
}

void MatrixRulesTest::hexText_fillsOnlyWhatItHolds()
{
    quint8 image[ImageBytes];
    std::memset(image, 0x55, sizeof image);
    QCOMPARE(EdidFromHexText(QStringLiteral("00 FF 1a ZZ 7"), 5, image), 4u);
    QCOMPARE(image[0], quint8(0x00));
    QCOMPARE(image[1], quint8(0xFF));
    QCOMPARE(image[2], quint8(0x1A));
    QCOMPARE(image[3], quint8(0x00)); // not hexadecimal
    QCOMPARE(image[4], quint8(0x55)); // a lone digit is not a pair
    const QString many = QStringLiteral("01 ").repeated(300);
    QCOMPARE(EdidFromHexText(many, 1000, image), quint32(ImageBytes));
    QCOMPARE(image[ImageBytes - 1], quint8(0x01));
}

QTEST_GUILESS_MAIN(MatrixRulesTest)
#include "tst_matrix_rules.moc"
