#include "LatencyProbe.h"

#include <QTimer>

namespace {
constexpr double NsPerMs = 1e6;
}

LatencyProbe::LatencyProbe(int intervalMs, QObject *parent)
    : QObject(parent)
    , m_intervalMs(intervalMs)
    , m_timer(new QTimer(this))
{
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(m_intervalMs);
    connect(m_timer, &QTimer::timeout, this, &LatencyProbe::tick);
}

void LatencyProbe::start()
{
    m_clock.start();
    m_lastNs = 0;
    m_timer->start();
}

void LatencyProbe::stop()
{
    m_timer->stop();
}

void LatencyProbe::reset()
{
    m_lastNs = m_clock.nsecsElapsed();
    m_worstMs = 0.0;
    m_worstEndNs = 0;
    m_sumMs = 0.0;
    m_ticks = 0;
    m_visible = 0;
    m_stalls.clear();
}

void LatencyProbe::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    const double lateMs = qMax(0.0, double(now - m_lastNs) / NsPerMs - m_intervalMs);
    m_lastNs = now;
    ++m_ticks;
    m_sumMs += lateMs;
    if (lateMs > m_worstMs) {
        m_worstMs = lateMs;
        m_worstEndNs = now;
    }
    if (lateMs > VisibleStallMs) {
        ++m_visible;
        m_stalls.append({now, lateMs});
    }
}
