// What the operator sees of the link and of the freshness of the values,
// against the device simulator through the GUI: the link state on every
// tab, inactive pages and nothing sent without a link, rows whose reads
// went unanswered, and pending crosspoints with a slow device.
#include "app/LanguageTable.h"
#include "pages/peripheral/IoGroupBox.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/SignalInputRows.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/network/Ui_System.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "shell/LinkIndicator.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "transport/Ui_Uart_Network.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>

namespace {
constexpr int NoticeMs = 1000;
constexpr int ReadSettledMs = 8000;
constexpr int SlowDeviceMs = 800;
constexpr quint8 SwitchCode = 0x01;
constexpr quint8 SignalInfoCode = 0x7F;
constexpr quint8 PeripheralCode = 0x33;

QByteArray freshness(const QWidget *w)
{
    return w->property("freshness").toByteArray();
}

QVector<QByteArray> switchesSinceMark(ConnectedProgram &program)
{
    QVector<QByteArray> switches;
    for (const QByteArray &frame : program.requestsSinceMark())
        if (frame.size() > 2 && quint8(frame.at(2)) == SwitchCode)
            switches << frame;
    return switches;
}
} // namespace

class LinkStateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deviceGone_showsNotConnectedOnEveryTab_data();
    void deviceGone_showsNotConnectedOnEveryTab();
    void unansweredReads_markTheRowsUntilReadAgain_data();
    void unansweredReads_markTheRowsUntilReadAgain();
    void quickPicksOnASlowDevice_sendTheFirstAndTheLast();
    void stopSync_staysDown_andEarlierValuesAreMarked();
};

void LinkStateTest::deviceGone_showsNotConnectedOnEveryTab_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < 6; ++tab)
        QTest::newRow(qPrintable(QStringLiteral("tab %1").arg(tab))) << tab;
}

void LinkStateTest::deviceGone_showsNotConnectedOnEveryTab()
{
    QFETCH(int, tab);
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentIndex(tab);
    const QString endpoint = QStringLiteral("127.0.0.1:%1").arg(program.sim().tcpPort());
    QCOMPARE(window->windowTitle(), QStringLiteral("KXR — 8×8 — %1 — %2").arg(endpoint, S_LinkConnected));
    QVERIFY(window->linkStatusLine()->isVisible());
    QVERIFY(window->matrixPage()->isEnabled());

    QSignalSpy titles(window, &QWidget::windowTitleChanged);
    program.sim().setTcpListening(false);
    program.sim().dropTcpClients();
    QTRY_VERIFY_WITH_TIMEOUT(window->windowTitle().endsWith(S_LinkNotConnected), NoticeMs);
    // The link is made again once before it counts as lost.
    QVERIFY(std::any_of(titles.cbegin(), titles.cend(),
                        [](const QList<QVariant> &t) { return t.at(0).toString().endsWith(S_LinkReconnecting); }));
    QVERIFY(window->linkStatusLine()->isVisible());
    QVERIFY2(window->linkStatusLine()->text().startsWith(SMSG_NotConnectedSince.section(QLatin1Char('%'), 0, 0)),
             qPrintable(window->linkStatusLine()->text()));
    QVERIFY(window->connectionPage()->statusLog()->toPlainText().contains(
        SMSG_LinkLost.section(QLatin1Char(' '), 1).arg(endpoint)));
    const QTabWidget *tabs = window->tabWidget();
    for (int t = 1; t < tabs->count(); ++t)
        QCOMPARE(tabs->widget(t)->isEnabled(), tabs->widget(t) == static_cast<QWidget *>(window->systemPage()));

    // The routing last reported stays on show, inactive, through a change
    // of language too.
    QVERIFY(window->matrixPage()->grid()->crosspoint(1, 1)->isFlat());
    window->matrixPage()->RetranslateUi();
    QVERIFY(window->matrixPage()->grid()->crosspoint(1, 1)->isFlat());
    QVERIFY(!window->matrixPage()->grid()->crosspoint(1, 1)->isHidden());
    // A click on an inactive page sends nothing, even once a link is back.
    program.sim().setTcpListening(true);
    program.mark();
    QTest::mouseClick(window->matrixPage()->grid()->crosspoint(3, 1), Qt::LeftButton);
    QTest::mouseClick(window->signalConfigPage()->inputRows()->row(0).read, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(program.requestsSinceMark().size(), 0);
}

void LinkStateTest::unansweredReads_markTheRowsUntilReadAgain_data()
{
    QTest::addColumn<quint8>("code");
    QTest::newRow("input info") << SignalInfoCode;
    QTest::newRow("output info") << SignalInfoCode;
    QTest::newRow("IO inputs") << PeripheralCode;
    QTest::newRow("relays") << PeripheralCode;
}

void LinkStateTest::unansweredReads_markTheRowsUntilReadAgain()
{
    QFETCH(quint8, code);
    const QByteArray row = QTest::currentDataTag();
    ConnectedProgram program(SimHarness::TestOptions(), ConnectedProgram::Link::Tcp, {{"Key_UI_Peripheral", "1"}});
    QVERIFY2(program.ok(), program.why());
    Ui_Main *window = program.window();
    Ui_SignalConfig *signal = window->signalConfigPage();
    IoGroupBox *io = row == "IO inputs" ? window->peripheralPage()->ioInputs() : window->peripheralPage()->relays();
    const bool input = row == "input info", output = row == "output info";
    QWidget *marked = input ? signal->inputRows()->row(2).number
        : output            ? signal->outputRows()->row(6).number
                            : static_cast<QWidget *>(io);
    QPushButton *read = input ? signal->inputRows()->row(2).read
        : output              ? signal->outputRows()->row(6).read
                              : io->readButton();
    const QString name = input ? S_Input + QStringLiteral("-3")
        : output               ? S_OutPut + QStringLiteral("-7")
                               : (row == "IO inputs" ? SgroupBox_IO_IN : SgroupBox_Relay);
    if (row == "IO inputs") { // never read: no level shown, and the group says so
        QVERIFY(!io->firstButton(0)->isChecked() && !io->secondButton(0)->isChecked());
        QVERIFY(io->title().endsWith(S_Unknown));
    }
    QCOMPARE(freshness(marked), QByteArray());

    SimFaultOptions muted;
    muted.mutedCodes = {code};
    program.sim().setFaults(muted);
    QTest::mouseClick(read, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(freshness(marked), QByteArray("missed"), ReadSettledMs);
    QCOMPARE(marked->toolTip(), STIPS_NoAnswer);
    QCOMPARE(read->toolTip(), STIPS_NoAnswer);
    const QString summary = SMSG_ReadsUnanswered.arg(1).arg(name);
    QTRY_VERIFY_WITH_TIMEOUT(window->connectionPage()->statusLog()->toPlainText().contains(summary), ReadSettledMs);

    program.sim().setFaults(SimFaultOptions());
    QTest::mouseClick(read, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(freshness(marked), QByteArray(), ReadSettledMs);
    QCOMPARE(read->toolTip(), QString());
    if (input)
        QCOMPARE(signal->inputRows()->row(2).inputFormat->text(), QStringLiteral("1920x1080p60"));
    if (row == "IO inputs")
        QCOMPARE(io->title(), SgroupBox_IO_IN);
}

void LinkStateTest::quickPicksOnASlowDevice_sendTheFirstAndTheLast()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    const MatrixGrid *grid = window->matrixPage()->grid();
    SimFaultOptions slow;
    slow.delayMs = SlowDeviceMs;
    program.sim().setFaults(slow);

    // Output 3 routed from input 3; five quick picks, input 4 last.
    program.mark();
    for (int column : {5, 6, 7, 1, 3}) {
        QTest::mouseClick(grid->crosspoint(column, 2), Qt::LeftButton);
        QVERIFY(grid->crosspoint(column, 2)->property("pending").toBool());
        QTest::qWait(60);
    }
    QVERIFY(grid->crosspoint(2, 2)->isFlat()); // nothing confirmed yet
    QVERIFY(program.waitQuiet());
    const QVector<QByteArray> switches = switchesSinceMark(program);
    QVERIFY2(switches.size() <= 2, qPrintable(QString::number(switches.size())));
    QCOMPARE(switches.last(), DeviceFrameOf(SwitchCode, QByteArray::fromHex("0302")));
    QTRY_VERIFY_WITH_TIMEOUT(grid->crosspoint(3, 2)->isFlat(), NoticeMs);
    for (int c = 0; c < grid->columnCount(); ++c)
        QVERIFY(!grid->crosspoint(c, 2)->property("pending").toBool());
    QCOMPARE(program.sim().device().state().routing[2], quint8(3));
}

void LinkStateTest::stopSync_staysDown_andEarlierValuesAreMarked()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Main *window = program.window();
    program.disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(window->windowTitle().endsWith(S_LinkNotConnected), NoticeMs);
    QTest::mouseClick(window->stopSyncButton(), Qt::LeftButton);
    QVERIFY(window->stopSyncButton()->isChecked());

    // Connected again without reading: the rows of the first connection stay,
    // marked, and the status line says whose they are.
    program.mark();
    QTest::mouseClick(window->connectionPage()->networkConnectButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window->linkIndicator()->state() == LinkIndicator::State::Connected, NoticeMs);
    QVERIFY2(window->linkStatusLine()->text().contains(SMSG_EarlierValues.section(QLatin1Char('%'), 0, 0)),
             qPrintable(window->linkStatusLine()->text()));
    QCOMPARE(freshness(window->signalConfigPage()->inputRows()->row(0).number), QByteArray("stale"));
    QVERIFY(program.waitQuiet());
    QCOMPARE(program.requestsSinceMark().size(), 1); // the identification only
    QVERIFY(window->stopSyncButton()->isChecked());
}

QTEST_MAIN(LinkStateTest)
#include "tst_link_state.moc"
