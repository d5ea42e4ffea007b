#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QThread;
class ServiceBase;
class ServiceSerialPort;
class ServiceTcpClient;
class ServiceUdp;
struct CommandChannel;

// The link to the device and to its network modules, for the window and for
// kxrctl alike: it owns the three transport services and their named worker
// threads, opens and closes the serial, TCP and UDP links, relays the send
// requests to the services and hands every frame, link state and error on,
// in order, on the thread it lives on. No widgets: the connection page and
// the main window draw from it, kxrctl runs on it.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int DrainAttempts = 1000;
    static constexpr int DrainRetryMs = 1;

    enum class Worker { Serial, Tcp, Udp };

    // Where the network-module requests leave from; by default every local
    // IPv4 address.
    using AddressSource = std::function<QStringList()>;

    explicit DeviceLink(QObject *parent = nullptr);
    // Stops the worker threads (each within its bounded wait) and deletes
    // the services whose thread stopped.
    ~DeviceLink() override;

    // Start a device link; linkOpened or linkFailed follows. The TCP link
    // binds to localAddress (empty: any) and reads portText as the
    // connection page's field: a decimal of which the low 16 bits count.
    void openTcp(const QString &host, quint16 port);
    void openTcp(const QString &localAddress, const QString &host, const QString &portText);
    void openSerial(const QString &device, const QString &baud, const QString &dataBits, const QString &parity,
                    const QString &stopBits, const QString &flowControl);

    // The network-module service: opened, its sockets made from every local
    // IPv4 address, ready when this returns. targetPort 0 keeps the modules'
    // own port.
    void openUdp(quint16 targetPort);
    // The same in steps, as the connection page takes them: the module link
    // opens with the window, each search or read starts it over first.
    void openModules();
    void startOverModules(bool isBroadcast, const QString &remoteIp);
    // Returns once the module service has handled every request made of it
    // so far (its sockets exist when a search is queued after this).
    void syncModules();
    // Where the module requests go and leave from; a running service takes
    // the change before any request made after this call.
    void setModulePort(quint16 port);
    void setModuleAddressSource(AddressSource source);

    // Lets the services send what was queued.
    void requestSend();
    // Bytes as typed, queued on the active device link without a record: no
    // reply is awaited, as for the window's debug console.
    bool pushRaw(const QByteArray &bytes);

    // Drops the device link (serial or TCP): its thread stops, which
    // disconnects its service, and no transport is active any more.
    void closeDevice();
    // Stops every worker thread; the services disconnect as their threads
    // end. Bounded: each thread gets LinkTiming::ThreadStopWaitMs. False when
    // a thread did not stop in time.
    bool close();

    bool isRunning(Worker worker) const;
    // Runs a step on the module service's thread, after every request made
    // of it so far (at once when that thread does not run).
    void runOnModuleThread(std::function<void()> step);

public slots:
    // Hand on every frame the active device link (or the module link) has
    // received so far. The service holds the queue's lock only while it
    // appends a frame, so a busy lock is tried again at once, and the rare
    // lock that stays busy shortly after: left until the next frame
    // arrives, the last reply of a run would never be handed on. The retry
    // is still far inside the gap before the next command, so replies are
    // handed on in the order the service matched them.
    void drainDevice();
    void drainModule();

signals:
    // Outward.
    void linkOpened();
    void linkFailed(int code);
    void linkLost();
    // A TCP link that broke is being made again (the window says
    // "reconnecting" meanwhile), or that attempt ended.
    void linkRemaking(bool remaking);
    void frameSent(QByteArray bytes);
    void frameReceived(QByteArray frame);
    void datagramReceived(QByteArray datagram);
    void replyTimedOut(QByteArray sent);
    // The same link states under the names the connection page answers.
    void SGL_ConnectStatus_SerialPort(bool ok, int code);
    void SGL_ConnectStatus_TcpClient(bool ok, int code);
    void SGL_ReConnectStatus_TcpClient(bool ok);
    void SGL_LinkLost_SerialPort(int code);

    // To the services (queued).
    void SGL_UnifyUpdateEmit();
    void SGL_PretendConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort);
    void SGL_PretendConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity,
                                       QString stopBits, QString flowControl);
    void SGL_PretendConnect_Udp();
    void SGL_Startover_Udp(bool isBroadcast, QString remoteIp);

private:
    // What every service shares: its thread, the send request, the frames
    // received (handed on by drain), sent and timed out.
    void wireService(ServiceBase *service, QThread *thread, void (DeviceLink::*drain)());
    void wireTcp();
    void wireSerial();
    void wireUdp();
    void connectStatus(bool ok, int code);
    void drain(CommandChannel &channel, bool device);

    QThread *m_serialThread;
    QThread *m_tcpThread;
    QThread *m_udpThread;
    ServiceSerialPort *m_serial;
    ServiceTcpClient *m_tcp;
    ServiceUdp *m_udp;
};
