#include "pages/routing/EdidDoctorPanel.h"

#include "app/LanguageTable.h"
#include "chrome/MessageBox.h"
#include "pages/routing/EdidBatchTransfer.h"
#include "pages/routing/EdidDecodedView.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidCommon.h"
#include "protocol/EdidCompatibility.h"
#include "protocol/EdidDecoder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace {
constexpr int Spacing = 6;
constexpr int GroupWidth = 230;
constexpr int ButtonWidth = 110;
constexpr int GroupKindShift = 8;
constexpr int GroupInput = 1;
constexpr int GroupSplice = 2;
constexpr int PortMask = 0xFF;

QString portList(const QList<quint32> &ports)
{
    QStringList numbers;
    for (quint32 p : ports)
        numbers << QString::number(p + 1);
    return numbers.join(QStringLiteral(", "));
}

QByteArray writeBuffer()
{
    return QByteArray(reinterpret_cast<const char *>(Device().edidWriteBuffer), int(DeviceLimits::EdidBytes));
}
} // namespace

EdidDoctorPanel::EdidDoctorPanel(EdidDecodedView *view, QComboBox *writePort, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_writePort(writePort)
    , m_batch(new EdidBatchTransfer(this))
{
    buildWidgets();
    retranslate();
    fillGroups();
    connect(m_batch, &EdidBatchTransfer::SGL_UpdateEmit, this, &EdidDoctorPanel::SGL_UpdateEmit);
    connect(m_batch, &EdidBatchTransfer::SGL_Finished, this, &EdidDoctorPanel::batchFinished);
    connect(m_check, &QPushButton::clicked, this, &EdidDoctorPanel::checkOnRequest);
    connect(m_build, &QPushButton::clicked, this, &EdidDoctorPanel::buildCommon);
    connect(m_write, &QPushButton::clicked, this, &EdidDoctorPanel::writeCommon);
    connect(m_group, qOverload<int>(&QComboBox::activated), this, &EdidDoctorPanel::groupChosen);
}

void EdidDoctorPanel::buildWidgets()
{
    m_check = new QPushButton(this);
    m_check->setObjectName(QStringLiteral("edidCheckInput"));
    m_status = new QLabel(this);
    m_outputsLabel = new QLabel(this);
    m_inputsLabel = new QLabel(this);
    m_group = new QComboBox(this);
    m_group->setView(new QListView);
    m_group->setFixedWidth(GroupWidth);
    m_build = new QPushButton(this);
    m_write = new QPushButton(this);
    m_write->setEnabled(false);
    for (QPushButton *button : {m_check, m_build, m_write})
        button->setFixedWidth(ButtonWidth);

    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(m_outputsLabel);
    for (quint32 o = 0; o < Device().outputCount && o < DeviceLimits::Channels; ++o) {
        m_outputs.append(new QCheckBox(QString::number(o + 1), this));
        outputRow->addWidget(m_outputs.last());
    }
    outputRow->addStretch(1);
    outputRow->addWidget(m_group);
    outputRow->addWidget(m_build);

    auto *inputRow = new QHBoxLayout;
    inputRow->addWidget(m_inputsLabel);
    for (quint32 i = 0; i < Device().inputCount && i < DeviceLimits::Channels; ++i) {
        m_inputs.append(new QCheckBox(QString::number(i + 1), this));
        inputRow->addWidget(m_inputs.last());
    }
    inputRow->addStretch(1);
    inputRow->addWidget(m_write);

    auto *checkRow = new QHBoxLayout;
    checkRow->addWidget(m_check);
    checkRow->addWidget(m_status, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing);
    layout->addLayout(checkRow);
    layout->addLayout(outputRow);
    layout->addLayout(inputRow);
}

void EdidDoctorPanel::retranslate()
{
    m_check->setText(SpushButton_EdidCheckInput);
    m_outputsLabel->setText(Slabel_EdidCommonOutputs);
    m_inputsLabel->setText(Slabel_EdidCommonInputs);
    m_build->setText(SpushButton_EdidCommon);
    m_write->setText(SpushButton_EdidCommonWrite);
}

// Ready-made groups: the outputs an input feeds, and each TV-wall splice.
void EdidDoctorPanel::fillGroups()
{
    const DeviceState &device = Device();
    m_group->clear();
    m_group->addItem(QString(), 0);
    for (quint32 i = 0; i < device.inputCount && i < DeviceLimits::Channels; ++i)
        m_group->addItem(ScomboBox_EdidGroupInput.arg(i + 1), (GroupInput << GroupKindShift) | int(i));
    QList<quint32> seen;
    for (quint32 o = 0; o < device.outputCount && o < DeviceLimits::Channels; ++o) {
        const QList<quint32> members = SpliceMembers(device, o);
        if (members.size() < 2 || seen.contains(members.first()))
            continue;
        seen.append(members.first());
        m_group->addItem(ScomboBox_EdidGroupSplice.arg(portList(members)),
                         (GroupSplice << GroupKindShift) | int(members.first()));
    }
}

void EdidDoctorPanel::groupChosen(int index)
{
    const int data = m_group->itemData(index).toInt();
    const quint32 port = quint32(data & PortMask);
    QList<quint32> outputs;
    if ((data >> GroupKindShift) == GroupInput)
        outputs = OutputsFedBy(Device(), port);
    else if ((data >> GroupKindShift) == GroupSplice)
        outputs = SpliceMembers(Device(), port);
    else
        return;
    for (int o = 0; o < m_outputs.size(); ++o)
        m_outputs[o]->setChecked(outputs.contains(quint32(o)));
}

QList<quint32> EdidDoctorPanel::checked(const QVector<QCheckBox *> &boxes) const
{
    QList<quint32> ports;
    for (int i = 0; i < boxes.size(); ++i)
        if (boxes[i]->isChecked())
            ports.append(quint32(i));
    return ports;
}

bool EdidDoctorPanel::isBusy() const
{
    return m_batch->isRunning();
}

void EdidDoctorPanel::setBusy(bool busy)
{
    for (QPushButton *button : {m_check, m_build})
        button->setEnabled(!busy);
    if (busy)
        m_write->setEnabled(false);
    m_status->setText(busy ? SMSG_EdidReadingDisplays : QString());
}

bool EdidDoctorPanel::checkBeforeWrite(quint32 input)
{
    if (isBusy())
        return false;
    if (OutputsFedBy(Device(), input).isEmpty()) {
        Q_EMIT SGL_WriteApproved(input);
        return true;
    }
    startCheck(Job::CheckWrite, input);
    return true;
}

void EdidDoctorPanel::checkOnRequest()
{
    if (isBusy() || m_writePort->currentIndex() < 0)
        return;
    const quint32 input = quint32(m_writePort->currentIndex());
    if (OutputsFedBy(Device(), input).isEmpty()) {
        ShowMessage(window(), SMSG_EdidNoDisplays.arg(input + 1));
        return;
    }
    startCheck(Job::CheckRequest, input);
}

void EdidDoctorPanel::startCheck(Job job, quint32 input)
{
    m_job = job;
    m_input = input;
    if (!m_batch->readDisplays(OutputsFedBy(Device(), input))) {
        m_job = Job::None;
        return;
    }
    setBusy(true);
}

void EdidDoctorPanel::buildCommon()
{
    const QList<quint32> outputs = checked(m_outputs);
    if (isBusy() || outputs.isEmpty())
        return;
    m_job = Job::Common;
    m_commonOutputs = outputs;
    if (m_batch->readDisplays(outputs))
        setBusy(true);
    else
        m_job = Job::None;
}

void EdidDoctorPanel::writeCommon()
{
    const QList<quint32> inputs = checked(m_inputs);
    if (isBusy() || inputs.isEmpty())
        return;
    if (!ConfirmDestructive(window(), SMSG_EdidCommonConfirm.arg(portList(m_commonOutputs), portList(inputs))))
        return;
    m_job = Job::WriteCommon;
    if (m_batch->writeInputs(writeBuffer(), inputs))
        setBusy(true);
    else
        m_job = Job::None;
}

void EdidDoctorPanel::batchFinished()
{
    const Job job = m_job;
    m_job = Job::None;
    setBusy(false);
    if (job == Job::CheckWrite || job == Job::CheckRequest) {
        m_job = job;
        finishCheck();
        m_job = Job::None;
    } else if (job == Job::Common) {
        finishCommon();
    }
}

void EdidDoctorPanel::finishCheck()
{
    QStringList lines;
    for (const EdidGap &gap : FindEdidGaps(DecodeEdid(writeBuffer()), m_batch->displays()))
        lines << DescribeEdidGap(gap);
    const bool beforeWrite = m_job == Job::CheckWrite;
    if (lines.isEmpty()) {
        if (beforeWrite)
            Q_EMIT SGL_WriteApproved(m_input);
        else
            ShowMessage(window(), SMSG_EdidGapNone.arg(m_input + 1));
        return;
    }
    const QString text = SMSG_EdidGapList.arg(m_input + 1) + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
    if (!beforeWrite) {
        ShowMessage(window(), text);
        return;
    }
    if (ConfirmDestructive(window(), text + QStringLiteral("\n\n") + SMSG_EdidGapWriteAnyway))
        Q_EMIT SGL_WriteApproved(m_input);
}

void EdidDoctorPanel::finishCommon()
{
    QList<EdidInfo> displays;
    for (const EdidDisplay &display : m_batch->displays())
        displays.append(display.info);
    const CommonEdid common = BuildCommonEdid(displays);
    if (!common.valid) {
        // Name the displays that could not be read, if that is the cause.
        QStringList lines;
        for (const EdidDisplay &display : m_batch->displays())
            if (!display.info.headerValid)
                lines << SMSG_EdidGapUnreadable.arg(display.output + 1);
        ShowMessage(window(), lines.isEmpty() ? SMSG_EdidCommonNone : lines.join(QLatin1Char('\n')));
        return;
    }
    std::memcpy(Device().edidWriteBuffer, common.image.constData(), DeviceLimits::EdidBytes);
    m_view->showEdid(common.image, Slabel_EdidFromCommon.arg(portList(m_commonOutputs)));
    m_write->setEnabled(true);
    Q_EMIT SGL_ImageReplaced();
}
