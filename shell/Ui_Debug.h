#pragma once

#include <QString>
#include <QWidget>

class ConsoleLog;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QLabel;
class QPushButton;
class QTextEdit;

// The debug console: every frame received and sent, in hexadecimal, and a
// line to send raw bytes unframed over the active device link. Its captions
// are fixed English texts. The bytes to send are typed in a line of their
// own, apart from the log of sent frames: a click in the log can no longer
// put the cursor inside a logged frame, and a second Send sends the line
// again instead of the whole log. Optionally each frame carries the time it
// passed (to the millisecond), and sent and received frames share one view
// in the order they passed.
class Ui_Debug : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Debug(QWidget *parent = nullptr);

    // Both boxes are brought up to date with the frames still waiting.
    QTextEdit *receiveBox() const;
    QTextEdit *sendBox() const;
    QLineEdit *sendInput() const { return m_sendInput; }
    QPushButton *sendButton() const { return m_sendButton; }
    QCheckBox *timestampBox() const { return m_timestamps; }
    QCheckBox *oneViewBox() const { return m_oneView; }

Q_SIGNALS:
    void SGL_UpdateEmit();

public Q_SLOTS:
    void SLT_SETUP_UI_DEBUG();
    void SLT_CLOSE_UI_DEBUG();
    void SLT_CLEAR_RECV_DATA();
    void SLT_CLEAR_SEND_DATA();
    void SLT_SELECT_HEX_FORMAT();
    void SLT_SELECT_ASCII_FORMAT();
    void SLT_Sync_Show_Recv(QByteArray bytes);
    void SLT_Sync_Show_Send(QByteArray bytes);
    void SLT_SEND_DATA();
    void SLT_LimitTextEdit_HEX();

private:
    void setFormatCaptions(const QString &format);
    void applyViewOptions();

    QLabel *m_recvLabel;
    QTextEdit *m_recvBox;
    ConsoleLog *m_recvLog;
    QPushButton *m_recvClearButton;
    QGridLayout *m_recvLayout;
    QLabel *m_sendLabel;
    QTextEdit *m_sendBox;
    ConsoleLog *m_sendLog;
    QPushButton *m_sendClearButton;
    QPushButton *m_sendButton;
    QLineEdit *m_sendInput;
    QCheckBox *m_timestamps;
    QCheckBox *m_oneView;
    QGridLayout *m_sendLayout;
    QPushButton *m_hexButton;
    QPushButton *m_asciiButton;
    QGridLayout *m_formatLayout;
    QGridLayout *m_outerLayout;
    QString m_lastValidSendText;
};
