#include "pages/routing/Ui_SignalConfig.h"

#include "app/LanguageTable.h"
#include "chrome/CommandBox.h"
#include "pages/PageDialog.h"
#include "pages/RowFreshness.h"
#include "pages/routing/DrawnChoice.h"
#include "pages/routing/SignalInputRows.h"
#include "pages/routing/SignalLists.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/SignalRules.h"
#include "pages/routing/Ui_More.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/FullRead.h"
#include "protocol/MultiviewList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Board kinds whose type change alters what the port reports, so the page
// reads the port again after it.
constexpr quint32 RereadInputKinds[] = {4, 5};
constexpr quint32 RereadOutputKinds[] = {7, 8};

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

template<typename Table>
bool Listed(const Table &table, quint32 kind)
{
    for (quint32 k : table)
        if (k == kind)
            return true;
    return false;
}

quint32 RowsOnPage(quint32 total, quint32 page)
{
    const quint32 first = page * Ui_SignalConfig::RowsPerPage;
    return total > first ? qMin(Ui_SignalConfig::RowsPerPage, total - first) : 0;
}

quint32 LastPage(quint32 total)
{
    return total > Ui_SignalConfig::RowsPerPage
        ? (total + Ui_SignalConfig::RowsPerPage - 1) / Ui_SignalConfig::RowsPerPage - 1
        : 0;
}

} // namespace

Ui_SignalConfig::Ui_SignalConfig(QWidget *parent)
    : QWidget(parent)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi();
    redrawPaging();
}

// The frame of the page comes first and the rows are built inside it. Under
// the application style sheet every move of a widget to a new parent styles
// its whole subtree again (each combo box rebuilds its list's delegate);
// rows built alone and then placed into the content, the scroll area and
// the page were styled four times, a good part of the program's start-up.
void Ui_SignalConfig::buildWidgets()
{
    auto *scroll = new QScrollArea(this);
    auto *content = new QWidget;
    scroll->setWidget(content);
    m_inputs = new SignalInputRows(content);
    m_outputs = new SignalOutputRows(content);
}

void Ui_SignalConfig::buildLayout()
{
    auto *scroll = findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    auto *halves = new QBoxLayout(QBoxLayout::LeftToRight, scroll->widget());
    halves->addWidget(m_inputs, 0, Qt::AlignTop);
    halves->addWidget(m_outputs, 0, Qt::AlignTop);
    halves->addStretch();
    // Small screens scroll the rows instead of squeezing them.
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *page = new QHBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(scroll);
}

void Ui_SignalConfig::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The two halves side by side when they fit the width, else one above
    // the other, so that no column of a row hides behind a scroll bar.
    auto *scroll = findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    auto *halves = qobject_cast<QBoxLayout *>(scroll->widget()->layout());
    const QMargins margins = halves->contentsMargins();
    const int sideBySide = m_inputs->sizeHint().width() + halves->spacing() + m_outputs->sizeHint().width()
        + margins.left() + margins.right() + scroll->verticalScrollBar()->sizeHint().width();
    const QBoxLayout::Direction direction = width() >= sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (halves->direction() != direction)
        halves->setDirection(direction);
}

void Ui_SignalConfig::connectWidgets()
{
    connect(&Tracker(), &RequestTracker::SGL_RowsChanged, this, &Ui_SignalConfig::markRows);
    connect(&Tracker(), &RequestTracker::SGL_WriteUnanswered, this, [this](quint32 output) {
        for (int r = 0; r < int(outputRowsShown()); ++r) {
            if (outputIndex(r) == output)
                redrawOutputRow(r);
        }
    });
    for (int r = 0; r < int(RowsPerPage); ++r) {
        const InputRow &in = m_inputs->row(r);
        for (QComboBox *box : {in.type, in.audio, m_outputs->row(r).type, m_outputs->row(r).format})
            GuardCommandBox(box);
        connect(in.type, qOverload<int>(&QComboBox::activated), this, &Ui_SignalConfig::SLT_I_InputType);
        connect(in.audio, qOverload<int>(&QComboBox::activated), this, &Ui_SignalConfig::SLT_I_AudioSelect);
        connect(in.bind, &QCheckBox::clicked, this, &Ui_SignalConfig::SLT_I_Bind);
        connect(in.read, &QPushButton::clicked, this, &Ui_SignalConfig::SLT_I_Read);
        const OutputRow &out = m_outputs->row(r);
        connect(out.type, qOverload<int>(&QComboBox::activated), this, &Ui_SignalConfig::SLT_O_OutputType);
        connect(out.format, qOverload<int>(&QComboBox::activated), this, &Ui_SignalConfig::SLT_O_OutputFormat);
        connect(out.mute, &QCheckBox::clicked, this, &Ui_SignalConfig::SLT_O_AudioMute);
        connect(out.freeze, &QCheckBox::clicked, this, &Ui_SignalConfig::SLT_O_Freeze);
        connect(out.black, &QCheckBox::clicked, this, &Ui_SignalConfig::SLT_O_Black);
        connect(out.read, &QPushButton::clicked, this, &Ui_SignalConfig::SLT_O_Read);
    }
    connect(m_inputs->readAllButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_BTN_ReadAllInput);
    connect(m_inputs->upButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_I_Up);
    connect(m_inputs->downButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_I_Down);
    connect(m_outputs->readAllButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_BTN_ReadAllOutput);
    connect(m_outputs->upButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_O_Up);
    connect(m_outputs->downButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_O_Down);
    connect(m_outputs->moreButton(), &QPushButton::clicked, this, &Ui_SignalConfig::SLT_BTN_MoreWin);
}

void Ui_SignalConfig::RetranslateUi()
{
    setWindowTitle(Ui_SignalConfig_AppName);
    m_inputs->retranslate();
    m_outputs->retranslate();
}

Ui_More *Ui_SignalConfig::moreDialog() const
{
    return m_more.data();
}

void Ui_SignalConfig::RebuildRows(quint32 inputCount, quint32 outputCount)
{
    m_inputTotal = inputCount;
    m_outputTotal = outputCount;
    m_inputPage = 0;
    m_outputPage = 0;
    std::fill(std::begin(m_inputKnown), std::end(m_inputKnown), false);
    std::fill(std::begin(m_outputKnown), std::end(m_outputKnown), false);
    Redraw(true, true);
}

void Ui_SignalConfig::InitialRead()
{
    QueueFullReadStep(FullReadStep::InputInfo);
    QueueFullReadStep(FullReadStep::InputBinds);
    emitSend();
    if (ResetMultiviewList(Device()))
        Q_EMIT SGL_UpdateSelect_MV();
    QueueFullReadStep(FullReadStep::OutputInfo);
    emitSend();
}

void Ui_SignalConfig::Redraw(bool inputs, bool outputs)
{
    for (int r = 0; r < int(RowsPerPage); ++r) {
        if (inputs)
            redrawInputRow(r);
        if (outputs)
            redrawOutputRow(r);
    }
    redrawPaging();
}

quint32 Ui_SignalConfig::inputRowsShown() const
{
    return RowsOnPage(m_inputTotal, m_inputPage);
}

quint32 Ui_SignalConfig::outputRowsShown() const
{
    return RowsOnPage(m_outputTotal, m_outputPage);
}

void Ui_SignalConfig::redrawInputRow(int row)
{
    if (quint32(row) >= inputRowsShown()) {
        m_inputs->hideRow(row);
        return;
    }
    const quint32 index = inputIndex(row);
    m_inputs->showEmptyRow(row, index + 1);
    if (m_inputKnown[ClampChannel(index)])
        m_inputs->fillRow(row, Device().inputAt(index));
    markInputRow(row);
}

// Marks only: a row kept from an earlier connection keeps the values its
// widgets show (the model was cleared when that link went down).
void Ui_SignalConfig::markInputRow(int row)
{
    if (quint32(row) >= inputRowsShown())
        return;
    const InputRow &widgets = m_inputs->row(row);
    const RequestTracker::RowState state = Tracker().rowState(RequestTracker::RowKind::Input, inputIndex(row));
    MarkFreshness(widgets.number, widgets.read, state);
    if (state == RequestTracker::RowState::Missed)
        widgets.inputFormat->setText(MissingValueText());
}

void Ui_SignalConfig::markOutputRow(int row)
{
    if (quint32(row) >= outputRowsShown())
        return;
    const OutputRow &widgets = m_outputs->row(row);
    const RequestTracker::RowState state = Tracker().rowState(RequestTracker::RowKind::Output, outputIndex(row));
    MarkFreshness(widgets.number, widgets.read, state);
    if (state == RequestTracker::RowState::Missed)
        widgets.inputFormat->setText(MissingValueText());
}

void Ui_SignalConfig::markRows()
{
    for (int r = 0; r < int(RowsPerPage); ++r) {
        markInputRow(r);
        markOutputRow(r);
    }
}

void Ui_SignalConfig::redrawOutputRow(int row)
{
    if (quint32(row) >= outputRowsShown()) {
        m_outputs->hideRow(row);
        return;
    }
    const quint32 index = outputIndex(row);
    m_outputs->showEmptyRow(row, index + 1);
    if (m_outputKnown[ClampChannel(index)])
        m_outputs->fillRow(row, Device().outputAt(index));
    markOutputRow(row);
}

void Ui_SignalConfig::redrawPaging()
{
    m_inputs->upButton()->setEnabled(m_inputPage > 0);
    m_inputs->downButton()->setEnabled(m_inputPage < LastPage(m_inputTotal));
    m_outputs->upButton()->setEnabled(m_outputPage > 0);
    m_outputs->downButton()->setEnabled(m_outputPage < LastPage(m_outputTotal));
}

int Ui_SignalConfig::senderRow(const char *prefix, quint32 shownRows) const
{
    const QObject *control = sender();
    if (!control)
        return -1;
    const int row = RowOfObjectName(control->objectName(), prefix);
    return row >= 0 && quint32(row) < shownRows ? row : -1;
}

void Ui_SignalConfig::emitSend()
{
    Q_EMIT SGL_UpdateEmit();
}

void Ui_SignalConfig::forgetInput(quint32 index)
{
    InputInfo &input = Device().inputAt(index);
    const quint8 bind = input.bind;
    input = InputInfo{};
    input.bind = bind;
    m_inputKnown[ClampChannel(index)] = false;
}

void Ui_SignalConfig::forgetOutput(quint32 index)
{
    Device().outputAt(index) = OutputInfo{};
    m_outputKnown[ClampChannel(index)] = false;
}

// Inputs

void Ui_SignalConfig::SLT_I_InputType(int index)
{
    const int row = senderRow(SignalNames::InputType, inputRowsShown());
    if (row < 0)
        return;
    QComboBox *box = m_inputs->row(row).type;
    if (!Connected()) {
        RestoreChoice(box);
        return;
    }
    const quint32 input = inputIndex(row);
    CMD_InputTypeWrite(input, TypeCodeOfText(box->currentText(), index));
    emitSend();
    if (Listed(RereadInputKinds, Device().inputAt(input).pos2)) {
        CMD_InputInfoRead(input);
        emitSend();
    }
    // The box shows the device's type until the reply says otherwise.
    redrawInputRow(row);
}

void Ui_SignalConfig::SLT_I_AudioSelect(int index)
{
    const int row = senderRow(SignalNames::AudioSelect, inputRowsShown());
    if (row < 0)
        return;
    QComboBox *box = m_inputs->row(row).audio;
    if (!Connected() || index < 0) {
        RestoreChoice(box);
        return;
    }
    // The device's answer carries nothing the model keeps, so the choice
    // goes into the model as it is sent.
    const quint32 input = inputIndex(row);
    const quint8 source = quint8(box->itemData(index).toInt());
    Device().inputAt(input).pos6 = source;
    CMD_InputAudioSelectWrite(input, source);
    emitSend();
    redrawInputRow(row);
}

void Ui_SignalConfig::SLT_I_Bind(bool checked)
{
    const quint32 shown = inputRowsShown();
    const int row = senderRow(SignalNames::Bind, shown);
    if (row < 0)
        return;
    if (!Connected()) {
        m_inputs->setBindBox(row, !checked);
        return;
    }
    // Inputs pair as (0,1), (2,3), …: both of a pair follow the click.
    const int partner = row % 2 == 0 ? row + 1 : row - 1;
    Device().inputAt(inputIndex(row)).bind = checked ? 1 : 0;
    if (quint32(partner) < shown) {
        Device().inputAt(inputIndex(partner)).bind = checked ? 1 : 0;
        m_inputs->setBindBox(partner, checked);
    }
    CMD_InputBindWrite();
    emitSend();
}

void Ui_SignalConfig::SLT_I_Read(bool)
{
    const int row = senderRow(SignalNames::InputRead, inputRowsShown());
    if (row < 0 || !Connected())
        return;
    const quint32 input = inputIndex(row);
    forgetInput(input);
    redrawInputRow(row);
    CMD_InputInfoRead(input);
    emitSend();
}

void Ui_SignalConfig::SLT_I_Up(bool)
{
    if (m_inputPage == 0)
        return;
    --m_inputPage;
    Redraw(true, false);
}

void Ui_SignalConfig::SLT_I_Down(bool)
{
    if (m_inputPage >= LastPage(m_inputTotal))
        return;
    ++m_inputPage;
    Redraw(true, false);
}

void Ui_SignalConfig::SLT_BTN_ReadAllInput(bool)
{
    if (!Connected())
        return;
    for (quint32 i = 0; i < DeviceLimits::Channels; ++i)
        forgetInput(i);
    Redraw(true, false);
    for (quint32 input = 0; input < m_inputTotal; ++input) {
        CMD_InputInfoRead(input);
        emitSend();
    }
}

// Outputs

void Ui_SignalConfig::SLT_O_OutputType(int index)
{
    const int row = senderRow(SignalNames::OutputType, outputRowsShown());
    if (row < 0)
        return;
    QComboBox *box = m_outputs->row(row).type;
    if (!Connected()) {
        RestoreChoice(box);
        return;
    }
    const quint32 output = outputIndex(row);
    CMD_OutputTypeWrite(output, TypeCodeOfText(box->currentText(), index));
    emitSend();
    if (Listed(RereadOutputKinds, Device().outputAt(output).pos2)) {
        CMD_OutputInfoRead(output);
        emitSend();
    }
    redrawOutputRow(row);
}

void Ui_SignalConfig::SLT_O_OutputFormat(int index)
{
    const int row = senderRow(SignalNames::OutputFormat, outputRowsShown());
    if (row < 0)
        return;
    QComboBox *box = m_outputs->row(row).format;
    if (!Connected() || index < 0 || box->itemData(index).toUInt() == SignalLists::NoSignalFormat) {
        RestoreChoice(box);
        return;
    }
    CMD_OutputFormatWrite(outputIndex(row), quint8(index));
    emitSend();
    redrawOutputRow(row);
}

// Mute, freeze and black: the box shows the click until the device answers,
// and the model takes only the answer. Taken into the model at once, a
// switch whose answer was lost would show as done when the device never
// did it; without an answer the row shows the confirmed state again.
void Ui_SignalConfig::sendOutputSwitch(QCheckBox *box, int row, bool on, bool (*command)(quint32, quint8))
{
    if (!Connected()) {
        box->setChecked(!on);
        return;
    }
    command(outputIndex(row), on ? 1 : 0);
    emitSend();
}

void Ui_SignalConfig::SLT_O_AudioMute(bool checked)
{
    const int row = senderRow(SignalNames::AudioMute, outputRowsShown());
    if (row >= 0)
        sendOutputSwitch(m_outputs->row(row).mute, row, checked, &CMD_OutputAudioMuteWrite);
}

void Ui_SignalConfig::SLT_O_Freeze(bool checked)
{
    const int row = senderRow(SignalNames::Freeze, outputRowsShown());
    if (row >= 0)
        sendOutputSwitch(m_outputs->row(row).freeze, row, checked, &CMD_OutputFreezeWrite);
}

void Ui_SignalConfig::SLT_O_Black(bool checked)
{
    const int row = senderRow(SignalNames::Black, outputRowsShown());
    if (row >= 0)
        sendOutputSwitch(m_outputs->row(row).black, row, checked, &CMD_OutputBlackWrite);
}

void Ui_SignalConfig::SLT_O_Read(bool)
{
    const int row = senderRow(SignalNames::OutputRead, outputRowsShown());
    if (row < 0 || !Connected())
        return;
    const quint32 output = outputIndex(row);
    forgetOutput(output);
    redrawOutputRow(row);
    CMD_OutputInfoRead(output);
    emitSend();
}

void Ui_SignalConfig::SLT_O_Up(bool)
{
    if (m_outputPage == 0)
        return;
    --m_outputPage;
    Redraw(false, true);
}

void Ui_SignalConfig::SLT_O_Down(bool)
{
    if (m_outputPage >= LastPage(m_outputTotal))
        return;
    ++m_outputPage;
    Redraw(false, true);
}

void Ui_SignalConfig::SLT_BTN_ReadAllOutput(bool)
{
    if (!Connected())
        return;
    if (ResetMultiviewList(Device()))
        Q_EMIT SGL_UpdateSelect_MV();
    for (quint32 o = 0; o < DeviceLimits::Channels; ++o)
        forgetOutput(o);
    Redraw(false, true);
    for (quint32 output = 0; output < m_outputTotal; ++output) {
        CMD_OutputInfoRead(output);
        emitSend();
    }
}

void Ui_SignalConfig::SLT_BTN_MoreWin(bool)
{
    Ui_More *more = OpenPageDialog<Ui_More>(this);
    if (!more)
        return;
    m_more = more;
    connect(more, &Ui_More::SGL_JudgeMutex_MVAndSplicing, this, &Ui_SignalConfig::SGL_JudgeMutex_MVAndSplicing);
    connect(this, &Ui_SignalConfig::SGL_Update_AllBind, more, &Ui_More::SLT_Update_AllBind);
    connect(this, &Ui_SignalConfig::SGL_Update_ReportOn, more, &Ui_More::SLT_Update_ReportOn);
    connect(this, &Ui_SignalConfig::SGL_Update_IR, more, &Ui_More::SLT_Update_IR);
    connect(this, &Ui_SignalConfig::SGL_Update_NAdd1Backup, more, &Ui_More::SLT_Update_NAdd1Backup);
    connect(this, &Ui_SignalConfig::SGL_Update_OutputRotate, more, &Ui_More::SLT_Update_OutputRotate);
    connect(this, &Ui_SignalConfig::SGL_Update_UserResolution, more, &Ui_More::SLT_Update_UserResolution);
    connect(this, &Ui_SignalConfig::SGL_Update_OutputMode, more, &Ui_More::SLT_Update_OutputMode);
    more->show();
    more->ReadOpeningValues();
}

// From the dispatcher

void Ui_SignalConfig::SLT_RefreshInput(unsigned int channel)
{
    const quint32 index = ClampChannel(channel);
    m_inputKnown[index] = true;
    if (index / RowsPerPage == m_inputPage)
        redrawInputRow(int(index % RowsPerPage));
}

void Ui_SignalConfig::SLT_RefreshOutput(unsigned int channel)
{
    const quint32 index = ClampChannel(channel);
    m_outputKnown[index] = true;
    if (index / RowsPerPage == m_outputPage)
        redrawOutputRow(int(index % RowsPerPage));
}

void Ui_SignalConfig::SLT_RefreshBinds()
{
    const quint32 shown = inputRowsShown();
    for (quint32 r = 0; r < shown; ++r) {
        const quint32 index = inputIndex(int(r));
        if (m_inputKnown[ClampChannel(index)])
            m_inputs->setBindBox(int(r), Device().inputAt(index).bind != 0);
    }
}

void Ui_SignalConfig::SLT_OutputChanged(unsigned int output)
{
    if (UpdateMultiviewList(Device(), output))
        Q_EMIT SGL_UpdateSelect_MV();
    // The format box is locked while the output's group shows a multiview.
    const quint32 index = ClampChannel(output);
    if (index / RowsPerPage == m_outputPage)
        redrawOutputRow(int(index % RowsPerPage));
}
