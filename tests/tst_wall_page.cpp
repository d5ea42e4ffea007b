// The TV wall page and its splicing grid without a device: the mouse and
// menu rules, the size and bezel fields, the hidden multi-panel keys. The
// link is a TCP channel with no service behind it, so what the page queues
// stays in the channel to be read.
#include "app/LanguageTable.h"
#include "pages/wall/MyTableWidget.h"
#include "pages/wall/Ui_TVWall.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "support/MessageRecorder.h"
#include "support/TestSupport.h"
#include "support/WallGridDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace WallGridDriver;

namespace {

QVector<QByteArray> Queued()
{
    QVector<QByteArray> frames;
    QMutexLocker lock(&TcpChannel.sendMutex);
    if (TcpChannel.sendQueue)
        for (const QueueEntry &entry : *TcpChannel.sendQueue)
            frames.append(entry.data);
    return frames;
}

QByteArray Codes(const QVector<QByteArray> &frames)
{
    QByteArray codes;
    for (const QByteArray &frame : frames)
        codes.append(frame.at(int(Frame::DeviceCommandOffset)));
    return codes;
}

void ForgetQueued()
{
    ChannelClear(TcpChannel);
    ChannelOpen(TcpChannel);
}

void Choose(QComboBox *box, int index)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Return); // the arrows only show the entry
}

// The page of a device with the given outputs, its wall set to rows x cols
// through the page.
struct PageRig
{
    explicit PageRig(quint32 outputs = 9, int rows = 3, int cols = 3)
    {
        Device().outputCount = outputs;
        Device().inputCount = 8;
        ActiveTransport = TransportTcp;
        ChannelOpen(TcpChannel);
        page.FillComboBoxes();
        page.show();
        Choose(page.rowsBox(), rows - 1);
        Choose(page.columnsBox(), cols - 1);
        QTest::mouseClick(page.writeButton(), Qt::LeftButton);
        ForgetQueued();
    }

    MyTableWidget *grid() const { return page.grid(); }

    Ui_TVWall page;
};

bool SpliceThroughTheMenu(MyTableWidget *grid, int firstRow, int firstCol, int lastRow, int lastCol)
{
    SelectCells(grid, firstRow, firstCol, lastRow, lastCol);
    return ChooseOnCell(grid, firstRow, firstCol, SMenu_ScreenSplicing);
}

} // namespace

class WallPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ResetProcessState(); }
    void cleanup() { ResetProcessState(); }

    void secondMultiPanelRequest_whileRepliesAreOutstanding_isIgnored();
    void availableDisplay_data();
    void availableDisplay();
    void newSize_clearsTheSplicesFirst();
    void hiddenMultiPanelKeys_onlyWhileConnected_data();
    void hiddenMultiPanelKeys_onlyWhileConnected();
    void multiviewOutput_leavesItsSpliceOnce();
};

void WallPageTest::secondMultiPanelRequest_whileRepliesAreOutstanding_isIgnored()
{
    PageRig rig;
    Device().multiPanelFeature = 1;
    QVERIFY(SpliceThroughTheMenu(rig.grid(), 2, 0, 2, 2));
    ForgetQueued();
    QVERIFY(ChooseOnCell(rig.grid(), 2, 1, SMenu_MultiPanel));
    QCOMPARE(Codes(Queued()).toHex(' '), QByteArray("a4 a4 a4"));
    const MultiPanelJob &job = Device().multiPanel;
    QCOMPARE(job.busy, quint8(1));
    QCOMPARE(job.count, quint8(3));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(job.outputs), 3), QByteArray::fromHex("060708"));

    QVERIFY(ChooseOnCell(rig.grid(), 2, 1, SMenu_MultiPanel));
    QCOMPARE(Queued().size(), 3);
}

void WallPageTest::availableDisplay_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("shownRows");
    QTest::addColumn<int>("shownCols");
    QTest::addColumn<QString>("available");
    QTest::newRow("3x2 of 4 outputs resets") << 3 << 2 << 1 << 1 << "1";
    QTest::newRow("2x2 of 4 outputs") << 2 << 2 << 2 << 2 << "4";
    QTest::newRow("1x4 of 4 outputs") << 1 << 4 << 1 << 4 << "4";
}

void WallPageTest::availableDisplay()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, shownRows);
    QFETCH(int, shownCols);
    QFETCH(QString, available);
    PageRig rig(4, 1, 1);
    Choose(rig.page.rowsBox(), rows - 1);
    Choose(rig.page.columnsBox(), cols - 1);
    QCOMPARE(rig.page.rowsBox()->currentText(), QString::number(shownRows));
    QCOMPARE(rig.page.columnsBox()->currentText(), QString::number(shownCols));
    QCOMPARE(rig.page.availableBox()->currentText(), available);
    QVERIFY(!rig.page.availableBox()->isEnabled());

    // Without splices the new size is only drawn.
    QTest::mouseClick(rig.page.writeButton(), Qt::LeftButton);
    QVERIFY(Queued().isEmpty());
    QCOMPARE(rig.grid()->rowCount(), shownRows);
    QCOMPARE(rig.grid()->columnCount(), shownCols);
}

void WallPageTest::newSize_clearsTheSplicesFirst()
{
    PageRig rig;
    QVERIFY(SpliceThroughTheMenu(rig.grid(), 0, 0, 0, 1));
    LeftClick(rig.grid(), 0, 0);
    ForgetQueued();
    Choose(rig.page.rowsBox(), 1);
    QTest::mouseClick(rig.page.writeButton(), Qt::LeftButton);
    // The splice ends on the device at the old size; the new one goes
    // with the next wall write.
    const QVector<QByteArray> frames = Queued();
    QCOMPARE(Codes(frames).toHex(' '), QByteArray("90 90 93"));
    QCOMPARE(frames.at(0).mid(int(Frame::DevicePayloadOffset), 6).toHex(' '), QByteArray("00 00 00 00 00 00"));
    QCOMPARE(frames.at(2).mid(int(Frame::DevicePayloadOffset) + 2, 4).toHex(' '), QByteArray("09 03 03 00"));
    QCOMPARE(rig.grid()->rowCount(), 2);
    QVERIFY(rig.grid()->spliceFrames().isEmpty());
    QVERIFY(!rig.page.bezelWriteButton()->isEnabled());
    QCOMPARE(Device().tvWall.cellCount, 6u);
}

void WallPageTest::hiddenMultiPanelKeys_onlyWhileConnected_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Alt+Q connected") << true << int(Qt::Key_Q) << int(Qt::AltModifier) << true;
    QTest::newRow("Alt+E connected") << true << int(Qt::Key_E) << int(Qt::AltModifier) << true;
    QTest::newRow("Alt+Q not connected") << false << int(Qt::Key_Q) << int(Qt::AltModifier) << false;
    QTest::newRow("Ctrl+Alt+Q") << true << int(Qt::Key_Q) << int(Qt::AltModifier | Qt::ControlModifier) << false;
    QTest::newRow("plain Q") << true << int(Qt::Key_Q) << int(Qt::NoModifier) << false;
}

void WallPageTest::hiddenMultiPanelKeys_onlyWhileConnected()
{
    QFETCH(bool, connected);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, shown);
    PageRig rig;
    QVERIFY(SpliceThroughTheMenu(rig.grid(), 0, 0, 0, 1));
    if (!connected)
        ActiveTransport = TransportNone;
    QTest::keyClick(&rig.page, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Device().multiPanelFeature, quint8(shown));
    ActiveTransport = TransportTcp;
    QMenu *menu = RightClick(rig.grid(), 0, 0);
    QCOMPARE(EntryByText(menu, SMenu_MultiPanel) != nullptr, shown);
    QCOMPARE(EntryByText(menu, SMenu_ScreenAngle) != nullptr, shown);
    menu->close();
}

void WallPageTest::multiviewOutput_leavesItsSpliceOnce()
{
    PageRig rig(4, 2, 2);
    QVERIFY(SpliceThroughTheMenu(rig.grid(), 0, 0, 1, 1));
    ForgetQueued();
    rig.page.SLT_JudgeMutex_MVAndSplicing(2);
    QCOMPARE(Device().wallEntry(2).singleExit, quint8(1));
    QCOMPARE(Device().wallEntry(2).spliced, quint8(1));
    QCOMPARE(Codes(Queued()).toHex(' '), QByteArray("90 93"));
    rig.page.SLT_JudgeMutex_MVAndSplicing(2);
    rig.page.SLT_JudgeMutex_MVAndSplicing(9);
    QCOMPARE(Queued().size(), 2);
}

QTEST_MAIN(WallPageTest)
#include "tst_wall_page.moc"
