// The TV wall page against the device simulator, through the GUI: each grid
// action puts exactly its frames on the wire, and a read of the wall brings
// back the same grid from what the device kept.
#include "app/LanguageTable.h"
#include "pages/wall/MyTableWidget.h"
#include "pages/wall/Ui_TVWall.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/WallGridDriver.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <functional>

using namespace WallGridDriver;

namespace {

constexpr quint8 CodeSwitch = 0x01;
constexpr quint8 CodePanels = 0x40;
constexpr quint8 CodeAngle = 0x8F;
constexpr quint8 CodeScreen = 0x90;
constexpr quint8 CodeBezel = 0x91;
constexpr quint8 CodeSync = 0x92;
constexpr quint8 CodeWall = 0x93;
constexpr quint8 CodeInputs = 0x94;
constexpr quint8 CodeResolution = 0xA4;
constexpr quint8 CodeMvInput = 0xA5;
constexpr int ReplyTimeoutMs = 8000;

// A 3 x 3 wall of nine outputs, none spliced; output o shows input o mod 8.
SimOptions WallOptions()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.outputs = 9;
    options.model.wallRows = 3;
    options.model.wallCols = 3;
    return options;
}

QByteArray Sent(quint8 code, const char *payloadHex)
{
    return DeviceFrameOf(code, Hex(payloadHex));
}

// The whole-wall write of the 3 x 3 wall: header, then one 8-byte record
// per cell. Cells not given are single displays showing their own output,
// fed by the input of the same number.
QByteArray WallWrite(const char *mv, const QMap<int, const char *> &cells)
{
    QByteArray payload = Hex("00 00 09 03 03") + Hex(mv);
    for (int k = 0; k < 9; ++k) {
        if (cells.contains(k))
            payload += Hex(cells.value(k));
        else
            payload += Hex("00 00") + char(k) + Hex("00 00 00 00") + char(k);
    }
    return DeviceFrameOf(CodeWall, payload);
}

QString Hexes(const QVector<QByteArray> &frames)
{
    QStringList lines;
    for (const QByteArray &frame : frames)
        lines << QString::fromLatin1(frame.toHex(' '));
    return lines.join(QLatin1Char('\n'));
}

// The program's wall against the device's, field by field. A display taken
// out of its splice carries no bezels to the device.
void CompareWithDevice(const SimDeviceModel &sim)
{
    const DeviceState &device = Device();
    const TvWallState &wall = device.tvWall;
    QCOMPARE(wall.rows, quint32(sim.wall.rows));
    QCOMPARE(wall.cols, quint32(sim.wall.cols));
    QCOMPARE(wall.cellCount, quint32(sim.wall.cellCount));
    QCOMPARE(wall.mvInputEnable, sim.wall.mvInputEnable);
    for (quint32 k = 0; k < wall.cellCount; ++k) {
        const SimWallCell &cell = sim.wall.cells[k];
        const SimOutput &out = sim.outputs[cell.output];
        const TvWallEntry &entry = device.wallEntry(device.wallEntry(k).cellOutput);
        QCOMPARE(device.wallEntry(k).cellOutput, quint32(cell.output));
        QCOMPARE(entry.spliced, quint8(cell.flags & 0x01));
        QCOMPARE(entry.singleExit, quint8((cell.flags >> 2) & 0x01));
        QCOMPARE(entry.spliceOrigin, quint32(cell.spliceOrigin));
        QCOMPARE(entry.syncLock, out.syncLock);
        QCOMPARE(entry.screenAngle, out.angle);
        const quint32 bezels[] = {entry.bezelLeft, entry.bezelRight, entry.bezelUp, entry.bezelBottom};
        for (int side = 0; side < 4; ++side)
            QCOMPARE(entry.singleExit ? 0u : bezels[side], quint32(out.bezel[side]));
        QCOMPARE(entry.input, quint32(sim.routing[cell.output]));
    }
}

struct Snapshot
{
    QVector<QRectF> splices;
    QVector<QRectF> singleExits;
    QVector<int> flags;
    QVector<TvWallEntry> outputs;
};

Snapshot Take(const MyTableWidget *grid)
{
    Snapshot shot{grid->spliceFrames(), grid->singleExitFrames(), {}, {}};
    for (quint32 c = 0; c < Device().tvWall.cellCount; ++c) {
        shot.flags.append(int(grid->cellItem(c)->flags()));
        shot.outputs.append(Device().wallEntry(Device().wallEntry(c).cellOutput));
    }
    return shot;
}

void CompareSnapshots(const Snapshot &read, const Snapshot &written)
{
    QCOMPARE(read.splices, written.splices);
    QCOMPARE(read.singleExits, written.singleExits);
    QCOMPARE(read.flags, written.flags);
    for (int c = 0; c < written.outputs.size(); ++c) {
        const TvWallEntry &a = read.outputs.at(c);
        const TvWallEntry &b = written.outputs.at(c);
        QCOMPARE(a.spliced, b.spliced);
        QCOMPARE(a.singleExit, b.singleExit);
        QCOMPARE(a.spliceOrigin, b.spliceOrigin);
        QCOMPARE(a.spliceRow, b.spliceRow);
        QCOMPARE(a.spliceColumn, b.spliceColumn);
        QCOMPARE(a.spliceRows, b.spliceRows);
        QCOMPARE(a.spliceColumns, b.spliceColumns);
        QCOMPARE(a.syncLock, b.syncLock);
        QCOMPARE(a.screenAngle, b.screenAngle);
        QCOMPARE(a.input, b.input);
        if (!b.singleExit)
            QCOMPARE(a.bezelLeft, b.bezelLeft);
    }
}

struct Step
{
    const char *name;
    std::function<void(Ui_TVWall *)> act;
    QVector<QByteArray> frames;
};

} // namespace

class WallEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gridActions_sendTheirFramesAndReadBack();

private:
    Ui_TVWall *showWall(ConnectedProgram &program)
    {
        Ui_Main *window = program.window();
        window->show();
        window->tabWidget()->setCurrentWidget(window->tvWallPage());
        return window->tvWallPage();
    }
};

void WallEndToEndTest::gridActions_sendTheirFramesAndReadBack()
{
    SimOptions options = WallOptions();
    ConnectedProgram program(options);
    QVERIFY2(program.ok(), program.why());
    program.sim().device().editState([](SimDeviceModel &model) {
        model.outputs[5].userWidth = 1280;
        model.outputs[5].userHeight = 720;
    });
    Ui_TVWall *page = showWall(program);
    MyTableWidget *grid = page->grid();
    QCOMPARE(grid->rowCount(), 3);
    page->setFocus();
    QTest::keyClick(page, Qt::Key_Q, Qt::AltModifier);

    const QString single9 = QStringLiteral("9 - ") + SMenu_CancelSplicing;
    const QVector<Step> steps = {
        {"splice 2x2 at rows 1-2, columns 1-2",
         [](Ui_TVWall *p) {
             SelectCells(p->grid(), 1, 1, 2, 2);
             QVERIFY(ChooseOnCell(p->grid(), 1, 1, SMenu_ScreenSplicing));
         },
         {Sent(CodeInputs, "01 04 04 04 05 04 07 04 08"), Sent(CodeScreen, "04 00 02 02 01 01"),
          Sent(CodeScreen, "05 00 02 02 01 02"), Sent(CodeScreen, "07 00 02 02 02 01"),
          Sent(CodeScreen, "08 00 02 02 02 02"),
          WallWrite("00",
                    {{4, "01 04 04 00000000 04"},
                     {5, "01 04 05 00000000 04"},
                     {7, "01 04 07 00000000 04"},
                     {8, "01 04 08 00000000 04"}})}},
        {"bezels 999, 12, none, 7",
         [](Ui_TVWall *p) {
             LeftClick(p->grid(), 1, 1);
             QTest::keyClicks(p->bezelEdit(Ui_TVWall::BezelSide::Left), "999");
             QTest::keyClicks(p->bezelEdit(Ui_TVWall::BezelSide::Right), "12");
             QTest::keyClicks(p->bezelEdit(Ui_TVWall::BezelSide::Bottom), "7");
             QTest::mouseClick(p->bezelWriteButton(), Qt::LeftButton);
             QCOMPARE(p->bezelEdit(Ui_TVWall::BezelSide::Left)->text(), QStringLiteral("255"));
         },
         {Sent(CodeBezel, "04 00 ff 0c 00 07"), Sent(CodeBezel, "05 00 ff 0c 00 07"),
          Sent(CodeBezel, "07 00 ff 0c 00 07"), Sent(CodeBezel, "08 00 ff 0c 00 07"),
          WallWrite("00",
                    {{4, "01 04 04 ff0c0007 04"},
                     {5, "01 04 05 ff0c0007 04"},
                     {7, "01 04 07 ff0c0007 04"},
                     {8, "01 04 08 ff0c0007 04"}})}},
        {"sync delay",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 1, SMenu_SyncLock)); },
         {Sent(CodeSync, "04 00 01"), Sent(CodeSync, "05 00 01"), Sent(CodeSync, "07 00 01"),
          Sent(CodeSync, "08 00 01"),
          WallWrite("00",
                    {{4, "03 04 04 ff0c0007 04"},
                     {5, "03 04 05 ff0c0007 04"},
                     {7, "03 04 07 ff0c0007 04"},
                     {8, "03 04 08 ff0c0007 04"}})}},
        {"screen angle 270",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 1, 2, S_Rotate + QStringLiteral("-2"))); },
         {Sent(CodeAngle, "04 00 02"), Sent(CodeAngle, "05 00 02"), Sent(CodeAngle, "07 00 02"),
          Sent(CodeAngle, "08 00 02"),
          WallWrite("00",
                    {{4, "13 04 04 ff0c0007 04"},
                     {5, "13 04 05 ff0c0007 04"},
                     {7, "13 04 07 ff0c0007 04"},
                     {8, "13 04 08 ff0c0007 04"}})}},
        {"splice input 3",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 2, S_Input + QStringLiteral("-3"))); },
         {Sent(CodeInputs, "01 02 04 02 05 02 07 02 08")}},
        {"display 9 leaves its splice",
         [single9](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 2, single9)); },
         {Sent(CodeScreen, "08 00 00 00 00 00"),
          WallWrite("00",
                    {{4, "13 04 04 ff0c0007 02"},
                     {5, "13 04 05 ff0c0007 02"},
                     {7, "13 04 07 ff0c0007 02"},
                     {8, "17 04 08 00000000 02"}})}},
        {"single display input 6",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 2, S_Input + QStringLiteral("-6"))); },
         {Sent(CodeSwitch, "05 08")}},
        // The device forgot the display's bezels when it left the splice.
        {"display 9 rejoins",
         [single9](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 2, single9)); },
         {Sent(CodeScreen, "08 00 02 02 02 02"),
          WallWrite("00",
                    {{4, "13 04 04 ff0c0007 02"},
                     {5, "13 04 05 ff0c0007 02"},
                     {7, "13 04 07 ff0c0007 02"},
                     {8, "13 04 08 00000000 05"}})}},
        {"multi-panel",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 1, 1, SMenu_MultiPanel)); },
         {Sent(CodeResolution, "04 80 00 00 00 00"), Sent(CodeResolution, "05 80 00 00 00 00"),
          Sent(CodeResolution, "07 80 00 00 00 00"), Sent(CodeResolution, "08 80 00 00 00 00"),
          Sent(CodePanels, "ff 00 05 0780 0438 06 0500 02d0 08 0780 0438 09 0780 0438")}},
        {"MV input enable",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 1, 1, SMenu_MVInputEn)); },
         {Sent(CodeMvInput, "01"),
          WallWrite("01",
                    {{4, "13 04 04 ff0c0007 02"},
                     {5, "13 04 05 ff0c0007 02"},
                     {7, "13 04 07 ff0c0007 02"},
                     {8, "13 04 08 00000000 05"}})}},
        {"cancel",
         [](Ui_TVWall *p) { QVERIFY(ChooseOnCell(p->grid(), 2, 1, SMenu_CancelSplicing)); },
         {Sent(CodeScreen, "04 00 00 00 00 00"), Sent(CodeScreen, "05 00 00 00 00 00"),
          Sent(CodeScreen, "07 00 00 00 00 00"), Sent(CodeScreen, "08 00 00 00 00 00"),
          WallWrite("00",
                    {{4, "00 00 04 00000000 02"},
                     {5, "00 00 05 00000000 02"},
                     {7, "00 00 07 00000000 02"},
                     {8, "00 00 08 00000000 05"}})}},
    };

    for (const Step &step : steps) {
        program.mark();
        step.act(page);
        if (QTest::currentTestFailed())
            QFAIL(step.name);
        QVERIFY2(program.waitQuiet(), step.name);
        const QVector<QByteArray> sent = program.requestsSinceMark();
        QVERIFY2(
            sent == step.frames,
            qPrintable(
                QStringLiteral("%1:\n%2\nwanted\n%3").arg(QLatin1String(step.name), Hexes(sent), Hexes(step.frames))));
        // Only cancelling a whole splice asks first.
        for (const MessageRecorder::Message &message : program.messages().messages())
            QCOMPARE(int(message.kind), int(MessageKind::Destructive));
        program.messages().clear();

        const Snapshot written = Take(grid);
        program.mark();
        QTest::mouseClick(page->readButton(), Qt::LeftButton);
        QVERIFY2(program.waitQuiet(), step.name);
        QCOMPARE(program.requestsSinceMark(), QVector<QByteArray>{Sent(CodeWall, "00 80 00 00 00")});
        CompareWithDevice(program.sim().device().state());
        CompareSnapshots(Take(grid), written);
        if (QTest::currentTestFailed())
            QFAIL(step.name);
    }
}

QTEST_MAIN(WallEndToEndTest)
#include "tst_wall_e2e.moc"
