#include "pages/peripheral/UserCmdLines.h"

#include "app/AppPaths.h"
#include "app/LanguageTable.h"
#include "chrome/FileNameDialog.h"
#include "chrome/MessageBox.h"
#include "chrome/MyComboBox.h"
#include "pages/peripheral/PeripheralLists.h"
#include "pages/peripheral/UserCmdRules.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <climits>

namespace {
enum Column { TargetCol, PortCol, BaudCol, HexCol, PayloadCol, NoteCol, EditCol, OrderCol, DelayCol, MsCol };
constexpr int HeaderRow = 0;
constexpr int FirstLineRow = 1;
constexpr int NoteEditorWidth = 160;
constexpr int CountBoxWidth = 56;
constexpr char ImportCaption[] = "Select user command file";
constexpr char ExportCaption[] = "Save user command file";
constexpr char FileFilter[] = "Text File(*.txt)";
// A command file is a few hundred bytes; anything far larger is not one.
constexpr qint64 MaxFileBytes = 1 << 20;
constexpr int ImmediateMs = 0;
} // namespace

UserCmdLines::UserCmdLines(QWidget *parent)
    : QGroupBox(parent)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    retranslate();
    // The count box starts on its first entry: one line.
    setLineCount(m_countBox->currentIndex() + 1);
}

void UserCmdLines::buildWidgets()
{
    m_countLabel = new QLabel(this);
    m_countBox = new MyComboBox(this);
    m_countBox->setFixedWidth(CountBoxWidth);
    SLT_AutoAddCmdNum();
    m_loopBox = new QCheckBox(this);
    m_groupSend = new QPushButton(this);
    m_groupSend->setObjectName(UserCmdObjectName(UserCmdNames::GroupSend, 0));
    m_import = new QPushButton(this);
    m_export = new QPushButton(this);
    m_noteLabel = new QLabel(this);
    m_noteEditor = new QLineEdit(this);
    m_noteEditor->setFixedWidth(NoteEditorWidth);
    m_noteLabel->hide();
    m_noteEditor->hide();
    for (QLabel *&header : m_headers)
        header = new QLabel(this);
    m_run.timer = new QTimer(this);
    m_run.timer->setSingleShot(true);
}

void UserCmdLines::buildLayout()
{
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_countLabel);
    bar->addWidget(m_countBox);
    bar->addSpacing(m_countBox->width());
    bar->addWidget(m_loopBox);
    bar->addWidget(m_groupSend);
    bar->addStretch(1);
    bar->addWidget(m_noteLabel);
    bar->addWidget(m_noteEditor);
    bar->addWidget(m_import);
    bar->addWidget(m_export);

    m_grid = new QGridLayout;
    const int headerColumns[] = {TargetCol, PortCol, BaudCol, HexCol, PayloadCol, NoteCol, OrderCol, DelayCol};
    const int headerSpans[] = {1, 1, 1, 1, 1, 2, 1, 2};
    for (size_t h = 0; h < m_headers.size(); ++h)
        m_grid->addWidget(m_headers[h], HeaderRow, headerColumns[h], 1, headerSpans[h]);
    m_grid->setColumnStretch(PayloadCol, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(m_grid);
    layout->addStretch(1);
}

void UserCmdLines::connectWidgets()
{
    connect(m_countBox, &MyComboBox::SGL_Auto_UpdateComboBox, this, &UserCmdLines::SLT_AutoAddCmdNum);
    connect(m_countBox, qOverload<int>(&QComboBox::activated), this, &UserCmdLines::SLT_SetCmdLineNum);
    connect(m_loopBox, &QCheckBox::clicked, this, &UserCmdLines::SLT_LoopSend);
    connect(m_groupSend, &QPushButton::clicked, this, &UserCmdLines::SLT_GroupSend);
    connect(m_import, &QPushButton::clicked, this, &UserCmdLines::SLT_ConfigImport);
    connect(m_export, &QPushButton::clicked, this, &UserCmdLines::SLT_ConfigExport);
    connect(m_run.timer, &QTimer::timeout, this, &UserCmdLines::SLT_SendTimer_Timeout);
}

void UserCmdLines::connectRow(const UserCmdRow &row)
{
    connect(row.target, qOverload<int>(&QComboBox::activated), this, &UserCmdLines::SLT_Peripheral);
    connect(row.note, &QPushButton::clicked, this, &UserCmdLines::SLT_SingleSend);
    connect(row.edit, &QPushButton::clicked, this, &UserCmdLines::SLT_Edit);
}

void UserCmdLines::retranslate()
{
    setTitle(SgroupBox_UserCmdLine);
    m_countLabel->setText(Slabel_SetCmdLineNum);
    m_loopBox->setText(ScheckBox_LoopSend);
    m_groupSend->setText(S_Send);
    m_import->setText(S_Import + QLatin1Char(' ') + S_Config);
    m_export->setText(S_Export + QLatin1Char(' ') + S_Config);
    m_noteLabel->setText(Slabel_EditNote);
    m_noteEditor->setToolTip(STIPS_EnterKeyFinishInputAndClose);
    const QString *headers[] = {&S_Peripheral, &S_Port, &S_Baudrate, &S_HEX, &S_CmdLine, &S_Note, &S_Order, &S_Delay};
    for (size_t h = 0; h < m_headers.size(); ++h)
        m_headers[h]->setText(*headers[h]);
    for (UserCmdRow &row : m_rows) {
        if (row.exists())
            row.retranslate(m_sendCaption);
    }
    m_sendCaption = S_Send;
}

void UserCmdLines::RebuildForCounts()
{
    const DeviceState &device = Device();
    for (UserCmdRow &row : m_rows) {
        if (row.exists())
            row.fillPorts(int(device.inputCount), int(device.outputCount));
    }
}

const UserCmdRow &UserCmdLines::row(int index) const
{
    return m_rows[size_t(qBound(0, index, UserCmdFile::MaxLines - 1))];
}

QVector<UserCmdLine> UserCmdLines::lines() const
{
    QVector<UserCmdLine> out;
    for (int i = 0; i < m_lineCount; ++i)
        out.append(m_rows[size_t(i)].value());
    return out;
}

bool UserCmdLines::groupSendRunning() const
{
    return m_run.timer->isActive();
}

void UserCmdLines::setLineCount(int count)
{
    m_lineCount = qBound(0, count, UserCmdFile::MaxLines);
    const DeviceState &device = Device();
    for (int i = 0; i < UserCmdFile::MaxLines; ++i) {
        UserCmdRow &row = m_rows[size_t(i)];
        if (i >= m_lineCount) {
            row.destroy();
            continue;
        }
        if (row.exists())
            continue;
        // New lines come with the defaults; the lines kept keep what the
        // operator typed.
        row.create(i, this);
        row.fillPorts(int(device.inputCount), int(device.outputCount));
        const QList<QWidget *> widgets = row.widgets();
        for (int c = 0; c < widgets.size(); ++c)
            m_grid->addWidget(widgets[c], FirstLineRow + i, c);
        connectRow(row);
    }
    if (m_editLine >= m_lineCount) {
        disconnect(m_noteEditor, &QLineEdit::returnPressed, this, &UserCmdLines::SLT_EditNote);
        m_noteEditor->hide();
        m_noteLabel->hide();
        m_editLine = -1;
    }
}

void UserCmdLines::SLT_AutoAddCmdNum()
{
    const int current = m_countBox->currentIndex();
    m_countBox->clear();
    for (int n = 1; n <= UserCmdFile::MaxLines; ++n)
        m_countBox->addItem(QString::number(n));
    m_countBox->setCurrentIndex(qMax(0, current));
}

void UserCmdLines::SLT_SetCmdLineNum(int index)
{
    setLineCount((index + 1) % (UserCmdFile::MaxLines + 1));
}

void UserCmdLines::SLT_Peripheral(int /*target*/)
{
    const int i = UserCmdRowOf(sender(), UserCmdNames::Target);
    if (i < 0 || i >= m_lineCount)
        return;
    const DeviceState &device = Device();
    m_rows[size_t(i)].fillPorts(int(device.inputCount), int(device.outputCount));
}

void UserCmdLines::SLT_SingleSend()
{
    sendLine(UserCmdRowOf(sender(), UserCmdNames::Note));
}

void UserCmdLines::sendLine(int index)
{
    if (index < 0 || index >= m_lineCount)
        return;
    const UserCmdRow &row = m_rows[size_t(index)];
    const DeviceState &device = Device();
    const int target = qBound(0, row.target->currentIndex(), UserCmdFile::Targets - 1);
    quint8 port = 0;
    if (target != UserCmd::PeripheralTarget) {
        const int count = int(target == UserCmd::InputTarget ? device.inputCount : device.outputCount);
        const int chosen = row.port->currentIndex();
        port = chosen >= 0 && chosen < count ? quint8(chosen) : UserCmd::AllPorts;
    }
    const QByteArray payload = UserCmdPayload(row.payload->text(), row.hex->isChecked());
    switch (CheckUserCmdPayload(payload)) {
    case PayloadCheck::Empty:
        ShowMessage(this, SMSG_Error_DataFormatError);
        return;
    case PayloadCheck::Overflow:
        ShowMessage(this, SMSG_Error_DataOverflow);
        return;
    case PayloadCheck::Ok:
        break;
    }
    if (ActiveTransport.load() == TransportNone)
        return;
    QByteArray data(1, char(qMax(0, row.baud->currentIndex())));
    data.append(payload);
    CMD_PeripheralIo(port, UserCmd::TargetCodes[target], UserCmd::PassThroughGroup, data, UserCmd::NoPauseMs);
    emit SGL_UpdateEmit();
}

void UserCmdLines::SLT_Edit()
{
    const int i = UserCmdRowOf(sender(), UserCmdNames::Edit);
    if (i < 0 || i >= m_lineCount)
        return;
    m_editLine = i;
    m_noteEditor->setText(m_rows[size_t(i)].note->text());
    m_noteLabel->show();
    m_noteEditor->show();
    m_noteEditor->setFocus();
    connect(m_noteEditor, &QLineEdit::returnPressed, this, &UserCmdLines::SLT_EditNote, Qt::UniqueConnection);
}

void UserCmdLines::SLT_EditNote()
{
    if (m_editLine < 0 || m_editLine >= m_lineCount)
        return;
    m_rows[size_t(m_editLine)].note->setText(m_noteEditor->text());
    disconnect(m_noteEditor, &QLineEdit::returnPressed, this, &UserCmdLines::SLT_EditNote);
    m_noteEditor->hide();
    m_noteLabel->hide();
    m_editLine = -1;
}

void UserCmdLines::SLT_GroupSend()
{
    QVector<GroupCandidate> candidates;
    for (int i = 0; i < m_lineCount; ++i) {
        const UserCmdRow &row = m_rows[size_t(i)];
        const QByteArray payload = UserCmdPayload(row.payload->text(), row.hex->isChecked());
        if (CheckUserCmdPayload(payload) == PayloadCheck::Ok && IsGroupOrder(row.order->text())
            && IsGroupDelay(row.delay->text()))
            candidates.append({row.order->text().toInt(), i + 1});
    }
    raiseNote(m_run.lastSent);
    m_run.list = GroupSendList(candidates);
    m_run.length = m_run.list.size();
    m_run.position = 0;
    m_run.lastSent = 0;
    m_run.timer->start(ImmediateMs);
}

void UserCmdLines::SLT_LoopSend(bool on)
{
    m_run.loop = on;
    if (on)
        SLT_GroupSend();
    else
        m_run.length = m_run.position;
}

void UserCmdLines::SLT_SendTimer_Timeout()
{
    m_run.timer->stop();
    // Without a link nothing would leave; a looping run would only spin.
    if (ActiveTransport.load() == TransportNone) {
        endGroupSend();
        return;
    }
    if (m_run.position >= m_run.length) {
        raiseNote(m_run.lastSent);
        m_run.lastSent = 0;
        // An empty list never loops: it would restart at once, forever.
        if (!m_run.loop || m_run.length == 0)
            return;
        m_run.position = 0;
        m_run.timer->start(ImmediateMs);
        return;
    }
    // Lines with short delays in a loop would queue faster than the link
    // sends; the step waits while a full round is still queued.
    CommandChannel *channel = ActiveDeviceChannel();
    if (channel && ChannelQueueSize(*channel, QueueSide::Send) >= UserCmdFile::MaxLines) {
        m_run.timer->start(LinkTiming::SendGapMs);
        return;
    }
    const int line = m_run.list.value(m_run.position);
    m_run.position = (m_run.position + 1) % UserCmd::SendListSize;
    if (line < 1 || line > m_lineCount) {
        // The line was removed while the run went on.
        m_run.timer->start(ImmediateMs);
        return;
    }
    const UserCmdRow &row = m_rows[size_t(line - 1)];
    const int delay = int(qMin(row.delay->text().toUInt(), uint(INT_MAX)));
    row.note->setFlat(true);
    row.note->click();
    if (m_run.lastSent != line)
        raiseNote(m_run.lastSent);
    m_run.lastSent = line;
    m_run.timer->start(delay);
}

void UserCmdLines::endGroupSend()
{
    m_run.timer->stop();
    m_run.length = m_run.position;
    m_run.loop = false;
    m_loopBox->setChecked(false);
    raiseNote(m_run.lastSent);
    m_run.lastSent = 0;
}

void UserCmdLines::raiseNote(int lineNumber)
{
    if (lineNumber >= 1 && lineNumber <= m_lineCount)
        m_rows[size_t(lineNumber - 1)].note->setFlat(false);
}

QString UserCmdLines::commandFolder() const
{
    return AppPath(QLatin1String(Paths::UserCmdFolder));
}

void UserCmdLines::SLT_ConfigImport()
{
    const QString name =
        AskOpenFileName(this, QLatin1String(ImportCaption), commandFolder(), QLatin1String(FileFilter));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const DeviceState &device = Device();
    QVector<UserCmdLine> read;
    switch (ReadUserCmdFile(file.read(MaxFileBytes), int(device.inputCount), int(device.outputCount), read)) {
    case UserCmdFileResult::Ignored:
        return;
    case UserCmdFileResult::DataError:
        ShowMessage(this, SMSG_FileDataError);
        return;
    case UserCmdFileResult::Loaded:
        break;
    }
    SLT_AutoAddCmdNum();
    m_countBox->setCurrentIndex(read.size() - 1);
    setLineCount(read.size());
    for (int i = 0; i < read.size(); ++i)
        m_rows[size_t(i)].load(read[i], int(device.inputCount), int(device.outputCount));
}

void UserCmdLines::SLT_ConfigExport()
{
    const QString name =
        AskSaveFileName(this, QLatin1String(ExportCaption), commandFolder(), QLatin1String(FileFilter));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(WriteUserCmdFile(lines()));
}
