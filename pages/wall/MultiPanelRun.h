#pragma once

#include <QElapsedTimer>
#include <QVector>

class DeviceState;

// The multi-panel (LED) job of the TV wall, without widgets: one resolution
// read per panel output, the job waiting in the device model until every
// reply came. A lost reply would keep the job busy for good (it even
// outlives the connection), so the job counts as abandoned once every
// command queued before and with it had its longest wait.
class MultiPanelRun
{
public:
    explicit MultiPanelRun(DeviceState &device);

    // Whether a new job may start now: none waits for its replies, or the
    // one waiting has been abandoned.
    bool accepting() const;
    // Starts the job for these outputs (one read each, queued by the caller
    // right after) with this many commands already queued ahead of them.
    void start(const QVector<quint32> &outputs, int queuedAhead);

    // The allowance each command gets: the longest reply wait the job
    // reckons with, plus the gap before the command.
    static qint64 commandAllowanceMs();

private:
    DeviceState &m_device;
    QElapsedTimer m_started;
    qint64 m_allowanceMs = 0;
};
