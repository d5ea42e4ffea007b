#include "support/ServiceRig.h"

#ifdef KXR_HAVE_SIMULATOR

#include "transport/ServiceRegistry.h"

ServiceRig::ServiceRig(SimHarness &sim, QObject *parent)
    : QObject(parent)
    , m_sim(sim)
{ }

ServiceRig::~ServiceRig()
{
    close();
}

bool ServiceRig::push(const QByteArray &frame, const CommandRecord &record)
{
    return ChannelPush(channel(), QueueSide::Send, reinterpret_cast<const quint8 *>(frame.constData()),
                       quint32(frame.size()), &record);
}

void ServiceRig::trigger()
{
    emit SGL_UnifyUpdateEmit();
}

QList<QByteArray> ServiceRig::received()
{
    DrainReceiveQueue(channel(), [this](const QByteArray &frame) { m_received.append(frame); });
    return m_received;
}

void ServiceRig::close()
{
    ShutdownServices();
}

#endif
