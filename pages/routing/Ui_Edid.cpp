#include "pages/routing/Ui_Edid.h"

#include "app/ByteText.h"
#include "chrome/CommandBox.h"
#include "app/LanguageTable.h"
#include "chrome/FramelessChrome.h"
#include "chrome/MessageBox.h"
#include "chrome/MyUiLayout.h"
#include "chrome/ScreenArea.h"
#include "pages/routing/EdidDecodedView.h"
#include "pages/routing/EdidDoctorPanel.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/EdidModes.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidImage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTextEdit>

#include <cstring>

namespace {
constexpr int Margin = 10;
constexpr int RowHeight = 30;
constexpr int RowGap = 10;
constexpr int Gap = 8;
constexpr int LabelWidth = 150;
constexpr int PortWidth = 70;
constexpr int ModeWidth = 120;
constexpr int ButtonWidth = 90;
constexpr int HeaderHeight = 22;
constexpr int BytesPerLine = 16;
constexpr int Lines = int(DeviceLimits::EdidBytes) / BytesPerLine;
constexpr int LineChars = BytesPerLine * 3; // "XX " per byte
constexpr int DocumentMargin = 4;
constexpr int DecodedWidth = 470;
constexpr int PanelHeight = 110;
constexpr int FrameWidth = 1;
const char HeaderText[] = "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
const char HexStyle[] = "font-family: \"Courier New\";font-size: 14px;font-style: normal;font-weight: bold;";

void fillPorts(QComboBox *box, quint32 count)
{
    box->clear();
    for (quint32 i = 1; i <= count; ++i)
        box->addItem(QStringLiteral("%1").arg(i));
}
} // namespace

Ui_Edid::Ui_Edid(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
{
    buildWidgets();
    retranslate();
    buildLayout();
    connectWidgets();
    std::memset(Device().edidWriteBuffer, 0, DeviceLimits::EdidBytes);
    m_view->clear();
}

void Ui_Edid::buildWidgets()
{
    m_readPortLabel = new QLabel(m_content);
    m_readPort = new QComboBox(m_content);
    m_readButton = new QPushButton(m_content);
    m_saveButton = new QPushButton(m_content);
    m_writePortLabel = new QLabel(m_content);
    m_writePort = new QComboBox(m_content);
    m_modeBox = new QComboBox(m_content);
    m_writeButton = new QPushButton(m_content);
    m_loadButton = new QPushButton(m_content);
    m_columnHeader = new QLabel(QLatin1String(HeaderText), m_content);
    m_rowHeader = new QLabel(QLatin1String(HeaderText), m_content);
    m_view = new QTextEdit(m_content);
    m_decodedHeader = new QLabel(m_content);
    m_decoded = new EdidDecodedView(m_content);
    m_doctor = new EdidDoctorPanel(m_decoded, m_writePort, m_content);
    for (QComboBox *box : {m_readPort, m_writePort, m_modeBox})
        box->setView(new QListView);

    for (QLabel *header : {m_columnHeader, m_rowHeader}) {
        header->setAlignment(Qt::AlignCenter);
        header->setStyleSheet(QLatin1String(HexStyle));
    }
    // A label two digits wide: its pairs wrap one per line, as row numbers.
    m_rowHeader->setWordWrap(true);
    m_view->setStyleSheet(QLatin1String(HexStyle));
    m_view->setReadOnly(true);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setLineWrapMode(QTextEdit::FixedColumnWidth);
    m_view->setLineWrapColumnOrWidth(LineChars);
    m_view->document()->setDocumentMargin(DocumentMargin);

    fillPorts(m_readPort, Device().outputCount);
    fillPorts(m_writePort, Device().inputCount);
}

void Ui_Edid::retranslate()
{
    setTitleText(Ui_Edid_AppName);
    m_readPortLabel->setText(Slabel_EdidReadPort);
    m_writePortLabel->setText(Slabel_EdidWritePort);
    m_readButton->setText(S_ReadWrite[0]);
    m_writeButton->setText(S_ReadWrite[1]);
    m_saveButton->setText(S_SaveLoad[0]);
    m_loadButton->setText(S_SaveLoad[1]);
    m_decodedHeader->setText(Stab_EdidDecoded);
}

void Ui_Edid::buildLayout()
{
    using L = MyUiLayout;
    L::place(m_readPortLabel, nullptr, L::Absolute, Margin, Margin, LabelWidth, RowHeight);
    L::place(m_readPort, m_readPortLabel, L::RightTopAligned, Gap, 0, PortWidth, RowHeight);
    L::place(m_readButton, m_readPort, L::RightTopAligned, Gap, 0, ButtonWidth, RowHeight);
    L::place(m_saveButton, m_readButton, L::RightTopAligned, Gap, 0, ButtonWidth, RowHeight);
    L::place(m_writePortLabel, m_readPortLabel, L::LeftAlignedBelow, 0, RowGap, LabelWidth, RowHeight);
    L::place(m_writePort, m_writePortLabel, L::RightTopAligned, Gap, 0, PortWidth, RowHeight);
    L::place(m_modeBox, m_writePort, L::RightTopAligned, Gap, 0, ModeWidth, RowHeight);
    L::place(m_writeButton, m_modeBox, L::RightTopAligned, Gap, 0, ButtonWidth, RowHeight);
    L::place(m_loadButton, m_writeButton, L::RightTopAligned, Gap, 0, ButtonWidth, RowHeight);

    // The view is sized on the font the style sheet gives it: 16 pairs to a
    // line, 16 lines, no scrolling.
    m_view->ensurePolished();
    const QFontMetrics metrics(m_view->font());
    const int inset = DocumentMargin + FrameWidth;
    const int textWidth = metrics.horizontalAdvance(QString(LineChars, QLatin1Char('0')));
    const int lineHeight = metrics.lineSpacing();
    const int viewWidth = textWidth + 2 * inset + metrics.averageCharWidth();
    const int viewHeight = Lines * lineHeight + 2 * inset + lineHeight / 2;
    m_rowHeader->ensurePolished();
    const int rowHeaderWidth = QFontMetrics(m_rowHeader->font()).horizontalAdvance(QStringLiteral("000"));

    const int viewX = Margin + rowHeaderWidth + Gap;
    const int viewY = m_writePortLabel->geometry().bottom() + 1 + RowGap + HeaderHeight;
    L::place(m_view, nullptr, L::Absolute, viewX, viewY, viewWidth, viewHeight);
    L::place(m_columnHeader, m_view, L::LeftAlignedAbove, 0, 0, viewWidth - metrics.averageCharWidth(), HeaderHeight);
    L::place(m_rowHeader, nullptr, L::Absolute, Margin, viewY + inset, rowHeaderWidth, Lines * lineHeight);

    // The decoded view beside the hexadecimal, the display checks below.
    L::place(m_decoded, m_view, L::RightTopAligned, Gap * 2, 0, DecodedWidth, viewHeight);
    L::place(m_decodedHeader, m_decoded, L::LeftAlignedAbove, 0, 0, DecodedWidth, HeaderHeight);
    const int width = qMax(m_loadButton->geometry().right(), m_decoded->geometry().right()) + 1 + Margin;
    L::place(m_doctor, nullptr, L::Absolute, Margin, m_view->geometry().bottom() + 1 + RowGap, width - 2 * Margin,
             PanelHeight);
    const int height = m_doctor->geometry().bottom() + 1 + Margin;
    m_content->resize(width, height);
    setContent(m_content);
    setFixedSize(width, height + FramelessChrome::ContentTop);
    CentreInCappedScreen(this);
}

void Ui_Edid::connectWidgets()
{
    connect(m_readButton, &QPushButton::clicked, this, &Ui_Edid::SLT_OUT_EDID_Read);
    connect(m_saveButton, &QPushButton::clicked, this, &Ui_Edid::SLT_OUT_EDID_Save);
    connect(m_loadButton, &QPushButton::clicked, this, &Ui_Edid::SLT_IN_EDID_Load);
    connect(m_writeButton, &QPushButton::clicked, this, &Ui_Edid::SLT_IN_EDID_Write);
    GuardCommandBox(m_writePort, QStringLiteral("EdidWritePort"));
    GuardCommandBox(m_modeBox, QStringLiteral("EdidMode"));
    connect(m_writePort, qOverload<int>(&QComboBox::activated), this, &Ui_Edid::SLT_IN_EdidWritePort);
    connect(m_modeBox, qOverload<int>(&QComboBox::activated), this, &Ui_Edid::SLT_IN_EdidMode);
    connect(m_doctor, &EdidDoctorPanel::SGL_UpdateEmit, this, &Ui_Edid::SGL_UpdateEmit);
    connect(m_doctor, &EdidDoctorPanel::SGL_WriteApproved, this, &Ui_Edid::writeNow);
    connect(m_doctor, &EdidDoctorPanel::SGL_ImageReplaced, this, &Ui_Edid::showImage);
}

bool Ui_Edid::acceptImage()
{
    quint8 *image = Device().edidWriteBuffer;
    const EdidCheck check = CheckEdid(image);
    if (check == EdidCheck::Valid)
        return true;
    ShowMessage(this, check == EdidCheck::NotEdid ? SMSG_NotIsEdidContent : SMSG_EdidCheckFail, MessageKind::Warning);
    std::memset(image, 0, DeviceLimits::EdidBytes);
    m_view->clear();
    m_decoded->clear();
    return false;
}

void Ui_Edid::showImage()
{
    const QByteArray bytes(reinterpret_cast<const char *>(Device().edidWriteBuffer), int(DeviceLimits::EdidBytes));
    m_view->setPlainText(BytesToHexText(bytes));
}

void Ui_Edid::SLT_IN_EDID_Load(bool)
{
    const QString path = AskEdidFile(this, EdidFileAction::Open);
    if (path.isEmpty())
        return;
    ReadEdidFile(path, Device().edidWriteBuffer);
    if (!acceptImage())
        return;
    showImage();
    m_decoded->showEdid(
        QByteArray(reinterpret_cast<const char *>(Device().edidWriteBuffer), int(DeviceLimits::EdidBytes)),
        Slabel_EdidFromFile.arg(QFileInfo(path).fileName()));
}

void Ui_Edid::SLT_OUT_EDID_Save(bool)
{
    const QString path = AskEdidFile(this, EdidFileAction::Save);
    if (!path.isEmpty())
        WriteEdidFile(path, Device().edidWriteBuffer);
}

void Ui_Edid::SLT_IN_EDID_Write(bool)
{
    if (!acceptImage())
        return;
    const DeviceState &device = Device();
    if (device.edidReadBusy || device.edidWriteBusy)
        return;
    const quint32 input = quint32(qMax(m_writePort->currentIndex(), 0));
    if (!ConfirmDestructive(this, SMSG_ConfirmEdidWrite.arg(input + 1)))
        return;
    // The displays the input feeds are read and checked next; a format they
    // lack is a second question.
    m_doctor->checkBeforeWrite(input);
}

void Ui_Edid::writeNow(quint32 input)
{
    DeviceState &device = Device();
    if (device.edidReadBusy || device.edidWriteBusy)
        return;
    device.edidWriteBusy = 1;
    device.edidWriteOffset = 0;
    // A block that was not queued (link gone) would leave the flag set, and
    // no reply or timeout would ever clear it again.
    if (!CMD_EdidWrite(input, device.edidWriteBuffer)) {
        device.edidWriteBusy = 0;
        return;
    }
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Edid::SLT_OUT_EDID_Read(bool)
{
    DeviceState &device = Device();
    if (device.edidReadBusy || device.edidWriteBusy)
        return;
    device.edidReadBusy = 1;
    device.edidReadOffset = 0;
    if (!CMD_EdidRead(quint32(qMax(m_readPort->currentIndex(), 0)))) {
        device.edidReadBusy = 0;
        return;
    }
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Edid::SLT_Update_OutEdid(unsigned int port, QString hexText, unsigned int count)
{
    // The display checks read outputs of their own; those are not the
    // dialog's EDID.
    if (int(port) != m_readPort->currentIndex() || m_doctor->isBusy())
        return;
    m_view->setPlainText(hexText);
    EdidFromHexText(hexText, count, Device().edidWriteBuffer);
    if (count >= DeviceLimits::EdidBytes)
        m_decoded->showEdid(QByteArray(reinterpret_cast<const char *>(Device().edidWriteBuffer), int(count)),
                            Slabel_EdidFromOutput.arg(port + 1));
}

void Ui_Edid::SLT_IN_EdidWritePort(int index)
{
    if (index < 0 || quint32(index) >= Device().inputCount)
        return;
    m_modeBox->clear();
    const QStringList modes = EdidModeNames(Device().inputAt(quint32(index)).pos2);
    if (modes.isEmpty())
        return;
    m_modeBox->addItems(modes);
    if (CMD_InputEdidModeRead(quint32(index)))
        Q_EMIT SGL_UpdateEmit();
}

void Ui_Edid::SLT_IN_EdidMode(int index)
{
    if (index < 0 || m_writePort->currentIndex() < 0)
        return;
    if (CMD_InputEdidModeWrite(quint32(m_writePort->currentIndex()), quint8(index)))
        Q_EMIT SGL_UpdateEmit();
}

void Ui_Edid::SLT_Update_InEdidMode(uint input, int mode)
{
    if (int(input) != m_writePort->currentIndex())
        return;
    if (mode >= 0 && mode < m_modeBox->count())
        m_modeBox->setCurrentIndex(mode);
}

void Ui_Edid::SLT_Update_EdidMessage(QString text)
{
    ShowMessage(this, text);
}
