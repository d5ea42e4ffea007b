// The user command lines' rules without widgets: the command file both
// ways, and which order and delay fields take a line into a group send.
#include "app/UserCmdFile.h"
#include "pages/peripheral/UserCmdRules.h"

#include <QtTest>

Q_DECLARE_METATYPE(UserCmdFileResult)

namespace {
constexpr int Inputs = 4;
constexpr int Outputs = 8;

// A file of one line with the given fields, written as the export writes
// them.
QByteArray oneLine(const char *target, const char *port, const char *baud, const char *payload = "PWR ON")
{
    return QByteArray("CmdLineNum=1\r\n>>---CmdLine:1\r\nPeripheral=") + target + "\r\nPort=" + port
        + "\r\nBaudrate=" + baud + "\r\nHEX=0\r\nCmdLine=" + payload + "\r\nSingleSend=On\r\nOrder=1\r\nDelay=100\r\n";
}
} // namespace

class PeripheralRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writtenFile_hasTheExactLayout();
    void readFile_data();
    void readFile();
    void groupFields_data();
    void groupFields();
};

void PeripheralRulesTest::writtenFile_hasTheExactLayout()
{
    UserCmdLine line;
    line.target = 1;
    line.port = 4; // "All" of four inputs
    line.baud = 2;
    line.hex = true;
    line.payload = QStringLiteral("AA 55");
    line.note = QStringLiteral("Projector");
    line.order = QStringLiteral("3");
    line.delay = QStringLiteral("250");
    QCOMPARE(WriteUserCmdFile({line}),
             QByteArray("CmdLineNum=1\r\n>>---CmdLine:1\r\nPeripheral=2\r\nPort=5\r\n"
                        "Baudrate=3\r\nHEX=1\r\nCmdLine=AA 55\r\nSingleSend=Projector\r\n"
                        "Order=3\r\nDelay=250\r\n"));

    // Notes and payloads holding every key read back as they were written.
    const QString keys = QStringLiteral("CmdLineNum=1 Peripheral=2 Port=3 Baudrate=4 HEX=1 CmdLine=x SingleSend=y "
                                        "Order=5 Delay=6 >>---CmdLine:7");
    UserCmdLine second = line;
    second.payload = keys;
    second.note = QStringLiteral("=") + keys;
    line.note = keys;
    QVector<UserCmdLine> read;
    QCOMPARE(ReadUserCmdFile(WriteUserCmdFile({line, second}), 4, 8, read), UserCmdFileResult::Loaded);
    QCOMPARE(read, (QVector<UserCmdLine>{line, second}));
}

void PeripheralRulesTest::readFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<UserCmdFileResult>("result");
    QTest::addColumn<QString>("payload");

    const QByteArray good = oneLine("1", "0", "1");
    QTest::newRow("one good line") << good << UserCmdFileResult::Loaded << "PWR ON";
    QTest::newRow("LF endings") << QByteArray(good).replace("\r\n", "\n") << UserCmdFileResult::Loaded << "PWR ON";
    QTest::newRow("one CR LF removed, a second CR stays")
        << QByteArray(good).replace("CmdLine=PWR ON\r\n", "CmdLine=PWR ON\r\r\n") << UserCmdFileResult::Loaded
        << "PWR ON\r";
    QTest::newRow("value after the first =") << oneLine("1", "0", "1", "a=b") << UserCmdFileResult::Loaded << "a=b";
    QTest::newRow("blank and unknown lines skipped")
        << QByteArray("\r\nnonsense\r\n") + good << UserCmdFileResult::Loaded << "PWR ON";
    QTest::newRow("input All") << oneLine("2", "5", "5") << UserCmdFileResult::Loaded << "PWR ON";
    QTest::newRow("output All") << oneLine("3", "9", "1") << UserCmdFileResult::Loaded << "PWR ON";

    QTest::newRow("empty file") << QByteArray() << UserCmdFileResult::Ignored << "";
    QTest::newRow("only the count") << QByteArray("CmdLineNum=1\r\n") << UserCmdFileResult::Ignored << "";
    QTest::newRow("Delay line missing") << QByteArray(good).replace("Delay=100\r\n", "") << UserCmdFileResult::DataError
                                        << "";
    QTest::newRow("count says two") << QByteArray(good).replace("CmdLineNum=1", "CmdLineNum=2")
                                    << UserCmdFileResult::DataError << "";
    QTest::newRow("ten lines") << QByteArray("CmdLineNum=10\r\n") + QByteArray(good).remove(0, 14).repeated(10)
                               << UserCmdFileResult::DataError << "";
    QTest::newRow("Port= inside the payload")
        << oneLine("1", "0", "1", "SET Port=2") << UserCmdFileResult::Loaded << "SET Port=2";
    QTest::newRow("fields out of order") << QByteArray(good).replace("Port=0\r\nBaudrate=1", "Baudrate=1\r\nPort=0")
                                         << UserCmdFileResult::DataError << "";
    QTest::newRow("target 0") << oneLine("0", "0", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("target 4") << oneLine("4", "1", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("peripheral port not 0") << oneLine("1", "1", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("input port 0") << oneLine("2", "0", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("input port past All") << oneLine("2", "6", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("output port past All") << oneLine("3", "10", "1") << UserCmdFileResult::DataError << "";
    QTest::newRow("baud 0") << oneLine("1", "0", "0") << UserCmdFileResult::DataError << "";
    QTest::newRow("baud 6") << oneLine("1", "0", "6") << UserCmdFileResult::DataError << "";
}

void PeripheralRulesTest::readFile()
{
    QFETCH(QByteArray, file);
    QFETCH(UserCmdFileResult, result);
    QFETCH(QString, payload);
    UserCmdLine untouched;
    untouched.note = QStringLiteral("kept");
    QVector<UserCmdLine> lines = {untouched};
    QCOMPARE(ReadUserCmdFile(file, Inputs, Outputs, lines), result);
    if (result == UserCmdFileResult::Loaded) {
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].payload, payload);
    } else {
        QCOMPARE(lines, QVector<UserCmdLine>{untouched});
    }
}

void PeripheralRulesTest::groupFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("order");
    QTest::addColumn<bool>("delay");
    QTest::newRow("99") << "99" << true << true;
    QTest::newRow("0") << "0" << false << true;
    QTest::newRow("100") << "100" << false << true;
    QTest::newRow("99999") << "99999" << false << true;
    QTest::newRow("100000") << "100000" << false << false;
    QTest::newRow("a") << "a" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("space") << " 5" << false << false;
}

void PeripheralRulesTest::groupFields()
{
    QFETCH(QString, text);
    QFETCH(bool, order);
    QFETCH(bool, delay);
    QCOMPARE(IsGroupOrder(text), order);
    QCOMPARE(IsGroupDelay(text), delay);
}

QTEST_GUILESS_MAIN(PeripheralRulesTest)
#include "tst_peripheral_rules.moc"
