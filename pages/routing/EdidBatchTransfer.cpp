#include "pages/routing/EdidBatchTransfer.h"

#include "protocol/Catalogue.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidDecoder.h"

#include <cstring>

EdidBatchTransfer::EdidBatchTransfer(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(PollMs);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(PortTimeoutMs);
    connect(&m_poll, &QTimer::timeout, this, &EdidBatchTransfer::poll);
    connect(&m_deadline, &QTimer::timeout, this, [this] { endPort(false); });
    connect(&Events(), &DeviceEvents::SGL_Update_OutEdid, this, &EdidBatchTransfer::blockRead);
    // Only a write that reached its last block ends with this message.
    connect(&Events(), &DeviceEvents::SGL_Update_EdidMessage, this, [this] {
        if (m_kind == Kind::Write && m_started)
            m_writeOk = true;
    });
}

bool EdidBatchTransfer::readDisplays(const QList<quint32> &outputs)
{
    if (isRunning() || outputs.isEmpty())
        return false;
    begin(Kind::Read, outputs);
    return true;
}

bool EdidBatchTransfer::writeInputs(const QByteArray &image, const QList<quint32> &inputs)
{
    if (isRunning() || inputs.isEmpty())
        return false;
    m_image = image.left(int(DeviceLimits::EdidBytes));
    m_image.append(QByteArray(int(DeviceLimits::EdidBytes) - m_image.size(), '\0'));
    begin(Kind::Write, inputs);
    return true;
}

void EdidBatchTransfer::begin(Kind kind, const QList<quint32> &ports)
{
    m_kind = kind;
    m_ports = ports;
    m_index = 0;
    m_displays.clear();
    m_written.clear();
    startPort();
}

void EdidBatchTransfer::startPort()
{
    if (m_index >= m_ports.size()) {
        m_kind = Kind::Idle;
        m_poll.stop();
        m_deadline.stop();
        Q_EMIT SGL_Finished();
        return;
    }
    m_started = false;
    m_writeOk = false;
    m_deadline.start();
    m_poll.start();
    poll();
}

void EdidBatchTransfer::poll()
{
    DeviceState &device = Device();
    const bool busy = device.edidReadBusy || device.edidWriteBusy;
    if (m_started) {
        // The dispatcher clears the flag after the last block, an error
        // reply or a time-out; a read that ended whole was taken already.
        if (!busy)
            endPort(m_writeOk);
        return;
    }
    if (busy)
        return; // another transfer first
    const quint32 port = m_ports.at(m_index);
    bool queued = false;
    if (m_kind == Kind::Read) {
        device.edidReadBusy = 1;
        device.edidReadOffset = 0;
        queued = CMD_EdidRead(port);
        if (!queued)
            device.edidReadBusy = 0;
    } else {
        std::memcpy(device.edidWriteBuffer, m_image.constData(), DeviceLimits::EdidBytes);
        device.edidWriteBusy = 1;
        device.edidWriteOffset = 0;
        queued = CMD_EdidWrite(port, device.edidWriteBuffer);
        if (!queued)
            device.edidWriteBusy = 0;
    }
    if (!queued) {
        endPort(false);
        return;
    }
    m_started = true;
    Q_EMIT SGL_UpdateEmit();
}

void EdidBatchTransfer::blockRead(unsigned int port, const QString &, unsigned int count)
{
    if (m_kind != Kind::Read || !m_started || port != m_ports.at(m_index) || count < DeviceLimits::EdidBytes)
        return;
    const QByteArray image(reinterpret_cast<const char *>(Device().edidReadBuffer), int(DeviceLimits::EdidBytes));
    m_displays.append({port, DecodeEdid(image)});
    m_started = false;
    ++m_index;
    startPort();
}

void EdidBatchTransfer::endPort(bool ok)
{
    if (m_kind == Kind::Idle)
        return;
    const quint32 port = m_ports.at(m_index);
    if (m_kind == Kind::Read)
        m_displays.append({port, EdidInfo()});
    else if (ok)
        m_written.append(port);
    m_started = false;
    ++m_index;
    startPort();
}
