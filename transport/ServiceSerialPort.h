#pragma once

#include "transport/ServiceBase.h"

#include <QSerialPort>
#include <QString>

#include <memory>

// Reaches the device through a serial port. A worker: it is moved into its
// own thread, and the port and the timers are created by the connect slot on
// that thread. The commands come from SerialChannel.
class ServiceSerialPort : public ServiceBase
{
    Q_OBJECT

public:
    // Connect failure code reported with SGL_ConnectStatus_SerialPort.
    static constexpr int OpenFailedCode = 3;

    explicit ServiceSerialPort(QObject *parent = nullptr);
    ~ServiceSerialPort() override;

signals:
    void SGL_ConnectStatus_SerialPort(bool ok, int code);
    // The line went away under an open port (the device end hung up, the
    // adapter was pulled): the port is already closed; code is the port's
    // error.
    void SGL_LinkLost_SerialPort(int code);

public slots:
    void SLT_SyncConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity, QString stopBits,
                                    QString flowControl);
    void SLT_RealRecvData_SerialPort();
    void SLT_SerialPortError(QSerialPort::SerialPortError error);

protected:
    bool openDevice() override;
    bool writeBytes(const QByteArray &bytes) override;
    void closeDevice() override;

private:
    // The connection page's settings, as the decimal values of the
    // QSerialPort enumerations.
    struct Settings
    {
        QString name;
        QString baudRate;
        QString dataBits;
        QString parity;
        QString stopBits;
        QString flowControl;
    };

    // Closes a port that can no longer be read and reports the lost link.
    void dropLostLink();
    void applySettings();

    std::unique_ptr<QSerialPort> m_port;
    Settings m_settings;
    quint32 m_lastError = NoError;
    bool m_linkLostPending = false;
};
