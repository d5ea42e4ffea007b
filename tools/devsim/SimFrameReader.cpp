#include "tools/devsim/SimFrameReader.h"

#include "tools/devsim/SimWire.h"

namespace {

bool wellFormed(const QByteArray &frame)
{
    const int end = frame.size();
    if (quint8(frame[end - 1]) != SimWire::DeviceEnd || quint8(frame[end - 2]) != SimWire::DeviceEnd)
        return false;
    const quint8 checksum = quint8(frame[end - SimWire::DeviceTrailer]);
    return checksum == SimWire::AnyChecksum || checksum == SimDeviceChecksum(frame);
}

} // namespace

QList<QByteArray> SimFrameReader::feed(const QByteArray &chunk)
{
    static const QByteArray startPair(2, char(SimWire::DeviceStart));
    m_pending.append(chunk);
    QList<QByteArray> frames;
    int at = 0;
    for (;;) {
        const int start = m_pending.indexOf(startPair, at);
        if (start < 0) {
            // A lone start byte at the end may be the first of a pair.
            at = m_pending.endsWith(char(SimWire::DeviceStart)) ? m_pending.size() - 1 : m_pending.size();
            break;
        }
        if (m_pending.size() - start < SimWire::DevicePayloadAt) {
            at = start;
            break;
        }
        const int size = quint8(m_pending[start + SimWire::DeviceLengthAt]) + SimWire::DeviceOverhead;
        if (m_pending.size() - start < size) {
            at = start;
            break;
        }
        const QByteArray frame = m_pending.mid(start, size);
        if (wellFormed(frame)) {
            frames.append(frame);
            at = start + size;
        } else {
            at = start + 1; // look for the next start pair inside it
        }
    }
    m_pending.remove(0, at);
    return frames;
}
