#pragma once

#include "transport/ServicePacer.h"

#include <QObject>
#include <QSerialPort>

// Reaches the device through a serial port. A worker: it is moved into its
// own thread, and the port and the timers are created by the connect slot on
// that thread. The commands come from SerialChannel.
class ServiceSerialPort : public QObject
{
    Q_OBJECT

public:
    // Connect failure code reported with SGL_ConnectStatus_SerialPort.
    static constexpr int OpenFailedCode = 3;
    static constexpr quint32 NoError = 255;

    explicit ServiceSerialPort(QObject *parent = nullptr);
    ~ServiceSerialPort() override;

signals:
    void SGL_TryCheckSend();
    void SGL_UpdateRecvData_SerialPort();
    void SGL_UpdateSendData_SerialPort(QByteArray bytes);
    void SGL_ConnectStatus_SerialPort(bool ok, int code);
    void SGL_WaitReplyTimeout_SerialPort(QByteArray sent);
    // The line went away under an open port (the device end hung up, the
    // adapter was pulled): the port is already closed; code is the port's
    // error.
    void SGL_LinkLost_SerialPort(int code);

public slots:
    void SLT_SyncConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity, QString stopBits,
                                    QString flowControl);
    void SLT_SyncDisconnect_SerialPort();
    void SLT_RealSendData_SerialPort();
    void SLT_RealRecvData_SerialPort();
    void SLT_MatchTimer_Timeout();
    void SLT_WaitTimer_Timeout();
    void SLT_SerialPortError(QSerialPort::SerialPortError error);

private:
    // Closes a port that can no longer be read and reports the lost link.
    void dropLostLink();
    void applySettings(const QString &baudRate, const QString &dataBits, const QString &parity, const QString &stopBits,
                       const QString &flowControl);
    void deletePort();
    bool writeCommand(const QByteArray &bytes);

    QSerialPort *m_port = nullptr;
    bool m_connected = false;
    bool m_portOpened = false;
    quint32 m_lastError = NoError;
    bool m_disconnectPending = false;
    bool m_linkLostPending = false;
    ServicePacer m_pacer;
};
