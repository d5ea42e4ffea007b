#pragma once

#include <QString>
#include <QWidget>

class ConsoleLog;
class QGridLayout;
class QLabel;
class QPushButton;
class QTextEdit;

// The debug console: every frame received and sent, in hexadecimal, and a
// box to send raw bytes unframed over the active device link. Its captions
// are fixed English texts.
class Ui_Debug : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Debug(QWidget *parent = nullptr);

    // Both boxes are brought up to date with the frames still waiting.
    QTextEdit *receiveBox() const;
    QTextEdit *sendBox() const;
    QPushButton *sendButton() const { return m_sendButton; }

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
    QGridLayout *m_sendLayout;
    QPushButton *m_hexButton;
    QPushButton *m_asciiButton;
    QGridLayout *m_formatLayout;
    QGridLayout *m_outerLayout;
    QString m_lastValidSendText;
};
