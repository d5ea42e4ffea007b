#include "protocol/CommandChannel.h"
#include "shell/Ui_Debug.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {
constexpr int ConsoleLines = 200;
constexpr int WaitMs = 10000;

QByteArray FrameNumbered(int k)
{
    return QByteArray::fromHex(QByteArray::number(0x7B7B1100 + k, 16));
}

QStringList HexLines(int first, int count)
{
    QStringList lines;
    for (int k = first; k < first + count; ++k)
        lines.append(QString::fromLatin1(FrameNumbered(k).toHex(' ').toUpper()));
    return lines;
}
} // namespace

class DebugConsoleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { ResetProcessState(); }

    void sendBox_refusesCharactersOutsideHex();
    void burst_isWrittenInOneEdit_keepsTheLastLines_data();
    void burst_isWrittenInOneEdit_keepsTheLastLines();
    void clear_dropsFramesStillWaiting();
};

void DebugConsoleTest::init()
{
    ResetProcessState();
    ActiveTransport = TransportTcp;
    ChannelOpen(TcpChannel);
}

void DebugConsoleTest::sendBox_refusesCharactersOutsideHex()
{
    Ui_Debug console;
    QLineEdit *line = console.sendInput();
    QTest::keyClicks(line, QStringLiteral("7b 7B"));
    QCOMPARE(line->text(), QStringLiteral("7b 7B"));
    QTest::keyClicks(line, QStringLiteral("x"));
    QCOMPARE(line->text(), QStringLiteral("7b 7B"));
    QCOMPARE(line->cursorPosition(), 5);
}

void DebugConsoleTest::burst_isWrittenInOneEdit_keepsTheLastLines_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("burst");
    QTest::newRow("3 into an empty box") << 0 << 3;
    QTest::newRow("198 after 2 fill it") << 2 << 198;
    QTest::newRow("10 after 195 push 5 out") << 195 << 10;
    QTest::newRow("1000 into an empty box") << 0 << 1000;
}

// A burst of frames costs one edit of the receive box, yet the box ends as
// if each frame had been appended alone, a frame a line.
void DebugConsoleTest::burst_isWrittenInOneEdit_keepsTheLastLines()
{
    QFETCH(int, before);
    QFETCH(int, burst);
    Ui_Debug console;
    for (int k = 0; k < before; ++k)
        console.SLT_Sync_Show_Recv(FrameNumbered(k));
    QTextEdit *box = console.receiveBox();
    QSignalSpy edits(box->document(), &QTextDocument::contentsChanged);
    for (int k = before; k < before + burst; ++k)
        console.SLT_Sync_Show_Recv(FrameNumbered(k));
    QTRY_VERIFY_WITH_TIMEOUT(edits.count() > 0, WaitMs);
    QVERIFY2(edits.count() <= 2, qPrintable(QStringLiteral("%1 edits").arg(edits.count())));

    const int total = before + burst;
    const int kept = qMin(total, ConsoleLines);
    QCOMPARE(box->toPlainText(), HexLines(total - kept, kept).join(QLatin1Char('\n')));
    // The view shows the start of the newest line.
    QCOMPARE(box->textCursor().position(), box->document()->lastBlock().position());
}

void DebugConsoleTest::clear_dropsFramesStillWaiting()
{
    Ui_Debug console;
    console.SLT_Sync_Show_Recv(FrameNumbered(1));
    console.SLT_Sync_Show_Send(FrameNumbered(2));
    console.SLT_CLEAR_RECV_DATA();
    console.SLT_CLEAR_SEND_DATA();
    console.SLT_Sync_Show_Recv(FrameNumbered(3));
    QTest::qWait(10);
    QCOMPARE(console.receiveBox()->toPlainText(), HexLines(3, 1).constFirst());
    QVERIFY(console.sendBox()->toPlainText().isEmpty());
}

QTEST_MAIN(DebugConsoleTest)
#include "tst_debugconsole.moc"
