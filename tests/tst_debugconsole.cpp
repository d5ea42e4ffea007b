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

    void send_data();
    void send();
    void sendBox_refusesCharactersOutsideHex();
    void frames_areShownOnALineEach();
};

void DebugConsoleTest::init()
{
    ResetProcessState();
    ActiveTransport = TransportTcp;
    ChannelOpen(TcpChannel);
}

void DebugConsoleTest::send_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("queued");
    QTest::addColumn<QString>("message");
    QTest::newRow("three bytes, unframed") << "7B 7B 01" << QByteArray("\x7B\x7B\x01", 3) << "";
    QTest::newRow("odd digits") << "7B7" << QByteArray() << "Data Format Error or Empty Data!";
    QTest::newRow("pair split by a space") << "7 B" << QByteArray() << "Data Format Error or Empty Data!";
    QTest::newRow("two lines") << "7B\n01" << QByteArray() << "Data Format Error or Empty Data!";
    QTest::newRow("2047 bytes are sent") << QString(2047 * 2, QLatin1Char('A')) << QByteArray(2047, char(0xAA)) << "";
    QTest::newRow("2048 bytes overflow") << QString(2048 * 2, QLatin1Char('A')) << QByteArray()
                                         << "Data Overflow,Clear!";
}

void DebugConsoleTest::send()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, queued);
    QFETCH(QString, message);

    MessageRecorder messages;
    Ui_Debug console;
    QSignalSpy sendRequest(&console, &Ui_Debug::SGL_UpdateEmit);
    console.sendInput()->setText(text);
    QTest::mouseClick(console.sendButton(), Qt::LeftButton);

    QCOMPARE(messages.lastText(), message);
    QCOMPARE(sendRequest.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), queued.isEmpty() ? 0 : 1);
    if (!queued.isEmpty()) {
        QMutexLocker lock(&TcpChannel.sendMutex);
        const QueueEntry &entry = TcpChannel.sendQueue->front();
        QCOMPARE(entry.data, queued);
        QCOMPARE(entry.record.waitReply, quint8(0));
        QCOMPARE(entry.record.pauseMs, 0u);
    }
    if (message == QStringLiteral("Data Overflow,Clear!"))
        QVERIFY(console.sendInput()->text().isEmpty());
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
