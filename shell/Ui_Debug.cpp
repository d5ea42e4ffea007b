#include "shell/Ui_Debug.h"

#include "app/AppPaths.h"
#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "chrome/ImageFiles.h"
#include "chrome/MessageBox.h"
#include "chrome/ScreenArea.h"
#include "protocol/CommandChannel.h"
#include "shell/ConsoleLog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace {
constexpr int MaxLinesKept = 200;
// Raw bytes the operator sends must fit one command frame.
constexpr int MaxRawBytes = 2048;
const char HexFormat[] = "HEX FORMAT";
const char AsciiFormat[] = "ASCII FORMAT";
// Markers of the two directions in the shared view.
const char SentMarker[] = "TX ";
const char ReceivedMarker[] = "RX ";

QTextEdit *makeLogBox(bool readOnly)
{
    auto *box = new QTextEdit;
    box->setReadOnly(readOnly);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->setAcceptRichText(false);
    box->document()->setMaximumBlockCount(MaxLinesKept);
    return box;
}

} // namespace

Ui_Debug::Ui_Debug(QWidget *parent)
    : QWidget(parent)
    , m_recvLabel(new QLabel)
    , m_recvBox(makeLogBox(true))
    , m_recvLog(new ConsoleLog(m_recvBox, MaxLinesKept, this))
    , m_recvClearButton(new QPushButton(QStringLiteral("Clear")))
    , m_recvLayout(new QGridLayout)
    , m_sendLabel(new QLabel)
    , m_sendBox(makeLogBox(true))
    , m_sendLog(new ConsoleLog(m_sendBox, MaxLinesKept, this))
    , m_sendClearButton(new QPushButton(QStringLiteral("Clear")))
    , m_sendButton(new QPushButton(QStringLiteral("Send")))
    , m_sendInput(new QLineEdit)
    , m_timestamps(new QCheckBox(SCheckBox_Timestamps))
    , m_oneView(new QCheckBox(SCheckBox_OneView))
    , m_sendLayout(new QGridLayout)
    , m_hexButton(new QPushButton(QLatin1String(HexFormat)))
    , m_asciiButton(new QPushButton(QLatin1String(AsciiFormat)))
    , m_formatLayout(new QGridLayout)
    , m_outerLayout(new QGridLayout(this))
{
    setWindowTitle(QStringLiteral("Debug"));
    const QString logo = AppPath(QLatin1String(Paths::MainLogo));
    setWindowIcon(QIcon(RewrittenPicture(logo)));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    const QSize screen = CappedScreenSize();
    resize(screen.width() / 3, screen.height() / 2);
    CentreInCappedScreen(this);

    setFormatCaptions(QLatin1String(HexFormat));
    m_hexButton->setEnabled(false);
    m_hexButton->hide();
    m_asciiButton->hide();

    m_recvLayout->addWidget(m_recvLabel, 0, 0);
    m_recvLayout->addWidget(m_recvClearButton, 0, 1);
    m_recvLayout->addWidget(m_recvBox, 1, 0, 1, 2);
    m_sendLayout->addWidget(m_sendLabel, 0, 0);
    m_sendLayout->addWidget(m_sendClearButton, 0, 1);
    m_sendLayout->addWidget(m_sendButton, 0, 2);
    m_sendLayout->addWidget(m_sendInput, 1, 0, 1, 3);
    m_sendLayout->addWidget(m_sendBox, 2, 0, 1, 3);
    m_formatLayout->addWidget(m_timestamps, 0, 0);
    m_formatLayout->addWidget(m_oneView, 0, 1);
    m_formatLayout->addWidget(m_hexButton, 0, 2);
    m_formatLayout->addWidget(m_asciiButton, 0, 3);
    m_outerLayout->addLayout(m_recvLayout, 0, 0);
    m_outerLayout->addLayout(m_sendLayout, 1, 0);
    m_outerLayout->addLayout(m_formatLayout, 2, 0);
    setTabOrder(m_sendInput, m_sendButton);
    setTabOrder(m_sendButton, m_sendClearButton);
    setTabOrder(m_sendClearButton, m_recvClearButton);
    setTabOrder(m_recvClearButton, m_timestamps);
    setTabOrder(m_timestamps, m_oneView);

    connect(m_recvClearButton, &QPushButton::clicked, this, &Ui_Debug::SLT_CLEAR_RECV_DATA);
    connect(m_sendClearButton, &QPushButton::clicked, this, &Ui_Debug::SLT_CLEAR_SEND_DATA);
    connect(m_sendButton, &QPushButton::clicked, this, &Ui_Debug::SLT_SEND_DATA);
    connect(m_asciiButton, &QPushButton::clicked, this, &Ui_Debug::SLT_SELECT_ASCII_FORMAT);
    connect(m_hexButton, &QPushButton::clicked, this, &Ui_Debug::SLT_SELECT_HEX_FORMAT);
    connect(m_sendInput, &QLineEdit::textChanged, this, &Ui_Debug::SLT_LimitTextEdit_HEX);
    connect(m_sendInput, &QLineEdit::returnPressed, this, &Ui_Debug::SLT_SEND_DATA);
    connect(m_timestamps, &QCheckBox::toggled, this, &Ui_Debug::applyViewOptions);
    connect(m_oneView, &QCheckBox::toggled, this, &Ui_Debug::applyViewOptions);
}

void Ui_Debug::applyViewOptions()
{
    m_recvLog->setTimestamps(m_timestamps->isChecked());
    m_sendLog->setTimestamps(m_timestamps->isChecked());
    // In the shared view the send log rests; the receive box shows both.
    const bool shared = m_oneView->isChecked();
    m_sendBox->setVisible(!shared);
    m_recvLabel->setText(shared ? QStringLiteral("Recv/Send:") + m_recvLabel->property("format").toString()
                                : QStringLiteral("Recv:") + m_recvLabel->property("format").toString());
}

void Ui_Debug::setFormatCaptions(const QString &format)
{
    m_recvLabel->setProperty("format", format);
    m_recvLabel->setText(QStringLiteral("Recv:") + format);
    m_sendLabel->setText(QStringLiteral("Send:") + format);
}

void Ui_Debug::SLT_SETUP_UI_DEBUG()
{
    show();
}

void Ui_Debug::SLT_CLOSE_UI_DEBUG()
{
    close();
}

QTextEdit *Ui_Debug::receiveBox() const
{
    m_recvLog->flush();
    return m_recvBox;
}

QTextEdit *Ui_Debug::sendBox() const
{
    m_sendLog->flush();
    return m_sendBox;
}

void Ui_Debug::SLT_CLEAR_RECV_DATA()
{
    m_recvLog->clear();
}

void Ui_Debug::SLT_CLEAR_SEND_DATA()
{
    m_sendLog->clear();
}

void Ui_Debug::SLT_SELECT_HEX_FORMAT()
{
    m_hexButton->setEnabled(false);
    m_asciiButton->setEnabled(true);
    setFormatCaptions(QLatin1String(HexFormat));
}

void Ui_Debug::SLT_SELECT_ASCII_FORMAT()
{
    m_hexButton->setEnabled(true);
    m_asciiButton->setEnabled(false);
    setFormatCaptions(QLatin1String(AsciiFormat));
}

void Ui_Debug::SLT_Sync_Show_Recv(QByteArray bytes)
{
    m_recvLog->append(bytes, m_oneView->isChecked() ? QLatin1String(ReceivedMarker) : QString());
}

void Ui_Debug::SLT_Sync_Show_Send(QByteArray bytes)
{
    if (m_oneView->isChecked())
        m_recvLog->append(bytes, QLatin1String(SentMarker));
    else
        m_sendLog->append(bytes);
}

void Ui_Debug::SLT_SEND_DATA()
{
    const QByteArray bytes = HexTextToByteArray(m_sendInput->text());
    if (bytes.isEmpty()) {
        ShowMessage(this, SMSG_DataFormatError_Fail, MessageKind::Warning);
        return;
    }
    if (bytes.size() >= MaxRawBytes) {
        m_sendInput->clear();
        ShowMessage(this, SMSG_DataOverflow_Fail, MessageKind::Warning);
        return;
    }
    // Raw bytes go out as typed: no frame, no reply awaited, no pause.
    if (CommandChannel *channel = ActiveDeviceChannel())
        ChannelPush(*channel, QueueSide::Send, reinterpret_cast<const quint8 *>(bytes.constData()),
                    quint32(bytes.size()), nullptr, 0);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Debug::SLT_LimitTextEdit_HEX()
{
    const QString text = m_sendInput->text();
    static const QRegularExpression allowed(QStringLiteral("^[a-fA-F0-9 ]*$"));
    if (allowed.match(text).hasMatch()) {
        m_lastValidSendText = text;
        return;
    }
    // A character outside the pattern is refused: the line goes back to its
    // last accepted text rather than losing everything typed so far.
    const int at = qMax(0, m_sendInput->cursorPosition() - (text.size() - m_lastValidSendText.size()));
    m_sendInput->setText(m_lastValidSendText);
    m_sendInput->setCursorPosition(at);
}
