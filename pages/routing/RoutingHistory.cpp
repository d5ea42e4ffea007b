#include "pages/routing/RoutingHistory.h"

#include "app/ConfigTable.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {
// A record: the stack's undo() and redo() move the index only, the
// switches having been sent and confirmed before.
class RoutingStep : public QUndoCommand
{
public:
    RoutingStep(const QString &text, const RouteMap &before, const RouteMap &after)
        : QUndoCommand(text)
        , m_before(before)
        , m_after(after)
    { }
    void undo() override { }
    void redo() override { }
    const RouteMap &before() const { return m_before; }
    const RouteMap &after() const { return m_after; }

private:
    RouteMap m_before;
    RouteMap m_after;
};

const RoutingStep *stepAt(const QUndoStack *stack, int index)
{
    return index >= 0 && index < stack->count() ? static_cast<const RoutingStep *>(stack->command(index)) : nullptr;
}
} // namespace

RoutingHistory::RoutingHistory(QObject *parent)
    : QObject(parent)
    , m_stack(new QUndoStack(this))
{
    m_stack->setUndoLimit(StepsKept);
}

QString RoutingHistory::CurrentDeviceKey()
{
    const DeviceState &device = Device();
    const QString link = ActiveTransport == TransportSerial ? SP_Name : SP_RemoteIp + QLatin1Char(':') + SP_RemotePort;
    return QStringLiteral("%1/%2x%3").arg(link).arg(device.inputCount).arg(device.outputCount);
}

void RoutingHistory::deviceIdentified(const QString &key)
{
    if (key == m_deviceKey)
        return;
    m_deviceKey = key;
    m_stack->clear();
}

void RoutingHistory::record(const QString &text, const RouteMap &before, const RouteMap &after)
{
    RouteMap from;
    RouteMap to;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        const auto was = before.constFind(it.key());
        if (was == before.constEnd() || *was == it.value())
            continue;
        from.insert(it.key(), *was);
        to.insert(it.key(), it.value());
    }
    if (!to.isEmpty())
        m_stack->push(new RoutingStep(text, from, to));
}

bool RoutingHistory::undoRoutes(RouteMap *routes) const
{
    const RoutingStep *step = stepAt(m_stack, m_stack->index() - 1);
    if (step)
        *routes = step->before();
    return step;
}

bool RoutingHistory::redoRoutes(RouteMap *routes) const
{
    const RoutingStep *step = stepAt(m_stack, m_stack->index());
    if (step)
        *routes = step->after();
    return step;
}

void RoutingHistory::stepUndone()
{
    m_stack->undo();
}

void RoutingHistory::stepRedone()
{
    m_stack->redo();
}
