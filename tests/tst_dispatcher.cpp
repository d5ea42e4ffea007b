// Device replies into the device model: each valid reply changes exactly the
// fields it names, every validity rule rejects, and no frame that is shorter
// than its handler needs changes anything or tells the pages anything.
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/ReplyDispatcher.h"
#include "support/TestSupport.h"

#include <QMetaMethod>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

QByteArray Reply(quint8 code, const QByteArray &payload)
{
    const QByteArray data = Hex(payload.constData());
    QByteArray frame;
    frame.append(char(0x7B)).append(char(0x7B)).append(char(code)).append(char(data.size())).append(data);
    quint32 sum = 0xFA;
    for (char c : frame)
        sum += quint8(c);
    frame.append(char(sum)).append(char(0x7D)).append(char(0x7D));
    return frame;
}

// Spies on every signal of the event object.
class EventLog
{
public:
    EventLog()
    {
        const QMetaObject &meta = DeviceEvents::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                m_spies.emplace_back(std::make_unique<QSignalSpy>(&Events(), meta.method(i)));
    }
    QStringList emitted() const
    {
        QStringList names;
        for (const auto &spy : m_spies)
            if (!spy->isEmpty())
                names << QString::fromLatin1(spy->signal()).section('(', 0, 0);
        names.sort();
        return names;
    }
    const QSignalSpy &spy(const char *name) const
    {
        for (const auto &s : m_spies)
            if (QString::fromLatin1(s->signal()).section('(', 0, 0) == QLatin1String(name))
                return *s;
        qFatal("no signal %s", name);
        return *m_spies.front();
    }

private:
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};

std::unique_ptr<DeviceState> Snapshot()
{
    auto copy = std::make_unique<DeviceState>();
    std::memcpy(static_cast<void *>(copy.get()), &Device(), sizeof(DeviceState));
    return copy;
}

// -1 when the model equals the expectation, else the first differing byte.
int FirstDifference(const DeviceState &expected)
{
    const auto *a = reinterpret_cast<const unsigned char *>(&expected);
    const auto *b = reinterpret_cast<const unsigned char *>(&Device());
    for (size_t i = 0; i < sizeof(DeviceState); ++i)
        if (a[i] != b[i])
            return int(i);
    return -1;
}

// Every field non-zero, so that a write of any value shows, and the few
// values the handlers look up set to something known.
void PrepareModel()
{
    std::memset(static_cast<void *>(&Device()), 0x5A, sizeof(DeviceState));
    DeviceState &d = Device();
    d.identified = 0;
    d.stopSync = 0;
    d.mvFeature = 1;
    d.inputCount = 16;
    d.outputCount = 16;
    d.multiviewCount = 2;
    d.multiviewAt(0).output = 4;
    d.multiviewAt(0).windowCount = 3;
    d.multiviewAt(1).output = 9;
    d.multiviewAt(2).output = 11; // beyond the count in use
    d.multiPanel.busy = 0;
    d.edidReadBusy = 0;
    d.edidWriteBusy = 0;
    d.outputAt(4).format = 7;
}

using Change = std::function<void(DeviceState &)>;

struct ValidRow
{
    const char *name;
    QByteArray frame;
    Change change;
    QStringList signalNames;
};

void ClearWall(DeviceState &d)
{
    for (quint32 i = 0; i < 16; ++i) {
        TvWallEntry &e = d.wallEntry(i);
        e.cellX = e.cellY = e.cellWidth = e.cellHeight = 0;
        e.spliced = e.singleExit = e.syncLock = e.screenAngle = 0;
        e.singleExitFrame = WallRect{0, 0, 0, 0};
        e.spliceFrame = WallRect{0, 0, 0, 0};
        e.bezelLeft = e.bezelRight = e.bezelUp = e.bezelBottom = 0;
        e.spliceOrigin = e.spliceRow = e.spliceColumn = e.spliceRows = e.spliceColumns = 0;
    }
}

void SetWindow(MultiviewWindow &w, std::initializer_list<quint32> v)
{
    const quint32 *p = v.begin();
    w.slot = quint8(p[0]), w.visible = quint8(p[1]), w.layer = quint8(p[2]);
    w.x = p[3], w.y = p[4], w.w = p[5], w.h = p[6];
    w.cropX = quint8(p[7]), w.cropY = quint8(p[8]), w.cropW = quint8(p[9]), w.cropH = quint8(p[10]);
}

const QStringList Matrix = {"SGL_RefreshMatrix", "SGL_StatusLine"};

const std::vector<ValidRow> &ValidRows()
{
    static const std::vector<ValidRow> rows = {
        {"0x11 routing of four outputs", Reply(0x11, "03 01 02 00"),
         [](DeviceState &d) {
             const quint32 in[] = {3, 1, 2, 0};
             for (quint32 i = 0; i < 4; ++i)
                 d.routingAt(i) = d.wallEntry(i).input = in[i];
         },
         Matrix},
        {"0x11 routing of twenty outputs", Reply(0x11, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13"),
         [](DeviceState &d) {
             for (quint32 i = 0; i < 15; ++i)
                 d.routingAt(i) = d.wallEntry(i).input = i;
             d.routingAt(15) = d.wallEntry(15).input = 0x13;
         },
         Matrix},
        {"0x45 binds",
         Reply(0x45, "00 F0 05 80 FF FF FF FF FF FF FF FF"),
         [](DeviceState &d) {
             for (quint32 i = 0; i < 16; ++i)
                 d.inputAt(i).bind = (i == 0 || i == 2 || i == 15) ? 1 : 0;
         },
         {"SGL_RefreshBinds", "SGL_StatusLine"}},
        {"0x49 all bind", Reply(0x49, "00 F0 01 01"), [](DeviceState &d) { d.allBind = 1; }, {"SGL_Update_AllBind"}},
        {"0x49 report", Reply(0x49, "00 F0 02 00"), [](DeviceState &d) { d.reportOn = 0; }, {"SGL_Update_ReportOn"}},
        {"0x49 IR", Reply(0x49, "00 A0 04 01"), [](DeviceState &d) { d.irOn = 1; }, {"SGL_Update_IR"}},
        {"0x49 N+1",
         Reply(0x49, "00 F0 06 01"),
         [](DeviceState &d) { d.nPlus1Backup = 1; },
         {"SGL_Update_NAdd1Backup"}},
        {"0x49 freeze read",
         Reply(0x49, "03 B0 03 01"),
         [](DeviceState &d) { d.outputAt(3).freeze = 1; },
         {"SGL_RefreshOutput", "SGL_StatusLine"}},
        {"0x49 mute of output 20 lands on 15",
         Reply(0x49, "14 30 05 00"),
         [](DeviceState &d) { d.outputAt(15).mute = 0; },
         {"SGL_RefreshOutput"}},
        {"0x49 mute read",
         Reply(0x49, "01 B0 05 01"),
         [](DeviceState &d) { d.outputAt(1).mute = 1; },
         {"SGL_RefreshOutput", "SGL_StatusLine"}},
        {"0x49 black read",
         Reply(0x49, "02 B0 07 01"),
         [](DeviceState &d) { d.outputAt(2).black = 1; },
         {"SGL_RefreshOutput", "SGL_StatusLine"}},
        {"0x7F input info",
         Reply(0x7F, "05 C0 02 03 04 05 06 0708 090A 00 0C 0D0E 0F10 11 12 13 14 15"),
         [](DeviceState &d) {
             InputInfo &in = d.inputAt(5);
             in.pos2 = 2, in.pos3 = 3, in.type = 4, in.pos6 = 6, in.pair7 = 0x0708, in.pair9 = 0x090A;
             in.zero11 = 1, in.pos12 = 0x0C, in.pair13 = 0x0D0E, in.pair15 = 0x0F10, in.zero17 = 0, in.pos18 = 0x12;
         },
         {"SGL_RefreshInput", "SGL_StatusLine"}},
        {"0x7F output info",
         Reply(0x7F, "06 80 02 03 04 05 0607 0809 00 0B 0C 01 00 01 10 11 12 13 14 15"),
         [](DeviceState &d) {
             OutputInfo &out = d.outputAt(6);
             out.pos2 = 2, out.pos3 = 3, out.type = 5, out.pair6 = 0x0607, out.pair8 = 0x0809, out.zero10 = 1;
             out.pos11 = 0x0B, out.format = 0x0C, out.mute = 1, out.freeze = 0, out.black = 1;
         },
         {"SGL_RefreshOutput", "SGL_OutputChanged", "SGL_StatusLine"}},
        {"0x93 TV wall",
         Reply(0x93, "02 01 02 01  1B 00 03 01 02 03 04 07  04 00 05 09 09 09 09 02"),
         [](DeviceState &d) {
             ClearWall(d);
             d.tvWall.cellCount = 2, d.tvWall.rows = 1, d.tvWall.cols = 2, d.tvWall.mvInputEnable = 1;
             d.wallEntry(0).cellOutput = 3;
             d.wallEntry(1).cellOutput = 5;
             TvWallEntry &a = d.wallEntry(3);
             a.spliced = 1, a.syncLock = 1, a.screenAngle = 3, a.input = 7;
             a.bezelLeft = 1, a.bezelRight = 2, a.bezelUp = 3, a.bezelBottom = 4;
             TvWallEntry &b = d.wallEntry(5);
             b.singleExit = 1, b.input = 2;
             b.bezelLeft = b.bezelRight = b.bezelUp = b.bezelBottom = 9;
         },
         {"SGL_StatusLine", "SGL_UpdateContent_TvWall"}},
        {"0xA1 mode on a group leader",
         Reply(0xA1, "04 00 01"),
         [](DeviceState &d) {
             d.outputAt(4).mode = 1;
             for (quint32 i = 4; i < 8; ++i)
                 d.outputAt(i).pos3 |= 2;
             for (quint32 i = 5; i < 8; ++i)
                 d.outputAt(i).format = 7;
         },
         {"SGL_RefreshOutput", "SGL_OutputChanged", "SGL_Update_OutputMode"}},
        {"0xA1 mode 0 on a group leader",
         Reply(0xA1, "04 00 00"),
         [](DeviceState &d) {
             d.outputAt(4).mode = 0;
             for (quint32 i = 4; i < 8; ++i)
                 d.outputAt(i).pos3 &= ~2u;
         },
         {"SGL_RefreshOutput", "SGL_OutputChanged", "SGL_Update_OutputMode"}},
        {"0xA1 mode on a follower",
         Reply(0xA1, "05 00 03"),
         [](DeviceState &d) { d.outputAt(5).mode = 3; },
         {"SGL_RefreshOutput", "SGL_OutputChanged", "SGL_Update_OutputMode"}},
        {"0xA3 all output modes",
         Reply(0xA3, "01 02 08 00"),
         [](DeviceState &d) {
             d.outputAt(1).mode = 2;
             d.outputAt(8).mode = 0;
             for (quint32 i = 8; i < 12; ++i)
                 d.outputAt(i).pos3 &= ~2u;
         },
         {"SGL_RefreshOutput", "SGL_OutputChanged", "SGL_Update_OutputMode"}},
        {"0xA4 resolution without a panel job",
         Reply(0xA4, "06 00 0780 0438"),
         [](DeviceState &) {},
         {"SGL_Update_UserResolution"}},
        {"0xB0 input type",
         Reply(0xB0, "02 40 07 03"),
         [](DeviceState &d) { d.inputAt(2).type = 7, d.inputAt(2).pos2 = 3; },
         {"SGL_RefreshInput"}},
        {"0xB0 output type",
         Reply(0xB0, "02 00 08 04"),
         [](DeviceState &d) { d.outputAt(2).type = 8, d.outputAt(2).pos2 = 4; },
         {"SGL_RefreshOutput"}},
        {"0xB1 input format",
         Reply(0xB1, "02 40 09"),
         [](DeviceState &d) { d.inputAt(2).format = 9; },
         {"SGL_RefreshInput"}},
        {"0xB1 output format",
         Reply(0xB1, "03 00 0A"),
         [](DeviceState &d) { d.outputAt(3).format = 10; },
         {"SGL_RefreshOutput"}},
        {"0xBA rotation",
         Reply(0xBA, "01 80 02"),
         [](DeviceState &d) { d.outputAt(1).rotate = 2; },
         {"SGL_Update_OutputRotate"}},
        {"0xC2 EDID mode",
         Reply(0xC2, "02 C0 03"),
         [](DeviceState &d) { d.inputAt(2).edidMode = 3; },
         {"SGL_Update_InEdidMode"}},
        {"0xD9 LR input", Reply(0xD9, "00 80 05"), [](DeviceState &d) { d.lrInput = 5; }, Matrix},
        {"0xFF read error", Reply(0xFF, "00 B8 01"), [](DeviceState &d) { d.edidReadBusy = 0; }, {}},
        {"0xFF write error", Reply(0xFF, "00 B8 00"), [](DeviceState &d) { d.edidWriteBusy = 0; }, {}},
        {"0xFF short error", Reply(0xFF, "00"), [](DeviceState &d) { d.edidReadBusy = d.edidWriteBusy = 0; }, {}},
        {"0x9C multiview read",
         Reply(0x9C,
               "04 80 0780 0438 02 01  00 01 02 0010 0020 0300 0200 00 00 64 64"
               "  01 00 03 0400 0010 0200 0100 05 06 50 50"),
         [](DeviceState &d) {
             MultiviewRecord &m = d.multiviewAt(0);
             m.width = 1920, m.height = 1080, m.windowCount = 2, m.audioSource = 1;
             SetWindow(m.windowAt(0), {0, 1, 2, 0x10, 0x20, 0x300, 0x200, 0, 0, 100, 100});
             SetWindow(m.windowAt(1), {1, 0, 3, 0x400, 0x10, 0x200, 0x100, 5, 6, 0x50, 0x50});
         },
         {"SGL_RefreshMultiview", "SGL_StatusLine"}},
        {"0x9C multiview narrower than 100",
         Reply(0x9C, "04 80 0063 0438 02 01"),
         [](DeviceState &d) { d.multiviewAt(0).width = 99, d.multiviewAt(0).height = 1080; },
         {"SGL_RefreshMultiview", "SGL_StatusLine"}},
        {"0x9D window geometry",
         Reply(0x9D, "04 00 03 01 0011 0022 0033 0044"),
         [](DeviceState &d) {
             MultiviewWindow &w = d.multiviewAt(0).windowAt(1);
             w.x = 0x11, w.y = 0x22, w.w = 0x33, w.h = 0x44;
         },
         {"SGL_RefreshMultiviewWindow"}},
        {"0x9E window crop",
         Reply(0x9E, "04 00 03 02 01 02 03 04"),
         [](DeviceState &d) {
             MultiviewWindow &w = d.multiviewAt(0).windowAt(2);
             w.cropX = 1, w.cropY = 2, w.cropW = 3, w.cropH = 4;
         },
         {"SGL_RefreshMultiviewWindow"}},
        {"0x9F window layer",
         Reply(0x9F, "04 00 03 00 03"),
         [](DeviceState &d) { d.multiviewAt(0).windowAt(0).layer = 3; },
         {"SGL_RefreshMultiviewWindow"}},
        {"0xA0 window status",
         Reply(0xA0, "04 00 03 00 00"),
         [](DeviceState &d) { d.multiviewAt(0).windowAt(0).visible = 0; },
         {"SGL_RefreshMultiviewWindow"}},
        {"0xA2 multiview audio",
         Reply(0xA2, "09 00 02"),
         [](DeviceState &d) { d.multiviewAt(1).audioSource = 2; },
         {"SGL_RefreshMultiview"}},
    };
    return rows;
}

} // namespace

class DispatcherTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetProcessState();
        PrepareModel();
    }
    void cleanup() { ResetProcessState(); }

    void validReplyChangesExactlyItsFields_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(ValidRows().size()); ++i)
            QTest::newRow(ValidRows()[size_t(i)].name) << i;
    }

    void validReplyChangesExactlyItsFields()
    {
        QFETCH(int, row);
        const ValidRow &r = ValidRows()[size_t(row)];
        auto expected = Snapshot();
        r.change(*expected);
        EventLog log;
        DispatchDeviceReply(r.frame);
        QCOMPARE(FirstDifference(*expected), -1);
        QStringList names = r.signalNames;
        names.sort();
        QCOMPARE(log.emitted(), names);
    }

    // A frame cut short, in any way, is dropped before its handler reads it;
    // a well-framed reply that breaks a validity rule, or is shorter than the
    // bytes its handler reads, is ignored.
    void invalidFrameIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("frame");
        for (const ValidRow &r : ValidRows()) {
            QTest::addRow("%s, last byte missing", r.name) << r.frame.left(r.frame.size() - 1);
            QTest::addRow("%s, header only", r.name) << r.frame.left(6);
            QByteArray longer = r.frame;
            longer[3] = char(quint8(longer.at(3)) + 1);
            QTest::addRow("%s, length byte one too high", r.name) << longer;
        }
        QTest::newRow("not a device frame") << QByteArray(Reply(0x11, "01 02")).replace(0, 1, "\x7A");
        QTest::newRow("unknown code") << Reply(0x50, "01 02 03");
        QTest::newRow("0x33 direction 0x40") << Reply(0x33, "00 40 01 0F");
        QTest::newRow("0x33 group 4") << Reply(0x33, "00 80 04 0F");
        QTest::newRow("0x33 three bytes") << Reply(0x33, "00 80 01");
        QTest::newRow("0x44 not a read") << Reply(0x44, "00 01" + QByteArray(68, '4'));
        QTest::newRow("0x44 selector 2") << Reply(0x44, "00 82" + QByteArray(68, '4'));
        QTest::newRow("0x44 35 bytes") << Reply(0x44, "00 81" + QByteArray(66, '4'));
        QTest::newRow("0x45 one byte") << Reply(0x45, "00");
        QTest::newRow("0x47 41 bytes") << Reply(0x47, "00 80" + QByteArray(78, '4'));
        QTest::newRow("0x47 not a read") << Reply(0x47, "00 00" + QByteArray(80, '4'));
        QTest::newRow("0x49 feature 0") << Reply(0x49, "00 F0 00 01");
        QTest::newRow("0x49 feature 8") << Reply(0x49, "00 F0 08 01");
        QTest::newRow("0x49 three bytes") << Reply(0x49, "00 F0 01");
        QTest::newRow("0x7F direction 0x40") << Reply(0x7F, "05 40" + QByteArray(40, '1'));
        QTest::newRow("0x7F 21 bytes") << Reply(0x7F, "05 C0" + QByteArray(38, '1'));
        QTest::newRow("0x93 count not rows x cols") << Reply(0x93, "02 01 01 00 0100000000000000 0201000000000000");
        QTest::newRow("0x93 items not whole") << Reply(0x93, "01 01 01 00 01000000000000");
        QTest::newRow("0x93 header only") << Reply(0x93, "00 00 00 00");
        QTest::newRow("0x93 count beside items") << Reply(0x93, "02 01 02 00 0100000000000000");
        QTest::newRow("0x96 eight bytes") << Reply(0x96, "00 00 14 18 05 11 0A 1E");
        QTest::newRow("0x9C unknown output") << Reply(0x9C, "05 80 0780 0438 00 00");
        QTest::newRow("0x9C record beyond the count") << Reply(0x9C, "0B 80 0780 0438 00 00");
        QTest::newRow("0x9C not a read") << Reply(0x9C, "04 00 0780 0438 00 00");
        QTest::newRow("0x9C size cut") << Reply(0x9C, "04 80 0780 04");
        QTest::newRow("0x9C window missing") << Reply(0x9C, "04 80 0780 0438 02 01 000102001000200300020000006464");
        QTest::newRow("0x9C window cut") << Reply(0x9C, "04 80 0780 0438 01 01 0001020010002003000200000064");
        QTest::newRow("0x9D window beyond count") << Reply(0x9D, "04 00 03 03 0011 0022 0033 0044");
        QTest::newRow("0x9D count above 4") << Reply(0x9D, "04 00 05 01 0011 0022 0033 0044");
        QTest::newRow("0x9D eleven bytes") << Reply(0x9D, "04 00 03 01 0011 0022 0033 00");
        QTest::newRow("0x9E seven bytes") << Reply(0x9E, "04 00 03 01 01 02 03");
        QTest::newRow("0x9F four bytes") << Reply(0x9F, "04 00 03 01");
        QTest::newRow("0xA0 unknown output") << Reply(0xA0, "05 00 03 01 00");
        QTest::newRow("0xA1 two bytes") << Reply(0xA1, "04 00");
        QTest::newRow("0xA2 unknown output") << Reply(0xA2, "05 00 01");
        QTest::newRow("0xA4 input side") << Reply(0xA4, "06 40 0780 0438");
        QTest::newRow("0xA4 five bytes") << Reply(0xA4, "06 00 0780 04");
        QTest::newRow("0xB0 three bytes") << Reply(0xB0, "02 40 07");
        QTest::newRow("0xB1 two bytes") << Reply(0xB1, "02 40");
        QTest::newRow("0xB8 not transferring") << Reply(0xB8, "00 80 00" + QByteArray(32, '1'));
        QTest::newRow("0xBA not a read") << Reply(0xBA, "01 00 02");
        QTest::newRow("0xC2 two bytes") << Reply(0xC2, "02 C0");
        QTest::newRow("0xD9 two bytes") << Reply(0xD9, "00 80");
        QTest::newRow("0xFF another command") << Reply(0xFF, "00 C2 01");
    }

    void invalidFrameIsIgnored()
    {
        QFETCH(QByteArray, frame);
        auto expected = Snapshot();
        EventLog log;
        DispatchDeviceReply(frame);
        QCOMPARE(FirstDifference(*expected), -1);
        QCOMPARE(log.emitted(), QStringList());
    }

    void statusLineNamesTheItem_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("line");
        QTest::newRow("routing") << Reply(0x11, "00") << "Sync Matrix Message.";
        QTest::newRow("LR input") << Reply(0xD9, "00 80 01") << "Sync Matrix Message.";
        QTest::newRow("input info") << Reply(0x7F, "05 C0" + QByteArray(40, '0')) << "Sync Input-6 Message.";
        QTest::newRow("output info") << Reply(0x7F, "06 80" + QByteArray(40, '0')) << "Sync Output-7 Message.";
        QTest::newRow("binds") << Reply(0x45, "00 F0 00") << "Sync Input-Bind Message.";
        QTest::newRow("freeze") << Reply(0x49, "03 B0 03 01") << "Sync Output-4 <Freeze>Message.";
        QTest::newRow("mute") << Reply(0x49, "00 B0 05 01") << "Sync Output-1 <Mute>Message.";
        QTest::newRow("black") << Reply(0x49, "0F B0 07 00") << "Sync Output-16 <Black>Message.";
        QTest::newRow("TV wall") << Reply(0x93, "01 01 01 00 0100000000000000") << "Sync TV Wall Message.";
        QTest::newRow("multiview") << Reply(0x9C, "04 80 0000 0000") << "Sync Multiview Message.";
    }

    void statusLineNamesTheItem()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, line);
        QSignalSpy spy(&Events(), &DeviceEvents::SGL_StatusLine);
        DispatchDeviceReply(frame);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), line);
    }

    void relaySignalsCarryTheDecodedValues_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("rotation") << Reply(0xBA, "01 80 02") << "SGL_Update_OutputRotate" << QVariantList{1u, 2u};
        QTest::newRow("EDID mode") << Reply(0xC2, "02 C0 03") << "SGL_Update_InEdidMode" << QVariantList{2u, 3};
        QTest::newRow("output mode") << Reply(0xA1, "04 00 01") << "SGL_Update_OutputMode" << QVariantList{4u, 1u};
        QTest::newRow("resolution") << Reply(0xA4, "06 00 0780 0438") << "SGL_Update_UserResolution"
                                    << QVariantList{6u, 1920u, 1080u};
        QTest::newRow("peripheral relays")
            << Reply(0x33, "00 80 03 A5") << "SGL_PeripheralLines" << QVariantList{3u, 5u};
        QTest::newRow("peripheral write answer")
            << Reply(0x33, "00 00 01 0F") << "SGL_PeripheralLines" << QVariantList{1u, 15u};
        QTest::newRow("front panel") << Reply(0x44,
                                              "00 81 48690000000000000000000000000000 00"
                                              "30313233343536373839414243444546 00")
                                     << "SGL_Update_FrontPanelDispaly" << QVariantList{"Hi", "0123456789ABCDEF"};
        QTest::newRow("serial number") << Reply(0x47, "00 80 534E31" + QByteArray(74, '0')) << "SGL_Update_SN"
                                       << QVariantList{"SN1"};
        QTest::newRow("device name of 40 bytes") << Reply(0x47, "00 81" + QByteArray(40, 'A').toHex())
                                                 << "SGL_Update_DeviceName" << QVariantList{QString(40, 'A')};
        QTest::newRow("firmware") << Reply(0x96, "02 04 14 18 05 11 09 03 00") << "SGL_FirmwareVersion"
                                  << QVariantList{2u, 2u, "2024/05/17-09:03:00"};
        QTest::newRow("firmware unknown module") << Reply(0x96, "00 03 14 18 05 11 09 03 00") << "SGL_FirmwareVersion"
                                                 << QVariantList{0u, 255u, "2024/05/17-09:03:00"};
        QTest::newRow("device information") << Reply(
            0x9A,
            "00 4D4D 01 303031413242334334443545 02 5354415449432C312E322E332E342C3235352E302E302E302C312E322E332E31"
            " 0D 05 7878 08 56312E30") << "SGL_DeviceInformation"
                                            << QVariantList{"MM",        "00:1A:2B:3C:4D:5E", true,  "1.2.3.4",
                                                            "255.0.0.0", "1.2.3.1",           "V1.0"};
        QTest::newRow("device information, dynamic")
            << Reply(0x9A, "02 44484350 2C 2C 2C 0D") << "SGL_DeviceInformation"
            << QVariantList{"", "", false, "", "", "", ""};
        QTest::newRow("AT answer") << Reply(0x9B, "4F4B") << "SGL_ModuleAtAnswer" << QVariantList{QByteArray("OK")};
        QTest::newRow("window layer of multiview 2")
            << Reply(0x9F, "09 00 03 00 01") << "SGL_RefreshMultiviewWindow" << QVariantList{1u, 0u, 0x9Fu};
        QTest::newRow("window geometry") << Reply(0x9D, "04 00 03 02 0011 0022 0033 0044")
                                         << "SGL_RefreshMultiviewWindow" << QVariantList{0u, 2u, 0x9Du};
    }

    // The device's answer to the program's own write repeats the model's
    // values: the canvas is not disturbed (a drag may already be under way).
    void acknowledgementOfWhatTheModelHoldsTellsNothing_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("geometry") << Reply(0x9D, "04 00 03 01 0011 0022 0033 0044");
        QTest::newRow("layer") << Reply(0x9F, "04 00 03 01 02");
        QTest::newRow("status") << Reply(0xA0, "04 00 03 01 01");
        QTest::newRow("audio") << Reply(0xA2, "04 00 03");
    }

    void acknowledgementOfWhatTheModelHoldsTellsNothing()
    {
        QFETCH(QByteArray, frame);
        MultiviewRecord &m = Device().multiviewAt(0);
        m.audioSource = 3;
        MultiviewWindow &w = m.windowAt(1);
        w.x = 0x11, w.y = 0x22, w.w = 0x33, w.h = 0x44, w.layer = 2, w.visible = 1;
        auto expected = Snapshot();
        EventLog log;
        DispatchDeviceReply(frame);
        QCOMPARE(FirstDifference(*expected), -1);
        QCOMPARE(log.emitted(), QStringList());
    }

    void relaySignalsCarryTheDecodedValues()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, signal);
        QFETCH(QVariantList, args);
        EventLog log;
        DispatchDeviceReply(frame);
        const QSignalSpy &spy = log.spy(signal.toLatin1().constData());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), args);
    }

    void tvWallReplyWithoutMultiviewFeatureClearsMvInput()
    {
        Device().mvFeature = 0;
        DispatchDeviceReply(Reply(0x93, "01 01 01 01 0100000000000000"));
        QCOMPARE(Device().tvWall.mvInputEnable, quint8(0));
        QCOMPARE(Device().tvWall.cellCount, 1u);
    }
};

QTEST_GUILESS_MAIN(DispatcherTest)
#include "tst_dispatcher.moc"
