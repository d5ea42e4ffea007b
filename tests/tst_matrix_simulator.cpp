// What the simulator adds for the matrix page: displays that look like real
// ones, input EDIDs that read back, and board kinds from the command line.
#include "protocol/EdidImage.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimDeviceResponder.h"
#include "tools/devsim/SimOptions.h"

#include <QtTest>

namespace {
constexpr int BlockBytes = 16;
constexpr int ImageBytes = 256;

QByteArray payloadOf(const QByteArray &deviceFrame)
{
    return deviceFrame.mid(4, deviceFrame.size() - 7);
}

const quint8 *bytes(const QByteArray &image)
{
    return reinterpret_cast<const quint8 *>(image.constData());
}

// Reads one port's EDID block by block, as the program does.
QByteArray readEdid(SimDeviceModel &model, int port, quint8 direction)
{
    QByteArray image;
    for (int offset = 0; offset < ImageBytes; offset += BlockBytes) {
        QByteArray request;
        request.append(char(port)).append(char(direction)).append(char(offset)).append(QByteArray(BlockBytes, 0));
        const SimReplies replies = RespondToDeviceFrame(model, DeviceFrameOf(0xB8, request));
        if (replies.size() != 1)
            return QByteArray();
        image += payloadOf(replies.first()).mid(3);
    }
    return image;
}
} // namespace

class MatrixSimulatorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displays_lookLikeRealOnes();
    void inputEdid_readsBackWhatWasWritten();
    void boardKinds_fromTheCommandLine_data();
    void boardKinds_fromTheCommandLine();
};

void MatrixSimulatorTest::displays_lookLikeRealOnes()
{
    SimDeviceModel model = MakeSimDeviceModel(SimModelOptions());
    QSet<QByteArray> seen;
    for (int o = 0; o < model.outputCount; ++o) {
        const QByteArray image = readEdid(model, o, 0x80);
        QCOMPARE(image, model.outputs[o].edid);
        QCOMPARE(CheckEdid(bytes(image)), EdidCheck::Valid);
        seen.insert(image);
    }
    QCOMPARE(seen.size(), int(model.outputCount));
    // A television with an extension, then a monitor with the base only.
    const QByteArray tv = model.outputs[0].edid;
    QCOMPARE(quint8(tv[126]), quint8(1));
    QCOMPARE(quint8(tv[128]), quint8(0x02));
    QVERIFY(tv.indexOf("KXR 4K TV") > 0);
    const QByteArray monitor = model.outputs[1].edid;
    QCOMPARE(quint8(monitor[126]), quint8(0));
    QCOMPARE(monitor.mid(128), QByteArray(128, '\0'));
    // The preferred timing of the monitor: 1920 x 1200.
    QCOMPARE(quint8(monitor[56]) | (quint8(monitor[58]) >> 4) << 8, 1920);
    QCOMPARE(quint8(monitor[59]) | (quint8(monitor[61]) >> 4) << 8, 1200);
}

void MatrixSimulatorTest::inputEdid_readsBackWhatWasWritten()
{
    SimDeviceModel model = MakeSimDeviceModel(SimModelOptions());
    const QByteArray written = model.outputs[3].edid;
    for (int offset = 0; offset < ImageBytes; offset += BlockBytes) {
        QByteArray request = Hex("05 40");
        request.append(char(offset)).append(written.mid(offset, BlockBytes));
        QCOMPARE(RespondToDeviceFrame(model, DeviceFrameOf(0xB8, request)).size(), 1);
    }
    QCOMPARE(readEdid(model, 5, 0xC0), written);
    QVERIFY(readEdid(model, 4, 0xC0) != written);
}

void MatrixSimulatorTest::boardKinds_fromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QList<int>>("inputKinds"); // of inputs 0, 1, 2, 15
    QTest::addColumn<int>("outputKind");        // of output 9
    QTest::newRow("inputs past the list keep theirs")
        << QStringList{"--input-kinds", "0,4,3"} << true << QList<int>{0, 4, 3, 0} << 1;
    QTest::newRow("outputs") << QStringList{"--output-kinds", "1,1,1,1,1,1,1,1,1,7"} << true << QList<int>{0, 0, 0, 0}
                             << 7;
    QTest::newRow("not a number") << QStringList{"--input-kinds", "0,x"} << false << QList<int>{} << 0;
    QTest::newRow("more than 16") << QStringList{"--output-kinds", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"} << false
                                  << QList<int>{} << 0;
}

void MatrixSimulatorTest::boardKinds_fromTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, accepted);
    QFETCH(QList<int>, inputKinds);
    QFETCH(int, outputKind);
    SimOptions options;
    QString text;
    arguments.prepend(QStringLiteral("kxr-devsim"));
    const SimParse parsed = ParseSimOptions(arguments, options, text);
    QCOMPARE(parsed == SimParse::Run, accepted);
    if (!accepted) {
        QVERIFY2(text.contains(QStringLiteral("kinds")), qPrintable(text));
        return;
    }
    options.model.inputs = options.model.outputs = 16;
    SimDeviceModel model = MakeSimDeviceModel(options.model);
    const int channels[] = {0, 1, 2, 15};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(int(model.inputs[channels[i]].kind), inputKinds.at(i));
    QCOMPARE(int(model.outputs[9].kind), outputKind);
    // The boards survive a factory reset; the device reports them.
    ResetSimDevice(model);
    QCOMPARE(int(model.inputs[15].kind), inputKinds.at(3));
    const SimReplies info = RespondToDeviceFrame(model, DeviceFrameOf(0x7F, Hex("0F C0")));
    QCOMPARE(int(quint8(payloadOf(info.first()).at(2))), inputKinds.at(3));
}

QTEST_GUILESS_MAIN(MatrixSimulatorTest)
#include "tst_matrix_simulator.moc"
