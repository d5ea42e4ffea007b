#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/CommandChannel.h"
#include "support/SimHarness.h"

#include <QList>
#include <QObject>

class QThread;

// Drives one transport service the way the connection page and the main
// window do: the service sits in its process-wide thread, every call to it
// is a queued signal, and what it reports comes back queued to the test
// thread through the relay signals below. Each transport has its own rig.
class ServiceRig : public QObject
{
    Q_OBJECT

public:
    explicit ServiceRig(SimHarness &sim, QObject *parent = nullptr);
    ~ServiceRig() override;

    // Moves the service into its thread, wires it, starts the thread and
    // connects to the simulator; true once the link is up.
    virtual bool open() = 0;
    virtual CommandChannel &channel() const = 0;
    virtual SimLink link() const = 0;
    // A request the simulator answers at once, and the prefix of its answer.
    virtual QByteArray answeredFrame() const = 0;
    virtual QByteArray answeredPrefix() const = 0;
    // A request the simulator never answers.
    virtual QByteArray silentFrame() const = 0;
    // A frame the simulator sends unasked, and the way it sends it.
    virtual QByteArray unsolicitedFrame() const = 0;
    virtual void sendUnsolicited() = 0;

    bool push(const QByteArray &frame, const CommandRecord &record);
    // What a page does after queuing: the main window's relay reaches the
    // service's send slot.
    void trigger();
    // The main window's drain of the receive queue: every frame received so
    // far, oldest first (a drain that finds the lock busy is retried by the
    // next call).
    QList<QByteArray> received();
    // The service threads stop and the services go (the connection page's
    // quit and wait, then the end of the program).
    void close();

signals:
    void SGL_UnifyUpdateEmit();
    void dataReceived();
    void sent(QByteArray bytes);
    void timedOut(QByteArray bytes);

protected:
    SimHarness &m_sim;

private:
    QList<QByteArray> m_received;
};

#endif
