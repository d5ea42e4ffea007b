#include "gateway/GatewayCore.h"

#include "app/LanguageTable.h"
#include "gateway/ClientFramer.h"
#include "gateway/FrameRecords.h"
#include "protocol/LinkTiming.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/ReplyDispatcher.h"

using namespace RouterText;

struct GatewayCore::Client
{
    ClientKind kind = ClientKind::Router;
    QString peer;
    BlockReader reader;
    std::unique_ptr<ClientFramer> framer;
    int queued = 0; // commands of this client in the queue or in flight
};

GatewayCore::GatewayCore(LinkOps ops, Options options, QObject *parent)
    : QObject(parent)
    , m_ops(std::move(ops))
    , m_options(options)
{
    m_watchdog.setSingleShot(true);
    m_poll.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        if (!m_handed.empty()) {
            emit logLine(QStringLiteral("device gave no answer to %1")
                             .arg(QString::fromLatin1(m_handed.front().frame.toHex(' '))));
            complete(false);
        }
    });
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (m_present && idle())
            enqueue(0, Purpose::Read, RoutingReadFrame());
    });
    connect(&Events(), &DeviceEvents::SGL_IdentificationSucceeded, this, &GatewayCore::identified);
    connect(&Events(), &DeviceEvents::SGL_IdentificationFailed, this, [this] {
        emit logLine(QStringLiteral("device link: the device did not identify itself"));
        emit linkRejected();
    });
    connect(&Events(), &DeviceEvents::SGL_Update_DeviceName, this,
            [this](const QString &text) { m_deviceName = text.trimmed(); });
    connect(&Events(), &DeviceEvents::SGL_Update_SN, this,
            [this](const QString &text) { m_serialNumber = text.trimmed(); });
}

GatewayCore::~GatewayCore() = default;

GatewayCore::Client *GatewayCore::client(int id) const
{
    const auto it = m_clients.find(id);
    return it == m_clients.end() ? nullptr : it->second.get();
}

QString GatewayCore::name(int id) const
{
    const Client *c = client(id);
    return QStringLiteral("%1 client %2 (%3)")
        .arg(!c                                  ? QLatin1String("router")
                 : c->kind == ClientKind::Device ? QLatin1String("device-port")
                 : c->kind == ClientKind::Web    ? QLatin1String("web")
                                                 : QLatin1String("router"))
        .arg(id)
        .arg(c ? c->peer : QString());
}

int GatewayCore::inputs() const
{
    return int(qMin(Device().inputCount, DeviceLimits::Channels));
}

int GatewayCore::outputs() const
{
    return int(qMin(Device().outputCount, DeviceLimits::Channels));
}

int GatewayCore::addClient(ClientKind kind, const QString &peer)
{
    const int id = m_nextId++;
    auto c = std::make_unique<Client>();
    c->kind = kind;
    c->peer = peer;
    if (kind == ClientKind::Device)
        c->framer = std::make_unique<ClientFramer>();
    m_clients[id] = std::move(c);
    emit logLine(name(id) + QStringLiteral(" connected"));
    if (kind == ClientKind::Router)
        emit toClient(id, Prelude(snapshotFor(id)));
    return id;
}

void GatewayCore::removeClient(int id)
{
    if (!client(id))
        return;
    emit logLine(name(id) + QStringLiteral(" disconnected"));
    m_clients.erase(id);
    // Its locks end with it; its commands still queued are dropped, the one
    // in flight runs out (its reply then reaches nobody).
    QVector<int> released;
    for (int o = 0; o < m_lockOwner.size(); ++o) {
        if (m_lockOwner[o] == id) {
            m_lockOwner[o] = 0;
            released.append(o);
        }
    }
    for (auto it = m_queue.begin(); it != m_queue.end();)
        it = it->client == id ? m_queue.erase(it) : it + 1;
    tellLocks(released);
}

RouterText::Snapshot GatewayCore::snapshotFor(int id) const
{
    Snapshot s;
    s.present = m_present;
    if (!m_present)
        return s;
    s.inputs = inputs();
    s.outputs = outputs();
    s.modelName = QStringLiteral("KXR %1x%2").arg(s.inputs).arg(s.outputs);
    s.friendlyName = m_deviceName.isEmpty() ? s.modelName : m_deviceName;
    QString unique;
    for (QChar ch : m_serialNumber) {
        if (ch.isLetterOrNumber() && ch.unicode() < 0x80)
            unique += ch;
    }
    s.uniqueId = unique.isEmpty() ? QStringLiteral("KXR-%1x%2").arg(s.inputs).arg(s.outputs) : unique;
    for (int i = 0; i < s.inputs; ++i)
        s.inputLabels.append(S_InputName[i]);
    for (int o = 0; o < s.outputs; ++o) {
        s.outputLabels.append(S_OutputName[o]);
        s.routing.push_back(int(Device().routingAt(quint32(o))));
        const int owner = o < m_lockOwner.size() ? m_lockOwner[o] : 0;
        s.locks.append(owner == 0 ? 'U' : owner == id ? 'O' : 'L');
    }
    return s;
}

void GatewayCore::clientBytes(int id, const QByteArray &bytes)
{
    Client *c = client(id);
    if (!c)
        return;
    if (c->kind == ClientKind::Device) {
        const int before = c->framer->rejected();
        const QList<QByteArray> frames = c->framer->feed(bytes.constData(), bytes.size());
        if (c->framer->rejected() != before)
            emit logLine(name(id) + QStringLiteral(": broken frame dropped"));
        for (const QByteArray &frame : frames) {
            if (!client(id))
                return;
            deviceFrame(id, frame);
        }
        return;
    }
    std::vector<TextBlock> blocks;
    c->reader.feed(bytes.constData(), bytes.size(), blocks);
    for (const TextBlock &block : blocks) {
        if (!client(id))
            return;
        routerBlock(id, block);
    }
}

void GatewayCore::refuse(int id, const QString &why)
{
    emit logLine(name(id) + QStringLiteral(" refused: ") + why);
    emit toClient(id, Nak());
}

void GatewayCore::routerBlock(int id, const TextBlock &block)
{
    const Request r = ParseRequest(block, inputs(), outputs());
    switch (r.kind) {
    case RequestKind::Ignore:
        return;
    case RequestKind::Refuse:
        refuse(id, r.reason);
        return;
    case RequestKind::Ping:
    case RequestKind::Configuration:
        emit toClient(id, Ack());
        return;
    case RequestKind::Dump:
        emit toClient(id, Ack() + DumpBlock(r.block, snapshotFor(id)));
        return;
    default:
        break;
    }
    if (m_options.readOnly) {
        refuse(id, QStringLiteral("read-only gateway"));
        return;
    }
    if (!m_present) {
        refuse(id, QStringLiteral("no device present"));
        return;
    }
    if (r.kind == RequestKind::Routes)
        routerRoutes(id, r);
    else if (r.kind == RequestKind::Labels)
        routerLabels(id, r);
    else if (r.kind == RequestKind::Locks)
        routerLocks(id, r);
}

void GatewayCore::routerRoutes(int id, const Request &r)
{
    for (const RouteItem &item : r.routes) {
        const int owner = m_lockOwner.value(item.output);
        if (owner != 0 && owner != id) {
            refuse(id, QStringLiteral("output %1 is locked by another client").arg(item.output));
            return;
        }
    }
    if (client(id)->queued + int(r.routes.size()) > MaxQueuedPerClient) {
        refuse(id, QStringLiteral("too many routes waiting"));
        return;
    }
    emit toClient(id, Ack());
    for (const RouteItem &item : r.routes)
        enqueue(id, Purpose::Route, SwitchFrame(item.input, item.output), item.output);
}

void GatewayCore::routerLabels(int id, const Request &r)
{
    emit toClient(id, Ack());
    QString *names = r.block == BlockId::InputLabels ? S_InputName : S_OutputName;
    for (const LabelItem &item : r.labels)
        names[item.port] = item.text;
    if (tellLabels())
        emit labelsChanged();
}

bool GatewayCore::tellLabels()
{
    if (!m_present)
        return false;
    const Snapshot s = snapshotFor(0);
    bool changed = false;
    const BlockId ids[] = {BlockId::InputLabels, BlockId::OutputLabels};
    const QStringList *now[] = {&s.inputLabels, &s.outputLabels};
    for (int side = 0; side < 2; ++side) {
        std::vector<int> ports;
        for (int i = 0; i < now[side]->size(); ++i) {
            if (m_toldLabels[side].value(i) != now[side]->at(i))
                ports.push_back(i);
        }
        if (ports.empty())
            continue;
        changed = true;
        m_toldLabels[side] = *now[side];
        toRouters(LabelsBlock(ids[side], *now[side], ports));
    }
    if (changed)
        emit labelsTold();
    return changed;
}

void GatewayCore::routerLocks(int id, const Request &r)
{
    for (const LockItem &item : r.locks) {
        const int owner = m_lockOwner.value(item.output);
        if (item.op != LockOp::Force && owner != 0 && owner != id) {
            refuse(id, QStringLiteral("output %1 is locked by another client").arg(item.output));
            return;
        }
    }
    emit toClient(id, Ack());
    QVector<int> changed;
    for (const LockItem &item : r.locks) {
        const int now = item.op == LockOp::Lock ? id : 0;
        if (m_lockOwner[item.output] != now) {
            if (item.op == LockOp::Force)
                emit logLine(name(id) + QStringLiteral(" forced open the lock of output %1").arg(item.output));
            m_lockOwner[item.output] = now;
            changed.append(item.output);
        }
    }
    tellLocks(changed);
}

void GatewayCore::deviceFrame(int id, const QByteArray &frame)
{
    Client *c = client(id);
    if (!m_linkUp) {
        emit logLine(name(id) + QStringLiteral(" refused: device link down"));
        return;
    }
    if (c->queued >= MaxQueuedPerClient) {
        emit logLine(name(id) + QStringLiteral(" refused: too many commands waiting"));
        return;
    }
    for (int o : OutputsSwitchedBy(frame, outputs())) {
        if (m_lockOwner.value(o) != 0) {
            emit logLine(name(id) + QStringLiteral(" refused: output %1 is locked by a router client").arg(o));
            QVector<int> routing;
            for (int i = 0; i < outputs(); ++i)
                routing.append(int(Device().routingAt(quint32(i))));
            emit toClient(id, RoutingReplyFrame(routing));
            return;
        }
    }
    enqueue(id, Purpose::Forward, frame);
}

void GatewayCore::submit(int id, const QByteArray &frame, int output, Done done)
{
    if (!m_linkUp) {
        done(Outcome::LinkDown);
        return;
    }
    enqueue(id, output >= 0 ? Purpose::Route : Purpose::Read, frame, output, std::move(done));
}

void GatewayCore::setLock(int id, int output, bool locked)
{
    if (output < 0 || output >= m_lockOwner.size())
        return;
    const int now = locked ? id : 0;
    if (m_lockOwner[output] == now)
        return;
    if (!locked && m_lockOwner[output] != id)
        emit logLine(name(id) + QStringLiteral(" forced open the lock of output %1").arg(output));
    m_lockOwner[output] = now;
    tellLocks({output});
}

void GatewayCore::dropCommands()
{
    std::deque<Pending> dropped;
    dropped.swap(m_handed);
    for (Pending &p : m_queue)
        dropped.push_back(std::move(p));
    m_queue.clear();
    for (const Pending &p : dropped) {
        if (p.done)
            p.done(Outcome::LinkDown);
    }
}

void GatewayCore::enqueue(int clientId, Purpose purpose, const QByteArray &frame, int output, Done done)
{
    Pending p;
    p.client = clientId;
    p.purpose = purpose;
    p.output = output;
    p.frame = frame;
    p.record = RecordForFrame(frame);
    p.done = std::move(done);
    if (Client *c = client(clientId))
        ++c->queued;
    m_queue.push_back(std::move(p));
    pump();
}

void GatewayCore::pump()
{
    // The link gets the next command while the one before it is still in
    // flight, so that it keeps its gap from the moment the reply arrives;
    // the service itself sends one at a time. Each is on the gateway's list
    // before the link can send it, so no answer can come before the gateway
    // knows what it answers, and the link answers them in this order.
    while (m_linkUp && int(m_handed.size()) < LinkWindow && !m_queue.empty()) {
        Pending p = std::move(m_queue.front());
        m_queue.pop_front();
        if (!m_ops.push(p.frame, p.record)) {
            finish(p, false);
            continue;
        }
        m_handed.push_back(std::move(p));
        if (m_handed.size() == 1)
            armWatchdog();
        m_ops.kick();
    }
    if (idle())
        startPollTimer();
}

void GatewayCore::armWatchdog()
{
    const CommandRecord &r = m_handed.front().record;
    m_watchdog.start(int(r.waitReply ? r.replyTimeoutMs : r.pauseMs) + LinkTiming::SendGapMs + WatchdogMarginMs);
}

void GatewayCore::startPollTimer()
{
    if (m_options.pollSeconds > 0 && m_present)
        m_poll.start(m_options.pollSeconds * 1000);
}

void GatewayCore::complete(bool confirmed)
{
    m_watchdog.stop();
    const Pending p = std::move(m_handed.front());
    m_handed.pop_front();
    if (!m_handed.empty())
        armWatchdog();
    if (finish(p, confirmed))
        pump();
}

bool GatewayCore::finish(const Pending &p, bool confirmed)
{
    if (Client *c = client(p.client))
        --c->queued;
    // A route is told once it has ended, with the output's real state
    // whether or not the device carried it out; anything else only when the
    // routing changed.
    tellRouting(p.purpose == Purpose::Route ? QVector<int>{p.output} : QVector<int>{});
    if (p.done)
        p.done(confirmed ? Outcome::Confirmed : Outcome::NoAnswer);
    if (p.purpose == Purpose::InitialRead && --m_initialReadsLeft == 0)
        becomePresent();
    if (!confirmed && p.purpose == Purpose::Identify) {
        emit logLine(QStringLiteral("device link: no answer to the identification"));
        emit linkRejected();
        return false;
    }
    return true;
}

void GatewayCore::linkOpened()
{
    emit logLine(QStringLiteral("device link up"));
    ResetDeviceState();
    m_linkUp = true;
    dropCommands();
    enqueue(0, Purpose::Identify, DeviceTypeReadFrame());
}

void GatewayCore::identified()
{
    if (!m_linkUp)
        return;
    m_lockOwner.resize(outputs());
    m_initialReadsLeft = 3;
    enqueue(0, Purpose::InitialRead, NameReadFrame(false));
    enqueue(0, Purpose::InitialRead, NameReadFrame(true));
    enqueue(0, Purpose::InitialRead, RoutingReadFrame());
}

void GatewayCore::becomePresent()
{
    m_present = true;
    const Snapshot s = snapshotFor(0);
    m_toldLabels[0] = s.inputLabels;
    m_toldLabels[1] = s.outputLabels;
    m_told.clear();
    for (int o = 0; o < outputs(); ++o)
        m_told.append(int(Device().routingAt(quint32(o))));
    emit logLine(QStringLiteral("device present: %1 inputs, %2 outputs").arg(inputs()).arg(outputs()));
    emit presentChanged(true);
    for (const auto &[id, c] : m_clients) {
        if (c->kind == ClientKind::Router)
            emit toClient(id, StateBlocks(snapshotFor(id)));
    }
}

void GatewayCore::linkDown()
{
    if (m_linkUp)
        emit logLine(QStringLiteral("device link down"));
    m_linkUp = false;
    m_watchdog.stop();
    m_poll.stop();
    dropCommands();
    for (const auto &entry : m_clients)
        entry.second->queued = 0;
    ResetDeviceState();
    if (!m_present)
        return;
    m_present = false;
    emit presentChanged(false);
    toRouters(DeviceBlock(Snapshot()));
}

void GatewayCore::frameSent(const QByteArray &bytes)
{
    // A command that awaits no reply is done once it is on the wire; the
    // link keeps its pause before it sends the next one.
    if (!m_handed.empty() && !m_handed.front().record.waitReply && bytes == m_handed.front().frame)
        complete(true);
}

void GatewayCore::replyTimedOut(const QByteArray &sent)
{
    if (m_handed.empty() || sent != m_handed.front().frame)
        return;
    emit logLine(QStringLiteral("device gave no answer to %1").arg(QString::fromLatin1(sent.toHex(' '))));
    complete(false);
}

void GatewayCore::frameReceived(const QByteArray &frame)
{
    const Pending *head = m_handed.empty() ? nullptr : &m_handed.front();
    const bool isReply = head && head->record.waitReply
        && ReplyMatches(head->record, reinterpret_cast<const quint8 *>(frame.constData()), quint32(frame.size()));
    DispatchDeviceReply(frame);
    if (isReply) {
        const int owner = head->client;
        if (head->purpose == Purpose::Forward) {
            if (client(owner))
                emit toClient(owner, frame);
        } else {
            toIdleDeviceClients(frame);
        }
        complete(true);
        return;
    }
    // Unsolicited: a report of the device, for every device-port client.
    for (const auto &[id, c] : m_clients) {
        if (c->kind == ClientKind::Device)
            emit toClient(id, frame);
    }
    tellRouting({});
}

void GatewayCore::toIdleDeviceClients(const QByteArray &frame, int except)
{
    // A device-port client waiting for its own answer could take this one
    // for it; it hears of the change with its next reply.
    for (const auto &[id, c] : m_clients) {
        if (c->kind == ClientKind::Device && c->queued == 0 && id != except)
            emit toClient(id, frame);
    }
}

void GatewayCore::tellRouting(const QVector<int> &forced)
{
    if (!m_present)
        return;
    std::vector<int> outputsToTell;
    for (int o = 0; o < m_told.size(); ++o) {
        const int now = int(Device().routingAt(quint32(o)));
        if (now != m_told[o] || forced.contains(o)) {
            m_told[o] = now;
            outputsToTell.push_back(o);
        }
    }
    if (outputsToTell.empty())
        return;
    toRouters(RoutingBlock(std::vector<int>(m_told.begin(), m_told.end()), outputsToTell));
    emit routingTold(QVector<int>(outputsToTell.begin(), outputsToTell.end()));
}

void GatewayCore::tellLocks(const QVector<int> &outputsChanged)
{
    if (outputsChanged.isEmpty() || !m_present)
        return;
    const std::vector<int> only(outputsChanged.begin(), outputsChanged.end());
    for (const auto &[id, c] : m_clients) {
        if (c->kind == ClientKind::Router)
            emit toClient(id, LocksBlock(snapshotFor(id).locks, only));
    }
    emit locksTold(outputsChanged);
}

void GatewayCore::toRouters(const QByteArray &bytes)
{
    for (const auto &[id, c] : m_clients) {
        if (c->kind == ClientKind::Router)
            emit toClient(id, bytes);
    }
}
