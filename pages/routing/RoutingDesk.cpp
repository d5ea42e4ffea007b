#include "pages/routing/RoutingDesk.h"

#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/OutputLocks.h"
#include "pages/routing/RoutingHistory.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"

#include <QStringList>
#include <QVector>

namespace {
const QString TakeModeOn = QStringLiteral("1");
const QString TakeModeOff = QStringLiteral("0");
const QString ItemSeparator = QStringLiteral("; ");

bool inRange(quint32 output, quint32 input)
{
    const DeviceState &device = Device();
    return output < device.outputCount && input < device.inputCount;
}
} // namespace

RoutingDesk::RoutingDesk(QObject *parent)
    : QObject(parent)
    , m_history(new RoutingHistory(this))
    , m_takeMode(Key_TakeMode == TakeModeOn)
{
    connect(&Events(), &DeviceEvents::SGL_RefreshMatrix, this, &RoutingDesk::routingReported);
    connect(&Events(), &DeviceEvents::SGL_RebuildForCounts, this, &RoutingDesk::deviceIdentified);
}

RouteMap RoutingDesk::CurrentRouting()
{
    const DeviceState &device = Device();
    RouteMap routes;
    for (quint32 out = 0; out < device.outputCount; ++out)
        routes.insert(out, device.routingAt(out));
    return routes;
}

void RoutingDesk::setTakeMode(bool on)
{
    if (on == m_takeMode)
        return;
    m_takeMode = on;
    Key_TakeMode = on ? TakeModeOn : TakeModeOff;
    SaveAllSettings();
    if (!on)
        clearStaged();
    Q_EMIT SGL_Changed();
}

QString RoutingDesk::stagedText() const
{
    return m_staged.isEmpty() ? QString() : SMSG_TakeStaged.arg(m_staged.size());
}

void RoutingDesk::pick(quint32 output, quint32 input)
{
    if (!inRange(output, input))
        return;
    const RouteMap routes = passLocks(RouteMap{{output, input}});
    if (routes.isEmpty())
        return;
    if (!m_takeMode) {
        send(Kind::Click, routes, QString());
        return;
    }
    m_stageFailures.remove(output);
    const auto staged = m_staged.constFind(output);
    const bool again = staged != m_staged.constEnd() && *staged == input;
    if (again || (staged == m_staged.constEnd() && Device().routingAt(output) == input))
        m_staged.remove(output);
    else
        m_staged.insert(output, input);
    Q_EMIT SGL_Changed();
}

void RoutingDesk::allSet(quint32 input)
{
    const DeviceState &device = Device();
    if (input >= device.inputCount)
        return;
    RouteMap all;
    for (quint32 out = 0; out < device.outputCount; ++out)
        all.insert(out, input);
    const RouteMap routes = passLocks(all);
    if (routes.isEmpty())
        return;
    if (!m_takeMode) {
        send(routes.size() == all.size() ? Kind::AllSet : Kind::Apply, routes, STEP_AllSet.arg(input + 1));
        return;
    }
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it) {
        m_stageFailures.remove(it.key());
        if (device.routingAt(it.key()) == input)
            m_staged.remove(it.key());
        else
            m_staged.insert(it.key(), input);
    }
    Q_EMIT SGL_Changed();
}

void RoutingDesk::take()
{
    // A second Take while one runs would send its switches twice.
    if (m_staged.isEmpty() || m_takeJob)
        return;
    const RouteMap routes = passLocks(m_staged);
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it)
        m_stageFailures.remove(it.key());
    m_takeJob = send(Kind::Take, routes, QString());
    Q_EMIT SGL_Changed();
}

void RoutingDesk::clearStaged()
{
    if (m_staged.isEmpty() && m_stageFailures.isEmpty())
        return;
    m_staged.clear();
    m_stageFailures.clear();
    Q_EMIT SGL_Changed();
}

void RoutingDesk::apply(const RouteMap &routes, const QString &stepText)
{
    send(Kind::Apply, passLocks(routes), stepText);
}

void RoutingDesk::undo()
{
    RouteMap routes;
    if (m_stepJob || !m_history->undoRoutes(&routes))
        return;
    m_stepJob = send(Kind::Undo, passLocks(routes), QString());
    Q_EMIT SGL_Changed();
}

void RoutingDesk::redo()
{
    RouteMap routes;
    if (m_stepJob || !m_history->redoRoutes(&routes))
        return;
    m_stepJob = send(Kind::Redo, passLocks(routes), QString());
    Q_EMIT SGL_Changed();
}

RouteMap RoutingDesk::passLocks(const RouteMap &routes)
{
    if (!m_locks || routes.isEmpty())
        return routes;
    QVector<int> outputs;
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it)
        outputs.append(int(it.key()) + 1);
    QString skipped;
    const QVector<int> allowed = m_locks->allowed(outputs, &skipped);
    if (!skipped.isEmpty())
        tell(skipped);
    RouteMap passed;
    for (int output : allowed)
        passed.insert(quint32(output - 1), routes.value(quint32(output - 1)));
    return passed;
}

RoutingJob *RoutingDesk::send(Kind kind, const RouteMap &routes, const QString &stepText)
{
    if (routes.isEmpty())
        return nullptr;
    auto *job = new RoutingJob(this);
    connect(job, &RoutingJob::SGL_Settled, this, [this, job, kind](quint32 output) { jobSettled(job, kind, output); });
    connect(job, &RoutingJob::SGL_Finished, this, [this, job, kind, stepText] { jobFinished(job, kind, stepText); });
    const bool started = kind == Kind::AllSet ? job->startAll(routes.first()) : job->start(routes);
    if (started) {
        Q_EMIT SGL_UpdateEmit();
        return job;
    }
    // Nothing could be queued (no link): the job ends at once.
    for (quint32 output : job->failures().keys())
        jobSettled(job, kind, output);
    jobFinished(job, kind, stepText);
    return nullptr;
}

void RoutingDesk::jobSettled(RoutingJob *job, Kind kind, quint32 output)
{
    if (kind != Kind::Take)
        return;
    if (job->confirmed().contains(output)) {
        m_staged.remove(output);
        m_stageFailures.remove(output);
    } else {
        m_stageFailures.insert(output, job->failures().value(output));
    }
    Q_EMIT SGL_Changed();
}

QString RoutingDesk::failureText(const RoutingJob *job, bool withReplaced) const
{
    QStringList items;
    const QMap<quint32, QString> &failures = job->failures();
    for (auto it = failures.constBegin(); it != failures.constEnd(); ++it) {
        if (withReplaced || it.value() != SMSG_RouteReplaced)
            items << SMSG_RouteFailedItem.arg(it.key() + 1).arg(it.value());
    }
    return items.join(ItemSeparator);
}

void RoutingDesk::jobFinished(RoutingJob *job, Kind kind, const QString &stepText)
{
    job->deleteLater();
    if (job == m_takeJob)
        m_takeJob = nullptr;
    const RouteMap &confirmed = job->confirmed();
    switch (kind) {
    case Kind::Undo:
    case Kind::Redo:
        m_stepJob = nullptr;
        if (job->failures().isEmpty()) {
            kind == Kind::Undo ? m_history->stepUndone() : m_history->stepRedone();
        } else {
            tell((kind == Kind::Undo ? SMSG_UndoFailed : SMSG_RedoFailed).arg(failureText(job, true)));
        }
        Q_EMIT SGL_Changed();
        return;
    case Kind::Click:
        if (!confirmed.isEmpty())
            m_history->record(STEP_Switch.arg(confirmed.first() + 1).arg(confirmed.firstKey() + 1), job->before(),
                              confirmed);
        break;
    case Kind::Take:
        m_history->record(STEP_Take.arg(confirmed.size()), job->before(), confirmed);
        break;
    case Kind::AllSet:
    case Kind::Apply:
        m_history->record(stepText, job->before(), confirmed);
        break;
    }
    const QString failed = failureText(job, kind != Kind::Click);
    if (!failed.isEmpty())
        tell(SMSG_RouteFailed.arg(job->failures().size()).arg(job->wanted().size()).arg(failed));
    Q_EMIT SGL_Changed();
}

void RoutingDesk::routingReported()
{
    if (m_recalledPreset >= 0) {
        const RouteMap after = CurrentRouting();
        m_presets[m_deviceKey].insert(m_recalledPreset, after);
        m_history->record(STEP_Preset.arg(m_recalledPreset + 1), m_beforeRecall, after);
        m_recalledPreset = -1;
    }
}

void RoutingDesk::deviceIdentified()
{
    m_deviceKey = RoutingHistory::CurrentDeviceKey();
    m_history->deviceIdentified(m_deviceKey);
    m_recalledPreset = -1;
    clearStaged();
}

void RoutingDesk::presetSaved(int preset)
{
    m_presets[m_deviceKey].insert(preset, CurrentRouting());
}

void RoutingDesk::presetRecalled(int preset)
{
    m_recalledPreset = preset;
    m_beforeRecall = CurrentRouting();
}

bool RoutingDesk::presetContent(int preset, RouteMap *routes) const
{
    const auto device = m_presets.constFind(m_deviceKey);
    if (device == m_presets.constEnd() || !device->contains(preset))
        return false;
    *routes = device->value(preset);
    return true;
}

void RoutingDesk::tell(const QString &message)
{
    m_message = message;
    Q_EMIT SGL_StatusLine(message);
    Q_EMIT SGL_Changed();
}
