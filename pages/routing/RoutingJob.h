#pragma once

#include <QMap>
#include <QObject>
#include <QString>

class QTimer;

// Output → input, both counted from 0.
using RouteMap = QMap<quint32, quint32>;

// A set of switches sent through the device queue and followed until the
// device has confirmed or failed each one. Single switches leave in output
// order on the same path as a click, so the request tracker outlines them
// and a newer pick for the same output still replaces one that waits; an
// Allset is the device's one all-outputs frame. A switch counts as confirmed
// when the routing the device reports holds it; it fails when its reply never
// came, when the device kept another input, when a newer pick replaced it or
// when the link went. GUI thread.
class RoutingJob : public QObject
{
    Q_OBJECT

public:
    explicit RoutingJob(QObject *parent = nullptr);

    // Queues the switches; false when none could be queued (each refused one
    // is failed at once). Emits nothing before returning.
    bool start(const RouteMap &routes);
    // Routes every output of the device to the input with one frame.
    bool startAll(quint32 input);

    bool running() const { return m_running; }
    // What was asked, the routing of those outputs when it was asked, and
    // the outcome so far.
    const RouteMap &wanted() const { return m_wanted; }
    const RouteMap &before() const { return m_before; }
    const RouteMap &confirmed() const { return m_confirmed; }
    const QMap<quint32, QString> &failures() const { return m_failures; }

Q_SIGNALS:
    void SGL_Settled(quint32 output);
    void SGL_Finished();

private:
    void check(bool routingReport);
    void settleUnanswered();
    void settle(quint32 output, const QString &failure);
    void expire();
    void finishIfDone();

    RouteMap m_wanted;
    RouteMap m_before;
    RouteMap m_open;
    RouteMap m_confirmed;
    QMap<quint32, QString> m_failures;
    bool m_all = false;
    bool m_running = false;
    int m_extensions = 0;
    QTimer *m_deadline;
};
