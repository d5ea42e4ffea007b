#pragma once

#include "tools/devsim/SimOptions.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

// Decides, reply by reply, which of the configured faults to play.
class SimFaults
{
public:
    explicit SimFaults(const SimFaultOptions &options = SimFaultOptions());

    const SimFaultOptions &options() const { return m_options; }
    void setOptions(const SimFaultOptions &options);

    bool deviceCodeMuted(quint8 code) const;
    bool netCodeMuted(quint8 code) const;

    // What becomes of one reply: the chunks to write, in order (none when it
    // is dropped), whether its checksum was spoilt, and how long it is held
    // back. Stream replies (serial, TCP) may also be preceded by noise and
    // split into single bytes or random pieces; a datagram is always one
    // chunk.
    struct Shaped
    {
        QList<QByteArray> chunks;
        bool corrupted = false;
        bool late = false; // held back a further lateMs
        int delayMs = 0;
    };
    Shaped shapeReply(const QByteArray &reply, bool stream);
    QList<QByteArray> shape(const QByteArray &reply, bool stream) { return shapeReply(reply, stream).chunks; }

private:
    bool chance(double probability);
    QByteArray corrupted(const QByteArray &reply, bool stream) const;
    QByteArray noise();

    SimFaultOptions m_options;
    QRandomGenerator m_random;
};
