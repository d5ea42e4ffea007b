#pragma once

#include <QByteArray>
#include <QVector>

// A device link that is "up" without a service behind it: the TCP channel
// is open and the active transport is TCP, so builders queue their frames
// and a test takes them off the send queue. Nothing is sent anywhere.
class QueuedFrames
{
public:
    QueuedFrames();
    ~QueuedFrames();
    QueuedFrames(const QueuedFrames &) = delete;
    QueuedFrames &operator=(const QueuedFrames &) = delete;

    // The frames queued since the last take, oldest first; the queue is
    // emptied.
    QVector<QByteArray> take();
    // The link goes away: builders discard their commands again.
    void drop();
};
