// The signal configuration page against the device simulator, driven through
// its controls: each control puts exactly its command on the wire, the row
// then shows what the device answered, lost replies leave the last confirmed
// state, and nothing is sent while disconnected.
#include "pages/routing/SignalInputRows.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/MultiviewList.h"
#include "shell/Ui_Main.h"
#include "support/ComboChoice.h"
#include "support/ConnectedProgram.h"
#include "transport/Ui_Uart_Network.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr quint8 SignalInfo = 0x7F;
constexpr int ReplyTimeoutMs = 2000;
constexpr int SettleMs = 8000;

SimTiming Timing(quint16 width, quint16 height, quint8 rate, bool interlaced = false)
{
    SimTiming timing;
    timing.width = width;
    timing.height = height;
    timing.rate = rate;
    timing.interlaced = interlaced;
    return timing;
}

// Sixteen inputs and outputs on mixed cards: inputs 1 and 2 on analogue
// cards (kinds 4, 5), 3 and 4 on embedded-audio cards (3, 6); outputs 9, 10
// and 11 on kinds 7, 8 and 3, output 8 on kind 0, the rest on kind 1.
SimOptions MixedDevice()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 16;
    options.model.outputs = 16;
    options.model.inputKinds = {0, 4, 5, 3, 6};
    options.model.inputTimings = {Timing(1920, 1080, 60), Timing(1280, 720, 60), Timing(720, 576, 50, true)};
    options.model.outputKinds = {1, 1, 1, 1, 1, 1, 1, 1, 0, 7, 8, 3};
    return options;
}

QByteArray Wire(quint8 code, const char *payload)
{
    return DeviceFrameOf(code, Hex(payload));
}

QString Flag(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

Q_DECLARE_METATYPE(SimFaultOptions)

class SignalE2eTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConnectedProgram> m_program;

    Ui_SignalConfig *page() const { return m_program->window()->signalConfigPage(); }

    // What one row shows, as "type|timing|…" (combo texts, check states).
    QString inputRowText(int r) const
    {
        const InputRow &row = page()->inputRows()->row(r);
        return QStringList{row.type->currentText(), row.inputFormat->text(), row.outputFormat->text(),
                           row.audio->currentText(), Flag(row.bind)}
            .join(QLatin1Char('|'));
    }

    QString outputRowText(int r) const
    {
        const OutputRow &row = page()->outputRows()->row(r);
        return QStringList{row.type->currentText(), row.inputFormat->text(), row.format->currentText(),
                           Flag(row.mute),          Flag(row.freeze),        Flag(row.black)}
            .join(QLatin1Char('|'));
    }

    void operate(const QString &control, int entry)
    {
        if (auto *box = page()->findChild<QComboBox *>(control)) {
            QVERIFY2(ChooseComboEntry(box, entry), qPrintable(control));
        } else if (auto *button = page()->findChild<QAbstractButton *>(control)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            QFAIL(qPrintable("no control " + control));
        }
    }

    int repliesSent() const
    {
        int count = 0;
        for (const SimTrafficEntry &entry : m_program->sim().device().traffic())
            count += entry.direction == SimDirection::Out ? 1 : 0;
        return count;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_program = std::make_unique<ConnectedProgram>(MixedDevice());
        QVERIFY2(m_program->ok(), m_program->why());
        Ui_Main *window = m_program->window();
        window->show();
        window->tabWidget()->setCurrentWidget(page());
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void init()
    {
        m_program->sim().setFaults(SimFaultOptions());
        QVERIFY(m_program->waitQuiet());
        m_program->messages().clear();
        m_program->mark();
    }

    void cleanupTestCase() { m_program.reset(); }

    void fullReadShowsTheDevice_data()
    {
        QTest::addColumn<bool>("input");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shows");
        QTest::newRow("input 1, kind 0") << true << 0 << "HDMI|1920x1080p60|1920x1080p60|Embedded|0";
        QTest::newRow("input 2, kind 4") << true << 1 << "DVI|1280x720p60|1280x720p60|Embedded|0";
        QTest::newRow("input 3, kind 5") << true << 2 << "VGA|720x576i50|720x576i50|L/R|0";
        QTest::newRow("input 4, kind 3") << true << 3 << "HDMI|1920x1080p60|1920x1080p60|Embedded|0";
        QTest::newRow("output 3, kind 1") << false << 2 << "HDMI|720x576i50|1920x1080p60|0|0|0";
        QTest::newRow("output 10, kind 7") << false << 9 << "HDMI|1920x1080p60|1920x1080p60|0|0|0";
        QTest::newRow("output 11, kind 8") << false << 10 << "VGA|1920x1080p60|1920x1080p60|0|0|0";
    }

    void fullReadShowsTheDevice()
    {
        QFETCH(bool, input);
        QFETCH(int, row);
        QFETCH(QString, shows);
        QCOMPARE(input ? inputRowText(row) : outputRowText(row), shows);
    }

    void multiviewGroupLocksItsFormats()
    {
        // The simulated device shows a multiview on outputs 5-8.
        QCOMPARE(Device().multiviewCount, 1u);
        QCOMPARE(Device().multiviewAt(0).output, 4u);
        QVERIFY(page()->outputRows()->row(0).format->isEnabled());
        for (int r = 4; r < 8; ++r)
            QVERIFY(!page()->outputRows()->row(r).format->isEnabled());
    }

    void controlSendsItsCommand_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<bool>("input");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shows");
        QTest::newRow("type of a kind 4 input, then its read")
            << "SignalConfig-InputType-I1" << 1 << QList<QByteArray>{Wire(0xB0, "01 60 06 00"), Wire(0x7F, "01 C0")}
            << true << 1 << "VGA|1280x720p60|1280x720p60|L/R|0";
        QTest::newRow("audio select") << "SignalConfig-AudioSelect-I0" << 1 << QList<QByteArray>{Wire(0xC4, "00 40 01")}
                                      << true << 0 << "HDMI|1920x1080p60|1920x1080p60|L/R|0";
        QTest::newRow("type of a kind 7 output, then its read")
            << "SignalConfig-OutputType-O9" << 4 << QList<QByteArray>{Wire(0xB0, "09 00 04 00"), Wire(0x7F, "09 80")}
            << false << 9 << "CVBS|1920x1080p60|PAL|0|0|0";
        QTest::newRow("type of a kind 3 output, no read")
            << "SignalConfig-OutputType-O11" << 1 << QList<QByteArray>{Wire(0xB0, "0B 00 03 00")} << false << 11
            << "DVI|1920x1080p60|1920x1080p60|0|0|0";
        QTest::newRow("format") << "SignalConfig-OutputFormat-O0" << 2 << QList<QByteArray>{Wire(0xB1, "00 00 02")}
                                << false << 0 << "HDMI|1920x1080p60|3840x2160p60|0|0|0";
        QTest::newRow("mute") << "SignalConfig-AudioMute-O1" << -1 << QList<QByteArray>{Wire(0x49, "01 30 05 01")}
                              << false << 1 << "HDMI|1280x720p60|1920x1080p60|1|0|0";
        QTest::newRow("freeze") << "SignalConfig-Freeze-O2" << -1 << QList<QByteArray>{Wire(0x49, "02 30 03 01")}
                                << false << 2 << "HDMI|720x576i50|1920x1080p60|0|1|0";
        QTest::newRow("black") << "SignalConfig-Black-O3" << -1 << QList<QByteArray>{Wire(0x49, "03 30 07 01")} << false
                               << 3 << "HDMI|1920x1080p60|1920x1080p60|0|0|1";
    }

    void controlSendsItsCommand()
    {
        QFETCH(QString, control);
        QFETCH(int, entry);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(bool, input);
        QFETCH(int, row);
        QFETCH(QString, shows);
        operate(control, entry);
        QVERIFY(m_program->waitQuiet());
        QCOMPARE(m_program->requestsSinceMark().toList(), frames);
        QCOMPARE(input ? inputRowText(row) : outputRowText(row), shows);
        QCOMPARE(m_program->messages().count(), 0);
    }

    void bindPairsRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("partner");
        QTest::addColumn<QByteArray>("bound");
        QTest::newRow("row 1 with row 2") << 0 << 1 << Wire(0x45, "00 70 03 00 00 00 00 00 00 00 00 00");
        // Input 15 also stands for the bits past the last input.
        QTest::newRow("row 16 with row 15") << 15 << 14 << Wire(0x45, "00 70 00 C0 FF FF FF FF FF FF FF FF");
    }

    void bindPairsRows()
    {
        QFETCH(int, row);
        QFETCH(int, partner);
        QFETCH(QByteArray, bound);
        QCheckBox *box = page()->inputRows()->row(row).bind;
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(m_program->waitQuiet());
        QCOMPARE(m_program->requestsSinceMark().toList(), QList<QByteArray>{bound});
        const SimDeviceModel sim = m_program->sim().device().state();
        QVERIFY(sim.inputs[row].bind && sim.inputs[partner].bind);
        QVERIFY(box->isChecked());
        QVERIFY(page()->inputRows()->row(partner).bind->isChecked());

        m_program->mark();
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(m_program->waitQuiet());
        QCOMPARE(m_program->requestsSinceMark().toList(),
                 QList<QByteArray>{Wire(0x45, "00 70 00 00 00 00 00 00 00 00 00 00")});
        QVERIFY(!page()->inputRows()->row(partner).bind->isChecked());
    }

    void readAllOutputsRebuildsTheMultiviewList()
    {
        QSignalSpy listChanged(page(), &Ui_SignalConfig::SGL_UpdateSelect_MV);
        QTest::mouseClick(page()->outputRows()->readAllButton(), Qt::LeftButton);
        QCOMPARE(Device().multiviewCount, 0u);
        QCOMPARE(Device().multiviewAt(0).output, MultiviewList::FreeMark);
        QCOMPARE(outputRowText(0), QStringLiteral("|||0|0|0"));
        QVERIFY(m_program->waitQuiet());
        // A read of each output, then the multiview page reads the
        // multiview that joined the emptied list.
        QCOMPARE(m_program->requestsSinceMark().size(), 17);
        QCOMPARE(m_program->requestsSinceMark().last(), DeviceFrameOf(0x9C, Hex("04 80")));
        QCOMPARE(Device().multiviewCount, 1u);
        QCOMPARE(Device().multiviewAt(0).output, 4u);
        QCOMPARE(Device().multiviewAt(0).kind, 1u);
        // Emptied, then output 5 joined again.
        QCOMPARE(listChanged.count(), 2);
    }

    void lostInfoReplyLeavesTheRowEmpty_data()
    {
        QTest::addColumn<SimFaultOptions>("faults");
        SimFaultOptions dropped;
        dropped.drop = 1.0;
        SimFaultOptions corrupted;
        corrupted.corrupt = 1.0;
        QTest::newRow("dropped") << dropped;
        QTest::newRow("corrupted") << corrupted;
    }

    void lostInfoReplyLeavesTheRowEmpty()
    {
        QFETCH(SimFaultOptions, faults);
        constexpr int Row = 8;
        const QString before = outputRowText(Row);
        QSignalSpy refreshed(&Events(), &DeviceEvents::SGL_RefreshOutput);
        const int repliesBefore = repliesSent();
        m_program->sim().setFaults(faults);
        QPushButton *read = page()->outputRows()->row(Row).read;
        QTest::mouseClick(read, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(repliesSent(), repliesBefore + 1, SettleMs);
        m_program->sim().setFaults(SimFaultOptions());
        QCOMPARE(outputRowText(Row), QStringLiteral("|||0|0|0"));

        // The next Read waits for the lost one's timeout, then fills the row.
        QTest::mouseClick(read, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(outputRowText(Row), before, ReplyTimeoutMs + SettleMs);
        QCOMPARE(refreshed.count(), 1);
        // Information reads are not reported when they time out.
        QCOMPARE(m_program->messages().count(), 0);
    }

    // Every control that writes: a lost answer leaves the row showing what
    // the device last confirmed; the format's loss is reported in a box,
    // the switches' in the Status log.
    void lostWriteReplyKeepsTheConfirmedState_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("row");
        QTest::newRow("format") << "SignalConfig-OutputFormat-O1" << 5 << 0xB1 << 1;
        QTest::newRow("mute") << "SignalConfig-AudioMute-O4" << -1 << 0x49 << 4;
        QTest::newRow("freeze") << "SignalConfig-Freeze-O5" << -1 << 0x49 << 5;
        QTest::newRow("black") << "SignalConfig-Black-O6" << -1 << 0x49 << 6;
    }

    void lostWriteReplyKeepsTheConfirmedState()
    {
        QFETCH(QString, control);
        QFETCH(int, entry);
        QFETCH(int, code);
        QFETCH(int, row);
        const QString confirmed = outputRowText(row);
        const int messages = m_program->messages().count();
        const auto noAnswerLines = [this] {
            return m_program->window()->connectionPage()->statusLog()->toPlainText().count(
                QStringLiteral("no answer from the device"));
        };
        const int lines = noAnswerLines();
        SimFaultOptions faults;
        faults.mutedCodes = {quint8(code)};
        m_program->sim().setFaults(faults);
        operate(control, entry);
        QTRY_COMPARE_WITH_TIMEOUT(outputRowText(row), confirmed, ReplyTimeoutMs + SettleMs);
        if (code == 0xB1) {
            QTRY_COMPARE_WITH_TIMEOUT(m_program->messages().count(), messages + 1, ReplyTimeoutMs + SettleMs);
            QVERIFY(m_program->messages().lastText().contains(QStringLiteral("B1")));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(noAnswerLines(), lines + 1, ReplyTimeoutMs + SettleMs);
            QCOMPARE(m_program->messages().count(), messages);
        }
        m_program->sim().setFaults(SimFaultOptions());
    }
};

QTEST_MAIN(SignalE2eTest)
#include "tst_signal_e2e.moc"
