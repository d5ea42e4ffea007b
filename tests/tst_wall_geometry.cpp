// The splicing grid's cell arithmetic and splice rules, without widgets.
#include "pages/wall/SpliceModel.h"
#include "pages/wall/WallGeometry.h"
#include "protocol/DeviceState.h"
#include "protocol/ReplyDispatcher.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QtTest>

Q_DECLARE_METATYPE(CellSpan)
Q_DECLARE_METATYPE(WallRect)

namespace {
constexpr int Side = 640;

CellSpan Span(int firstRow, int firstCol, int lastRow, int lastCol)
{
    CellSpan span;
    span.firstRow = firstRow;
    span.firstCol = firstCol;
    span.lastRow = lastRow;
    span.lastCol = lastCol;
    return span;
}

// A laid-out wall of rows x cols on the grid's 640-pixel square.
SpliceModel LaidOut(DeviceState &device, quint32 rows, quint32 cols)
{
    device.outputCount = 16;
    device.inputCount = 16;
    for (quint32 o = 0; o < 16; ++o)
        device.routingAt(o) = o % 5;
    SpliceModel model(device);
    model.layOut(rows, cols, Side / int(cols), Side / int(rows), false);
    return model;
}

} // namespace

class WallGeometryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ResetProcessState(); }

    void rubberBandSelection_data();
    void rubberBandSelection();
    void rightClickFindsItsCell_data();
    void rightClickFindsItsCell();

    void refusedSplices_changeNothing_data();
    void refusedSplices_changeNothing();
    void derive_fromTheDevicesFlags_redrawsTheSplices_data();
    void derive_fromTheDevicesFlags_redrawsTheSplices();
    void malformedSplice_neverReachesPastTheWall();
    void wallReplyOfMoreScreensThanTheModelHolds_isIgnored();
    void splice_marksTheOutputsItsCellsShow();
};

void WallGeometryTest::rubberBandSelection_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<CellSpan>("cells");
    // A 3 x 3 wall: cells of 213 pixels.
    QTest::newRow("click") << QPoint(100, 100) << QPoint(100, 100) << true << Span(0, 0, 0, 0);
    QTest::newRow("3 px wide across two rows") << QPoint(100, 100) << QPoint(103, 300) << true << Span(0, 0, 1, 0);
    QTest::newRow("4 px square stays a click") << QPoint(10, 10) << QPoint(14, 14) << true << Span(0, 0, 0, 0);
    QTest::newRow("5 px square shows") << QPoint(10, 10) << QPoint(15, 15) << false << Span(0, 0, 0, 0);
    QTest::newRow("dragged up and left") << QPoint(500, 500) << QPoint(250, 250) << false << Span(1, 1, 2, 2);
    QTest::newRow("to the far edge") << QPoint(300, 300) << QPoint(640, 640) << false << Span(1, 1, 2, 2);
    QTest::newRow("on a cell border") << QPoint(213, 0) << QPoint(426, 212) << false << Span(0, 1, 0, 2);
}

void WallGeometryTest::rubberBandSelection()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(bool, hidden);
    QFETCH(CellSpan, cells);
    const QRectF band = RubberBand(press, release);
    QCOMPARE(RubberBandHidden(band), hidden);
    const CellSpan span = CellsUnderBand(band, Side / 3, Side / 3, 3, 3);
    QCOMPARE(span, cells);
    QCOMPARE(span.multiple(), !(cells == Span(cells.firstRow, cells.firstCol, cells.firstRow, cells.firstCol)));
}

void WallGeometryTest::rightClickFindsItsCell_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("first cell") << QPoint(0, 0) << 3 << 3 << 0 << 0;
    QTest::newRow("middle of 3x3") << QPoint(320, 320) << 3 << 3 << 1 << 1;
    QTest::newRow("right edge of 3x3") << QPoint(640, 640) << 3 << 3 << 2 << 2;
    QTest::newRow("1x4 strip") << QPoint(479, 600) << 1 << 4 << 0 << 2;
}

void WallGeometryTest::rightClickFindsItsCell()
{
    QFETCH(QPoint, pos);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, row);
    QFETCH(int, col);
    const CellPosition cell = CellUnder(pos, QSize(Side, Side), rows, cols);
    QCOMPARE(cell.row, row);
    QCOMPARE(cell.col, col);
}

void WallGeometryTest::refusedSplices_changeNothing_data()
{
    QTest::addColumn<CellSpan>("span");
    QTest::newRow("one cell") << Span(2, 2, 2, 2);
    QTest::newRow("touches the splice") << Span(1, 0, 2, 1);
    QTest::newRow("covers the splice") << Span(0, 0, 2, 2);
    QTest::newRow("beyond the wall") << Span(2, 2, 3, 3);
}

void WallGeometryTest::refusedSplices_changeNothing()
{
    QFETCH(CellSpan, span);
    DeviceState &device = Device();
    SpliceModel model = LaidOut(device, 3, 3);
    QVERIFY(!model.splice(Span(0, 0, 1, 0)).isEmpty());

    QVERIFY(!model.canSplice(span));
    QVERIFY(model.splice(span).isEmpty());
    for (quint32 cell = 0; cell < 9; ++cell)
        QCOMPARE(model.isSpliced(cell), cell == 0 || cell == 3);
    QCOMPARE(model.derive().splices.size(), 1);
}

void WallGeometryTest::derive_fromTheDevicesFlags_redrawsTheSplices_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QVector<CellSpan>>("splices");
    QTest::newRow("whole 2x2") << 2 << 2 << QVector<CellSpan>{Span(0, 0, 1, 1)};
    QTest::newRow("1x3 of a 1x4 strip") << 1 << 4 << QVector<CellSpan>{Span(0, 1, 0, 3)};
    QTest::newRow("two splices on 4x4") << 4 << 4 << QVector<CellSpan>{Span(0, 0, 2, 1), Span(1, 2, 2, 3)};
}

void WallGeometryTest::derive_fromTheDevicesFlags_redrawsTheSplices()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QVector<CellSpan>, splices);
    DeviceState &device = Device();
    SpliceModel model = LaidOut(device, quint32(rows), quint32(cols));
    for (const CellSpan &span : splices)
        QVERIFY(!model.splice(span).isEmpty());
    const TvWallState spliced = device.tvWall;

    // What the device reports keeps only the flags and origins; the frames,
    // positions and sizes must come back from them.
    for (quint32 c = 0; c < DeviceLimits::Channels; ++c) {
        TvWallEntry &entry = device.wallEntry(c);
        entry.spliceFrame = WallRect{0, 0, 0, 0};
        entry.spliceRow = entry.spliceColumn = entry.spliceRows = entry.spliceColumns = 0;
    }
    model.layOut(quint32(rows), quint32(cols), Side / cols, Side / rows, true);
    const SpliceModel::Frames frames = model.derive();
    QCOMPARE(frames.splices.size(), splices.size());
    for (quint32 c = 0; c < quint32(rows * cols); ++c) {
        const TvWallEntry &want = spliced.entryAt(c);
        const TvWallEntry &got = device.wallEntry(c);
        QVERIFY2(SameRect(got.spliceFrame, want.spliceFrame), qPrintable(QString::number(c)));
        QCOMPARE(got.spliceRow, want.spliceRow);
        QCOMPARE(got.spliceColumn, want.spliceColumn);
        QCOMPARE(got.spliceRows, want.spliceRows);
        QCOMPARE(got.spliceColumns, want.spliceColumns);
    }
}

void WallGeometryTest::malformedSplice_neverReachesPastTheWall()
{
    DeviceState &device = Device();
    SpliceModel model = LaidOut(device, 2, 2);
    // Outputs that claim splices whose origins are elsewhere or outside.
    device.wallEntry(0).spliced = 1;
    device.wallEntry(0).spliceOrigin = 3;
    device.wallEntry(3).spliced = 1;
    device.wallEntry(3).spliceOrigin = 200;
    device.wallEntry(1).cellOutput = 200;
    const SpliceModel::Frames frames = model.derive();
    QVERIFY(frames.splices.isEmpty());
    QVERIFY(model.cellsOfSplice(0).isEmpty());
    QVERIFY(model.cancel(3).size() <= 4);
}

void WallGeometryTest::wallReplyOfMoreScreensThanTheModelHolds_isIgnored()
{
    // 5 x 4 screens, each an 8-byte item.
    QByteArray payload = Hex("14 05 04 00");
    for (int k = 0; k < 20; ++k)
        payload += Hex("00 00") + QByteArray(1, char(k % 16)) + Hex("00 00 00 00 00");
    Device().tvWall.rows = 2;
    DispatchDeviceReply(DeviceFrameOf(0x93, payload));
    QCOMPARE(Device().tvWall.rows, 2u);
    QCOMPARE(Device().tvWall.cellCount, 0u);
}

// Cells show other outputs than their own numbers: a splice marks the
// outputs its cells show, and a display taken out of the splice no longer
// follows its input.
void WallGeometryTest::splice_marksTheOutputsItsCellsShow()
{
    DeviceState &device = Device();
    SpliceModel model = LaidOut(device, 2, 2);
    const quint32 shown[] = {5, 6, 9, 10};
    for (quint32 c = 0; c < 4; ++c)
        device.tvWall.entryAt(c).cellOutput = shown[c];
    QCOMPARE(model.splice(Span(0, 0, 1, 1)).size(), 4);
    for (quint32 o = 0; o < 16; ++o)
        QCOMPARE(bool(device.tvWall.entryAt(o).spliced), o == 5 || o == 6 || o == 9 || o == 10);
    model.toggleSingleExit(3);
    QVERIFY(model.isSingleExit(3));
    QVERIFY(!model.isSingleExit(0));
    QCOMPARE(model.inputFollowers(0), (QVector<quint32>{5, 6, 9}));
}

QTEST_GUILESS_MAIN(WallGeometryTest)
#include "tst_wall_geometry.moc"
