#pragma once

#include "protocol/RouterText.h"
#include "protocol/CommandChannel.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include <deque>
#include <functional>
#include <map>
#include <memory>

class ClientFramer;

// The heart of kxr-gateway: one device link, many clients. It owns the one
// queue of device commands (one in flight; the link's service keeps the
// gap), the lock table, and what router clients have been told; it knows
// nothing of sockets. The server hands it each client's bytes and writes
// what it emits; the device link hands it the link's notices.
//
// The device model is the protocol layer's own (Device(), written by the
// reply dispatcher), so the gateway reads the device exactly as the window
// does. Router clients are told of a change only after the device
// confirmed it; a command that failed is answered with the real state.
class GatewayCore : public QObject
{
    Q_OBJECT

public:
    // Commands one client may have waiting in the queue; more are refused.
    static constexpr int MaxQueuedPerClient = 256;
    // Beyond a command's own reply timeout or pause, the time the gateway
    // grants the link (its gap included) before it gives the command up.
    static constexpr int WatchdogMarginMs = 1000;
    // Commands given to the link at once: the one in flight and the next.
    static constexpr int LinkWindow = 2;

    // Web: the HTTP panel and API, which are told through the signals below,
    // never through bytes.
    enum class ClientKind { Router, Device, Web };
    // How a command given with submit() ended.
    enum class Outcome { Confirmed, NoAnswer, LinkDown };
    using Done = std::function<void(Outcome)>;

    // What the gateway needs of the device link: queue one framed command
    // with its record (false when no link is up), and let it send.
    struct LinkOps
    {
        std::function<bool(const QByteArray &frame, const CommandRecord &record)> push;
        std::function<void()> kick;
    };

    struct Options
    {
        bool readOnly = false;
        int pollSeconds = 10; // 0: never
    };

    GatewayCore(LinkOps ops, Options options, QObject *parent = nullptr);
    ~GatewayCore() override;

    // A router client gets the prelude at once, under the id that
    // nextClientId() told before.
    int addClient(ClientKind kind, const QString &peer);
    int nextClientId() const { return m_nextId; }
    void removeClient(int id);
    void clientBytes(int id, const QByteArray &bytes);

    // Notices of the device link, in the order the link produced them.
    void linkOpened();
    void linkDown();
    void frameSent(const QByteArray &bytes);
    void frameReceived(const QByteArray &frame);
    void replyTimedOut(const QByteArray &sent);

    // The port names were read again (a rename elsewhere): router clients
    // hear of the names that changed.
    void namesReloaded() { tellLabels(); }

    bool present() const { return m_present; }
    bool idle() const { return m_handed.empty() && m_queue.empty(); }
    int clientCount() const { return int(m_clients.size()); }
    // The router as this client sees it (its own locks as 'O').
    RouterText::Snapshot snapshotFor(int id) const;

    // Hooks for the web side: a device command of the gateway's own (a
    // switch of `output`, or anything else with output -1), told to `done`
    // when it ended; the lock table, read and written by client `id`
    // (unlocking opens any client's lock).
    void submit(int id, const QByteArray &frame, int output, Done done);
    int lockOwner(int output) const { return m_lockOwner.value(output); }
    void setLock(int id, int output, bool locked);

signals:
    void toClient(int id, QByteArray bytes);
    void logLine(QString text);
    // The device did not identify itself: the link should be dropped and
    // tried again.
    void linkRejected();
    // A label was changed by a router client; the names are to be kept.
    void labelsChanged();
    void presentChanged(bool present);
    // What router clients were just told, for the web side's event stream.
    void routingTold(QVector<int> outputs);
    void locksTold(QVector<int> outputs);
    void labelsTold();

private:
    enum class Purpose { Identify, InitialRead, Read, Route, Forward };

    struct Client;

    struct Pending
    {
        int client = 0; // 0: the gateway itself
        Purpose purpose = Purpose::Read;
        int output = -1; // a router route: the output it switches
        QByteArray frame;
        CommandRecord record;
        Done done;
    };

    Client *client(int id) const;
    void routerBlock(int id, const RouterText::TextBlock &block);
    void routerRoutes(int id, const RouterText::Request &request);
    void routerLabels(int id, const RouterText::Request &request);
    void routerLocks(int id, const RouterText::Request &request);
    void deviceFrame(int id, const QByteArray &frame);
    void enqueue(int client, Purpose purpose, const QByteArray &frame, int output = -1, Done done = {});
    void pump();
    // The command in flight has ended.
    void complete(bool confirmed);
    // What follows the end of a command; false when the link is to go.
    bool finish(const Pending &p, bool confirmed);
    void armWatchdog();
    void identified();
    void becomePresent();
    void tellRouting(const QVector<int> &forced);
    void tellLocks(const QVector<int> &outputs);
    // Labels that differ from what router clients were told; true if any.
    bool tellLabels();
    void toRouters(const QByteArray &bytes);
    void toIdleDeviceClients(const QByteArray &frame, int except = 0);
    void refuse(int id, const QString &why);
    QString name(int id) const;
    int inputs() const;
    int outputs() const;
    void startPollTimer();
    // Forgets every command queued or handed to the link.
    void dropCommands();

    LinkOps m_ops;
    Options m_options;
    std::map<int, std::unique_ptr<Client>> m_clients;
    int m_nextId = 1;
    QVector<int> m_lockOwner;    // per output, 0 when unlocked
    QVector<int> m_told;         // the routing router clients were last told
    QStringList m_toldLabels[2]; // inputs, outputs
    std::deque<Pending> m_queue;
    std::deque<Pending> m_handed; // given to the link, oldest (in flight) first
    bool m_linkUp = false;
    bool m_present = false;
    int m_initialReadsLeft = 0;
    QString m_deviceName;
    QString m_serialNumber;
    QTimer m_watchdog;
    QTimer m_poll;
};
