#pragma once

#include "transport/ServicePacer.h"

#include <QByteArray>
#include <QObject>

class QIODevice;

// The life cycle every transport service shares, written once: connect
// (timers made on the worker thread, the device opened, the channel
// opened), the paced send step, frames received and matched, the reply and
// pause timers, and disconnect (also when the worker thread ends, and
// deferred while a send step is in its gap). A service supplies only what
// differs: how its device opens, how bytes are written and how it closes.
// Each service is a worker moved into its own thread.
class ServiceBase : public QObject
{
    Q_OBJECT

public:
    // The last error of a port or socket when there was none.
    static constexpr quint32 NoError = 255;

    ~ServiceBase() override;

signals:
    void SGL_TryCheckSend();
    // A frame was received and queued on the channel.
    void SGL_UpdateRecvData();
    // These bytes reached the device end (only what was written is told).
    void SGL_UpdateSendData(QByteArray bytes);
    // A command that asked for it got no reply in time; the sent bytes.
    void SGL_WaitReplyTimeout(QByteArray sent);

public slots:
    // If connected, the send step on the service's channel.
    void SLT_RealSendData();
    void SLT_SyncDisconnect();
    void SLT_MatchTimer_Timeout();
    void SLT_WaitTimer_Timeout();

protected:
    ServiceBase(CommandChannel &channel, QObject *parent);

    // Opens the device after the timers exist; true once it is open.
    virtual bool openDevice() = 0;
    // Puts the bytes on the wire (and tells SGL_UpdateSendData what
    // reached it); false when there is nothing to write to.
    virtual bool writeBytes(const QByteArray &bytes) = 0;
    // Closes and deletes the device (the sockets, the port).
    virtual void closeDevice() = 0;
    // Before each send step; false leaves the commands queued.
    virtual bool prepareSend() { return true; }

    // The connect cycle: timers, openDevice(), then the channel opens and
    // the pacing starts idle; on failure the device and the timers go.
    bool connectCycle();
    // Reads what the device holds and assembles the device frames in it.
    void receiveStream(QIODevice *device);
    // Writes the bytes to the port or socket; only what reached it is told
    // as sent (a command that could not be written still ends through its
    // reply timeout).
    template<typename Device>
    void writeAndTell(Device &device, const QByteArray &bytes)
    {
        if (device.write(bytes) == bytes.size()) {
            device.flush();
            emit SGL_UpdateSendData(bytes);
        }
    }
    // A complete frame (or datagram) was queued on the channel.
    void frameArrived(const quint8 *frame, quint32 length);

    bool connected() const { return m_connected; }
    bool disconnectPending() const { return m_disconnectPending; }
    CommandChannel &channel() const { return m_channel; }

private:
    bool write(const QByteArray &bytes);

    CommandChannel &m_channel;
    ServicePacer m_pacer;
    bool m_connected = false;
    bool m_disconnectPending = false;
};
