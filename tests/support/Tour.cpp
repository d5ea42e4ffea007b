#include "support/Tour.h"

#ifdef KXR_HAVE_SIMULATOR

#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "pages/network/ModuleBasicConfigBox.h"
#include "pages/network/ModuleSearchList.h"
#include "pages/network/Ui_System.h"
#include "pages/peripheral/IoGroupBox.h"
#include "pages/peripheral/UserCmdLines.h"
#include "pages/peripheral/UserCmdRow.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "chrome/MyComboBox.h"
#include "pages/routing/AudioSwitchGroup.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_Admin.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_More.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "pages/wall/MyTableWidget.h"
#include "pages/wall/MyCustomView.h"
#include "pages/wall/Ui_Multiview.h"
#include "pages/wall/Ui_TVWall.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/ModuleBlockLayout.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Main.h"
#include "support/CanvasDriver.h"
#include "support/ComboChoice.h"
#include "support/TestSupport.h"
#include "support/WallGridDriver.h"
#include "support/WidgetInput.h"
#include "transport/Ui_Uart_Network.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int QuietBoundMs = 20000;
constexpr int ReplyBoundMs = 8000;
constexpr int IdentifyBoundMs = 8000;
constexpr int PollMs = 10;

// Polls (bounded) until the condition holds, letting the program run.
bool waitFor(const std::function<bool()> &condition, int boundMs = ReplyBoundMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > boundMs)
            return false;
        RunEventLoopFor(PollMs);
    }
    return true;
}

QString sampleEdidPath(ConnectedProgram &program)
{
    return program.dir().file(QStringLiteral("/UserDefaultEDID/KXR_1080P60.bin"));
}

} // namespace

SimOptions Tour::DeviceOptions()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 16;
    options.model.outputs = 16;
    options.model.inputKinds = {0, 4, 5, 3, 0, 4, 0, 0, 1, 1, 2, 2, 0, 0, 0, 0};
    // Outputs 1-4 and 5-8 can show a multiview (the second group does).
    options.model.outputKinds = {1, 1, 1, 1, 4, 4, 4, 4, 7, 8, 3, 1, 1, 1, 1, 1};
    options.model.wallRows = 2;
    options.model.wallCols = 2;
    options.model.modules = 1;
    options.udpAny = true; // the module hears the broadcast search
    return options;
}

SimFaultOptions Tour::Faults(quint32 seed)
{
    SimFaultOptions faults;
    faults.drop = 0.05;
    faults.corrupt = 0.02;
    faults.late = 0.03;
    faults.lateMs = LateMs;
    faults.splitRandom = true;
    faults.seed = seed;
    return faults;
}

QByteArray Tour::RawConsoleFrame()
{
    return QByteArray::fromHex("7B7BD9030080004C7D7D");
}

QList<QPair<QByteArray, QByteArray>> Tour::Settings()
{
    return {{"Key_UI_Peripheral", "1"}};
}

Tour::Tour(ConnectedProgram &program, bool checks, bool fast)
    : m_program(program)
    , m_checks(checks)
    , m_fast(fast)
{ }

QVector<Tour::Step> Tour::steps()
{
    return {
        {QStringLiteral("matrix: switch"), [this] { return matrixSwitch(); }},
        {QStringLiteral("matrix: all outputs"), [this] { return matrixAllOutputs(); }},
        {QStringLiteral("matrix: audio"), [this] { return matrixAudio(); }},
        {QStringLiteral("EDID: read an output"), [this] { return edidRead(); }},
        {QStringLiteral("EDID: write an input"), [this] { return edidWrite(); }},
        {QStringLiteral("presets: save and recall"), [this] { return presetSaveAndRecall(); }},
        {QStringLiteral("signal config: mute an output"), [this] { return signalChange(); }},
        {QStringLiteral("More: IR off"), [this] { return moreSwitch(); }},
        {QStringLiteral("TV wall: splice"), [this] { return splice(); }},
        {QStringLiteral("multiview: move a window"), [this] { return multiviewMove(); }},
        {QStringLiteral("peripheral: IO write"), [this] { return ioWrite(); }},
        {QStringLiteral("peripheral: group send"), [this] { return groupSend(); }},
        {QStringLiteral("admin: read the device name"), [this] { return adminRead(); }},
        {QStringLiteral("debug console: raw send"), [this] { return debugConsoleSend(); }},
        {QStringLiteral("system: module read and write"), [this] { return moduleReadAndWrite(); }},
    };
}

void Tour::showTab(QWidget *page)
{
    Ui_Main *window = m_program.window();
    window->show();
    // A dialog that closed leaves no window active; shortcuts need one.
    QApplication::setActiveWindow(window);
    window->tabWidget()->setCurrentWidget(page);
}

bool Tour::settle()
{
    if (m_fast) {
        CommandChannel *channel = ActiveDeviceChannel();
        return waitFor([channel] { return !channel || ChannelQueueSize(*channel, QueueSide::Send) == 0; }, QuietBoundMs)
            || !m_checks;
    }
    const bool quiet = m_program.waitQuiet(QuietBoundMs);
    return quiet || !m_checks;
}

QString Tour::expect(bool condition, const QString &what) const
{
    if (condition || !m_checks)
        return QString();
    return what;
}

QString Tour::matrixSwitch()
{
    Ui_Matrix *page = m_program.window()->matrixPage();
    showTab(page);
    QTest::mouseClick(page->grid()->crosspoint(5, 2), Qt::LeftButton);
    if (!settle())
        return QStringLiteral("the switch was not answered");
    return expect(m_program.sim().device().state().routing[2] == 5 && page->grid()->crosspoint(5, 2)->isFlat(),
                  QStringLiteral("output 3 does not show input 6"));
}

QString Tour::matrixAllOutputs()
{
    Ui_Matrix *page = m_program.window()->matrixPage();
    if (!ChooseComboEntry(page->allSetBox(), 3) && m_checks)
        return QStringLiteral("\"Allset:\" offers no input 4");
    if (!settle())
        return QStringLiteral("the switch of all outputs was not answered");
    const SimDeviceModel sim = m_program.sim().device().state();
    for (int o = 0; o < sim.outputCount; ++o) {
        if (sim.routing[o] != 3 || !page->grid()->crosspoint(3, o)->isFlat())
            return expect(false, QStringLiteral("output %1 does not show input 4").arg(o + 1));
    }
    return QString();
}

QString Tour::matrixAudio()
{
    Ui_Matrix *page = m_program.window()->matrixPage();
    QTest::mouseClick(page->audioGroup()->buttons().at(6), Qt::LeftButton);
    if (!settle())
        return QStringLiteral("the audio switch was not answered");
    return expect(m_program.sim().device().state().lrInput == 6 && page->audioGroup()->buttons().at(6)->isFlat(),
                  QStringLiteral("the audio switch does not show input 7"));
}

QString Tour::edidRead()
{
    Ui_Matrix *page = m_program.window()->matrixPage();
    // One EDID window at a time, as an operator keeps it: a window an
    // earlier step left open is closed first.
    if (Ui_Edid *open = page->edidDialog())
        open->close();
    QTest::mouseClick(page->edidButton(), Qt::LeftButton);
    // The program closes its dialogs when their page goes, so every window
    // the tour touches is held by a guarded pointer and checked after each
    // wait.
    const QPointer<Ui_Edid> dialog = page->edidDialog();
    if (!dialog)
        return expect(false, QStringLiteral("the EDID dialog did not open"));
    dialog->readPortBox()->setCurrentIndex(1);
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    const QString display = BytesToHexText(m_program.sim().device().state().outputs[1].edid);
    const bool shown =
        waitFor([&] { return dialog && dialog->view()->toPlainText() == display; }, m_checks ? ReplyBoundMs : 0);
    settle();
    return expect(shown, QStringLiteral("the EDID of output 2 is not shown"));
}

QString Tour::edidWrite()
{
    const QPointer<Ui_Edid> dialog = m_program.window()->matrixPage()->edidDialog();
    if (!dialog)
        return expect(false, QStringLiteral("the EDID dialog is gone"));
    const QString sample = sampleEdidPath(m_program);
    SetEdidFileHook([sample](EdidFileAction) { return sample; });
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
    SetEdidFileHook(EdidFileHook());
    if (!dialog)
        return expect(false, QStringLiteral("the EDID dialog closed while loading"));
    dialog->writePortBox()->setCurrentIndex(2);
    const int before = m_program.messages().count();
    QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
    const QString success = QStringLiteral("EDID Write Success.");
    const bool done = waitFor([&] { return m_program.messages().texts().mid(before).contains(success); },
                              m_checks ? ReplyBoundMs : 0);
    settle();
    if (dialog)
        dialog->close();
    const QByteArray bytes = m_program.dir().read(QStringLiteral("/UserDefaultEDID/KXR_1080P60.bin"));
    return expect(done && m_program.sim().device().state().inputs[2].edid == bytes,
                  QStringLiteral("input 3 does not hold the sample EDID"));
}

QString Tour::presetSaveAndRecall()
{
    Ui_Matrix *page = m_program.window()->matrixPage();
    QTest::mouseClick(page->grid()->crosspoint(1, 0), Qt::LeftButton);
    settle();
    QTest::mouseClick(page->saveLoadButton(), Qt::LeftButton);
    const QPointer<Ui_SaveLoad> dialog = page->saveLoadDialog();
    if (!dialog)
        return expect(false, QStringLiteral("the Save/Load dialog did not open"));
    m_program.messages().setAnswer(true);
    ChooseComboEntry(dialog->saveBox(), 2);
    settle();
    QTest::mouseClick(page->grid()->crosspoint(7, 0), Qt::LeftButton);
    settle();
    if (!dialog)
        return expect(false, QStringLiteral("the Save/Load dialog closed while saving"));
    ChooseComboEntry(dialog->loadBox(), 2);
    settle();
    if (dialog)
        dialog->close();
    return expect(m_program.sim().device().state().routing[0] == 1 && page->grid()->crosspoint(1, 0)->isFlat(),
                  QStringLiteral("preset 3 did not bring input 2 back to output 1"));
}

QString Tour::signalChange()
{
    Ui_SignalConfig *page = m_program.window()->signalConfigPage();
    showTab(page);
    const bool muted = m_program.sim().device().state().outputs[0].mute;
    QTest::mouseClick(page->outputRows()->row(0).mute, Qt::LeftButton);
    if (!settle())
        return QStringLiteral("the mute was not answered");
    return expect(m_program.sim().device().state().outputs[0].mute != muted
                      && page->outputRows()->row(0).mute->isChecked() != muted,
                  QStringLiteral("output 1 did not change its mute"));
}

QString Tour::moreSwitch()
{
    Ui_SignalConfig *page = m_program.window()->signalConfigPage();
    QTest::mouseClick(page->outputRows()->moreButton(), Qt::LeftButton);
    const QPointer<Ui_More> dialog = page->moreDialog();
    if (!dialog)
        return expect(false, QStringLiteral("the More dialog did not open"));
    settle(); // its opening read
    if (!dialog)
        return expect(false, QStringLiteral("the More dialog closed while reading"));
    QTest::mouseClick(dialog->switchPair(Ui_More::Ir).off, Qt::LeftButton);
    settle();
    if (!dialog)
        return expect(false, QStringLiteral("the More dialog closed while switching"));
    const bool off = m_program.sim().device().state().irOn == 0 && dialog->switchPair(Ui_More::Ir).off->isFlat();
    dialog->close();
    return expect(off, QStringLiteral("IR is not off"));
}

QString Tour::splice()
{
    Ui_TVWall *page = m_program.window()->tvWallPage();
    showTab(page);
    MyTableWidget *grid = page->grid();
    WallGridDriver::SelectCells(grid, 0, 0, 1, 1);
    if (!WallGridDriver::ChooseOnCell(grid, 0, 0, SMenu_ScreenSplicing) && m_checks)
        return QStringLiteral("\"Screen Splicing\" was not offered");
    settle();
    const SimWall wall = m_program.sim().device().state().wall;
    for (int k = 0; k < wall.cellCount; ++k) {
        if (!(wall.cells[k].flags & 1))
            return expect(false, QStringLiteral("screen %1 is not spliced").arg(k + 1));
    }
    return QString();
}

QString Tour::multiviewMove()
{
    Ui_Multiview *page = m_program.window()->multiviewPage();
    showTab(page);
    settle(); // the first read of the listed multiview
    const DeviceState &device = Device();
    if (device.multiviewCount == 0)
        return expect(false, QStringLiteral("no multiview is listed"));
    const MultiviewRecord &record = device.multiviewAt(0);
    // The visible window on top: the one a click at its centre catches.
    int top = -1;
    for (quint32 w = 0; w < record.windowCount; ++w) {
        const MultiviewWindow &window = record.windowAt(w);
        if (window.visible && (top < 0 || window.layer > record.windowAt(quint32(top)).layer))
            top = int(w);
    }
    if (top < 0)
        return expect(false, QStringLiteral("the multiview shows no window"));
    const MultiviewWindow before = record.windowAt(quint32(top));
    const QPoint centre(int(before.x + before.w / 2), int(before.y + before.h / 2));
    const QPoint moved = centre - QPoint(int(record.width / 16), int(record.height / 16));
    CanvasDriver::Click(page->view(), centre);
    CanvasDriver::Drag(page->view(), centre, moved);
    settle();
    const SimWindow sim = m_program.sim().device().state().multiview[record.output % SimLimits::Channels].windows[top];
    const MultiviewWindow after = record.windowAt(quint32(top));
    return expect((after.x != before.x || after.y != before.y) && sim.x == after.x && sim.y == after.y,
                  QStringLiteral("window %1 did not move on the device").arg(top + 1));
}

QString Tour::ioWrite()
{
    Ui_Peripheral *page = m_program.window()->peripheralPage();
    showTab(page);
    IoGroupBox *outputs = page->ioOutputs();
    QTest::mouseClick(outputs->firstButton(0), Qt::LeftButton);
    QTest::mouseClick(outputs->secondButton(1), Qt::LeftButton);
    QTest::mouseClick(outputs->firstButton(2), Qt::LeftButton);
    QTest::mouseClick(outputs->secondButton(3), Qt::LeftButton);
    QTest::mouseClick(outputs->writeButton(), Qt::LeftButton);
    if (!settle())
        return QStringLiteral("the IO write was not answered");
    return expect(m_program.sim().device().state().ioOutputs == 0x05,
                  QStringLiteral("IO outputs 1 and 3 are not high"));
}

QString Tour::groupSend()
{
    UserCmdLines *lines = m_program.window()->peripheralPage()->cmdLines();
    ChooseEntry(lines->lineCountBox(), 1); // two lines
    const QStringList payloads = {QStringLiteral("PWR ON\\r"), QStringLiteral("INPUT HDMI1\\r")};
    for (int i = 0; i < payloads.size() && i < lines->lineCount(); ++i) {
        const UserCmdRow &row = lines->row(i);
        TypeText(row.payload, payloads.at(i));
        TypeText(row.order, QString::number(i + 1));
        TypeText(row.delay, QStringLiteral("0"));
    }
    const int before = m_program.sim().device().state().passThroughs.size();
    QTest::mouseClick(lines->groupSendButton(), Qt::LeftButton);
    waitFor([&] { return !lines->groupSendRunning(); });
    settle();
    return expect(m_program.sim().device().state().passThroughs.size() == before + payloads.size(),
                  QStringLiteral("the two lines did not pass through the device"));
}

QString Tour::adminRead()
{
    Ui_System *page = m_program.window()->systemPage();
    showTab(page);
    page->setFocus();
    QTest::keyClick(page, Qt::Key_C, Qt::AltModifier);
    if (page->adminButton()->isHidden())
        return expect(false, QStringLiteral("Alt+C did not show \"Admin\""));
    QTest::mouseClick(page->adminButton(), Qt::LeftButton);
    const QPointer<Ui_Admin> dialog = page->adminDialog();
    if (!dialog)
        return expect(false, QStringLiteral("the Admin dialog did not open"));
    QTest::mouseClick(dialog->deviceNameReadButton(), Qt::LeftButton);
    settle();
    if (!dialog)
        return expect(false, QStringLiteral("the Admin dialog closed while reading"));
    const QString name = QString::fromLatin1(m_program.sim().device().state().deviceName).remove(QChar(0));
    const bool shown = dialog->deviceNameEdit()->text() == name;
    dialog->close();
    return expect(shown, QStringLiteral("the device name is not shown"));
}

QString Tour::debugConsoleSend()
{
    Ui_Main *window = m_program.window();
    window->setFocus();
    QTest::keyClick(window, Qt::Key_Z, Qt::AltModifier);
    const QPointer<Ui_Debug> console = window->debugConsole();
    if (!console || !console->isVisible())
        return expect(false, QStringLiteral("Alt+Z did not open the console"));
    console->sendInput()->setText(BytesToHexText(RawConsoleFrame()));
    m_program.mark();
    QTest::mouseClick(console->sendButton(), Qt::LeftButton);
    settle();
    if (!console)
        return expect(false, QStringLiteral("the debug console closed while waiting"));
    const bool sent = m_program.requestsSinceMark().contains(RawConsoleFrame());
    const bool shown = !console->receiveBox()->toPlainText().isEmpty();
    console->close();
    return expect(sent && shown, QStringLiteral("the raw bytes did not go out or nothing came back"));
}

QString Tour::moduleReadAndWrite()
{
    Ui_System *page = m_program.window()->systemPage();
    showTab(page);
    QTest::mouseClick(page->searchButton(), Qt::LeftButton);
    if (!waitFor([page] { return page->searchList()->topLevelItemCount() > 0; }))
        return expect(false, QStringLiteral("the search found no module"));
    QTreeWidget *list = page->searchList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->topLevelItem(0)).center());
    const QByteArray block = m_program.sim().device().state().modules.value(0).block;
    if (!waitFor([&] { return page->lastReadBlock() == block; }))
        return expect(false, QStringLiteral("the module's settings were not read"));
    ModuleBasicConfigBox *basic = page->basicBox();
    TypeText(basic->deviceNameEdit(), QStringLiteral("Hall A"));
    QTest::mouseClick(basic->writeButton(), Qt::LeftButton);
    const bool written =
        waitFor([this] { return m_program.messages().texts().contains(SMSG_NetworkConfigEditSuccess); });
    // After the write the program drops its link and asks to connect again.
    waitFor([] { return ActiveTransport.load() == TransportNone; });
    const QByteArray name = m_program.sim().device().state().modules.value(0).block.mid(ModuleBlock::Name, 6);
    return expect(written && ActiveTransport.load() == TransportNone && name == "Hall A",
                  QStringLiteral("the module write was not confirmed"));
}

bool Tour::connectAgain()
{
    if (ActiveTransport.load() != TransportNone)
        return true;
    Ui_Uart_Network *page = m_program.window()->connectionPage();
    QTest::mouseClick(m_program.simLink() == SimLink::Tcp ? page->networkConnectButton() : page->serialConnectButton(),
                      Qt::LeftButton);
    if (!waitFor([] { return Device().identified == 1; }, IdentifyBoundMs))
        return false;
    return m_program.waitQuiet(QuietBoundMs);
}

bool Tour::readEverythingAgain()
{
    if (ActiveTransport.load() != TransportNone)
        m_program.disconnect();
    return connectAgain();
}

#endif
