// The GUI thread under load: nothing it does for a command or a frame may
// wait for a transport's send gap or redo work for every frame of a burst.

#include "pages/routing/MatrixGrid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/FullRead.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {
constexpr int ConsoleLines = 200;
constexpr int WaitMs = 10000;
constexpr quint32 Channels = 16;

// Counts every show and hide of the widgets it watches.
class VisibilityCounter : public QObject
{
public:
    void watch(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            ++count;
        return false;
    }
};

QByteArray frameNumbered(int k)
{
    return QByteArray::fromHex(QByteArray::number(0x7B7B1100 + k, 16));
}

QStringList hexLines(int first, int count)
{
    QStringList lines;
    for (int k = first; k < first + count; ++k) {
        const QByteArray hex = frameNumbered(k).toHex(' ').toUpper();
        lines.append(QString::fromLatin1(hex));
    }
    return lines;
}

int flatCount(const MatrixGrid *grid)
{
    int flat = 0;
    for (const QPushButton *button : grid->crosspoints())
        flat += button->isFlat() ? 1 : 0;
    return flat;
}
} // namespace

class PerfGuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetProcessState(); }

    void consoleBurst_isWrittenInOneEdit_keepsTheLastLines_data();
    void consoleBurst_isWrittenInOneEdit_keepsTheLastLines();
    void consoleClear_dropsFramesStillWaiting();
    void matrixRedraw_touchesOnlyWhatChanged();
};

void PerfGuiTest::consoleBurst_isWrittenInOneEdit_keepsTheLastLines_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("burst");
    QTest::newRow("3 into an empty box") << 0 << 3;
    QTest::newRow("5 after 10") << 10 << 5;
    QTest::newRow("198 after 2 fill it") << 2 << 198;
    QTest::newRow("10 after 195 push 5 out") << 195 << 10;
    QTest::newRow("1000 into an empty box") << 0 << 1000;
    QTest::newRow("300 after 150") << 150 << 300;
}

// A burst of frames costs one edit of the receive box, yet the box ends as
// if each frame had been appended alone.
void PerfGuiTest::consoleBurst_isWrittenInOneEdit_keepsTheLastLines()
{
    QFETCH(int, before);
    QFETCH(int, burst);
    Ui_Debug console;
    for (int k = 0; k < before; ++k)
        console.SLT_Sync_Show_Recv(frameNumbered(k));
    QTextEdit *box = console.receiveBox();
    QSignalSpy edits(box->document(), &QTextDocument::contentsChanged);
    for (int k = before; k < before + burst; ++k)
        console.SLT_Sync_Show_Recv(frameNumbered(k));
    QTRY_VERIFY_WITH_TIMEOUT(edits.count() > 0, WaitMs);
    QVERIFY2(edits.count() <= 2, qPrintable(QStringLiteral("%1 edits").arg(edits.count())));

    const int total = before + burst;
    const int kept = qMin(total, ConsoleLines);
    QCOMPARE(box->toPlainText(), hexLines(total - kept, kept).join(QLatin1Char('\n')));
    // The view shows the start of the newest line.
    QCOMPARE(box->textCursor().position(), box->document()->lastBlock().position());
}

void PerfGuiTest::consoleClear_dropsFramesStillWaiting()
{
    Ui_Debug console;
    console.SLT_Sync_Show_Recv(frameNumbered(1));
    console.SLT_Sync_Show_Send(frameNumbered(2));
    console.SLT_CLEAR_RECV_DATA();
    console.SLT_CLEAR_SEND_DATA();
    console.SLT_Sync_Show_Recv(frameNumbered(3));
    QTest::qWait(10);
    QCOMPARE(console.receiveBox()->toPlainText(), hexLines(3, 1).constFirst());
    QVERIFY(console.sendBox()->toPlainText().isEmpty());
}

// Every routing report redraws the grid; a redraw with nothing changed must
// not hide or show a single widget, and a switch moves just its marks.
void PerfGuiTest::matrixRedraw_touchesOnlyWhatChanged()
{
    DeviceState &device = Device();
    device.inputCount = Channels;
    device.outputCount = Channels;
    Ui_Matrix page;
    page.BuildGrid(Channels, Channels);
    page.RefreshFromDevice();
    const MatrixGrid *grid = page.grid();
    QCOMPARE(flatCount(grid), int(Channels));

    VisibilityCounter counter;
    for (QPushButton *button : grid->crosspoints())
        counter.watch(button);
    for (QLabel *label : grid->findChildren<QLabel *>())
        counter.watch(label);
    page.RefreshFromDevice();
    QCOMPARE(counter.count, 0);

    device.routingAt(3) = 7;
    page.RefreshFromDevice();
    QCOMPARE(counter.count, 0);
    QVERIFY(grid->crosspoint(7, 3)->isFlat());
    QVERIFY(!grid->crosspoint(0, 3)->isFlat());
    QCOMPARE(flatCount(grid), int(Channels));

    // Fewer channels hide the rest; more show them again.
    device.inputCount = 4;
    page.RefreshFromDevice();
    QVERIFY(grid->crosspoint(3, 0)->isVisibleTo(&page));
    QVERIFY(!grid->crosspoint(4, 0)->isVisibleTo(&page));
    QVERIFY(!grid->crosspoint(7, 3)->isFlat());
    device.inputCount = Channels;
    page.RefreshFromDevice();
    QVERIFY(grid->crosspoint(7, 3)->isVisibleTo(&page) && grid->crosspoint(7, 3)->isFlat());
}

QTEST_MAIN(PerfGuiTest)
#include "tst_perf_gui.moc"
