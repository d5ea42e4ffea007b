// The matrix page and its dialogs against the device simulator, driven
// through the GUI: the exact frames a click puts on the wire, marks that
// move only with the device's reply, EDID read, save, load and write,
// presets, and what dropped or damaged replies leave behind.
#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "chrome/MessageBox.h"
#include "chrome/MyComboBox.h"
#include "pages/routing/AudioSwitchGroup.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

Q_DECLARE_METATYPE(ConnectedProgram::Link)

namespace {
constexpr int PollMs = 5;
constexpr int ReplyTimeoutMs = 5000;
constexpr int TransferTimeoutMs = 10000;
constexpr int HeldReplyMs = 300;
constexpr quint8 SwitchCode = 0x01;
constexpr quint8 EdidCode = 0xB8;

int markedColumn(const MatrixGrid *grid, int row)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->crosspoint(c, row)->isFlat())
            return c;
    }
    return -1;
}

Ui_Matrix *showMatrix(ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    return window->matrixPage();
}

// The requests the simulator saw since the mark, once there are count of
// them (or the bound ran out).
QVector<QByteArray> waitForRequests(ConnectedProgram &program, int count)
{
    QElapsedTimer clock;
    clock.start();
    while (program.requestsSinceMark().size() < count && clock.elapsed() < ReplyTimeoutMs)
        QTest::qWait(PollMs);
    return program.requestsSinceMark();
}

SimFaultOptions heldReplies()
{
    SimFaultOptions faults;
    faults.delayMs = HeldReplyMs;
    return faults;
}
} // namespace

class MatrixEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { SetEdidFileHook({}); }
    void routing_marksMoveWithTheReply_data();
    void routing_marksMoveWithTheReply();
    void droppedSwitchReply_keepsTheConfirmedMark();
};

void MatrixEndToEndTest::routing_marksMoveWithTheReply_data()
{
    QTest::addColumn<ConnectedProgram::Link>("link");
    QTest::newRow("tcp") << ConnectedProgram::Link::Tcp;
    QTest::newRow("serial") << ConnectedProgram::Link::Serial;
}

void MatrixEndToEndTest::routing_marksMoveWithTheReply()
{
    QFETCH(ConnectedProgram::Link, link);
    ConnectedProgram program(SimHarness::TestOptions(), link);
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const MatrixGrid *grid = page->grid();
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(markedColumn(grid, 2), 2);
    program.sim().setFaults(heldReplies());

    // Crosspoint: input 6 to output 3.
    program.mark();
    QTest::mouseClick(grid->crosspoint(5, 2), Qt::LeftButton);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(SwitchCode, Hex("05 02"))});
    QCOMPARE(markedColumn(grid, 2), 2); // the reply is still held back
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 2), 5, ReplyTimeoutMs);
    QCOMPARE(program.sim().device().state().routing[2], quint8(5));

    // "Allset:" input 4.
    QVERIFY(program.waitQuiet());
    program.mark();
    page->allSetBox()->showPopup();
    page->allSetBox()->hidePopup();
    Q_EMIT page->allSetBox()->activated(3);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(SwitchCode, Hex("03 FF"))});
    QCOMPARE(markedColumn(grid, 0), 0);
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 0), 3, ReplyTimeoutMs);
    for (int row = 0; row < grid->rowCount(); ++row)
        QCOMPARE(markedColumn(grid, row), 3);

    // The audio switch: input 7.
    QVERIFY(program.waitQuiet());
    program.mark();
    const AudioSwitchGroup *audio = page->audioGroup();
    QTest::mouseClick(audio->buttons().at(6), Qt::LeftButton);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(0xD9, Hex("00 00 06"))});
    QVERIFY(!audio->buttons().at(6)->isFlat());
    QTRY_VERIFY_WITH_TIMEOUT(audio->buttons().at(6)->isFlat(), ReplyTimeoutMs);
    // Only Allset's question was shown.
    QCOMPARE(program.messages().count(), 1);
    QCOMPARE(int(program.messages().messages().at(0).kind), int(MessageKind::Destructive));
}

void MatrixEndToEndTest::droppedSwitchReply_keepsTheConfirmedMark()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    const MatrixGrid *grid = showMatrix(program)->grid();
    SimFaultOptions muted;
    muted.mutedCodes = {SwitchCode};
    program.sim().setFaults(muted);

    QTest::mouseClick(grid->crosspoint(4, 1), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(program.messages().count(), 1, ReplyTimeoutMs);
    QVERIFY(program.messages().lastText().contains(SMSG_CommunicationFail));
    QVERIFY(program.messages().lastText().endsWith(BytesToHexText(DeviceFrameOf(SwitchCode, Hex("04 01")))));
    // The device did switch, but never said so: the page shows what it said.
    QCOMPARE(markedColumn(grid, 1), 1);

    program.sim().setFaults(SimFaultOptions());
    QTest::mouseClick(grid->crosspoint(7, 1), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 1), 7, ReplyTimeoutMs);
    QCOMPARE(program.messages().count(), 1);
}

QTEST_MAIN(MatrixEndToEndTest)
#include "tst_matrix_e2e.moc"
