#pragma once

#include "transport/ServiceBase.h"

#include <QAbstractSocket>
#include <QString>

#include <memory>

class QTcpSocket;

// Reaches the device over a TCP connection, paced exactly like the serial
// service; the commands come from TcpChannel. A worker moved into its own
// thread; the socket and the timers are created by the connect slot there.
class ServiceTcpClient : public ServiceBase
{
    Q_OBJECT

public:
    static constexpr int ConnectFailedCode = 5;
    static constexpr int ConnectWaitMs = 500;
    static constexpr int ReconnectWaitMs = 1000;

    explicit ServiceTcpClient(QObject *parent = nullptr);
    ~ServiceTcpClient() override;

signals:
    void SGL_ConnectStatus_TcpClient(bool ok, int code);
    void SGL_ReConnectStatus_TcpClient(bool ok);
    // A broken link is being made again (true), or that attempt ended.
    void SGL_Remaking_TcpClient(bool remaking);

public slots:
    void SLT_SyncConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort);
    void SLT_RealRecvData_TcpClient();
    void SLT_SocketError(QAbstractSocket::SocketError error);

protected:
    bool openDevice() override;
    bool writeBytes(const QByteArray &bytes) override;
    void closeDevice() override;
    // A connection that broke is made again once before the send.
    bool prepareSend() override;

private:
    // Binds to the local address and starts connecting to the device.
    void startConnecting();
    // Before every send, and at once when the socket reports the link
    // broken: a connection that broke is made again once. False when that
    // failed (and was reported).
    bool EnsureTcpConnection();
    // The socket said the link closed or failed.
    void linkBroken();
    void remakeBrokenLink();

    std::unique_ptr<QTcpSocket> m_socket;
    bool m_portOpened = false;
    quint32 m_lastError = NoError;
    bool m_remakePending = false;
    bool m_remaking = false;
    QString m_localAddress;
    QString m_remoteAddress;
    QString m_remotePort;
};
