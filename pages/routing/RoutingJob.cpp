#include "pages/routing/RoutingJob.h"

#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/RequestTracker.h"

#include <QTimer>

namespace {
// Longer than any reply wait of a switch and the 50 ms gap of each frame
// queued before it: only a job the tracker lost sight of ends this way.
constexpr int DeadlineBaseMs = 4000;
constexpr int DeadlinePerSwitchMs = 1200;
// The all-outputs frame's own reply wait, and slack.
constexpr int DeadlineAllMs = int(Wait::AllOutputs) + DeadlineBaseMs;
constexpr int MaxExtensions = 5;
} // namespace

RoutingJob::RoutingJob(QObject *parent)
    : QObject(parent)
    , m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &RoutingJob::expire);
    connect(&Tracker(), &RequestTracker::SGL_PendingChanged, this, [this] { check(false); });
    connect(&Events(), &DeviceEvents::SGL_RefreshMatrix, this, [this] { check(true); });
}

bool RoutingJob::start(const RouteMap &routes)
{
    const DeviceState &device = Device();
    m_all = false;
    m_wanted = routes;
    m_before.clear();
    m_open.clear();
    m_confirmed.clear();
    m_failures.clear();
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it) {
        m_before.insert(it.key(), device.routingAt(it.key()));
        if (CMD_SwitchInputLatest(it.value(), it.key())) {
            Tracker().switchQueued(it.value(), it.key());
            m_open.insert(it.key(), it.value());
        } else {
            m_failures.insert(it.key(), SMSG_RouteNotSent);
        }
    }
    m_running = !m_open.isEmpty();
    m_extensions = 0;
    if (m_running)
        m_deadline->start(DeadlineBaseMs + DeadlinePerSwitchMs * m_open.size());
    return m_running;
}

bool RoutingJob::startAll(quint32 input)
{
    const DeviceState &device = Device();
    RouteMap routes;
    for (quint32 out = 0; out < device.outputCount; ++out)
        routes.insert(out, input);
    m_all = true;
    m_wanted = routes;
    m_before.clear();
    m_open.clear();
    m_confirmed.clear();
    m_failures.clear();
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it)
        m_before.insert(it.key(), device.routingAt(it.key()));
    if (!CMD_SwitchAllOutputs(input)) {
        for (quint32 out : routes.keys())
            m_failures.insert(out, SMSG_RouteNotSent);
        return false;
    }
    m_open = routes;
    m_running = true;
    m_extensions = 0;
    m_deadline->start(DeadlineAllMs);
    return true;
}

void RoutingJob::check(bool routingReport)
{
    if (m_open.isEmpty())
        return;
    const DeviceState &device = Device();
    if (!device.identified) {
        for (quint32 out : m_open.keys())
            settle(out, SMSG_RouteLinkLost);
        finishIfDone();
        return;
    }
    // The all-outputs frame is not followed by the tracker, and a report
    // may still answer a command queued before it: the job waits for a
    // report that holds the whole routing, or for its deadline.
    if (m_all) {
        if (!routingReport)
            return;
        for (auto it = m_open.constBegin(); it != m_open.constEnd(); ++it) {
            if (device.routingAt(it.key()) != it.value())
                return;
        }
        for (quint32 out : m_open.keys())
            settle(out, QString());
        finishIfDone();
        return;
    }
    const RouteMap open = m_open;
    bool vanished = false;
    for (auto it = open.constBegin(); it != open.constEnd(); ++it) {
        const int pending = Tracker().pendingInput(it.key());
        if (pending == int(it.value()))
            continue;
        if (device.routingAt(it.key()) == it.value())
            settle(it.key(), QString());
        else if (pending != RequestTracker::NoPending)
            settle(it.key(), SMSG_RouteReplaced);
        else if (routingReport)
            settle(it.key(), SMSG_RouteKept.arg(device.routingAt(it.key()) + 1));
        else
            vanished = true;
    }
    // The tracker lets a switch go before the routing report that answered
    // it reaches this job: what that report still leaves open went
    // unanswered.
    if (vanished)
        QTimer::singleShot(0, this, &RoutingJob::settleUnanswered);
    finishIfDone();
}

void RoutingJob::settleUnanswered()
{
    const RouteMap open = m_open;
    for (auto it = open.constBegin(); it != open.constEnd(); ++it) {
        if (Tracker().pendingInput(it.key()) == RequestTracker::NoPending)
            settle(it.key(), SMSG_RouteNoAnswer);
    }
    finishIfDone();
}

void RoutingJob::settle(quint32 output, const QString &failure)
{
    const quint32 input = m_open.take(output);
    if (failure.isEmpty())
        m_confirmed.insert(output, input);
    else
        m_failures.insert(output, failure);
    Q_EMIT SGL_Settled(output);
}

void RoutingJob::expire()
{
    // Switches the tracker still follows are waiting behind other commands.
    bool following = false;
    for (quint32 out : m_open.keys())
        following = following || (!m_all && Tracker().pendingInput(out) == int(m_open.value(out)));
    if (following && ++m_extensions <= MaxExtensions) {
        m_deadline->start();
        return;
    }
    const DeviceState &device = Device();
    for (quint32 out : m_open.keys()) {
        const quint32 now = device.routingAt(out);
        if (now == m_open.value(out))
            settle(out, QString());
        else if (m_all && device.identified)
            settle(out, SMSG_RouteKept.arg(now + 1));
        else
            settle(out, SMSG_RouteNoAnswer);
    }
    finishIfDone();
}

void RoutingJob::finishIfDone()
{
    if (!m_open.isEmpty() || !m_running)
        return;
    m_running = false;
    m_deadline->stop();
    Q_EMIT SGL_Finished();
}
