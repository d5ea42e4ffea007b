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

    // The chunks to write for one reply, in order; none when it is dropped.
    // Stream replies (serial, TCP) may also be preceded by noise and split
    // into single bytes; a datagram is always one chunk.
    QList<QByteArray> shape(const QByteArray &reply, bool stream);

private:
    bool chance(double probability);
    QByteArray corrupted(const QByteArray &reply, bool stream) const;
    QByteArray noise();

    SimFaultOptions m_options;
    QRandomGenerator m_random;
};
