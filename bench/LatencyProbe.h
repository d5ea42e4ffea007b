#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QVector>

class QTimer;

// An event-loop latency probe: a precise timer in the thread it lives in
// (the GUI thread) that notes, at every tick, how late the tick came. A
// tick that is late by N ms means the loop could not run a timer for N ms:
// that is the stall an operator feels as a frozen window.
class LatencyProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultIntervalMs = 4;
    // A stall above one frame at 60 Hz is visible.
    static constexpr double VisibleStallMs = 16.0;

    explicit LatencyProbe(int intervalMs = DefaultIntervalMs, QObject *parent = nullptr);

    void start();
    void stop();
    // Forgets what was measured; the probe keeps running.
    void reset();

    double worstMs() const { return m_worstMs; }
    double meanMs() const { return m_ticks ? m_sumMs / double(m_ticks) : 0.0; }
    int ticks() const { return m_ticks; }
    int visibleStalls() const { return m_visible; }
    // The probe's clock, and when (on it) the worst stall ended.
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }
    qint64 worstEndNs() const { return m_worstEndNs; }
    // Every visible stall since the last reset: when it ended (probe clock)
    // and how long it was, in ms.
    struct Stall
    {
        qint64 endNs;
        double ms;
    };
    const QVector<Stall> &stalls() const { return m_stalls; }

private:
    void tick();

    int m_intervalMs;
    QTimer *m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    double m_worstMs = 0.0;
    qint64 m_worstEndNs = 0;
    double m_sumMs = 0.0;
    int m_ticks = 0;
    int m_visible = 0;
    QVector<Stall> m_stalls;
};
