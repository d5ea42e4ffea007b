// Operator safety against the device simulator: no box that sends reacts to
// a stray wheel notch, arrow key or letter, and every destructive action
// asks with NO as the default.
#include "app/LanguageTable.h"
#include "chrome/MessageBox.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_More.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "pages/network/ModuleBasicConfigBox.h"
#include "pages/network/ModulePortConfigBox.h"
#include "pages/network/ModuleSearchList.h"
#include "pages/network/Ui_System.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "pages/wall/Ui_Multiview.h"
#include "pages/wall/Ui_TVWall.h"
#include "shell/Ui_Main.h"
#include "support/ComboChoice.h"
#include "chrome/MyComboBox.h"
#include "support/ConnectedProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr int WheelNotch = 120;
constexpr int BoxPollMs = 20;
constexpr int BoxPolls = 200;

enum class Place { Matrix, Signal, More, Edid, SaveLoad, TvWall, Multiview, System, Peripheral };
enum class Action { FactoryReset, AllSet, OutputModeEndsMultiview, EdidWrite, LoadDefault, BasicWrite, PortWrite };

QComboBox *FindBox(const QString &name)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *box = top->findChild<QComboBox *>(name))
            return box;
    }
    return nullptr;
}

void SendWheel(QWidget *target)
{
    const QPoint at(target->width() / 2, target->height() / 2);
    QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, -WheelNotch), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

// Presses key in the next message box that opens (a real one: the hook is
// off while it waits).
int g_boxesAnswered = 0;

void AnswerNextBox(int key)
{
    auto *timer = new QTimer;
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box) {
            ++g_boxesAnswered;
            QTest::keyClick(box, Qt::Key(key));
        }
        if (box || ++*polls > BoxPolls)
            timer->deleteLater();
    });
    timer->start(BoxPollMs);
}

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Action)

class OperatorSafetyTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConnectedProgram> m_program;

    Ui_Main *window() const { return m_program->window(); }

    void open(Place place)
    {
        QTabWidget *tabs = window()->tabWidget();
        switch (place) {
        case Place::Matrix:
        case Place::Edid:
        case Place::SaveLoad:
            tabs->setCurrentWidget(window()->matrixPage());
            if (place == Place::Edid)
                QTest::mouseClick(window()->matrixPage()->edidButton(), Qt::LeftButton);
            if (place == Place::SaveLoad)
                QTest::mouseClick(window()->matrixPage()->saveLoadButton(), Qt::LeftButton);
            break;
        case Place::Signal:
        case Place::More:
            tabs->setCurrentWidget(window()->signalConfigPage());
            if (place == Place::More)
                QTest::mouseClick(window()->signalConfigPage()->outputRows()->moreButton(), Qt::LeftButton);
            break;
        case Place::TvWall:
            tabs->setCurrentWidget(window()->tvWallPage());
            break;
        case Place::Multiview:
            tabs->setCurrentWidget(window()->multiviewPage());
            break;
        case Place::System:
            tabs->setCurrentWidget(window()->systemPage());
            break;
        case Place::Peripheral:
            tabs->setCurrentWidget(window()->peripheralPage());
            break;
        }
    }

    QList<QByteArray> sent()
    {
        if (!m_program->waitQuiet())
            return {QByteArrayLiteral("still busy")};
        return m_program->requestsSinceMark().toList();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Input 2's board offers several signal types, so its type box is live.
        SimOptions options = SimHarness::TestOptions();
        options.model.inputKinds = {0, 4};
        options.udpAny = true; // the network module answers the search
        m_program = std::make_unique<ConnectedProgram>(
            options, ConnectedProgram::Link::Tcp, QList<QPair<QByteArray, QByteArray>>{{"Key_UI_Peripheral", "1"}});
        QVERIFY2(m_program->ok(), m_program->why());
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }

    void init()
    {
        QVERIFY(m_program->waitQuiet());
        m_program->messages().clear();
        m_program->mark();
    }

    void cleanupTestCase() { m_program.reset(); }

    void strayInput_sendsNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Place>("place");
        const QPair<const char *, Place> boxes[] = {
            {"MatrixAllSet", Place::Matrix},
            {"SignalConfig-InputType-I1", Place::Signal},
            {"SignalConfig-AudioSelect-I1", Place::Signal},
            {"SignalConfig-OutputType-O2", Place::Signal},
            {"SignalConfig-OutputFormat-O0", Place::Signal},
            {"MoreBackup", Place::More},
            {"MoreInputNoSignal", Place::More},
            {"MoreOutputNoSignal", Place::More},
            {"MoreOutputPort", Place::More},
            {"MoreRotate", Place::More},
            {"MoreTestPattern", Place::More},
            {"MoreResolutionPort", Place::More},
            {"MoreMultiviewPort", Place::More},
            {"MoreOutputMode", Place::More},
            {"EdidWritePort", Place::Edid},
            {"EdidMode", Place::Edid},
            {"PresetSave", Place::SaveLoad},
            {"PresetLoad", Place::SaveLoad},
            {"WallRows", Place::TvWall},
            {"WallColumns", Place::TvWall},
            {"MultiviewSelect", Place::Multiview},
            {"MultiviewWindow", Place::Multiview},
            {"SystemFirmwareBoard", Place::System},
            {"UserCmdLineCount", Place::Peripheral},
            {"Peripheral-Peripheral0", Place::Peripheral},
        };
        for (const auto &row : boxes)
            QTest::newRow(row.first) << QString::fromLatin1(row.first) << row.second;
    }

    void strayInput_sendsNothing()
    {
        QFETCH(QString, box);
        QFETCH(Place, place);
        open(place);
        QComboBox *target = FindBox(box);
        QVERIFY(target);
        QTRY_VERIFY_WITH_TIMEOUT(target->isVisible(), 2000);
        QVERIFY(target->isEnabled());
        QVERIFY(target->count() > 0);
        QVERIFY(m_program->waitQuiet());
        m_program->mark();
        const int shown = target->currentIndex();
        QSignalSpy activated(target, qOverload<int>(&QComboBox::activated));

        // Passing over it: the wheel leaves it alone.
        target->clearFocus();
        SendWheel(target);
        QCOMPARE(target->currentIndex(), shown);
        // Focused: the wheel, the arrows and letters only browse.
        QApplication::setActiveWindow(target->window());
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(target->hasFocus(), 2000);
        SendWheel(target);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_X})
            QTest::keyClick(target, key);
        QTest::keyClick(target, Qt::Key_Escape);
        QCOMPARE(target->currentIndex(), shown);
        QCOMPARE(activated.count(), 0);
        QCOMPARE(sent(), QList<QByteArray>());
    }

    void destructiveAction_asksWithNoAsDefault_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("key"); // pressed in the real box; 0: YES through the hook
        QTest::addColumn<QByteArray>("first");
        const struct
        {
            const char *name;
            Action action;
            QByteArray yes;
        } actions[] = {
            {"allset", Action::AllSet, DeviceFrameOf(0x01, Hex("03 FF"))},
            {"output mode ends multiview", Action::OutputModeEndsMultiview, DeviceFrameOf(0xA1, Hex("04 00 00"))},
            {"EDID write", Action::EdidWrite, QByteArray()},
            {"factory reset", Action::FactoryReset, DeviceFrameOf(0xAA, Hex("01 01"))},
        };
        for (const auto &a : actions) {
            QTest::addRow("%s, Enter", a.name) << a.action << int(Qt::Key_Return) << QByteArray();
            QTest::addRow("%s, Escape", a.name) << a.action << int(Qt::Key_Escape) << QByteArray();
            QTest::addRow("%s, YES", a.name) << a.action << 0 << a.yes;
        }
        // The network module's writes and its defaults: a YES ends the link
        // (the page's own test has the bytes), so only the NO answers here.
        const struct
        {
            const char *name;
            Action action;
        } moduleActions[] = {{"load default", Action::LoadDefault},
                             {"basic config write", Action::BasicWrite},
                             {"port config write", Action::PortWrite}};
        for (const auto &a : moduleActions) {
            QTest::addRow("%s, Enter", a.name) << a.action << int(Qt::Key_Return) << QByteArray();
            QTest::addRow("%s, Escape", a.name) << a.action << int(Qt::Key_Escape) << QByteArray();
        }
    }

    void destructiveAction_asksWithNoAsDefault()
    {
        QFETCH(Action, action);
        QFETCH(int, key);
        QFETCH(QByteArray, first);
        QByteArray edid;
        int modules = -1; // module requests before the click, for the module's actions
        const int boxes = g_boxesAnswered;
        // Everything up to the destructive click is set up first; only that
        // click counts.
        const auto armed = [this, key] {
            if (!m_program->waitQuiet())
                return false;
            m_program->mark();
            m_program->messages().clear();
            if (key != 0) {
                SetMessageHook({});
                AnswerNextBox(key);
            }
            return true;
        };
        switch (action) {
        case Action::FactoryReset:
            open(Place::System);
            QVERIFY(armed());
            QTest::mouseClick(window()->systemPage()->resetButton(), Qt::LeftButton);
            break;
        case Action::AllSet:
            open(Place::Matrix);
            QVERIFY(armed());
            QVERIFY(ChooseComboEntry(window()->matrixPage()->allSetBox(), 3));
            break;
        case Action::OutputModeEndsMultiview: {
            open(Place::More);
            Ui_More *more = window()->signalConfigPage()->moreDialog();
            QVERIFY(more);
            QVERIFY(ChooseComboEntry(more->multiviewPortBox(), 1)); // outputs 5-8
            QVERIFY(m_program->waitQuiet());
            QCOMPARE(more->outputModeBox()->currentIndex(), 1);
            QVERIFY(armed());
            QVERIFY(ChooseComboEntry(more->outputModeBox(), 0));
            QCOMPARE(more->outputModeBox()->currentIndex(), key ? 1 : 0);
            break;
        }
        case Action::LoadDefault:
        case Action::BasicWrite:
        case Action::PortWrite: {
            open(Place::System);
            Ui_System *page = window()->systemPage();
            if (page->lastReadBlock().isEmpty()) {
                QTest::mouseClick(page->searchButton(), Qt::LeftButton);
                QTRY_COMPARE(page->searchList()->topLevelItemCount(), 1);
                QTreeWidgetItem *row = page->searchList()->topLevelItem(0);
                QTest::mouseClick(page->searchList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  page->searchList()->visualItemRect(row).center());
                QTRY_VERIFY(!page->lastReadBlock().isEmpty());
            }
            QVERIFY(armed());
            modules = m_program->sim().requestCount(SimLink::Udp);
            QPushButton *button = action == Action::LoadDefault ? page->loadDefaultButton()
                : action == Action::BasicWrite                  ? page->basicBox()->writeButton()
                                                                : page->portBox()->writeButton();
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        }
        case Action::EdidWrite: {
            open(Place::Edid);
            Ui_Edid *dialog = window()->matrixPage()->edidDialog();
            QVERIFY(dialog);
            const QString sample = m_program->dir().file(QStringLiteral("/UserDefaultEDID/KXR_1080P60.bin"));
            edid = m_program->dir().read(QStringLiteral("/UserDefaultEDID/KXR_1080P60.bin"));
            SetEdidFileHook([sample](EdidFileAction) { return sample; });
            QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
            SetEdidFileHook({});
            dialog->writePortBox()->setCurrentIndex(0);
            QVERIFY(armed());
            QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
            break;
        }
        }
        m_program->messages().install();
        if (first.isEmpty() && action == Action::EdidWrite && key == 0)
            first = DeviceFrameOf(0xB8, Hex("00 40 00") + edid.left(16));
        const QList<QByteArray> frames = sent();
        if (key != 0) {
            // A question was asked, and the key answered NO.
            QTRY_COMPARE(g_boxesAnswered, boxes + 1);
            QCOMPARE(frames, QList<QByteArray>());
            if (modules >= 0)
                QCOMPARE(m_program->sim().requestCount(SimLink::Udp), modules);
            return;
        }
        QVERIFY(m_program->messages().count() >= 1);
        QCOMPARE(int(m_program->messages().messages().at(0).kind), int(MessageKind::Destructive));
        QVERIFY(!frames.isEmpty());
        QCOMPARE(frames.first(), first);
    }
};

QTEST_MAIN(OperatorSafetyTest)
#include "tst_operator_safety_e2e.moc"
