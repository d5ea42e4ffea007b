// The simulator's outputs carry different displays; an EDID meant for an
// input is held against the displays that input feeds, and a common EDID is
// built for a group of them.
#include "protocol/DeviceState.h"
#include "protocol/EdidCommon.h"
#include "protocol/EdidCompatibility.h"
#include "protocol/EdidDecoder.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimDeviceResponder.h"
#include "tools/devsim/SimDisplayProfiles.h"
#include "tools/devsim/SimOptions.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int BlockBytes = 16;
constexpr int ImageBytes = 256;
constexpr int Outputs = 8;
constexpr int EdidDecodeMs = 10000;
// Outputs 1-8, as the installer would cable them.
const char DisplayList[] = "4k60,1080i,720p,4k30,1080p60,dvi-1080p,1080p60,1080i";

// An output's display EDID, read block by block as the program does.
QByteArray readOutputEdid(SimDeviceModel &model, int output)
{
    QByteArray image;
    for (int offset = 0; offset < ImageBytes; offset += BlockBytes) {
        QByteArray request;
        request.append(char(output)).append(char(0x80)).append(char(offset)).append(QByteArray(BlockBytes, 0));
        const SimReplies replies = RespondToDeviceFrame(model, DeviceFrameOf(0xB8, request));
        if (replies.size() != 1)
            return QByteArray();
        image += replies.first().mid(4 + 3, BlockBytes);
    }
    return image;
}

QStringList names(const QList<EdidVideoFormat> &formats)
{
    QStringList out;
    for (const EdidVideoFormat &f : formats)
        out << EdidFormatName(f);
    return out;
}

EdidInfo profile(const QString &name)
{
    return DecodeEdid(SimDisplayProfileEdid(name, 0));
}
} // namespace

class EdidCompatibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void gaps_nameTheOutputsAndFormats_data();
    void gaps_nameTheOutputsAndFormats();
    void commonEdid_announcesExactlyTheIntersection_data();
    void commonEdid_announcesExactlyTheIntersection();
    void unknownDisplay_isRefused();
    void spliceMembers_followTheWallsCells_data();
    void spliceMembers_followTheWallsCells();

private:
    QList<EdidInfo> m_displays; // as read from the simulator's outputs
};

void EdidCompatibilityTest::initTestCase()
{
    SimOptions options;
    QString text;
    QCOMPARE(ParseSimOptions({"kxr-devsim", "--output-edids", DisplayList}, options, text), SimParse::Run);
    SimDeviceModel model = MakeSimDeviceModel(options.model);
    for (int o = 0; o < Outputs; ++o)
        m_displays.append(DecodeEdid(readOutputEdid(model, o)));
    QCOMPARE(m_displays.at(1).base.monitorName, QStringLiteral("KXR HDI TV"));
    DeviceState &device = Device();
    device.outputCount = device.inputCount = Outputs;
}

void EdidCompatibilityTest::gaps_nameTheOutputsAndFormats_data()
{
    QTest::addColumn<QString>("announced");  // the display profile whose EDID goes to the input
    QTest::addColumn<int>("input");          // 0-based
    QTest::addColumn<QList<int>>("routing"); // the input each output 1-8 shows
    QTest::addColumn<QStringList>("gaps");
    QTest::newRow("1080p60 into input 3, shown on 2, 5 and 8")
        << "1080p60" << 2 << QList<int>{0, 2, 1, 1, 2, 0, 1, 2}
        << QStringList{"1080p60 announced; output 2's display tops out at 1080i60",
                       "1080p60 announced; output 8's display tops out at 1080i60",
                       "1080p50 announced; output 2's display tops out at 1080i60",
                       "1080p50 announced; output 8's display tops out at 1080i60"};
    QTest::newRow("1080i into input 8, shown on 3 only")
        << "1080i" << 7 << QList<int>{0, 1, 7, 1, 2, 3, 4, 5}
        << QStringList{"1080i60 announced; output 3's display tops out at 720p60",
                       "1080i50 announced; output 3's display tops out at 720p60"};
    QTest::newRow("1080p60 into input 1, on the DVI monitor 6")
        << "1080p60" << 0 << QList<int>{1, 1, 1, 1, 1, 0, 1, 1}
        << QStringList{"1080p50 announced; output 6's display does not list it",
                       "1080i60 announced; output 6's display does not list it",
                       "1080i50 announced; output 6's display does not list it",
                       "720p60 announced; output 6's display does not list it",
                       "720p50 announced; output 6's display does not list it",
                       "720x480p60 announced; output 6's display does not list it",
                       "LPCM 2-channel audio announced; output 6's display lacks it"};
    QTest::newRow("4k30 into input 2, on the 4K sets 1 and 4")
        << "4k30" << 1 << QList<int>{1, 0, 0, 1, 0, 0, 0, 0} << QStringList{};
    QTest::newRow("4k60 into input 2, on the 4K30 set 4")
        << "4k60" << 1 << QList<int>{0, 0, 0, 1, 0, 0, 0, 0}
        << QStringList{"2160p60 announced; output 4's display tops out at 2160p30",
                       "2160p50 announced; output 4's display tops out at 2160p30",
                       "LPCM 8-channel audio announced; output 4's display lacks it"};
    QTest::newRow("an input on no output") << "4k60" << 5 << QList<int>{0, 1, 2, 3, 4, 0, 1, 2} << QStringList{};
}

void EdidCompatibilityTest::gaps_nameTheOutputsAndFormats()
{
    QFETCH(QString, announced);
    QFETCH(int, input);
    QFETCH(QList<int>, routing);
    QFETCH(QStringList, gaps);
    DeviceState &device = Device();
    for (int o = 0; o < Outputs; ++o)
        device.routingAt(quint32(o)) = quint32(routing.at(o));
    QList<EdidDisplay> displays;
    for (quint32 o : OutputsFedBy(device, quint32(input)))
        displays.append({o, m_displays.at(int(o))});
    QStringList found;
    for (const EdidGap &gap : FindEdidGaps(profile(announced), displays))
        found << DescribeEdidGap(gap);
    QCOMPARE(found, gaps);
}

void EdidCompatibilityTest::commonEdid_announcesExactlyTheIntersection_data()
{
    QTest::addColumn<QList<int>>("outputs"); // 0-based
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QStringList>("audio");
    QTest::newRow("4K60 and 4K30 sets") << QList<int>{0, 3}
                                        << QStringList{"640x480p60", "2160p30", "2160p25",   "2160p24",
                                                       "1080p60",    "1080p50", "1080i60",   "1080i50",
                                                       "720p60",     "720p50",  "720x480p60"}
                                        << "2160p30" << QStringList{"LPCM 2 48", "AC-3 6 48"};
    QTest::newRow("4K60, 1080i and projector")
        << QList<int>{0, 1, 2} << QStringList{"640x480p60", "720p60", "720p50", "720x480p60"} << "720p60"
        << QStringList{"LPCM 2 48"};
    QTest::newRow("1080i sets only") << QList<int>{1, 7} << QStringList{"640x480p60", "1080i60", "1080i50",
                                                                        "720p60",     "720p50",  "720x480p60"}
                                     << "1080i60" << QStringList{"LPCM 2 48"};
    QTest::newRow("HD set and DVI monitor")
        << QList<int>{4, 5} << QStringList{"640x480p60", "1080p60"} << "1080p60" << QStringList{};
}

void EdidCompatibilityTest::commonEdid_announcesExactlyTheIntersection()
{
    QFETCH(QList<int>, outputs);
    QFETCH(QStringList, formats);
    QFETCH(QString, preferred);
    QFETCH(QStringList, audio);
    QList<EdidInfo> group;
    for (int o : outputs)
        group.append(m_displays.at(o));
    const CommonEdid common = BuildCommonEdid(group);
    QVERIFY(common.valid);
    QVERIFY(common.left.isEmpty());

    const EdidInfo decoded = DecodeEdid(common.image);
    QList<EdidVideoFormat> announced;
    for (const EdidAnnouncedFormat &f : decoded.formats)
        announced.append(f.format);
    QStringList got = names(announced);
    got.sort();
    formats.sort();
    QCOMPARE(got, formats);
    QCOMPARE(EdidFormatName(decoded.base.detailedTimings.first().format), preferred);
    QStringList sound;
    for (const EdidAudioFormat &a : decoded.cta.value(0).audio)
        sound << QStringLiteral("%1 %2 %3").arg(a.name).arg(a.channels).arg(a.sampleRates & 0x04 ? 48 : 0);
    QCOMPARE(sound, audio);
    QCOMPARE(decoded.checksumValid, (QList<bool>{true, true}));
    QVERIFY2(EdidIsValid(decoded), qPrintable(decoded.messages.value(0).text));
    // Every display of the group takes all of it.
    QList<EdidDisplay> displays;
    for (int o : outputs)
        displays.append({quint32(o), m_displays.at(o)});
    QCOMPARE(FindEdidGaps(decoded, displays).size(), 0);

    // And an independent decoder finds it conforming.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("common.bin")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(common.image);
    file.close();
    QProcess check;
    check.start(QStringLiteral("edid-decode"), {QStringLiteral("--check"), file.fileName()});
    QVERIFY2(check.waitForFinished(EdidDecodeMs), "edid-decode is not installed or hangs");
    const QString report = QString::fromUtf8(check.readAllStandardOutput());
    QVERIFY2(check.exitCode() == 0 && report.contains(QStringLiteral("EDID conformity: PASS")), qPrintable(report));
    QVERIFY2(!report.contains(QStringLiteral("Warnings:")), qPrintable(report));
}

void EdidCompatibilityTest::unknownDisplay_isRefused()
{
    // An output without a display reads as zeros: no common EDID, and the
    // check names it.
    const EdidInfo none = DecodeEdid(QByteArray(ImageBytes, '\0'));
    QVERIFY(!BuildCommonEdid({m_displays.at(0), none}).valid);
    const QList<EdidGap> gaps = FindEdidGaps(m_displays.at(0), {{2, none}});
    QCOMPARE(gaps.size(), 1);
    QCOMPARE(DescribeEdidGap(gaps.first()), QStringLiteral("Output 3 reports no valid display EDID"));
}

void EdidCompatibilityTest::spliceMembers_followTheWallsCells_data()
{
    QTest::addColumn<QList<int>>("cellOutputs"); // the output each cell of a 2 x 3 wall shows
    QTest::addColumn<QList<int>>("origins");     // per output 0-7: its splice's origin cell, -1 for none
    QTest::addColumn<int>("output");
    QTest::addColumn<QList<quint32>>("members");
    const QList<int> cells{2, 4, 7, 5, 0, 1};
    // Output 6 carries a stale splice flag but is on no cell.
    const QList<int> twoSplices{-1, 3, 0, -1, 0, 3, 0, 0};
    QTest::newRow("first splice, asked by its last output") << cells << twoSplices << 7 << QList<quint32>{2, 4, 7};
    QTest::newRow("second splice") << cells << twoSplices << 1 << QList<quint32>{1, 5};
    QTest::newRow("a cell in no splice") << cells << twoSplices << 0 << QList<quint32>{0};
    QTest::newRow("an output off the wall, flagged spliced") << cells << twoSplices << 6 << QList<quint32>{6};
}

void EdidCompatibilityTest::spliceMembers_followTheWallsCells()
{
    QFETCH(QList<int>, cellOutputs);
    QFETCH(QList<int>, origins);
    QFETCH(int, output);
    QFETCH(QList<quint32>, members);
    DeviceState &device = Device();
    device.tvWall.rows = 2;
    device.tvWall.cols = 3;
    device.tvWall.cellCount = quint32(cellOutputs.size());
    for (int c = 0; c < cellOutputs.size(); ++c)
        device.tvWall.entryAt(quint32(c)).cellOutput = quint32(cellOutputs.at(c));
    for (int o = 0; o < origins.size(); ++o) {
        device.wallEntry(quint32(o)).spliced = origins.at(o) >= 0 ? 1 : 0;
        device.wallEntry(quint32(o)).spliceOrigin = quint32(qMax(origins.at(o), 0));
    }
    QCOMPARE(SpliceMembers(device, quint32(output)), members);
}

QTEST_GUILESS_MAIN(EdidCompatibilityTest)
#include "tst_edid_compatibility.moc"
