// The matrix page and its dialogs against the device simulator, driven
// through the GUI: the exact frames a click puts on the wire, marks that
// move only with the device's reply, EDID read, save, load and write,
// presets, and what dropped or damaged replies leave behind; take mode,
// undo and redo, salvos, output locks and routing typed on the keyboard.
#include "app/ByteText.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/OutputLocks.h"
#include "chrome/MessageBox.h"
#include "chrome/MyComboBox.h"
#include "pages/routing/AudioSwitchGroup.h"
#include "pages/routing/EdidFileDialog.h"
#include "chrome/FileNameDialog.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/RoutingDesk.h"
#include "pages/routing/RoutingHistory.h"
#include "pages/routing/TakeBar.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_Salvos.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "protocol/DeviceState.h"
#include "protocol/RoutingSalvo.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "transport/Ui_Uart_Network.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

Q_DECLARE_METATYPE(ConnectedProgram::Link)

namespace {
constexpr int PollMs = 5;
constexpr int ReplyTimeoutMs = 5000;
constexpr int TransferTimeoutMs = 10000;
constexpr int HeldReplyMs = 300;
constexpr quint8 SwitchCode = 0x01;
constexpr quint8 EdidCode = 0xB8;

int markedColumn(const MatrixGrid *grid, int row)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->crosspoint(c, row)->isFlat())
            return c;
    }
    return -1;
}

Ui_Matrix *showMatrix(ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    return window->matrixPage();
}

// The requests the simulator saw since the mark, once there are count of
// them (or the bound ran out).
QVector<QByteArray> waitForRequests(ConnectedProgram &program, int count)
{
    QElapsedTimer clock;
    clock.start();
    while (program.requestsSinceMark().size() < count && clock.elapsed() < ReplyTimeoutMs)
        QTest::qWait(PollMs);
    return program.requestsSinceMark();
}

SimFaultOptions heldReplies()
{
    SimFaultOptions faults;
    faults.delayMs = HeldReplyMs;
    return faults;
}

QByteArray switchFrame(int input, int output) // as the page numbers them
{
    QByteArray payload;
    payload.append(char(input - 1)).append(char(output - 1));
    return DeviceFrameOf(SwitchCode, payload);
}

QVector<int> simRouting(ConnectedProgram &program) // from 1
{
    QVector<int> routing;
    const auto &state = program.sim().device().state();
    for (quint32 out = 0; out < Device().outputCount; ++out)
        routing << state.routing[out] + 1;
    return routing;
}

QString stageOf(const MatrixGrid *grid, int input, int output)
{
    return grid->crosspoint(input - 1, output - 1)->property("stage").toString();
}

void typeKeys(QWidget *page, const QString &keys)
{
    static const QHash<QChar, Qt::Key> named = {{QLatin1Char('E'), Qt::Key_Return},   {QLatin1Char('S'), Qt::Key_Space},
                                                {QLatin1Char('>'), Qt::Key_Right},    {QLatin1Char('<'), Qt::Key_Left},
                                                {QLatin1Char('v'), Qt::Key_Down},     {QLatin1Char('^'), Qt::Key_Up},
                                                {QLatin1Char('\x1b'), Qt::Key_Escape}};
    for (const QChar key : keys)
        QTest::keyClick(page, named.value(key, Qt::Key(key.unicode())));
}

// Ctrl+Z and Ctrl+Shift+Z act while the page has the focus in the active window.
void pressOnPage(QWidget *page, Qt::KeyboardModifiers modifiers)
{
    QApplication::setActiveWindow(page->window());
    page->setFocus();
    QTest::keyClick(page, Qt::Key_Z, modifiers);
}

// Turns take mode on through its box and stages input → output picks.
void stage(Ui_Matrix *page, const QVector<QPair<int, int>> &picks)
{
    if (!page->takeBar()->takeModeBox()->isChecked())
        QTest::mouseClick(page->takeBar()->takeModeBox(), Qt::LeftButton, {}, QPoint(4, 4));
    for (const auto &pick : picks)
        QTest::mouseClick(page->grid()->crosspoint(pick.first - 1, pick.second - 1), Qt::LeftButton);
}
} // namespace

class MatrixEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { SetEdidFileHook({}); }
    void routing_marksMoveWithTheReply_data();
    void routing_marksMoveWithTheReply();
    void takeMode_stagesThenTakesInOutputOrder();
    void takeMode_droppedReplyStaysOutlinedWithItsReason();
    void undoRedo_returnTheDeviceToEachRouting_data();
    void undoRedo_returnTheDeviceToEachRouting();
    void history_keepsTheLastStepsOnly();
    void salvo_previewIsTheDiffAndTakeSendsOnlyIt();
    void locks_everySwitchingPathSkipsALockedOutput_data();
    void locks_everySwitchingPathSkipsALockedOutput();
    void keyboard_routesTheTypedOrCursorCrosspoint_data();
    void keyboard_routesTheTypedOrCursorCrosspoint();
};

void MatrixEndToEndTest::routing_marksMoveWithTheReply_data()
{
    QTest::addColumn<ConnectedProgram::Link>("link");
    QTest::newRow("tcp") << ConnectedProgram::Link::Tcp;
    QTest::newRow("serial") << ConnectedProgram::Link::Serial;
}

void MatrixEndToEndTest::routing_marksMoveWithTheReply()
{
    QFETCH(ConnectedProgram::Link, link);
    ConnectedProgram program(SimHarness::TestOptions(), link);
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const MatrixGrid *grid = page->grid();
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(markedColumn(grid, 2), 2);
    program.sim().setFaults(heldReplies());

    // Crosspoint: input 6 to output 3.
    program.mark();
    QTest::mouseClick(grid->crosspoint(5, 2), Qt::LeftButton);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(SwitchCode, Hex("05 02"))});
    QCOMPARE(markedColumn(grid, 2), 2); // the reply is still held back
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 2), 5, ReplyTimeoutMs);
    QCOMPARE(program.sim().device().state().routing[2], quint8(5));

    // "Allset:" input 4.
    QVERIFY(program.waitQuiet());
    program.mark();
    page->allSetBox()->showPopup();
    page->allSetBox()->hidePopup();
    Q_EMIT page->allSetBox()->activated(3);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(SwitchCode, Hex("03 FF"))});
    QCOMPARE(markedColumn(grid, 0), 0);
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 0), 3, ReplyTimeoutMs);
    for (int row = 0; row < grid->rowCount(); ++row)
        QCOMPARE(markedColumn(grid, row), 3);

    // The audio switch: input 7.
    QVERIFY(program.waitQuiet());
    program.mark();
    const AudioSwitchGroup *audio = page->audioGroup();
    QTest::mouseClick(audio->buttons().at(6), Qt::LeftButton);
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{DeviceFrameOf(0xD9, Hex("00 00 06"))});
    QVERIFY(!audio->buttons().at(6)->isFlat());
    QTRY_VERIFY_WITH_TIMEOUT(audio->buttons().at(6)->isFlat(), ReplyTimeoutMs);
    // Only Allset's question was shown.
    QCOMPARE(program.messages().count(), 1);
    QCOMPARE(int(program.messages().messages().at(0).kind), int(MessageKind::Destructive));
}

void MatrixEndToEndTest::takeMode_stagesThenTakesInOutputOrder()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const MatrixGrid *grid = page->grid();
    const QVector<int> before = simRouting(program);
    program.mark();
    stage(page, {{6, 5}, {7, 2}, {8, 3}});
    QCOMPARE(Key_TakeMode, QStringLiteral("1"));
    QCOMPARE(page->takeBar()->line()->text(), SMSG_TakeStaged.arg(3));
    QCOMPARE(stageOf(grid, 7, 2), QStringLiteral("staged"));
    QCOMPARE(markedColumn(grid, 1), before[1] - 1); // the current one stays solid
    QTest::qWait(HeldReplyMs);
    QVERIFY(program.requestsSinceMark().isEmpty());

    // Clear sends nothing; Allset in take mode stages every output.
    QTest::mouseClick(page->takeBar()->clearButton(), Qt::LeftButton);
    QVERIFY(page->desk()->staged().isEmpty());
    Q_EMIT page->allSetBox()->activated(3);
    QCOMPARE(page->desk()->staged().size(), grid->rowCount() - before.count(4));
    QTest::keyClick(page, Qt::Key_Escape);
    QVERIFY(page->desk()->staged().isEmpty());
    QTest::qWait(HeldReplyMs);
    QVERIFY(program.requestsSinceMark().isEmpty());
    QCOMPARE(program.messages().count(), 0);

    stage(page, {{6, 5}, {7, 2}, {8, 3}});
    QTest::keyClick(page, Qt::Key_Return);
    QCOMPARE(waitForRequests(program, 3),
             (QVector<QByteArray>{switchFrame(7, 2), switchFrame(8, 3), switchFrame(6, 5)}));
    QTRY_VERIFY_WITH_TIMEOUT(page->desk()->staged().isEmpty(), ReplyTimeoutMs);
    QCOMPARE(markedColumn(grid, 1), 6);
    QCOMPARE(stageOf(grid, 7, 2), QString());
    QCOMPARE(page->desk()->history()->stack()->text(0), STEP_Take.arg(3));
}

void MatrixEndToEndTest::takeMode_droppedReplyStaysOutlinedWithItsReason()
{
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    stage(page, {{4, 1}, {5, 2}, {6, 3}});
    program.sim().setFaults(heldReplies());
    program.mark();
    QTest::mouseClick(page->takeBar()->takeButton(), Qt::LeftButton);
    // The third switch arrives a held reply after the second: its reply is
    // the one dropped.
    waitForRequests(program, 2);
    SimFaultOptions muted = heldReplies();
    muted.mutedCodes = {SwitchCode};
    program.sim().setFaults(muted);
    QTRY_COMPARE_WITH_TIMEOUT(page->desk()->staged().size(), 1, TransferTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(stageOf(page->grid(), 6, 3), QStringLiteral("failed"), TransferTimeoutMs);
    QCOMPARE(page->grid()->crosspoint(5, 2)->toolTip(), SMSG_RouteNoAnswer);
    QCOMPARE(page->takeBar()->message()->text(),
             SMSG_RouteFailed.arg(1).arg(3).arg(SMSG_RouteFailedItem.arg(3).arg(SMSG_RouteNoAnswer)));
    QCOMPARE(page->desk()->history()->stack()->text(0), STEP_Take.arg(2));
}

void MatrixEndToEndTest::undoRedo_returnTheDeviceToEachRouting_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("step");
    QTest::newRow("click") << "click" << STEP_Switch.arg(6).arg(2);
    QTest::newRow("take") << "take" << STEP_Take.arg(2);
    QTest::newRow("allset") << "allset" << STEP_AllSet.arg(4);
    QTest::newRow("preset recall") << "preset" << STEP_Preset.arg(3);
}

void MatrixEndToEndTest::undoRedo_returnTheDeviceToEachRouting()
{
    QFETCH(QString, change);
    QFETCH(QString, step);
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const MatrixGrid *grid = page->grid();
    QUndoStack *history = page->desk()->history()->stack();
    if (change == QLatin1String("preset")) {
        QTest::mouseClick(grid->crosspoint(7, 0), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(markedColumn(grid, 0), 7, ReplyTimeoutMs);
        QTest::mouseClick(page->saveLoadButton(), Qt::LeftButton);
        Q_EMIT page->saveLoadDialog()->saveBox()->activated(2);
        QTest::mouseClick(grid->crosspoint(1, 0), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(history->count(), 2, ReplyTimeoutMs);
        QVERIFY(program.waitQuiet());
    }
    const QVector<int> before = simRouting(program);
    const int steps = history->count();
    if (change == QLatin1String("click")) {
        QTest::mouseClick(grid->crosspoint(5, 1), Qt::LeftButton);
    } else if (change == QLatin1String("take")) {
        stage(page, {{6, 1}, {7, 2}});
        QTest::mouseClick(page->takeBar()->takeButton(), Qt::LeftButton);
    } else if (change == QLatin1String("allset")) {
        Q_EMIT page->allSetBox()->activated(3);
    } else {
        Q_EMIT page->saveLoadDialog()->loadBox()->activated(2);
    }
    QTRY_COMPARE_WITH_TIMEOUT(history->count(), steps + 1, TransferTimeoutMs);
    QCOMPARE(history->text(steps), step);
    const QVector<int> after = simRouting(program);
    QVERIFY(after != before);
    RouteMap preset;
    QCOMPARE(page->desk()->presetContent(2, &preset), change == QLatin1String("preset"));

    pressOnPage(page, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(history->index(), steps, TransferTimeoutMs);
    QCOMPARE(simRouting(program), before);
    pressOnPage(page, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE_WITH_TIMEOUT(history->index(), steps + 1, TransferTimeoutMs);
    QCOMPARE(simRouting(program), after);

    // A reconnection to the same device keeps the history.
    program.disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!Device().identified, ReplyTimeoutMs);
    QTest::mouseClick(program.window()->connectionPage()->networkConnectButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Device().identified, TransferTimeoutMs);
    QVERIFY(program.waitQuiet());
    QCOMPARE(history->count(), steps + 1);
    QCOMPARE(history->text(steps), step);
}

void MatrixEndToEndTest::history_keepsTheLastStepsOnly()
{
    for (const int steps : {RoutingHistory::StepsKept, RoutingHistory::StepsKept + 1}) {
        RoutingHistory history;
        for (quint32 n = 1; n <= quint32(steps); ++n)
            history.record(QString::number(n), {{1, n}}, {{1, n + 1}});
        QCOMPARE(history.stack()->count(), RoutingHistory::StepsKept);
        QCOMPARE(history.stack()->text(0), QString::number(steps - RoutingHistory::StepsKept + 1));
    }
}

void MatrixEndToEndTest::salvo_previewIsTheDiffAndTakeSendsOnlyIt()
{
    QTemporaryDir salvos;
    qputenv("KXR_SALVO_DIR", salvos.path().toUtf8());
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const QVector<int> saved = simRouting(program);
    QTest::mouseClick(page->takeBar()->salvosButton(), Qt::LeftButton);
    Ui_Salvos *dialog = page->salvosDialog();
    QVERIFY(dialog);
    dialog->nameEdit()->setText(QStringLiteral("Show A"));
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    QCOMPARE(program.messages().lastText(), SMSG_SalvoSaved.arg(QStringLiteral("Show A")).arg(saved.size()));

    QTest::mouseClick(page->grid()->crosspoint(6, 1), Qt::LeftButton);
    QTest::mouseClick(page->grid()->crosspoint(7, 4), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(page->grid(), 4), 7, ReplyTimeoutMs);
    QVERIFY(program.waitQuiet());
    QVERIFY(dialog->select(QStringLiteral("Show A")));
    QTest::mouseClick(dialog->recallButton(), Qt::LeftButton);
    QCOMPARE(dialog->preview()->rowCount(), 2);
    QCOMPARE(dialog->preview()->item(1, 0)->text(), QStringLiteral("5 ") + S_OutputName[4]);
    QCOMPARE(dialog->preview()->item(1, 1)->text(), QStringLiteral("8 ") + S_InputName[7]);
    QCOMPARE(dialog->previewRoutes(), (RouteMap{{1, quint32(saved[1] - 1)}, {4, quint32(saved[4] - 1)}}));
    program.mark();
    QTest::mouseClick(dialog->takeButton(), Qt::LeftButton);
    QCOMPARE(waitForRequests(program, 2), (QVector<QByteArray>{switchFrame(saved[1], 2), switchFrame(saved[4], 5)}));
    QTRY_COMPARE_WITH_TIMEOUT(simRouting(program), saved, ReplyTimeoutMs);

    // A broken file: the message names its line and nothing changes.
    RoutingSalvo damaged;
    damaged.name = QStringLiteral("B");
    damaged.outputCount = damaged.inputCount = 8;
    damaged.routes = {{1, 1}, {2, 2}};
    QList<QByteArray> lines = SalvoToJson(damaged).split('\n');
    int line = 0;
    while (line < lines.size() && !lines[line].contains("\"input\": 2"))
        ++line;
    QVERIFY(line < lines.size());
    lines[line].replace("\"input\": 2", "\"input\": 99");
    QTemporaryDir elsewhere;
    const QString broken = elsewhere.filePath(QStringLiteral("broken.json"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n'));
    file.close();
    SetFileDialogHook([broken](FileDialogKind, const QString &, const QString &, const QString &) { return broken; });
    const int listed = dialog->list()->count();
    QTest::mouseClick(dialog->importButton(), Qt::LeftButton);
    SetFileDialogHook({});
    QVERIFY2(program.messages().lastText().contains(QStringLiteral("line %1").arg(line + 1)),
             qPrintable(program.messages().lastText()));
    QCOMPARE(dialog->list()->count(), listed);
    QCOMPARE(SalvoStore().names(), QStringList{QStringLiteral("Show A")});
    qunsetenv("KXR_SALVO_DIR");
}

void MatrixEndToEndTest::locks_everySwitchingPathSkipsALockedOutput_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("otherClient"); // the lock is another gateway client's
    for (const char *path : {"click", "typed", "allset", "take", "salvo", "undo"})
        QTest::newRow(path) << QString::fromLatin1(path) << false;
    QTest::newRow("click, another client's lock") << "click" << true;
}

void MatrixEndToEndTest::locks_everySwitchingPathSkipsALockedOutput()
{
    QFETCH(QString, path);
    QFETCH(bool, otherClient);
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    const MatrixGrid *grid = page->grid();
    if (path == QLatin1String("undo")) {
        QTest::mouseClick(grid->crosspoint(6, 2), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(page->desk()->history()->stack()->count(), 1, ReplyTimeoutMs);
    } else if (path == QLatin1String("take")) {
        stage(page, {{1, 2}, {1, 3}}); // staged before the lock
    }
    // Output 3 is locked from its row's menu, or by a client of the gateway.
    OutputLocks *locks = program.window()->outputLocks();
    const auto openMenu = [grid, page] {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                    grid->outputNumberLabel(2)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(grid->outputNumberLabel(2), &menuEvent);
        return page->lockMenu() ? page->lockMenu()->actions().at(0) : nullptr;
    };
    if (otherClient) {
        locks->setShared(true);
        locks->applyShared({{3, 'L'}});
    } else {
        QAction *lock = openMenu();
        QVERIFY(lock);
        QCOMPARE(lock->text(), SMenu_LockOutput.arg(3));
        lock->trigger();
        page->lockMenu()->close();
    }
    const QString holder = otherClient ? S_LockOtherClient : S_LockThisWindow;
    QCOMPARE(grid->outputNumberLabel(2)->toolTip(), STIPS_Locked.arg(holder));
    QVERIFY(program.window()->outputLocks()->isLocked(3));
    QVERIFY(grid->outputNumberLabel(2)->property("locked").toBool());
    QVERIFY(program.waitQuiet());
    const int lockedInput = simRouting(program)[2];
    program.mark();
    if (path == QLatin1String("click")) {
        QTest::mouseClick(grid->crosspoint(0, 2), Qt::LeftButton);
    } else if (path == QLatin1String("typed")) {
        page->setFocus();
        typeKeys(page, QStringLiteral("31E"));
    } else if (path == QLatin1String("allset")) {
        Q_EMIT page->allSetBox()->activated(0);
        QCOMPARE(waitForRequests(program, grid->rowCount() - 1).size(), grid->rowCount() - 1);
    } else if (path == QLatin1String("take")) {
        QTest::mouseClick(page->takeBar()->takeButton(), Qt::LeftButton);
    } else if (path == QLatin1String("salvo")) {
        page->desk()->apply(RouteMap{{1, 0}, {2, 0}}, STEP_Salvo.arg(QStringLiteral("S")).arg(2));
    } else {
        pressOnPage(page, Qt::ControlModifier);
    }
    QTRY_VERIFY_WITH_TIMEOUT(page->takeBar()->message()->text().contains(SMSG_LockSkippedOne.arg(3).arg(holder)),
                             ReplyTimeoutMs);
    QVERIFY(program.waitQuiet());
    QCOMPARE(simRouting(program)[2], lockedInput);
    for (int input = 1; input <= grid->columnCount(); ++input)
        QVERIFY(!program.requestsSinceMark().contains(switchFrame(input, 3)));
    if (otherClient)
        return;
    QAction *unlock = openMenu();
    QCOMPARE(unlock->text(), SMenu_UnlockOutput.arg(3));
    unlock->trigger();
    QVERIFY(!grid->outputNumberLabel(2)->property("locked").toBool());
    QCOMPARE(grid->outputNumberLabel(2)->toolTip(), QString());
}

void MatrixEndToEndTest::keyboard_routesTheTypedOrCursorCrosspoint_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    // The eight outputs end an output number at its first digit.
    QTest::newRow("3, 5, Enter") << "35E" << 5 << 3;
    QTest::newRow("7, 2, Enter") << "72E" << 2 << 7;
    QTest::newRow("Escape clears, then 8, 1, Enter") << QStringLiteral("4\x1b"
                                                                       "81E")
                                                     << 1 << 8;
    QTest::newRow("arrows and Space") << "vvv>>>>S" << 5 << 3;
}

void MatrixEndToEndTest::keyboard_routesTheTypedOrCursorCrosspoint()
{
    QFETCH(QString, keys);
    QFETCH(int, input);
    QFETCH(int, output);
    ConnectedProgram program;
    QVERIFY2(program.ok(), program.why());
    Ui_Matrix *page = showMatrix(program);
    program.mark();
    page->setFocus();
    typeKeys(page, keys.left(1));
    if (keys.at(0).isDigit())
        QCOMPARE(page->takeBar()->line()->text(), SMSG_KeyOutput.arg(keys.left(1)));
    typeKeys(page, keys.mid(1));
    QCOMPARE(waitForRequests(program, 1), QVector<QByteArray>{switchFrame(input, output)});
    QTRY_COMPARE_WITH_TIMEOUT(markedColumn(page->grid(), output - 1), input - 1, ReplyTimeoutMs);
}

QTEST_MAIN(MatrixEndToEndTest)
#include "tst_matrix_e2e.moc"
