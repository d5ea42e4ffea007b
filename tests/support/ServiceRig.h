#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/CommandChannel.h"
#include "support/SimHarness.h"
#include "transport/DeviceLink.h"

#include <QList>
#include <QObject>

#include <functional>

// One transport service driven the way the program drives it: through a
// device link of the rig's own, whose services sit in their worker threads
// and whose reports come back queued to the test thread. Each transport's
// test supplies how it opens and which frames it uses.
class ServiceRig : public QObject
{
    Q_OBJECT

public:
    explicit ServiceRig(SimHarness &sim, QObject *parent = nullptr);
    ~ServiceRig() override;

    // Opens the link to the simulator; true once it is up.
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

    DeviceLink &deviceLink() { return m_link; }
    bool push(const QByteArray &frame, const CommandRecord &record);
    // What a page does after queuing: the link's send request.
    void trigger();
    // Every frame handed on so far, oldest first.
    QList<QByteArray> received() const { return m_received; }
    // The worker threads stop, as when the program ends.
    void close();

    // Starts a device link with open() and waits (bounded) for its answer:
    // whether it opened; code, when given, takes a failure's code.
    bool openAndWait(const std::function<void()> &open, int *code = nullptr);

signals:
    void dataReceived();
    void sent(QByteArray bytes);
    void timedOut(QByteArray bytes);

protected:
    SimHarness &m_sim;
    DeviceLink m_link;

private:
    void receive(const QByteArray &frame);

    QList<QByteArray> m_received;
};

#endif
