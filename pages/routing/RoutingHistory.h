#pragma once

#include "pages/routing/RoutingJob.h"

#include <QObject>
#include <QString>

class QUndoStack;

// The routing changes made from the window, one step each, in Qt's undo
// stack. A step is recorded once the device confirmed it and only holds the
// routing before and after it: undo and redo send the switches first, and
// the index moves (stepUndone, stepRedone) when the device has confirmed
// them, so the history never claims a routing the device does not have.
// It survives a reconnect to the same device and starts afresh for another.
// It keeps the last StepsKept steps: a day of routing would otherwise hold
// every step made since the program started.
class RoutingHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepsKept = 100;

    explicit RoutingHistory(QObject *parent = nullptr);

    QUndoStack *stack() const { return m_stack; }

    // A device was identified; key names it (link and size).
    void deviceIdentified(const QString &key);
    // Only the outputs whose input changed are kept; nothing is recorded
    // when none did.
    void record(const QString &text, const RouteMap &before, const RouteMap &after);

    // The switches that undo (or redo) the current step; false when there
    // is no such step.
    bool undoRoutes(RouteMap *routes) const;
    bool redoRoutes(RouteMap *routes) const;
    void stepUndone();
    void stepRedone();

    // The key of the device identified last: link and counts.
    static QString CurrentDeviceKey();

private:
    QUndoStack *m_stack;
    QString m_deviceKey;
};
