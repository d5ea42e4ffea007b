#include "pages/routing/Ui_More.h"

#include "app/LanguageTable.h"
#include "chrome/CommandBox.h"
#include "chrome/FramelessChrome.h"
#include "chrome/MessageBox.h"
#include "chrome/TextFit.h"
#include "pages/routing/SignalLists.h"
#include "pages/routing/SignalRules.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/MultiviewList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int NoSignalModes = 3;
constexpr int NormalMode = 0;
constexpr int MultiviewMode = 1;
constexpr int OutputModes = 2;
constexpr int GroupSize = int(MultiviewList::GroupSize);
// Room beside a switch caption for the button's padding and border.
constexpr int SwitchPadding = 12;
constexpr quint32 MaxResolution = 0xFFFF; // the width and height travel as 16 bits
constexpr int ResolutionDigits = 5;
constexpr int ContentMargin = 16;
constexpr int BoxWidth = 110;

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

quint16 ResolutionOf(const QLineEdit *edit)
{
    return quint16(qMin<quint32>(edit->text().toUInt(), MaxResolution));
}

void FillNumbers(QComboBox *box, quint32 count)
{
    box->clear();
    for (quint32 n = 1; n <= count; ++n)
        box->addItem(QString::number(n));
}

} // namespace

Ui_More::Ui_More(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
{
    m_content->setObjectName(QStringLiteral("MoreContent"));
    buildWidgets();
    buildLayout();
    fillDeviceLists();
    RetranslateUi();
    connectWidgets();
    setContent(m_content);
    m_content->adjustSize();
    setFixedSize(m_content->width(), m_content->height() + FramelessChrome::ContentTop);
}

void Ui_More::buildWidgets()
{
    for (SwitchPair &pair : m_switches) {
        pair.on = new QPushButton(m_content);
        pair.off = new QPushButton(m_content);
    }
    m_backupLabel = new QLabel(m_content);
    m_backup = new QComboBox(m_content);
    m_inputNoSignalLabel = new QLabel(m_content);
    m_inputNoSignal = new QComboBox(m_content);
    m_outputNoSignalLabel = new QLabel(m_content);
    m_outputNoSignal = new QComboBox(m_content);
    for (QComboBox *box : {m_inputNoSignal, m_outputNoSignal})
        for (int i = 0; i < NoSignalModes; ++i)
            box->addItem(QString());

    m_outputGroup = new QGroupBox(m_content);
    m_outputPortLabel = new QLabel(m_outputGroup);
    m_outputPort = new QComboBox(m_outputGroup);
    m_rotateLabel = new QLabel(m_outputGroup);
    m_rotate = new QComboBox(m_outputGroup);
    m_testPatternLabel = new QLabel(m_outputGroup);
    m_testPattern = new QComboBox(m_outputGroup);

    m_resolutionGroup = new QGroupBox(m_content);
    m_resolutionPortLabel = new QLabel(m_resolutionGroup);
    m_resolutionPort = new QComboBox(m_resolutionGroup);
    m_widthLabel = new QLabel(m_resolutionGroup);
    m_width = new QLineEdit(m_resolutionGroup);
    m_heightLabel = new QLabel(m_resolutionGroup);
    m_height = new QLineEdit(m_resolutionGroup);
    for (QLineEdit *edit : {m_width, m_height}) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+$")), edit));
        edit->setMaxLength(ResolutionDigits);
    }
    m_readResolution = new QPushButton(m_resolutionGroup);
    m_writeResolution = new QPushButton(m_resolutionGroup);

    m_multiviewGroup = new QGroupBox(m_content);
    m_multiviewPortLabel = new QLabel(m_multiviewGroup);
    m_multiviewPort = new QComboBox(m_multiviewGroup);
    m_outputModeLabel = new QLabel(m_multiviewGroup);
    m_outputMode = new QComboBox(m_multiviewGroup);

    for (QComboBox *box : {m_backup, m_inputNoSignal, m_outputNoSignal, m_outputPort, m_rotate, m_testPattern,
                           m_resolutionPort, m_multiviewPort, m_outputMode})
        box->setMinimumWidth(BoxWidth);
}

void Ui_More::buildLayout()
{
    auto *grid = new QGridLayout(m_content);
    grid->setContentsMargins(ContentMargin, ContentMargin, ContentMargin, ContentMargin);
    int line = 0;
    for (int s = 0; s < SwitchCount; s += 2) {
        grid->addWidget(m_switches[s].on, line, 0);
        grid->addWidget(m_switches[s].off, line, 1);
        grid->addWidget(m_switches[s + 1].on, line, 2);
        grid->addWidget(m_switches[s + 1].off, line, 3);
        ++line;
    }
    const QPair<QLabel *, QComboBox *> lines[] = {
        {m_backupLabel, m_backup}, {m_inputNoSignalLabel, m_inputNoSignal}, {m_outputNoSignalLabel, m_outputNoSignal}};
    for (const auto &labelled : lines) {
        grid->addWidget(labelled.first, line, 0, 1, 2);
        grid->addWidget(labelled.second, line, 2, 1, 2);
        ++line;
    }

    auto *output = new QGridLayout(m_outputGroup);
    output->addWidget(m_outputPortLabel, 0, 0);
    output->addWidget(m_outputPort, 0, 1);
    output->addWidget(m_rotateLabel, 1, 0);
    output->addWidget(m_rotate, 1, 1);
    output->addWidget(m_testPatternLabel, 2, 0);
    output->addWidget(m_testPattern, 2, 1);
    grid->addWidget(m_outputGroup, line++, 0, 1, 4);

    auto *resolution = new QGridLayout(m_resolutionGroup);
    resolution->addWidget(m_resolutionPortLabel, 0, 0);
    resolution->addWidget(m_resolutionPort, 0, 1);
    resolution->addWidget(m_widthLabel, 1, 0);
    resolution->addWidget(m_width, 1, 1);
    resolution->addWidget(m_heightLabel, 2, 0);
    resolution->addWidget(m_height, 2, 1);
    resolution->addWidget(m_readResolution, 3, 0);
    resolution->addWidget(m_writeResolution, 3, 1);
    grid->addWidget(m_resolutionGroup, line++, 0, 1, 4);

    auto *multiview = new QGridLayout(m_multiviewGroup);
    multiview->addWidget(m_multiviewPortLabel, 0, 0);
    multiview->addWidget(m_multiviewPort, 0, 1);
    multiview->addWidget(m_outputModeLabel, 1, 0);
    multiview->addWidget(m_outputMode, 1, 1);
    grid->addWidget(m_multiviewGroup, line++, 0, 1, 4);
}

void Ui_More::connectWidgets()
{
    connect(m_switches[AllBind].on, &QPushButton::clicked, this, &Ui_More::SLT_BTN_AllBindOn);
    connect(m_switches[AllBind].off, &QPushButton::clicked, this, &Ui_More::SLT_BTN_AllBindOff);
    connect(m_switches[Report].on, &QPushButton::clicked, this, &Ui_More::SLT_BTN_ReportOn);
    connect(m_switches[Report].off, &QPushButton::clicked, this, &Ui_More::SLT_BTN_ReportOff);
    connect(m_switches[Ir].on, &QPushButton::clicked, this, &Ui_More::SLT_BTN_IR_On);
    connect(m_switches[Ir].off, &QPushButton::clicked, this, &Ui_More::SLT_BTN_IR_Off);
    connect(m_switches[NPlus1].on, &QPushButton::clicked, this, &Ui_More::SLT_BTN_NAdd1_On);
    connect(m_switches[NPlus1].off, &QPushButton::clicked, this, &Ui_More::SLT_BTN_NAdd1_Off);
    const QPair<QComboBox *, const char *> guarded[] = {{m_backup, "MoreBackup"},
                                                        {m_inputNoSignal, "MoreInputNoSignal"},
                                                        {m_outputNoSignal, "MoreOutputNoSignal"},
                                                        {m_outputPort, "MoreOutputPort"},
                                                        {m_rotate, "MoreRotate"},
                                                        {m_testPattern, "MoreTestPattern"},
                                                        {m_resolutionPort, "MoreResolutionPort"},
                                                        {m_multiviewPort, "MoreMultiviewPort"},
                                                        {m_outputMode, "MoreOutputMode"}};
    for (const auto &box : guarded)
        GuardCommandBox(box.first, QLatin1String(box.second));
    connect(m_backup, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_NAdd1_Backup);
    connect(m_inputNoSignal, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_InputNoSignal_OutputMode);
    connect(m_outputNoSignal, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_OutputNoSignal_OutputMode);
    connect(m_outputPort, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_Port);
    connect(m_rotate, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_Rotate);
    connect(m_testPattern, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_TestPattern);
    connect(m_resolutionPort, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_ResPort);
    connect(m_readResolution, &QPushButton::clicked, this, &Ui_More::SLT_ReadRes);
    connect(m_writeResolution, &QPushButton::clicked, this, &Ui_More::SLT_WriteRes);
    connect(m_multiviewPort, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_MVPort);
    connect(m_outputMode, qOverload<int>(&QComboBox::activated), this, &Ui_More::SLT_Output_OutputMode);
}

void Ui_More::RetranslateUi()
{
    setTitleText(Ui_More_AppName);
    const QString onTexts[SwitchCount] = {SpushButton_AllBindOn, SpushButton_ReportOn, SpushButton_IR_On,
                                          SpushButton_NAdd1_On};
    const QString offTexts[SwitchCount] = {SpushButton_AllBindOff, SpushButton_ReportOff, SpushButton_IR_Off,
                                           SpushButton_NAdd1_Off};
    for (int s = 0; s < SwitchCount; ++s) {
        m_switches[s].on->setText(onTexts[s]);
        m_switches[s].off->setText(offTexts[s]);
        // The switch that is on is drawn bold.
        ReserveBoldWidth(m_switches[s].on, onTexts[s], SwitchPadding);
        ReserveBoldWidth(m_switches[s].off, offTexts[s], SwitchPadding);
    }
    m_backupLabel->setText(Slabel_NAdd1_Backup);
    m_inputNoSignalLabel->setText(Slabel_InputNoSignal_OutputMode);
    m_outputNoSignalLabel->setText(Slabel_OutputNoSignal_OutputMode);
    for (int i = 0; i < NoSignalModes; ++i) {
        m_inputNoSignal->setItemText(i, ScomboBox_InputNoSignal_OutputMode[i]);
        m_outputNoSignal->setItemText(i, ScomboBox_OutputNoSignal_OutputMode[i]);
    }
    m_outputGroup->setTitle(SgroupBox_Output);
    m_outputPortLabel->setText(S_Port);
    m_rotateLabel->setText(S_Rotate);
    m_testPatternLabel->setText(S_TestPattern);
    if (m_testPattern->count() > 0)
        m_testPattern->setItemText(0, S_OnOff[1]);
    m_resolutionGroup->setTitle(SgroupBox_UserDefineResolution);
    m_resolutionPortLabel->setText(S_Port);
    m_widthLabel->setText(Slabel_HWidth);
    m_heightLabel->setText(Slabel_VHeight);
    m_readResolution->setText(S_ReadWrite[0]);
    m_writeResolution->setText(S_ReadWrite[1]);
    m_multiviewGroup->setTitle(SgroupBox_MultiviewConfig);
    m_multiviewPortLabel->setText(S_Port);
    m_outputModeLabel->setText(Slabel_OutputMode);
    for (int i = 0; i < m_outputMode->count(); ++i)
        m_outputMode->setItemText(i, ScomboBox_OutputMode[i]);
}

void Ui_More::fillDeviceLists()
{
    const DeviceState &device = Device();
    FillNumbers(m_backup, device.inputCount);
    FillNumbers(m_outputPort, device.outputCount);
    FillNumbers(m_resolutionPort, device.outputCount);
    fillOutputChoices(0);

    m_multiviewPort->clear();
    for (quint32 o = 0; o < device.outputCount; o += GroupSize)
        if (MultiviewCapableKind(device.outputAt(o).pos2))
            m_multiviewPort->addItem(QString::number(o + 1));
    m_outputMode->clear();
    const bool multiview = m_multiviewPort->count() > 0;
    if (multiview) {
        for (int i = 0; i < OutputModes; ++i)
            m_outputMode->addItem(ScomboBox_OutputMode[i]);
        // The mode shows once the device has told it.
        m_outputMode->setCurrentIndex(-1);
    }
    m_multiviewPort->setEnabled(multiview);
    m_outputMode->setEnabled(multiview);
}

void Ui_More::fillOutputChoices(quint32 output)
{
    const quint32 kind = Device().outputAt(output).pos2;
    m_rotate->clear();
    m_rotate->addItems(RotateChoices(kind));
    // Rotation shows once the device has told it.
    m_rotate->setCurrentIndex(-1);
    m_rotate->setEnabled(m_rotate->count() > 0);

    m_testPattern->clear();
    const int patterns = TestPatternCount(kind);
    if (patterns > 0) {
        m_testPattern->addItem(S_OnOff[1]);
        for (int n = 1; n <= patterns; ++n)
            m_testPattern->addItem(QString::number(n));
    }
    m_testPattern->setEnabled(patterns > 0);
}

void Ui_More::ReadOpeningValues()
{
    send(CMD_AllBindRead());
    send(CMD_ReportRead());
    send(CMD_IrRead());
    send(CMD_NPlus1Read());
    send(CMD_OutputRotateRead(quint32(qMax(0, m_outputPort->currentIndex()))));
    send(CMD_OutputResolutionRead(quint32(qMax(0, m_resolutionPort->currentIndex()))));
    const int output = multiviewOutput();
    if (output >= 0)
        send(CMD_OutputModeRead(quint32(output)));
}

void Ui_More::send(bool queued)
{
    if (queued)
        Q_EMIT SGL_UpdateEmit();
}

int Ui_More::multiviewOutput() const
{
    if (m_multiviewPort->count() == 0)
        return -1;
    return m_multiviewPort->currentText().toInt() - 1;
}

void Ui_More::showSwitch(Switch s, quint8 value)
{
    m_switches[s].on->setFlat(value != 0);
    m_switches[s].off->setFlat(value == 0);
}

void Ui_More::setResolutionEnabled(bool enabled)
{
    m_resolutionGroup->setEnabled(enabled);
}

// Device-wide switches

void Ui_More::SLT_BTN_AllBindOn(bool)
{
    send(CMD_AllBindWrite(1));
}

void Ui_More::SLT_BTN_AllBindOff(bool)
{
    send(CMD_AllBindWrite(0));
}

void Ui_More::SLT_BTN_ReportOn(bool)
{
    send(CMD_ReportWrite(1));
}

void Ui_More::SLT_BTN_ReportOff(bool)
{
    send(CMD_ReportWrite(0));
}

void Ui_More::SLT_BTN_IR_On(bool)
{
    send(CMD_IrWrite(1));
}

void Ui_More::SLT_BTN_IR_Off(bool)
{
    send(CMD_IrWrite(0));
}

void Ui_More::SLT_BTN_NAdd1_On(bool)
{
    send(CMD_NPlus1Write(1));
}

void Ui_More::SLT_BTN_NAdd1_Off(bool)
{
    send(CMD_NPlus1Write(0));
}

void Ui_More::SLT_NAdd1_Backup(int index)
{
    if (index >= 0)
        send(CMD_NPlus1BackupWrite(quint8(index)));
}

void Ui_More::SLT_InputNoSignal_OutputMode(int index)
{
    if (index >= 0)
        send(CMD_NoSignalModeWrite(true, quint8(index)));
}

void Ui_More::SLT_OutputNoSignal_OutputMode(int index)
{
    if (index >= 0)
        send(CMD_NoSignalModeWrite(false, quint8(index)));
}

// Rotation and test pattern of one output

void Ui_More::SLT_Output_Port(int index)
{
    if (index < 0)
        return;
    fillOutputChoices(quint32(index));
    send(CMD_OutputRotateRead(quint32(index)));
}

void Ui_More::SLT_Output_Rotate(int index)
{
    const int output = m_outputPort->currentIndex();
    if (output >= 0 && index >= 0)
        send(CMD_OutputRotateWrite(quint32(output), quint8(index)));
}

void Ui_More::SLT_Output_TestPattern(int index)
{
    const int output = m_outputPort->currentIndex();
    if (output < 0 || index < 0)
        return;
    const bool on = index != 0;
    send(CMD_OutputTestPatternWrite(quint32(output), on, on ? quint8(index - 1) : 0));
}

// User resolution

void Ui_More::SLT_Output_ResPort(int index)
{
    if (index < 0)
        return;
    // The numbers of the former port are not this one's.
    m_width->clear();
    m_height->clear();
    send(CMD_OutputResolutionRead(quint32(index)));
}

void Ui_More::SLT_ReadRes()
{
    const int output = m_resolutionPort->currentIndex();
    if (output >= 0)
        send(CMD_OutputResolutionRead(quint32(output)));
}

void Ui_More::SLT_WriteRes()
{
    const int output = m_resolutionPort->currentIndex();
    if (output >= 0)
        send(CMD_OutputResolutionWrite(quint32(output), ResolutionOf(m_width), ResolutionOf(m_height)));
}

// Output mode of a multiview-capable group

void Ui_More::SLT_Output_MVPort(int index)
{
    const int output = multiviewOutput();
    if (index < 0 || output < 0)
        return;
    m_outputMode->setCurrentIndex(-1);
    send(CMD_OutputModeRead(quint32(output)));
}

void Ui_More::SLT_Output_OutputMode(int mode)
{
    const int output = multiviewOutput();
    if (output < 0 || mode < 0 || !Connected())
        return;
    const OutputInfo &info = Device().outputAt(quint32(output));
    if (!MultiviewCapableKind(info.pos2))
        return;
    if (info.format == SignalLists::AutoFormat && mode == MultiviewMode) {
        m_outputMode->setCurrentIndex(NormalMode);
        ShowMessage(this, SMSG_AUTOResIsOnlyNormalMode, MessageKind::Warning);
        return;
    }
    if (!confirmModeChange(quint32(output), mode)) {
        m_outputMode->setCurrentIndex(int(info.mode));
        return;
    }
    if (info.format == SignalLists::UserFormat)
        setResolutionEnabled(mode == NormalMode);
    // A group that shows a multiview cannot stay part of a splice.
    for (int k = 0; k < GroupSize; ++k)
        Q_EMIT SGL_JudgeMutex_MVAndSplicing(quint32(output + k));
    send(CMD_OutputModeWrite(quint32(output), quint8(mode)));
}

// A multiview takes its group out of any splice, and normal mode ends the
// group's multiview: either is asked first, naming the outputs.
bool Ui_More::confirmModeChange(quint32 output, int mode)
{
    const quint32 first = output + 1;
    const quint32 last = output + GroupSize;
    if (mode == NormalMode) {
        if (Device().outputAt(output).mode != quint32(MultiviewMode))
            return true;
        return ConfirmDestructive(this, SMSG_ConfirmModeEndsMultiview.arg(first).arg(last));
    }
    bool spliced = false;
    for (quint32 k = 0; k < quint32(GroupSize); ++k) {
        const TvWallEntry &entry = Device().wallEntry(output + k);
        spliced = spliced || (entry.spliced && !entry.singleExit);
    }
    return !spliced || ConfirmDestructive(this, SMSG_ConfirmModeLeavesSplice.arg(first).arg(last));
}

// Replies

void Ui_More::SLT_Update_AllBind()
{
    showSwitch(AllBind, Device().allBind);
}

void Ui_More::SLT_Update_ReportOn()
{
    showSwitch(Report, Device().reportOn);
}

void Ui_More::SLT_Update_IR()
{
    showSwitch(Ir, Device().irOn);
}

void Ui_More::SLT_Update_NAdd1Backup()
{
    showSwitch(NPlus1, Device().nPlus1Backup);
}

void Ui_More::SLT_Update_OutputRotate(unsigned int output, unsigned int rotate)
{
    if (int(output) != m_outputPort->currentIndex())
        return;
    m_rotate->setCurrentIndex(rotate < unsigned(m_rotate->count()) ? int(rotate) : -1);
}

void Ui_More::SLT_Update_UserResolution(unsigned int output, unsigned int width, unsigned int height)
{
    if (int(output) != m_resolutionPort->currentIndex())
        return;
    m_width->setText(QString::number(width));
    m_height->setText(QString::number(height));
}

void Ui_More::SLT_Update_OutputMode(unsigned int output, unsigned int mode)
{
    if (int(output) != multiviewOutput())
        return;
    m_outputMode->setCurrentIndex(mode < unsigned(m_outputMode->count()) ? int(mode) : -1);
    const OutputInfo &info = Device().outputAt(output);
    if (MultiviewCapableKind(info.pos2) && info.format == SignalLists::UserFormat)
        setResolutionEnabled(mode == 0);
}
