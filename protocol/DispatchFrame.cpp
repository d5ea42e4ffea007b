#include "protocol/DispatchFrame.h"

#include "protocol/Frames.h"

namespace {
constexpr quint32 TrailerBytes = 3; // checksum and the two end bytes
constexpr quint32 HighByteShift = 8;
} // namespace

DispatchFrame::DispatchFrame(const QByteArray &frame)
    : m_frame(frame)
{
    const quint32 size = quint32(frame.size());
    if (size < Frame::DevicePayloadOffset + TrailerBytes || quint8(frame.at(0)) != Frame::DeviceStart)
        return;
    const quint32 length = quint8(frame.at(int(Frame::DeviceLengthOffset)));
    if (size < Frame::DevicePayloadOffset + length + TrailerBytes)
        return;
    m_length = length;
    m_valid = true;
}

bool DispatchFrame::valid() const
{
    return m_valid;
}

quint8 DispatchFrame::code() const
{
    return m_valid ? quint8(m_frame.at(int(Frame::DeviceCommandOffset))) : 0;
}

quint32 DispatchFrame::length() const
{
    return m_length;
}

bool DispatchFrame::has(quint32 n) const
{
    return m_valid && n <= m_length;
}

quint8 DispatchFrame::p(quint32 i) const
{
    if (!m_valid || i >= m_length)
        return 0;
    return quint8(m_frame.at(int(Frame::DevicePayloadOffset + i)));
}

quint32 DispatchFrame::pair(quint32 i) const
{
    return (quint32(p(i)) << HighByteShift) | p(i + 1);
}

QByteArray DispatchFrame::bytes(quint32 i, quint32 n) const
{
    if (!m_valid || i >= m_length)
        return QByteArray();
    const quint32 take = qMin(n, m_length - i);
    return m_frame.mid(int(Frame::DevicePayloadOffset + i), int(take));
}
