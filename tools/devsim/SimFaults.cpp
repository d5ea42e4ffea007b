#include "tools/devsim/SimFaults.h"

#include "tools/devsim/SimWire.h"

namespace {

constexpr int MaxNoiseBytes = 8;
constexpr int ModuleChecksumFromEnd = 1;

} // namespace

SimFaults::SimFaults(const SimFaultOptions &options)
    : m_options(options)
    , m_random(options.seed)
{ }

void SimFaults::setOptions(const SimFaultOptions &options)
{
    m_options = options;
    m_random.seed(options.seed);
}

bool SimFaults::deviceCodeMuted(quint8 code) const
{
    return m_options.mutedCodes.contains(code);
}

bool SimFaults::netCodeMuted(quint8 code) const
{
    return m_options.mutedNetCodes.contains(code);
}

SimFaults::Shaped SimFaults::shapeReply(const QByteArray &reply, bool stream)
{
    Shaped shaped;
    if (reply.isEmpty() || chance(m_options.drop))
        return shaped;
    shaped.corrupted = chance(m_options.corrupt);
    QByteArray bytes = shaped.corrupted ? corrupted(reply, stream) : reply;
    if (stream && chance(m_options.garbage))
        bytes.prepend(noise());
    if (stream && m_options.split) {
        for (char b : qAsConst(bytes))
            shaped.chunks.append(QByteArray(1, b));
    } else if (stream && m_options.splitRandom) {
        for (int at = 0; at < bytes.size();) {
            const int size = 1 + int(m_random.bounded(qMax(1, bytes.size() - at)));
            shaped.chunks.append(bytes.mid(at, size));
            at += size;
        }
    } else {
        shaped.chunks.append(bytes);
    }
    shaped.late = chance(m_options.late);
    shaped.delayMs = m_options.delayMs + (shaped.late ? m_options.lateMs : 0);
    return shaped;
}

bool SimFaults::chance(double probability)
{
    if (probability <= 0.0)
        return false;
    return m_random.generateDouble() < probability;
}

QByteArray SimFaults::corrupted(const QByteArray &reply, bool stream) const
{
    QByteArray bytes = reply;
    const int at = bytes.size() - (stream ? SimWire::DeviceTrailer : ModuleChecksumFromEnd);
    if (at < 0)
        return bytes;
    // Off by one, and never the value the receiver accepts whatever the sum.
    quint8 wrong = quint8(quint8(bytes[at]) + 1);
    if (wrong == SimWire::AnyChecksum)
        ++wrong;
    bytes[at] = char(wrong);
    return bytes;
}

QByteArray SimFaults::noise()
{
    const int count = 1 + int(m_random.bounded(MaxNoiseBytes));
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        // A start byte in the noise would swallow the reply behind it; the
        // noise is meant to test resynchronisation, not loss.
        quint8 b = quint8(m_random.bounded(0x100));
        if (b == SimWire::DeviceStart)
            b = 0;
        bytes.append(char(b));
    }
    return bytes;
}
