#include "pages/wall/MultiPanelRun.h"

#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"

MultiPanelRun::MultiPanelRun(DeviceState &device)
    : m_device(device)
{ }

qint64 MultiPanelRun::commandAllowanceMs()
{
    // The wall's input selection has the longest wait the job reckons with.
    return qint64(Wait::WallInputSelect) + LinkTiming::SendGapMs;
}

bool MultiPanelRun::accepting() const
{
    if (!m_device.multiPanel.busy)
        return true;
    return !m_started.isValid() || m_started.elapsed() > m_allowanceMs;
}

void MultiPanelRun::start(const QVector<quint32> &outputs, int queuedAhead)
{
    MultiPanelJob &job = m_device.multiPanel;
    job.count = quint8(outputs.size());
    job.received = 0;
    job.busy = job.count != 0 ? 1 : 0;
    for (int i = 0; i < outputs.size(); ++i)
        job.outputs[i] = quint8(outputs.at(i));
    m_started.start();
    m_allowanceMs = (queuedAhead + outputs.size()) * commandAllowanceMs();
}
