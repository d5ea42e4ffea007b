#pragma once

#include "pages/routing/RoutingJob.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

class OutputLocks;
class RoutingHistory;

// What the matrix page's switching paths share: take mode's staged changes,
// the switches in flight and their outcome, the undo history, the output
// locks and the device presets whose content the program knows. Every path
// (a click, a typed route, Allset, a take, a salvo or preset preview, undo
// and redo) passes its outputs through the locks and sends through a
// RoutingJob; each confirmed change becomes one history step. Widget-free:
// the page draws what it holds.
class RoutingDesk : public QObject
{
    Q_OBJECT

public:
    explicit RoutingDesk(QObject *parent = nullptr);

    void setLocks(OutputLocks *locks) { m_locks = locks; }
    OutputLocks *locks() const { return m_locks; }
    RoutingHistory *history() const { return m_history; }

    bool takeMode() const { return m_takeMode; }
    // Kept in config.ini; leaving take mode drops what was staged.
    void setTakeMode(bool on);

    // Staged output → input, and why a staged change that was taken failed.
    const RouteMap &staged() const { return m_staged; }
    const QMap<quint32, QString> &stageFailures() const { return m_stageFailures; }
    // The line for the page's bar: the count of staged changes, or empty.
    QString stagedText() const;
    // The last skip or failure message (also sent to the status log).
    const QString &lastMessage() const { return m_message; }

    // A click or a typed route: sent at once, or staged in take mode (a
    // second pick of the staged or the current input unstages).
    void pick(quint32 output, quint32 input);
    // Allset: stages every output in take mode; otherwise sends (the caller
    // has asked first), as one frame when no output is locked.
    void allSet(quint32 input);
    // Sends what is staged, in output order.
    void take();
    void clearStaged();
    // A salvo's or preset's preview was taken: only these switches, one step.
    void apply(const RouteMap &routes, const QString &stepText);
    // Undo or redo the current history step; nothing while one is running.
    void undo();
    void redo();
    bool stepRunning() const { return m_stepJob != nullptr; }

    // Device presets: a save keeps the current routing as its content, a
    // recall becomes a step when the device reports its routing.
    void presetSaved(int preset);
    void presetRecalled(int preset);
    // The content the program knows of a preset of this device; false when
    // it knows none.
    bool presetContent(int preset, RouteMap *routes) const;

    // The routing of every output of the device as the model holds it.
    static RouteMap CurrentRouting();

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_Changed();
    void SGL_StatusLine(QString line);

private:
    enum class Kind { Click, Take, AllSet, Apply, Undo, Redo };
    RouteMap passLocks(const RouteMap &routes);
    RoutingJob *send(Kind kind, const RouteMap &routes, const QString &stepText);
    void jobSettled(RoutingJob *job, Kind kind, quint32 output);
    void jobFinished(RoutingJob *job, Kind kind, const QString &stepText);
    void routingReported();
    void deviceIdentified();
    void tell(const QString &message);
    QString failureText(const RoutingJob *job, bool withReplaced) const;

    OutputLocks *m_locks = nullptr;
    RoutingHistory *m_history;
    bool m_takeMode = false;
    RouteMap m_staged;
    QMap<quint32, QString> m_stageFailures;
    QString m_message;
    RoutingJob *m_stepJob = nullptr;
    QPointer<RoutingJob> m_takeJob;
    // A recall waits for the routing report that answers it.
    int m_recalledPreset = -1;
    RouteMap m_beforeRecall;
    QString m_deviceKey;
    QHash<QString, QHash<int, RouteMap>> m_presets;
};
