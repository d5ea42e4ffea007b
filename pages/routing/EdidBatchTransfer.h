#pragma once

#include "protocol/EdidCompatibility.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

// EDID transfers over several ports, one after the other, through the
// program's normal queue and the dispatcher's block-by-block exchange: the
// display EDIDs of a list of outputs, or one image into a list of inputs.
// Only one transfer runs at a time on the device, so each port waits for the
// one before; each is bounded in time, and a port that fails is recorded
// and passed over, never retried.
class EdidBatchTransfer : public QObject
{
    Q_OBJECT

public:
    // A port whose transfer has not ended by then is given up.
    static constexpr int PortTimeoutMs = 8000;
    static constexpr int PollMs = 20;

    explicit EdidBatchTransfer(QObject *parent = nullptr);

    // False (nothing starts) while a batch runs or the list is empty.
    bool readDisplays(const QList<quint32> &outputs);
    bool writeInputs(const QByteArray &image, const QList<quint32> &inputs);

    bool isRunning() const { return m_kind != Kind::Idle; }
    // After SGL_Finished: the displays read (an output whose read failed
    // holds an empty EDID), or the inputs written whole.
    const QList<EdidDisplay> &displays() const { return m_displays; }
    const QList<quint32> &written() const { return m_written; }

Q_SIGNALS:
    void SGL_UpdateEmit(); // a command was queued
    void SGL_Finished();

private:
    enum class Kind { Idle, Read, Write };

    void begin(Kind kind, const QList<quint32> &ports);
    void startPort();
    void endPort(bool ok);
    void poll();
    void blockRead(unsigned int port, const QString &hexText, unsigned int count);

    Kind m_kind = Kind::Idle;
    QList<quint32> m_ports;
    int m_index = 0;
    bool m_started = false; // the current port's first block is queued
    bool m_writeOk = false; // the current write reached its last block
    QByteArray m_image;
    QList<EdidDisplay> m_displays;
    QList<quint32> m_written;
    QTimer m_poll;
    QTimer m_deadline;
};
