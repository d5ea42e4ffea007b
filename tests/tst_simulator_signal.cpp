// The simulator's per-channel hardware: command-line lists of board kinds,
// types, formats and timings, what the device reports from them, and what
// survives a factory reset.
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimDeviceResponder.h"
#include "tools/devsim/SimOptions.h"

#include <QtTest>

namespace {

// The payload of the device's signal-information answer to a read of one
// channel.
QByteArray InfoPayload(SimDeviceModel &model, quint8 channel, bool input)
{
    const QByteArray payload = QByteArray(1, char(channel)) + Hex(input ? "C0" : "80");
    const SimReplies replies = RespondToDeviceFrame(model, DeviceFrameOf(0x7F, payload));
    constexpr int PayloadOffset = 4;
    constexpr int Trailer = 3; // checksum and end marks
    return replies.isEmpty() ? QByteArray()
                             : replies.first().mid(PayloadOffset, replies.first().size() - PayloadOffset - Trailer);
}

} // namespace

class SimulatorSignalTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void channelLists_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("kinds and formats")
            << QStringList{"--output-kinds", "7,8", "--output-formats", "0xFF,3"} << true;
        QTest::newRow("timings") << QStringList{"--input-timings", "1920x1080i50,0x0p0"} << true;
        QTest::newRow("kind above a byte") << QStringList{"--input-kinds", "256"} << false;
        QTest::newRow("not a number") << QStringList{"--output-types", "7,x"} << false;
        QTest::newRow("bad scan letter") << QStringList{"--output-timings", "1920x1080q60"} << false;
        QTest::newRow("seventeen channels")
            << QStringList{"--input-kinds", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"} << false;
    }

    void channelLists()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, accepted);
        SimOptions options;
        QString text;
        QCOMPARE(ParseSimOptions(QStringList{"kxr-devsim"} + arguments, options, text) == SimParse::Run, accepted);
    }

    void reportsWhatTheOptionsSay()
    {
        SimOptions options;
        QString text;
        QCOMPARE(ParseSimOptions({"kxr-devsim", "--input-kinds", "4", "--input-timings", "720x576i50", "--output-kinds",
                                  "1,7", "--output-formats", "0xFF", "--output-timings", "0x0p0,1280x720p50"},
                                 options, text),
                 SimParse::Run);
        SimDeviceModel model = MakeSimDeviceModel(options.model);
        // Input 1: kind 4, starting as DVI, interlaced both ways (zero marks it).
        QCOMPARE(InfoPayload(model, 0, true).left(19), Hex("00 C0 04 00 03 00 00 02 D0 02 40 00 32 02 D0 02 40 00 32"));
        // Output 1: no signal; output 2: kind 7 at 1920x1080p60 of its list.
        QCOMPARE(InfoPayload(model, 0, false).mid(2, 11), Hex("01 00 00 07 00 00 00 00 01 00 FF"));
        QCOMPARE(InfoPayload(model, 1, false).mid(2, 11), Hex("07 00 00 07 05 00 02 D0 01 32 01"));
    }

    void typeChangeOnAnAnalogueCardRestartsTheFormat()
    {
        SimModelOptions options;
        options.outputKinds = {7, 1};
        SimDeviceModel model = MakeSimDeviceModel(options);
        model.outputs[1].format = 5;
        RespondToDeviceFrame(model, DeviceFrameOf(0xB0, Hex("00 00 04 00")));
        RespondToDeviceFrame(model, DeviceFrameOf(0xB0, Hex("01 00 03 00")));
        QCOMPARE(model.outputs[0].type, quint8(4));
        QCOMPARE(model.outputs[0].format, quint8(0));
        QCOMPARE(model.outputs[1].format, quint8(5));
    }

    void factoryResetKeepsTheCards()
    {
        SimModelOptions options;
        options.inputKinds = {5};
        options.outputKinds = {8};
        SimDeviceModel model = MakeSimDeviceModel(options);
        model.inputs[0].type = 4;
        model.outputs[0].format = 2;
        ResetSimDevice(model);
        QCOMPARE(model.inputs[0].kind, quint8(5));
        QCOMPARE(model.inputs[0].type, quint8(6));
        QCOMPARE(model.outputs[0].kind, quint8(8));
        QCOMPARE(model.outputs[0].format, quint8(1));
    }
};

QTEST_GUILESS_MAIN(SimulatorSignalTest)
#include "tst_simulator_signal.moc"
