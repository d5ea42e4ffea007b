#include "protocol/CommandChannel.h"
#include "shell/Ui_Debug.h"
#include "support/MessageRecorder.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class DebugConsoleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { ResetProcessState(); }

    void sendBox_refusesCharactersOutsideHex();
    void frames_areShownOnALineEach();
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

void DebugConsoleTest::frames_areShownOnALineEach()
{
    Ui_Debug console;
    console.SLT_Sync_Show_Recv(QByteArray("\x7B\x7B\x11", 3));
    console.SLT_Sync_Show_Recv(QByteArray("\x01", 1));
    QCOMPARE(console.receiveBox()->toPlainText(), QStringLiteral("7B 7B 11\n01"));
    console.SLT_Sync_Show_Send(QByteArray("\xFF", 1));
    QCOMPARE(console.sendBox()->toPlainText(), QStringLiteral("FF"));
}

QTEST_MAIN(DebugConsoleTest)
#include "tst_debugconsole.moc"
