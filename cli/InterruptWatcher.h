#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal of the event loop (the handler
// only writes a byte into a pipe), so that "watch" ends cleanly: its threads
// stopped and its output flushed. One at a time; the previous handlers come
// back when it is destroyed, unless it was interrupted: then further signals
// are ignored for the rest of the run.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

    bool interrupted() const { return m_interrupted; }

signals:
    void SGL_Interrupted();

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    bool m_interrupted = false;
};
