// The user command lines on the peripheral page without a device: the line
// count, note editing, port lists, and the command file through the page's
// Export and Import buttons (file dialogs answered by a hook).
#include "app/LanguageTable.h"
#include "chrome/FileNameDialog.h"
#include "chrome/MyComboBox.h"
#include "pages/peripheral/UserCmdLines.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"
#include "support/WidgetInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {
constexpr quint32 Inputs = 4;
constexpr quint32 Outputs = 8;
} // namespace

class PeripheralFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void lineCount_rebuildsRowsAndKeepsTypedLines();
    void badFile_reportsAndChangesNothing_data();
    void badFile_reportsAndChangesNothing();
    void shippedSample_imports();

private:
    UserCmdLines *lines() const { return m_fixture->window()->peripheralPage()->cmdLines(); }
    void answerDialogsWith(const QString &path);

    std::unique_ptr<MainWindowFixture> m_fixture;
    QString m_lastDirectory;
};

void PeripheralFileTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::configWith({{"Key_UI_Peripheral", "1"}}));
    Device().inputCount = Inputs;
    Device().outputCount = Outputs;
    Ui_Main *window = m_fixture->window();
    window->peripheralPage()->RebuildForCounts();
    // The page is inactive without a device: these tests edit lines and
    // files only, so the window is told a device is there.
    ActiveTransport = TransportTcp;
    Device().identified = true;
    window->peripheralPage()->setEnabled(true);
    window->show();
    window->tabWidget()->setCurrentWidget(window->peripheralPage());
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void PeripheralFileTest::cleanup()
{
    ActiveTransport = TransportNone;
    SetFileDialogHook({});
    m_fixture.reset();
}

void PeripheralFileTest::answerDialogsWith(const QString &path)
{
    SetFileDialogHook([this, path](FileDialogKind, const QString &, const QString &directory, const QString &) {
        m_lastDirectory = directory;
        return path;
    });
}

void PeripheralFileTest::lineCount_rebuildsRowsAndKeepsTypedLines()
{
    QCOMPARE(lines()->lineCount(), 1);
    QCOMPARE(lines()->lineCountBox()->count(), 9);
    TypeText(lines()->row(0).payload, QStringLiteral("kept"));
    ChooseEntry(lines()->lineCountBox(), 4);
    QCOMPARE(lines()->lineCount(), 5);
    QVERIFY(lines()->row(4).exists());
    QCOMPARE(lines()->row(4).note->objectName(), QStringLiteral("Peripheral-SingleSend4"));
    QCOMPARE(lines()->row(4).delay->text(), QStringLiteral("1000"));
    QCOMPARE(lines()->row(0).payload->text(), QStringLiteral("kept"));
    ChooseEntry(lines()->lineCountBox(), 1);
    QCOMPARE(lines()->lineCount(), 2);
    QVERIFY(!lines()->row(2).exists());
}

void PeripheralFileTest::badFile_reportsAndChangesNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray good = "CmdLineNum=1\r\n>>---CmdLine:1\r\nPeripheral=1\r\nPort=0\r\nBaudrate=1\r\nHEX=0\r\n"
                            "CmdLine=PWR\r\nSingleSend=On\r\nOrder=1\r\nDelay=100\r\n";
    QTest::newRow("Delay line missing") << QByteArray(good).replace("Delay=100\r\n", "") << "File Data Error!";
    QTest::newRow("one value too many") << QByteArray(good).replace("CmdLine=PWR", "CmdLine=PWR\r\nPort=1")
                                        << "File Data Error!";
    QTest::newRow("input port beyond the device")
        << QByteArray(good).replace("Peripheral=1\r\nPort=0", "Peripheral=2\r\nPort=6") << "File Data Error!";
    QTest::newRow("not a command file") << QByteArray("hello\r\n") << "";
}

void PeripheralFileTest::badFile_reportsAndChangesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    TypeText(lines()->row(0).payload, QStringLiteral("before"));
    const QVector<UserCmdLine> before = lines()->lines();
    m_fixture->dir().write(QStringLiteral("/UserCmdConfig/bad.txt"), file);
    answerDialogsWith(m_fixture->dir().file(QStringLiteral("/UserCmdConfig/bad.txt")));
    QTest::mouseClick(lines()->importButton(), Qt::LeftButton);
    QCOMPARE(m_fixture->messages().lastText(), message);
    QCOMPARE(lines()->lines(), before);
}

void PeripheralFileTest::shippedSample_imports()
{
    answerDialogsWith(m_fixture->dir().file(QStringLiteral("/UserCmdConfig/Sample_Projector.txt")));
    QTest::mouseClick(lines()->importButton(), Qt::LeftButton);
    QCOMPARE(m_fixture->messages().count(), 0);
    QCOMPARE(lines()->lineCount(), 2);
    QCOMPARE(lines()->row(0).note->text(), QStringLiteral("Power On"));
    QVERIFY(lines()->row(1).hex->isChecked());
}

QTEST_MAIN(PeripheralFileTest)
#include "tst_peripheral_file.moc"
