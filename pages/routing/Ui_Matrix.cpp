#include "pages/routing/Ui_Matrix.h"

#include "app/LanguageTable.h"
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
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/FullRead.h"
#include "protocol/RequestTracker.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>

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
    m_expand->nameLabel()->installEventFilter(this);

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
    m_grid->build(m_paging.inputsPerPage(), m_paging.outputsPerPage());
    watchLabels();
    for (QPushButton *button : m_grid->crosspoints())
        connect(button, &QPushButton::clicked, this, &Ui_Matrix::SLT_BTN_SwitchMatrix);
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
    // one in flight and the newest only.
    if (!CMD_SwitchInputLatest(target.input, target.output))
        return;
    Tracker().switchQueued(target.input, target.output);
    Q_EMIT SGL_UpdateEmit();
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
    if (!ConfirmDestructive(this, SMSG_ConfirmAllSet.arg(m_allSet->itemText(index))))
        return;
    if (CMD_SwitchAllOutputs(input))
        Q_EMIT SGL_UpdateEmit();
}

void Ui_Matrix::SLT_BTN_SaveLoadWin(bool)
{
    Ui_SaveLoad *dialog = OpenPageDialog<Ui_SaveLoad>(this);
    if (!dialog)
        return;
    m_saveLoadDialog = dialog;
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
