#include "pages/routing/Ui_Matrix.h"

#include "app/LanguageTable.h"
#include "app/OutputLocks.h"
#include "app/UserNames.h"
#include "chrome/CommandBox.h"
#include "chrome/MessageBox.h"
#include "chrome/TextFit.h"
#include "chrome/MyComboBox.h"
#include "chrome/MyUiLayout.h"
#include "pages/PageDialog.h"
#include "pages/routing/AudioSwitchGroup.h"
#include "pages/routing/ExpandInputGroup.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/RenamePanel.h"
#include "pages/routing/RoutingDesk.h"
#include "pages/routing/TakeBar.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_History.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "pages/routing/Ui_Salvos.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/FullRead.h"
#include "protocol/RequestTracker.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>

namespace {
constexpr int Margin = 10;
constexpr int GroupGap = 10;
constexpr int ControlsGap = 14;
constexpr int ControlHeight = 30;
constexpr int AllSetLabelWidth = 60;
constexpr int AllSetBoxWidth = 160;
constexpr int ButtonWidth = 100;
constexpr int ButtonGap = 10;
constexpr int SectionGap = 20;
constexpr quint32 InitialGridSize = 16;
constexpr int TakeBarWidth = 980;
constexpr int TakeBarHeight = 2 * ControlHeight + 16;
constexpr int ExpandNamesKept = int(sizeof S_ExpandInputName / sizeof S_ExpandInputName[0]);
} // namespace

Ui_Matrix::Ui_Matrix(QWidget *parent)
    : QWidget(parent)
{
    buildWidgets();
    RetranslateUi(true, false);
    connectWidgets();
    BuildGrid(InitialGridSize, InitialGridSize);
    BuildExpandInputRow(0);
    BuildAudioSwitchRow();
}

void Ui_Matrix::SetOutputLocks(OutputLocks *locks)
{
    m_locks = locks;
    m_desk->setLocks(locks);
    m_grid->overlay().locks = locks;
    if (locks)
        connect(locks, &OutputLocks::changed, this, [this] { RedrawGrid(false, true); });
}

Ui_History *Ui_Matrix::historyDialog() const
{
    return m_historyDialog;
}

Ui_Salvos *Ui_Matrix::salvosDialog() const
{
    return m_salvosDialog;
}

Ui_Edid *Ui_Matrix::edidDialog() const
{
    return m_edidDialog;
}

Ui_SaveLoad *Ui_Matrix::saveLoadDialog() const
{
    return m_saveLoadDialog;
}

void Ui_Matrix::buildWidgets()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_canvas = new QWidget;
    m_grid = new MatrixGrid(m_canvas);
    m_expand = new ExpandInputGroup(m_canvas);
    m_audio = new AudioSwitchGroup(m_canvas);
    m_allSetLabel = new QLabel(m_canvas);
    m_allSet = new MyComboBox(m_canvas);
    m_allSet->setView(new QListView);
    m_saveLoadButton = new QPushButton(m_canvas);
    m_edidButton = new QPushButton(m_canvas);
    m_rename = new RenamePanel(m_canvas);
    m_bar = new TakeBar(m_canvas);
    m_desk = new RoutingDesk(this);
    m_grid->overlay().staged = &m_desk->staged();
    m_grid->overlay().stageFailures = &m_desk->stageFailures();
    m_expand->nameLabel()->installEventFilter(this);
    // Typed routing needs the keys even where the scroll area would take
    // the arrows; a click on the page's free space gives it the focus.
    setFocusPolicy(Qt::ClickFocus);
    m_scroll->installEventFilter(this);

    m_scroll->setWidget(m_canvas);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
}

void Ui_Matrix::connectWidgets()
{
    connect(m_expand->previousButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_EI_Previous);
    connect(m_expand->nextButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_EI_Next);
    connect(m_audio->upButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_Move_Up);
    connect(m_audio->downButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_Move_Down);
    connect(m_audio->leftButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_Move_Left);
    connect(m_audio->rightButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_Move_Right);
    connect(m_allSet, &MyComboBox::SGL_Auto_UpdateComboBox, this, &Ui_Matrix::SLT_AutoAddSource);
    GuardCommandBox(m_allSet, QStringLiteral("MatrixAllSet"));
    connect(m_allSet, qOverload<int>(&QComboBox::activated), this, &Ui_Matrix::SLT_SetAllOutput);
    connect(m_saveLoadButton, &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_SaveLoadWin);
    connect(m_edidButton, &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_EDIDWin);
    connectDesk();
    // Without a link the model is cleared, but the grid keeps showing the
    // routing last reported: only the pending outlines go.
    connect(&Tracker(), &RequestTracker::SGL_PendingChanged, this, [this] {
        if (Device().identified)
            RedrawGrid(false, false);
        else
            m_grid->clearPending();
    });
}

void Ui_Matrix::RetranslateUi(bool hideRename, bool skipRebuild)
{
    setWindowTitle(Ui_Matrix_AppName);
    m_grid->setTitle(SgroupBox_Matrix);
    m_expand->retranslate();
    m_audio->retranslate();
    m_rename->setTitle(S_Rename);
    m_allSetLabel->setText(Slabel_AllOutputSet);
    m_saveLoadButton->setText(SpushButton_SaveLoadWin);
    m_edidButton->setText(SpushButton_EDIDWin);
    m_bar->retranslate();
    redrawDesk();
    fillAllSetList();
    if (hideRename) {
        m_rename->hide();
    } else {
        RedrawGrid(true, true);
        RedrawExpandInputRow();
    }
    if (!skipRebuild)
        Rebuild();
}

void Ui_Matrix::InitialRead()
{
    QueueFullReadStep(FullReadStep::Routing);
    Q_EMIT SGL_UpdateEmit();
    QueueFullReadStep(FullReadStep::AudioInput);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Matrix::BuildGrid(quint32 inputCount, quint32 outputCount)
{
    DeviceState &device = Device();
    device.inputCount = inputCount;
    device.outputCount = outputCount;
    m_paging.setCounts(inputCount, outputCount);
    // A rename in progress names a label that is about to go.
    finishRename();
    // A device of the same size again (a reconnection) keeps the grid: made
    // anew, its 256 buttons and 64 labels would stall the window while it
    // connects.
    const bool sameShape = !m_grid->crosspoints().isEmpty() && m_grid->columnCount() == int(m_paging.inputsPerPage())
        && m_grid->rowCount() == int(m_paging.outputsPerPage());
    if (!sameShape) {
        m_grid->build(m_paging.inputsPerPage(), m_paging.outputsPerPage());
        watchLabels();
        for (QPushButton *button : m_grid->crosspoints())
            connect(button, &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_SwitchMatrix);
    }
    m_grid->overlay().cursorColumn = -1;
    m_grid->overlay().cursorRow = -1;
    m_keys.setCounts(inputCount, outputCount);
    layoutPage();
}

void Ui_Matrix::watchLabels()
{
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        m_grid->inputNameLabel(c)->installEventFilter(this);
        m_grid->inputNumberLabel(c)->installEventFilter(this);
    }
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        m_grid->outputNameLabel(r)->installEventFilter(this);
        m_grid->outputNumberLabel(r)->installEventFilter(this);
    }
}

void Ui_Matrix::BuildExpandInputRow(quint32 count)
{
    Device().expandInputCount = count;
    m_paging.setExpandCount(count);
    m_expand->build(m_paging.outputsPerPage());
    for (QPushButton *button : m_expand->buttons().buttons())
        connect(button, &QPushButton::clicked, this, &Ui_Matrix::SLT_Switch_ExpandInput);
    layoutPage();
}

void Ui_Matrix::BuildAudioSwitchRow()
{
    m_audio->build(m_paging.inputsPerPage());
    for (QPushButton *button : m_audio->buttons().buttons())
        connect(button, &QPushButton::clicked, this, &Ui_Matrix::SLT_Switch_LRInput);
    layoutPage();
}

void Ui_Matrix::Rebuild()
{
    const DeviceState &device = Device();
    BuildGrid(device.inputCount, device.outputCount);
    BuildExpandInputRow(device.expandInputCount);
    BuildAudioSwitchRow();
}

void Ui_Matrix::layoutPage()
{
    const DeviceState &device = Device();
    MyUiLayout::place(m_grid, nullptr, MyUiLayout::Absolute, Margin, Margin, m_grid->width(), m_grid->height());
    MyUiLayout::place(m_expand, m_grid, MyUiLayout::RightTopAligned, GroupGap, 0, m_expand->width(),
                      m_expand->height());
    m_expand->setVisible(device.expandInputCount != 0);
    m_expand->previousButton()->setVisible(device.expandInputCount > 1);
    m_expand->nextButton()->setVisible(device.expandInputCount > 1);
    m_audio->showPaging(MatrixPaging::pagingShown(device.inputCount), MatrixPaging::pagingShown(device.outputCount));
    MyUiLayout::place(m_audio, m_grid, MyUiLayout::LeftAlignedBelow, 0, GroupGap, m_audio->width(), m_audio->height());
    MyUiLayout::place(m_allSetLabel, m_audio, MyUiLayout::LeftAlignedBelow, 0, ControlsGap, AllSetLabelWidth,
                      ControlHeight);
    MyUiLayout::place(m_allSet, m_allSetLabel, MyUiLayout::RightTopAligned, 0, 0, AllSetBoxWidth, ControlHeight);
    MyUiLayout::place(m_saveLoadButton, m_allSet, MyUiLayout::RightTopAligned, SectionGap, 0, ButtonWidth,
                      ControlHeight);
    MyUiLayout::place(m_edidButton, m_saveLoadButton, MyUiLayout::RightTopAligned, ButtonGap, 0, ButtonWidth,
                      ControlHeight);
    MyUiLayout::place(m_rename, m_edidButton, MyUiLayout::RightTopAligned, SectionGap, -RenamePanel::TitleOffset,
                      RenamePanel::Width, RenamePanel::Height);
    MyUiLayout::place(m_bar, m_allSetLabel, MyUiLayout::LeftAlignedBelow, 0,
                      qMax(ControlsGap, m_rename->geometry().bottom() - m_allSetLabel->geometry().bottom() + GroupGap),
                      TakeBarWidth, TakeBarHeight);
    // childrenRect() leaves hidden children out: the rename panel, shown
    // later, must fit as well, or it opens cut in half.
    const QRect used = m_canvas->childrenRect().united(m_rename->geometry());
    m_canvas->resize(used.right() + 1 + Margin, used.bottom() + 1 + Margin);
    fillAllSetList();
}

void Ui_Matrix::fillAllSetList()
{
    const DeviceState &device = Device();
    m_allSet->clear();
    for (quint32 i = 0; i < device.inputCount; ++i)
        m_allSet->addItem(S_InputName[ClampChannel(i)]);
    for (quint32 e = 0; e < device.expandInputCount; ++e)
        m_allSet->addItem(S_ExpandInputName[qMin(int(e), ExpandNamesKept - 1)]);
}

void Ui_Matrix::RedrawGrid(bool inputs, bool outputs)
{
    m_grid->redraw(m_paging, inputs, outputs);
}

void Ui_Matrix::RedrawExpandInputRow()
{
    m_expand->redraw(m_paging, Device().expandInputCount);
}

void Ui_Matrix::RedrawAudioSwitchRow()
{
    m_audio->redraw(m_paging);
}

void Ui_Matrix::RefreshFromDevice()
{
    RedrawGrid(true, true);
    RedrawExpandInputRow();
    RedrawAudioSwitchRow();
}

void Ui_Matrix::SLT_BTN_SwitchMatrix(bool)
{
    const int n = sender() ? ButtonNumber(sender()->objectName(), QLatin1String(MatrixGrid::ButtonPrefix)) : -1;
    if (n < 0)
        return;
    const MatrixTarget target = m_paging.crosspoint(quint32(n));
    // A second pick for an output whose switch still waits in the queue
    // takes that switch's place: with a slow device, quick clicks send the
    // one in flight and the newest only. In take mode the pick is staged.
    m_desk->pick(target.output, target.input);
}

void Ui_Matrix::SLT_Switch_ExpandInput()
{
    const int n = sender() ? ButtonNumber(sender()->objectName(), QLatin1String(ExpandInputGroup::ButtonPrefix)) : -1;
    if (n < 0)
        return;
    if (CMD_SwitchInput(Device().expandInputChannel, m_paging.expandOutput(quint32(n))))
        Q_EMIT SGL_UpdateEmit();
}

void Ui_Matrix::SLT_Switch_LRInput()
{
    const int n = sender() ? ButtonNumber(sender()->objectName(), QLatin1String(AudioSwitchGroup::ButtonPrefix)) : -1;
    if (n < 0)
        return;
    const quint32 input = m_paging.audioInput(quint32(n));
    // The value travels in one byte; an input beyond the device is not sent.
    if (input >= Device().inputCount)
        return;
    if (CMD_LRInputWrite(quint8(input)))
        Q_EMIT SGL_UpdateEmit();
}

void Ui_Matrix::SLT_EI_Previous()
{
    if (m_paging.previousExpand())
        RedrawExpandInputRow();
}

void Ui_Matrix::SLT_EI_Next()
{
    if (m_paging.nextExpand(Device().expandInputCount))
        RedrawExpandInputRow();
}

void Ui_Matrix::SLT_BTN_Move_Up(bool)
{
    if (m_paging.previousOutputPage())
        RedrawGrid(false, true);
}

void Ui_Matrix::SLT_BTN_Move_Down(bool)
{
    if (m_paging.nextOutputPage(Device().outputCount))
        RedrawGrid(false, true);
}

void Ui_Matrix::SLT_BTN_Move_Left(bool)
{
    if (m_paging.previousInputPage()) {
        RedrawGrid(true, false);
        RedrawAudioSwitchRow();
    }
}

void Ui_Matrix::SLT_BTN_Move_Right(bool)
{
    if (m_paging.nextInputPage(Device().inputCount)) {
        RedrawGrid(true, false);
        RedrawAudioSwitchRow();
    }
}

void Ui_Matrix::SLT_AutoAddSource()
{
    fillAllSetList();
}

void Ui_Matrix::SLT_SetAllOutput(int index)
{
    const DeviceState &device = Device();
    const quint32 input = AllSetInput(index, device.inputCount, device.expandInputCount, device.expandInputChannel);
    // Staging asks nothing: the take is the deliberate step.
    if (!m_desk->takeMode() && !ConfirmDestructive(this, SMSG_ConfirmAllSet.arg(m_allSet->itemText(index))))
        return;
    m_desk->allSet(input);
}

void Ui_Matrix::SLT_BTN_SaveLoadWin(bool)
{
    Ui_SaveLoad *dialog = OpenPageDialog<Ui_SaveLoad>(this);
    if (!dialog)
        return;
    m_saveLoadDialog = dialog;
    connect(dialog, &Ui_SaveLoad::SGL_PresetSaved, m_desk, &RoutingDesk::presetSaved);
    connect(dialog, &Ui_SaveLoad::SGL_PresetRecalled, m_desk, &RoutingDesk::presetRecalled);
    dialog->show();
}

void Ui_Matrix::SLT_BTN_EDIDWin(bool)
{
    Ui_Edid *dialog = OpenPageDialog<Ui_Edid>(this);
    if (!dialog)
        return;
    connect(this, &Ui_Matrix::SGL_Update_InEdidMode, dialog, &Ui_Edid::SLT_Update_InEdidMode);
    connect(this, &Ui_Matrix::SGL_Update_EdidMessage, dialog, &Ui_Edid::SLT_Update_EdidMessage);
    connect(this, &Ui_Matrix::SGL_Update_OutEdid, dialog, &Ui_Edid::SLT_Update_OutEdid);
    m_edidDialog = dialog;
    dialog->show();
    dialog->SLT_IN_EdidWritePort(0);
}

bool Ui_Matrix::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_scroll && routingKey(static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::ContextMenu) {
        const MatrixGrid::LabelRef ref = m_grid->labelOf(watched);
        if (ref.kind == MatrixGrid::LabelKind::OutputName || ref.kind == MatrixGrid::LabelKind::OutputNumber) {
            SLT_ShowLockMenu(m_paging.firstOutput() + ref.local, static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        auto *label = qobject_cast<QLabel *>(watched);
        const MatrixGrid::LabelRef ref = m_grid->labelOf(watched);
        // Number labels start nothing.
        if (ref.kind == MatrixGrid::LabelKind::InputName)
            startRename(RenameKind::Input, ref.local, label);
        else if (ref.kind == MatrixGrid::LabelKind::OutputName)
            startRename(RenameKind::Output, ref.local, label);
        else if (watched == m_expand->nameLabel())
            startRename(RenameKind::ExpandInput, 0, label);
    }
    return QWidget::eventFilter(watched, event);
}

void Ui_Matrix::startRename(RenameKind kind, quint32 target, QLabel *label)
{
    m_renameKind = kind;
    m_renameTarget = target;
    m_rename->begin(label);
    void (Ui_Matrix::*slot)() = nullptr;
    switch (kind) {
    case RenameKind::Input:
        slot = &Ui_Matrix::SLT_I_Rename;
        break;
    case RenameKind::Output:
        slot = &Ui_Matrix::SLT_O_Rename;
        break;
    case RenameKind::ExpandInput:
        slot = &Ui_Matrix::SLT_EI_Rename;
        break;
    case RenameKind::None:
        return;
    }
    connect(m_rename->edit(), &QLineEdit::returnPressed, this, slot);
}

void Ui_Matrix::finishRename()
{
    m_renameKind = RenameKind::None;
    m_renameTarget = 0;
    m_rename->end();
}

QString Ui_Matrix::acceptedName(RenameKind kind, quint32 perPage) const
{
    const QString text = m_rename->edit()->text();
    if (m_renameKind != kind || text.isEmpty() || m_renameTarget >= perPage || !m_rename->clickedLabel())
        return QString();
    return text;
}

void Ui_Matrix::SLT_I_Rename()
{
    const QString name = acceptedName(RenameKind::Input, m_paging.inputsPerPage());
    if (!name.isEmpty()) {
        SetElidedText(m_rename->clickedLabel(), name);
        QString &kept = S_InputName[ClampChannel(m_paging.firstInput() + m_renameTarget)];
        kept = name;
        ShareUserName(&kept);
    }
    finishRename();
    Q_EMIT SGL_Refresh_DispalyWindowList();
}

void Ui_Matrix::SLT_O_Rename()
{
    const QString name = acceptedName(RenameKind::Output, m_paging.outputsPerPage());
    if (!name.isEmpty()) {
        SetElidedText(m_rename->clickedLabel(), name);
        QString &kept = S_OutputName[ClampChannel(m_paging.firstOutput() + m_renameTarget)];
        kept = name;
        ShareUserName(&kept);
    }
    finishRename();
}

void Ui_Matrix::SLT_EI_Rename()
{
    const QString name = acceptedName(RenameKind::ExpandInput, 1);
    if (!name.isEmpty()) {
        SetElidedText(m_rename->clickedLabel(), name);
        QString &kept = S_ExpandInputName[qMin(int(m_paging.expandIndex()), ExpandNamesKept - 1)];
        kept = name;
        ShareUserName(&kept);
    }
    finishRename();
    Q_EMIT SGL_Refresh_DispalyWindowList();
}

void Ui_Matrix::connectDesk()
{
    m_bar->takeModeBox()->setChecked(m_desk->takeMode());
    connect(m_bar->takeModeBox(), &QCheckBox::toggled, this, &Ui_Matrix::SLT_TakeMode);
    connect(m_bar->takeButton(), &QPushButton::clicked, m_desk, &RoutingDesk::take);
    connect(m_bar->clearButton(), &QPushButton::clicked, m_desk, &RoutingDesk::clearStaged);
    connect(m_bar->historyButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_HistoryWin);
    connect(m_bar->salvosButton(), &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_SalvosWin);
    connect(m_desk, &RoutingDesk::SGL_UpdateEmit, this, &Ui_Matrix::SGL_UpdateEmit);
    connect(m_desk, &RoutingDesk::SGL_StatusLine, this, &Ui_Matrix::SGL_StatusLine);
    connect(m_desk, &RoutingDesk::SGL_Changed, this, &Ui_Matrix::redrawDesk);
    auto *undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    auto *redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    redo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undo, &QShortcut::activated, m_desk, &RoutingDesk::undo);
    connect(redo, &QShortcut::activated, m_desk, &RoutingDesk::redo);
}

void Ui_Matrix::redrawDesk()
{
    if (Device().identified)
        RedrawGrid(false, false);
    const QString typed = m_keys.text();
    m_bar->setState(typed.isEmpty() ? m_desk->stagedText() : typed, m_desk->lastMessage(), !m_desk->staged().isEmpty());
}

void Ui_Matrix::SLT_TakeMode(bool on)
{
    m_desk->setTakeMode(on);
}

void Ui_Matrix::SLT_BTN_HistoryWin(bool)
{
    Ui_History *dialog = OpenPageDialog<Ui_History>(this);
    if (!dialog)
        return;
    dialog->setDesk(m_desk);
    m_historyDialog = dialog;
    dialog->show();
}

void Ui_Matrix::SLT_BTN_SalvosWin(bool)
{
    Ui_Salvos *dialog = OpenPageDialog<Ui_Salvos>(this);
    if (!dialog)
        return;
    dialog->setDesk(m_desk);
    m_salvosDialog = dialog;
    dialog->show();
}

void Ui_Matrix::SLT_ShowLockMenu(quint32 output, const QPoint &globalPos)
{
    if (!m_locks || output >= Device().outputCount)
        return;
    delete m_lockMenu;
    m_lockMenu = new QMenu(this);
    const int number = int(output) + 1;
    const bool locked = m_locks->isLocked(number);
    QAction *action = m_lockMenu->addAction((locked ? SMenu_UnlockOutput : SMenu_LockOutput).arg(number));
    OutputLocks *locks = m_locks;
    connect(action, &QAction::triggered, locks, [locks, number, locked] { locks->setLocked(number, !locked); });
    m_lockMenu->popup(globalPos);
}

void Ui_Matrix::keyPressEvent(QKeyEvent *event)
{
    if (!routingKey(event))
        QWidget::keyPressEvent(event);
}

bool Ui_Matrix::routingKey(QKeyEvent *event)
{
    // Other modifiers belong to shortcuts (Ctrl+Z, Ctrl+Tab, Alt+Z). Keys a
    // focused control takes (a box, a name being edited) never get here.
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !Device().identified)
        return false;
    const int key = event->key();
    bool handled = true;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        m_keys.digit(key - Qt::Key_0);
    } else if (key == Qt::Key_Period || key == Qt::Key_Slash || key == Qt::Key_Minus) {
        m_keys.separator();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_keys.typing()) {
            if (m_keys.enter() == MatrixKeys::Step::Route)
                m_desk->pick(m_keys.output() - 1, m_keys.input() - 1);
        } else {
            m_desk->take();
        }
    } else if (key == Qt::Key_Escape) {
        if (!m_keys.clear())
            m_desk->clearStaged();
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
        moveCursor(key == Qt::Key_Left ? -1 : 1, 0);
    } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
        moveCursor(0, key == Qt::Key_Up ? -1 : 1);
    } else if (key == Qt::Key_Space && m_grid->overlay().cursorColumn >= 0) {
        const MatrixGrid::Overlay &overlay = m_grid->overlay();
        m_desk->pick(m_paging.firstOutput() + quint32(overlay.cursorRow),
                     m_paging.firstInput() + quint32(overlay.cursorColumn));
    } else {
        handled = false;
    }
    if (handled)
        redrawDesk();
    return handled;
}

void Ui_Matrix::moveCursor(int columns, int rows)
{
    const DeviceState &device = Device();
    const int shownInputs = int(qMin(m_paging.shownInputs(device.inputCount), m_paging.inputsPerPage()));
    const int shownOutputs = int(qMin(m_paging.shownOutputs(device.outputCount), m_paging.outputsPerPage()));
    if (shownInputs == 0 || shownOutputs == 0)
        return;
    MatrixGrid::Overlay &overlay = m_grid->overlay();
    // The first arrow shows the cursor on the first crosspoint.
    if (overlay.cursorColumn < 0) {
        overlay.cursorColumn = 0;
        overlay.cursorRow = 0;
        return;
    }
    overlay.cursorColumn = qBound(0, overlay.cursorColumn + columns, shownInputs - 1);
    overlay.cursorRow = qBound(0, overlay.cursorRow + rows, shownOutputs - 1);
}
