#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

struct CommandChannel;

// The transport services of the window, wired for a program without
// windows: each service runs in its own worker thread, exactly as the
// connection page sets them up, so kxrctl paces, matches and times out its
// commands the same way. This object lives on the main thread; it relays the
// send requests to the services and hands every received frame on in order.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int DrainAttempts = 1000;
    static constexpr int DrainRetryMs = 1;

    explicit DeviceLink(QObject *parent = nullptr);
    ~DeviceLink() override;

    // Start a device link; linkOpened or linkFailed follows.
    void openTcp(const QString &host, quint16 port);
    void openSerial(const QString &device, const QString &baud, const QString &dataBits, const QString &parity,
                    const QString &stopBits, const QString &flowControl);
    // The network-module service: opened, its sockets made from every local
    // IPv4 address, ready when this returns. targetPort 0 keeps the modules'
    // own port.
    void openUdp(quint16 targetPort);

    // Lets the services send what was queued.
    void requestSend();
    // Bytes as typed, queued on the active device link without a record: no
    // reply is awaited, as for the window's debug console.
    bool pushRaw(const QByteArray &bytes);

    // Stops the worker threads; the services disconnect as their threads end.
    void close();

signals:
    // Outward.
    void linkOpened();
    void linkFailed(int code);
    void linkLost();
    void frameSent(QByteArray bytes);
    void frameReceived(QByteArray frame);
    void datagramReceived(QByteArray datagram);
    void replyTimedOut(QByteArray sent);

    // To the services (queued).
    void SGL_UnifyUpdateEmit();
    void SGL_PretendConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort);
    void SGL_PretendConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity,
                                       QString stopBits, QString flowControl);
    void SGL_PretendConnect_Udp();
    void SGL_Startover_Udp(bool isBroadcast, QString remoteIp);

private:
    void wireTcp();
    void wireSerial();
    void wireUdp();
    void connectStatus(bool ok, int code);
    // Takes every frame the active service has queued. The service holds
    // the lock only while it appends a frame, so a busy lock is tried again
    // at once, and the rare lock that stays busy shortly after: the window
    // would leave those frames until the next frame arrives, which for the
    // last reply of a run never comes. The retry is still far inside the
    // gap before the next command, so replies are handed on in the order
    // the service matched them.
    void drainDevice();
    void drainModule();
    void drain(CommandChannel &channel, bool device);

    bool m_tcpWired = false;
    bool m_serialWired = false;
    bool m_udpWired = false;
};
