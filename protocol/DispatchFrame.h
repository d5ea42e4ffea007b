#pragma once

#include <QByteArray>
#include <QtGlobal>

// A read-only view of one received device frame. The length byte is
// believed only when the frame really holds that many payload bytes plus the
// trailer, so a handler that checks has(n) before reading never reaches
// past the bytes received.
class DispatchFrame
{
public:
    explicit DispatchFrame(const QByteArray &frame);

    // Start byte present and the frame as long as its length byte says.
    bool valid() const;
    quint8 code() const;
    // Payload bytes (the length byte of a valid frame).
    quint32 length() const;
    // At least n payload bytes.
    bool has(quint32 n) const;
    // Payload byte i; 0 past the payload.
    quint8 p(quint32 i) const;
    // Payload bytes i and i + 1 as a 16-bit value, high byte first.
    quint32 pair(quint32 i) const;
    // n payload bytes from i, cut at the end of the payload.
    QByteArray bytes(quint32 i, quint32 n) const;

private:
    const QByteArray &m_frame;
    quint32 m_length = 0;
    bool m_valid = false;
};
