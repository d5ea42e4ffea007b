// The peripheral page against the device simulator, driven through its
// buttons: IO reads and writes, user command lines sent alone, as a group
// with their delays and in a loop; and what happens without a reply or
// without a link.
#include "app/LanguageTable.h"
#include "chrome/MyComboBox.h"
#include "pages/peripheral/IoGroupBox.h"
#include "pages/peripheral/UserCmdLines.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/WidgetInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {
constexpr quint8 PeripheralCode = 0x33;
constexpr int ReplyWaitMs = 5000;
constexpr int SettleMs = 400;

QByteArray PeripheralFrame(const char *payloadHex)
{
    return DeviceFrameOf(PeripheralCode, Hex(payloadHex));
}
} // namespace

class PeripheralEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void ioWrite_sendsTheChosenStates_data();
    void ioWrite_sendsTheChosenStates();
    void ioRead_showsTheDeviceStates_data();
    void ioRead_showsTheDeviceStates();
    void ioInputButtons_areDisplayOnly();
    void relayWrite_readsBack();
    void unansweredRead_keepsTheLastState();
    void singleSend_passesTheLineOn_data();
    void singleSend_passesTheLineOn();
    void singleSend_refusesABadPayload_data();
    void singleSend_refusesABadPayload();
    void groupSend_takesLinesInOrder_data();
    void groupSend_takesLinesInOrder();
    void loopSend_repeatsUntilSwitchedOff();

private:
    Ui_Peripheral *page() const { return m_program->window()->peripheralPage(); }
    UserCmdLines *lines() const { return page()->cmdLines(); }
    IoGroupBox *group(int number) const;
    void setLine(int index, int target, int port, int baud, bool hex, const QString &payload,
                 const QString &order = QStringLiteral("1"), const QString &delay = QStringLiteral("0"));
    QVector<SimPassThrough> passedOn() const;

    std::unique_ptr<ConnectedProgram> m_program;
    int m_passedBefore = 0;
};

void PeripheralEndToEndTest::initTestCase()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 4;
    options.model.outputs = 8;
    m_program = std::make_unique<ConnectedProgram>(options, ConnectedProgram::Link::Tcp,
                                                   QList<QPair<QByteArray, QByteArray>>{{"Key_UI_Peripheral", "1"}});
    QVERIFY2(m_program->ok(), m_program->why());
    Ui_Main *window = m_program->window();
    window->show();
    window->tabWidget()->setCurrentWidget(page());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ChooseEntry(lines()->lineCountBox(), 3);
    QCOMPARE(lines()->lineCount(), 4);
}

void PeripheralEndToEndTest::cleanupTestCase()
{
    m_program.reset();
}

void PeripheralEndToEndTest::init()
{
    QVERIFY(m_program->waitQuiet());
    m_program->messages().clear();
    m_program->mark();
    m_passedBefore = m_program->sim().device().state().passThroughs.size();
    for (int i = 0; i < lines()->lineCount(); ++i)
        setLine(i, 0, 0, 0, false, QString(), QString(), QStringLiteral("0"));
}

IoGroupBox *PeripheralEndToEndTest::group(int number) const
{
    return number == 1 ? page()->ioInputs() : number == 2 ? page()->ioOutputs() : page()->relays();
}

void PeripheralEndToEndTest::setLine(int index, int target, int port, int baud, bool hex, const QString &payload,
                                     const QString &order, const QString &delay)
{
    const UserCmdRow &row = lines()->row(index);
    ChooseEntry(row.target, target);
    if (target != 0)
        ChooseEntry(row.port, port);
    ChooseEntry(row.baud, baud);
    if (row.hex->isChecked() != hex)
        QTest::keyClick(row.hex, Qt::Key_Space);
    TypeText(row.payload, payload);
    TypeText(row.order, order);
    TypeText(row.delay, delay);
}

QVector<SimPassThrough> PeripheralEndToEndTest::passedOn() const
{
    return m_program->sim().device().state().passThroughs.mid(m_passedBefore);
}

void PeripheralEndToEndTest::ioWrite_sendsTheChosenStates_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("high"); // channels chosen "High" / "On", bit k = channel k + 1
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("IO-OUT 1 and 4 high") << 2 << 0x09 << PeripheralFrame("00 00 02 09");
    QTest::newRow("IO-OUT all low") << 2 << 0x00 << PeripheralFrame("00 00 02 00");
    QTest::newRow("relays 2 and 3 on") << 3 << 0x06 << PeripheralFrame("00 00 03 06");
}

void PeripheralEndToEndTest::ioWrite_sendsTheChosenStates()
{
    QFETCH(int, group);
    QFETCH(int, high);
    QFETCH(QByteArray, frame);
    IoGroupBox *box = this->group(group);
    for (int k = 0; k < 4; ++k)
        QTest::mouseClick(high & (1 << k) ? box->firstButton(k) : box->secondButton(k), Qt::LeftButton);
    QTest::mouseClick(box->writeButton(), Qt::LeftButton);
    QVERIFY(m_program->waitQuiet());
    QCOMPARE(m_program->requestsSinceMark(), QVector<QByteArray>{frame});
    const SimDeviceModel sim = m_program->sim().device().state();
    QCOMPARE(int(group == 2 ? sim.ioOutputs : sim.relays), high);
    QCOMPARE(int(box->stateByte()), high);
}

void PeripheralEndToEndTest::ioRead_showsTheDeviceStates_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("state");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("IO-IN 2 and 4 high") << 1 << 0x0A << PeripheralFrame("00 80 01 00");
    QTest::newRow("IO-OUT 2 and 4 high") << 2 << 0x0A << PeripheralFrame("00 80 02 00");
    QTest::newRow("relays 2 and 4 on") << 3 << 0x0A << PeripheralFrame("00 80 03 00");
}

void PeripheralEndToEndTest::ioRead_showsTheDeviceStates()
{
    QFETCH(int, group);
    QFETCH(int, state);
    QFETCH(QByteArray, frame);
    m_program->sim().device().editState([group, state](SimDeviceModel &model) {
        (group == 1 ? model.ioInputs : group == 2 ? model.ioOutputs : model.relays) = quint8(state);
    });
    IoGroupBox *box = this->group(group);
    QTest::mouseClick(box->readButton(), Qt::LeftButton);
    QVERIFY(m_program->waitQuiet());
    QCOMPARE(m_program->requestsSinceMark(), QVector<QByteArray>{frame});
    for (int k = 0; k < 4; ++k) {
        const bool set = state & (1 << k);
        QCOMPARE(box->firstButton(k)->isChecked(), set);
        QCOMPARE(box->secondButton(k)->isChecked(), !set);
    }
}

void PeripheralEndToEndTest::ioInputButtons_areDisplayOnly()
{
    IoGroupBox *box = page()->ioInputs();
    const quint8 before = box->stateByte();
    for (int k = 0; k < 4; ++k) {
        QRadioButton *unchecked = box->firstButton(k)->isChecked() ? box->secondButton(k) : box->firstButton(k);
        QTest::mouseClick(unchecked, Qt::LeftButton);
        QTest::keyClick(unchecked, Qt::Key_Space);
    }
    QCOMPARE(box->stateByte(), before);
    QVERIFY(m_program->waitQuiet());
    QVERIFY(m_program->requestsSinceMark().isEmpty());
}

void PeripheralEndToEndTest::relayWrite_readsBack()
{
    IoGroupBox *relays = page()->relays();
    QTest::mouseClick(relays->firstButton(0), Qt::LeftButton);
    QTest::mouseClick(relays->secondButton(1), Qt::LeftButton);
    QTest::mouseClick(relays->firstButton(2), Qt::LeftButton);
    QTest::mouseClick(relays->secondButton(3), Qt::LeftButton);
    QTest::mouseClick(relays->writeButton(), Qt::LeftButton);
    QVERIFY(m_program->waitQuiet());
    // The operator changes the buttons without writing; a read shows what
    // the device holds.
    for (int k = 0; k < 4; ++k)
        QTest::mouseClick(relays->secondButton(k), Qt::LeftButton);
    QTest::mouseClick(relays->readButton(), Qt::LeftButton);
    QVERIFY(m_program->waitQuiet());
    QCOMPARE(m_program->requestsSinceMark(),
             (QVector<QByteArray>{PeripheralFrame("00 00 03 05"), PeripheralFrame("00 80 03 00")}));
    QCOMPARE(int(relays->stateByte()), 0x05);
}

void PeripheralEndToEndTest::unansweredRead_keepsTheLastState()
{
    IoGroupBox *outputs = page()->ioOutputs();
    outputs->showState(0x03);
    m_program->sim().device().editState([](SimDeviceModel &model) { model.ioOutputs = 0x0C; });
    SimFaultOptions faults;
    faults.mutedCodes = {PeripheralCode};
    m_program->sim().setFaults(faults);
    QTest::mouseClick(outputs->readButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_program->messages().lastText().contains(SMSG_CommunicationFail), ReplyWaitMs);
    m_program->sim().setFaults(SimFaultOptions());
    QCOMPARE(int(outputs->stateByte()), 0x03);
}

void PeripheralEndToEndTest::singleSend_passesTheLineOn_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QByteArray>("sent"); // port, target, 0, baud, the bytes passed on
    QTest::newRow("peripheral port, text with escape")
        << 0 << 0 << 0 << false << "PWR\\r" << Hex("00 00 00 00 50 57 52 0D");
    QTest::newRow("input 2, hex, 38400") << 1 << 1 << 2 << true << "AA 55 01" << Hex("01 41 00 02 AA 55 01");
    QTest::newRow("output 8, Latin-1 text") << 2 << 7 << 1 << false << "é" << Hex("07 02 00 01 E9");
    QTest::newRow("all outputs") << 2 << 8 << 3 << true << "00" << Hex("FF 02 00 03 00");
}

void PeripheralEndToEndTest::singleSend_passesTheLineOn()
{
    QFETCH(int, target);
    QFETCH(int, port);
    QFETCH(int, baud);
    QFETCH(bool, hex);
    QFETCH(QString, payload);
    QFETCH(QByteArray, sent);
    setLine(0, target, port, baud, hex, payload);
    QTest::mouseClick(lines()->row(0).note, Qt::LeftButton);
    QVERIFY(m_program->waitQuiet());
    QCOMPARE(m_program->requestsSinceMark(), QVector<QByteArray>{DeviceFrameOf(PeripheralCode, sent)});
    const QVector<SimPassThrough> passed = passedOn();
    QCOMPARE(passed.size(), 1);
    QCOMPARE(passed[0].port, quint8(sent[0]));
    QCOMPARE(passed[0].target, quint8(sent[1]));
    QCOMPARE(int(passed[0].baud), baud);
    QCOMPARE(passed[0].payload, sent.mid(4));
    QCOMPARE(m_program->messages().count(), 0);
}

void PeripheralEndToEndTest::singleSend_refusesABadPayload_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("message");
    QTest::newRow("251 bytes") << false << QString(251, QLatin1Char('x')) << "Data Overflow!";
    QTest::newRow("empty") << false << QString() << "Data Format Error or Empty Data!";
    QTest::newRow("odd hex digit") << true << "AA 5"
                                   << "Data Format Error or Empty Data!";
}

void PeripheralEndToEndTest::singleSend_refusesABadPayload()
{
    QFETCH(bool, hex);
    QFETCH(QString, payload);
    QFETCH(QString, message);
    setLine(0, 0, 0, 0, hex, payload);
    QTest::mouseClick(lines()->row(0).note, Qt::LeftButton);
    QCOMPARE(m_program->messages().texts(), QStringList{message});
    QVERIFY(m_program->waitQuiet());
    QVERIFY(m_program->requestsSinceMark().isEmpty());
}

void PeripheralEndToEndTest::groupSend_takesLinesInOrder_data()
{
    QTest::addColumn<QStringList>("orders"); // of lines 1...; the payload of line n is "L<n>"
    QTest::addColumn<int>("longLine");       // a line whose payload is 251 bytes, or 0
    QTest::addColumn<QByteArray>("sent");    // the line numbers in the order they left
    QTest::newRow("2 1 2") << QStringList{"2", "1", "2"} << 0 << QByteArray("213");
    QTest::newRow("0, 100 and a left out") << QStringList{"3", "0", "100", "a"} << 0 << QByteArray("1");
    QTest::newRow("251 bytes skipped") << QStringList{"1", "2", "3"} << 2 << QByteArray("13");
    QTest::newRow("empty order left out") << QStringList{"", "5", "4", "5"} << 0 << QByteArray("324");
}

void PeripheralEndToEndTest::groupSend_takesLinesInOrder()
{
    QFETCH(QStringList, orders);
    QFETCH(int, longLine);
    QFETCH(QByteArray, sent);
    for (int i = 0; i < orders.size(); ++i) {
        const QString payload = i + 1 == longLine ? QString(251, QLatin1Char('x')) : QStringLiteral("L%1").arg(i + 1);
        setLine(i, 0, 0, 0, false, payload, orders[i]);
    }
    QTest::mouseClick(lines()->groupSendButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!lines()->groupSendRunning(), ReplyWaitMs);
    QVERIFY(m_program->waitQuiet());
    QByteArray order;
    for (const SimPassThrough &line : passedOn())
        order += line.payload.mid(1); // "L<n>"
    QCOMPARE(order, sent);
    QCOMPARE(m_program->messages().count(), 0);
}

void PeripheralEndToEndTest::loopSend_repeatsUntilSwitchedOff()
{
    setLine(0, 0, 0, 0, false, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("60"));
    setLine(1, 0, 0, 0, false, QStringLiteral("B"), QStringLiteral("2"), QStringLiteral("60"));
    QTest::mouseClick(lines()->loopBox(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(passedOn().size() >= 6, ReplyWaitMs);
    QTest::mouseClick(lines()->loopBox(), Qt::LeftButton);
    const int atSwitch = passedOn().size();
    QTRY_VERIFY_WITH_TIMEOUT(!lines()->groupSendRunning(), ReplyWaitMs);
    QTest::qWait(SettleMs);
    QVERIFY(m_program->waitQuiet());
    // The line in flight when the loop was switched off may still arrive;
    // nothing after it.
    const QVector<SimPassThrough> passed = passedOn();
    QVERIFY2(passed.size() <= atSwitch + 1, qPrintable(QStringLiteral("%1 after %2").arg(passed.size()).arg(atSwitch)));
    for (int i = 0; i < passed.size(); ++i)
        QCOMPARE(passed[i].payload, QByteArray(i % 2 ? "B" : "A"));
    QVERIFY(!lines()->row(0).note->isFlat() && !lines()->row(1).note->isFlat());
}

QTEST_MAIN(PeripheralEndToEndTest)
#include "tst_peripheral_e2e.moc"
