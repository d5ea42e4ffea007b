#include "tools/devsim/SimFrameReader.h"

#include "protocol/CommandChannel.h"

SimFrameReader::SimFrameReader()
    : m_channel(std::make_unique<CommandChannel>())
{
    ChannelOpen(*m_channel);
}

SimFrameReader::~SimFrameReader()
{
    ChannelClear(*m_channel);
}

QList<QByteArray> SimFrameReader::feed(const QByteArray &chunk)
{
    AssembleDeviceStream(*m_channel, chunk.constData(), chunk.size(), FrameSink());
    QList<QByteArray> frames;
    // Nobody else holds this channel's lock, so the drain always succeeds.
    DrainReceiveQueue(*m_channel, [&frames](const QByteArray &frame) { frames.append(frame); });
    return frames;
}
