// The More dialog against the device simulator: its opening read, each
// control's command on the wire, the answers it shows, and the output-mode
// rules (AUTO refuses multiview, the group leaves its splice).
#include "app/LanguageTable.h"
#include "pages/routing/Ui_More.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/ComboChoice.h"
#include "support/ConnectedProgram.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr quint32 AutoFormat = 22;

QByteArray Wire(quint8 code, const char *payload)
{
    return DeviceFrameOf(code, Hex(payload));
}

// Eight outputs of kind 1; output 1 at format AUTO, outputs 5-8 showing a
// multiview. The TV wall splices nothing, so that a mode change takes no
// output out of a splice (which would put wall commands on the wire).
SimOptions EightOutputs()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.outputFormats = {int(AutoFormat)};
    options.model.wallRows = 1;
    options.model.wallCols = 4;
    return options;
}

} // namespace

class MoreE2eTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConnectedProgram> m_program;
    Ui_More *m_more = nullptr;

    Ui_SignalConfig *page() const { return m_program->window()->signalConfigPage(); }

    QList<QByteArray> sent()
    {
        if (!m_program->waitQuiet())
            return {QByteArrayLiteral("still busy")};
        return m_program->requestsSinceMark().toList();
    }

    Ui_More *openMore(ConnectedProgram &program)
    {
        Ui_SignalConfig *signalPage = program.window()->signalConfigPage();
        program.window()->show();
        program.window()->tabWidget()->setCurrentWidget(signalPage);
        if (!QTest::qWaitForWindowExposed(program.window()))
            return nullptr;
        QTest::mouseClick(signalPage->outputRows()->moreButton(), Qt::LeftButton);
        return signalPage->moreDialog();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_program = std::make_unique<ConnectedProgram>(EightOutputs());
        QVERIFY2(m_program->ok(), m_program->why());
        m_more = openMore(*m_program);
        QVERIFY(m_more);
        QVERIFY(QTest::qWaitForWindowExposed(m_more));
    }

    void init()
    {
        QVERIFY(m_program->waitQuiet());
        m_program->messages().clear();
        m_program->mark();
    }

    void cleanupTestCase() { m_program.reset(); }

    void openingReadShowsTheDevice()
    {
        // The dialog opened in initTestCase; its reads are the last frames.
        const QVector<SimTrafficEntry> all = m_program->sim().requests(m_program->simLink());
        QList<QByteArray> last;
        for (int i = all.size() - 7; i < all.size(); ++i)
            last << all.at(i).bytes;
        QCOMPARE(last,
                 (QList<QByteArray>{Wire(0x49, "00 F0 01 00"), Wire(0x49, "00 F0 02 00"), Wire(0x49, "00 A0 04 00"),
                                    Wire(0x49, "00 F0 06 00"), Wire(0xBA, "00 80 00"), Wire(0xA4, "00 80 00 00 00 00"),
                                    Wire(0xA1, "00 80 00")}));
        // Simulator: all bind off, reports on, IR on, N+1 off.
        QVERIFY(m_more->switchPair(Ui_More::AllBind).off->isFlat());
        QVERIFY(!m_more->switchPair(Ui_More::AllBind).on->isFlat());
        QVERIFY(m_more->switchPair(Ui_More::Report).on->isFlat());
        QVERIFY(m_more->switchPair(Ui_More::Ir).on->isFlat());
        QVERIFY(m_more->switchPair(Ui_More::NPlus1).off->isFlat());
        QCOMPARE(m_more->rotateBox()->currentText(), QStringLiteral("0"));
        QCOMPARE(m_more->widthEdit()->text(), QStringLiteral("1920"));
        QCOMPARE(m_more->heightEdit()->text(), QStringLiteral("1080"));
        QCOMPARE(m_more->multiviewPortBox()->count(), 2);
        QCOMPARE(m_more->outputModeBox()->currentText(), QStringLiteral("Normal"));
    }

    void boxesSendTheirChoice_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<QString>("shows");
        QTest::newRow("N+1 backup") << "backup" << 2 << QList<QByteArray>{Wire(0xBE, "02")} << "3";
        QTest::newRow("input no-signal mode")
            << "inputNoSignal" << 1 << QList<QByteArray>{Wire(0xD7, "FF 40 01")} << "Blue Screen";
        QTest::newRow("output no-signal mode")
            << "outputNoSignal" << 2 << QList<QByteArray>{Wire(0xD7, "FF 00 02")} << "Close Output";
        QTest::newRow("rotate") << "rotate" << 2 << QList<QByteArray>{Wire(0xBA, "00 00 02")} << "H-Mirror";
        QTest::newRow("test pattern off") << "testPattern" << 0 << QList<QByteArray>{Wire(0xD8, "00 00 00")} << "Off";
        QTest::newRow("test pattern 3") << "testPattern" << 3 << QList<QByteArray>{Wire(0xD8, "00 01 02")} << "3";
        QTest::newRow("output port, then its rotation")
            << "outputPort" << 1 << QList<QByteArray>{Wire(0xBA, "01 80 00")} << "2";
        QTest::newRow("resolution port, then its resolution")
            << "resolutionPort" << 2 << QList<QByteArray>{Wire(0xA4, "02 80 00 00 00 00")} << "3";
    }

    void boxesSendTheirChoice()
    {
        QFETCH(QString, box);
        QFETCH(int, entry);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(QString, shows);
        QComboBox *const boxes[] = {m_more->backupBox(),        m_more->inputNoSignalBox(), m_more->outputNoSignalBox(),
                                    m_more->rotateBox(),        m_more->testPatternBox(),   m_more->outputPortBox(),
                                    m_more->resolutionPortBox()};
        const QStringList names = {"backup",      "inputNoSignal", "outputNoSignal", "rotate",
                                   "testPattern", "outputPort",    "resolutionPort"};
        QComboBox *chosen = boxes[names.indexOf(box)];
        QVERIFY(ChooseComboEntry(chosen, entry));
        QCOMPARE(sent(), frames);
        QCOMPARE(chosen->currentText(), shows);
    }

    void userResolutionWriteThenRead()
    {
        QVERIFY(ChooseComboEntry(m_more->resolutionPortBox(), 1));
        QVERIFY(m_program->waitQuiet());
        m_program->mark();
        m_more->widthEdit()->clear();
        m_more->heightEdit()->clear();
        QTest::keyClicks(m_more->widthEdit(), QStringLiteral("1280"));
        QTest::keyClicks(m_more->heightEdit(), QStringLiteral("720"));
        QTest::mouseClick(m_more->writeResolutionButton(), Qt::LeftButton);
        QCOMPARE(sent(), QList<QByteArray>{Wire(0xA4, "01 00 05 00 02 D0")});
        QCOMPARE(m_program->sim().device().state().outputs[1].userWidth, quint16(1280));

        m_more->widthEdit()->clear();
        m_more->heightEdit()->clear();
        m_program->mark();
        QTest::mouseClick(m_more->readResolutionButton(), Qt::LeftButton);
        QCOMPARE(sent(), QList<QByteArray>{Wire(0xA4, "01 80 00 00 00 00")});
        QCOMPARE(m_more->widthEdit()->text(), QStringLiteral("1280"));
        QCOMPARE(m_more->heightEdit()->text(), QStringLiteral("720"));
    }

    void autoFormatRefusesMultiview()
    {
        QCOMPARE(Device().outputAt(0).format, AutoFormat);
        QSignalSpy splice(page(), &Ui_SignalConfig::SGL_JudgeMutex_MVAndSplicing);
        QVERIFY(ChooseComboEntry(m_more->multiviewPortBox(), 0));
        QVERIFY(m_program->waitQuiet());
        m_program->mark();
        QVERIFY(ChooseComboEntry(m_more->outputModeBox(), 1));
        QCOMPARE(m_program->messages().texts(), QStringList{SMSG_AUTOResIsOnlyNormalMode});
        QCOMPARE(m_more->outputModeBox()->currentText(), QStringLiteral("Normal"));
        QCOMPARE(sent(), QList<QByteArray>());
        QCOMPARE(splice.count(), 0);

        QVERIFY(ChooseComboEntry(m_more->outputModeBox(), 0));
        QCOMPARE(sent(), QList<QByteArray>{Wire(0xA1, "00 00 00")});
        QCOMPARE(splice.count(), 4);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(splice.at(k).at(0).toUInt(), uint(k));
    }

    // Output 5 leaves multiview mode and comes back: the page's list of
    // multiview outputs follows the device's answers.
    void outputModeOfAMultiviewGroup()
    {
        QSignalSpy listChanged(page(), &Ui_SignalConfig::SGL_UpdateSelect_MV);
        QCOMPARE(Device().multiviewCount, 1u);
        QVERIFY(ChooseComboEntry(m_more->multiviewPortBox(), 1));
        QCOMPARE(sent(), QList<QByteArray>{Wire(0xA1, "04 80 00")});
        QCOMPARE(m_more->outputModeBox()->currentText(), QStringLiteral("Multiview"));
        QVERIFY(!page()->outputRows()->row(4).format->isEnabled());

        m_program->mark();
        QVERIFY(ChooseComboEntry(m_more->outputModeBox(), 0));
        QCOMPARE(sent(), QList<QByteArray>{Wire(0xA1, "04 00 00")});
        QCOMPARE(Device().multiviewCount, 0u);
        QCOMPARE(listChanged.count(), 1);
        QVERIFY(page()->outputRows()->row(4).format->isEnabled());

        m_program->mark();
        QVERIFY(ChooseComboEntry(m_more->outputModeBox(), 1));
        // The multiview page reads the multiview that came back.
        QCOMPARE(sent(), (QList<QByteArray>{Wire(0xA1, "04 00 01"), Wire(0x9C, "04 80")}));
        QCOMPARE(Device().multiviewCount, 1u);
        QCOMPARE(Device().multiviewAt(0).output, 4u);
        QCOMPARE(listChanged.count(), 2);
    }

private:
    static QStringList Entries(const QComboBox *box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
};

QTEST_MAIN(MoreE2eTest)
#include "tst_more_e2e.moc"
