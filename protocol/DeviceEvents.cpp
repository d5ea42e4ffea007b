#include "protocol/DeviceEvents.h"

#include <QCoreApplication>
#include <QThread>

DeviceEvents::DeviceEvents(QObject *parent)
    : QObject(parent)
{ }

DeviceEvents &Events()
{
    static DeviceEvents events;
    static const bool placed = [] {
        // The dispatcher and the pages run on the GUI thread; queued
        // deliveries to this object must land there too.
        if (QCoreApplication *app = QCoreApplication::instance())
            if (events.thread() != app->thread())
                events.moveToThread(app->thread());
        return true;
    }();
    Q_UNUSED(placed)
    return events;
}
