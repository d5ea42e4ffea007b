#include "transport/ServiceSerialPort.h"

#include <QTimer>

namespace {

constexpr int DecimalBase = 10;

// The connection page hands the settings as the decimal values of the
// QSerialPort enumerations; a value that names none of them leaves the
// port's setting as it is.
bool isDataBits(int v)
{
    return v >= QSerialPort::Data5 && v <= QSerialPort::Data8;
}

bool isParity(int v)
{
    return v == QSerialPort::NoParity || v == QSerialPort::EvenParity || v == QSerialPort::OddParity
        || v == QSerialPort::SpaceParity || v == QSerialPort::MarkParity;
}

bool isStopBits(int v)
{
    return v == QSerialPort::OneStop || v == QSerialPort::OneAndHalfStop || v == QSerialPort::TwoStop;
}

bool isFlowControl(int v)
{
    return v == QSerialPort::NoFlowControl || v == QSerialPort::HardwareControl || v == QSerialPort::SoftwareControl;
}

} // namespace

ServiceSerialPort::ServiceSerialPort(QObject *parent)
    : QObject(parent)
    , m_pacer(SerialChannel)
{
    // Queued, so that a reply completed inside the stream assembler never
    // starts the next send (and its gap) in the middle of that chunk.
    connect(this, &ServiceSerialPort::SGL_TryCheckSend, this, &ServiceSerialPort::SLT_RealSendData_SerialPort,
            Qt::QueuedConnection);
}

ServiceSerialPort::~ServiceSerialPort()
{
    deletePort();
    m_pacer.deleteTimers();
    ChannelClear(SerialChannel);
}

void ServiceSerialPort::SLT_SyncConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity,
                                                   QString stopBits, QString flowControl)
{
    m_connected = false;
    // A second connect replaces the port of the first.
    deletePort();

    m_port = new QSerialPort;
    connect(m_port, &QSerialPort::errorOccurred, this, &ServiceSerialPort::SLT_SerialPortError);
    connect(m_port, &QSerialPort::readyRead, this, &ServiceSerialPort::SLT_RealRecvData_SerialPort);

    m_pacer.createTimers();
    connect(m_pacer.replyTimer(), &QTimer::timeout, this, &ServiceSerialPort::SLT_MatchTimer_Timeout);
    connect(m_pacer.pauseTimer(), &QTimer::timeout, this, &ServiceSerialPort::SLT_WaitTimer_Timeout);
    connect(m_pacer.retryTimer(), &QTimer::timeout, this, &ServiceSerialPort::SLT_RealSendData_SerialPort);

    m_port->setPortName(name);
    m_portOpened = m_port->open(QIODevice::ReadWrite);
    if (!m_portOpened) {
        emit SGL_ConnectStatus_SerialPort(false, OpenFailedCode);
        deletePort();
        m_pacer.deleteTimers();
        return;
    }

    applySettings(baudRate, dataBits, parity, stopBits, flowControl);
    ChannelOpen(SerialChannel);
    m_connected = true;
    m_disconnectPending = false;
    m_linkLostPending = false;
    m_pacer.resetFlags();
    m_lastError = NoError;
    emit SGL_ConnectStatus_SerialPort(true, 0);
}

void ServiceSerialPort::SLT_SyncDisconnect_SerialPort()
{
    if (!m_connected)
        return;
    // A send step is in its gap, further up this thread's stack: the port
    // and the queue must outlive it. It disconnects when the gap is over.
    if (m_pacer.sending()) {
        m_disconnectPending = true;
        m_pacer.abortGap();
        return;
    }
    m_connected = false;
    m_disconnectPending = false;
    if (m_port) {
        m_port->clear(QSerialPort::AllDirections);
        m_port->close();
    }
    m_pacer.stopRunningTimer();
    deletePort();
    m_pacer.deleteTimers();
    ChannelClear(SerialChannel);
}

void ServiceSerialPort::SLT_RealSendData_SerialPort()
{
    if (!m_connected)
        return;
    m_pacer.sendStep([this](const QByteArray &bytes) { return writeCommand(bytes); });
    if (m_disconnectPending)
        SLT_SyncDisconnect_SerialPort();
}

void ServiceSerialPort::SLT_RealRecvData_SerialPort()
{
    if (!m_connected || !m_port)
        return;
    const QByteArray chunk = m_port->readAll();
    AssembleDeviceStream(SerialChannel, chunk.constData(), chunk.size(), [this](const quint8 *frame, quint32 length) {
        if (m_pacer.matchReply(frame, length, m_connected))
            emit SGL_TryCheckSend();
        emit SGL_UpdateRecvData_SerialPort();
    });
}

void ServiceSerialPort::SLT_MatchTimer_Timeout()
{
    if (!m_connected)
        return;
    const QByteArray sent = m_pacer.replyTimedOut();
    if (!sent.isEmpty())
        emit SGL_WaitReplyTimeout_SerialPort(sent);
    emit SGL_TryCheckSend();
}

void ServiceSerialPort::SLT_WaitTimer_Timeout()
{
    if (!m_connected)
        return;
    m_pacer.pauseEnded();
    emit SGL_TryCheckSend();
}

void ServiceSerialPort::SLT_SerialPortError(QSerialPort::SerialPortError error)
{
    m_lastError = quint32(error);
    // When the other end of the line goes away, every read fails at once and
    // the port keeps reporting it: left open, the port would spin this
    // thread. It is closed from the event loop, outside the port's own
    // signal, and the connection page is told.
    const bool lineGone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (lineGone && m_connected && !m_linkLostPending) {
        m_linkLostPending = true;
        QMetaObject::invokeMethod(this, &ServiceSerialPort::dropLostLink, Qt::QueuedConnection);
    }
}

void ServiceSerialPort::dropLostLink()
{
    m_linkLostPending = false;
    if (!m_connected)
        return;
    const int code = int(m_lastError);
    SLT_SyncDisconnect_SerialPort();
    emit SGL_LinkLost_SerialPort(code);
}

void ServiceSerialPort::applySettings(const QString &baudRate, const QString &dataBits, const QString &parity,
                                      const QString &stopBits, const QString &flowControl)
{
    bool ok = false;
    const int baud = baudRate.toInt(&ok, DecimalBase);
    if (ok && baud > 0)
        m_port->setBaudRate(baud, QSerialPort::AllDirections);
    const int bits = dataBits.toInt(&ok, DecimalBase);
    if (ok && isDataBits(bits))
        m_port->setDataBits(QSerialPort::DataBits(bits));
    const int par = parity.toInt(&ok, DecimalBase);
    if (ok && isParity(par))
        m_port->setParity(QSerialPort::Parity(par));
    const int stop = stopBits.toInt(&ok, DecimalBase);
    if (ok && isStopBits(stop))
        m_port->setStopBits(QSerialPort::StopBits(stop));
    const int flow = flowControl.toInt(&ok, DecimalBase);
    if (ok && isFlowControl(flow))
        m_port->setFlowControl(QSerialPort::FlowControl(flow));
}

void ServiceSerialPort::deletePort()
{
    delete m_port;
    m_port = nullptr;
}

bool ServiceSerialPort::writeCommand(const QByteArray &bytes)
{
    if (m_disconnectPending || !m_connected || !m_port)
        return false;
    // Only what reached the port is logged as sent; a command that could
    // not be written still ends through its reply timeout.
    if (m_port->write(bytes) == bytes.size()) {
        m_port->flush();
        emit SGL_UpdateSendData_SerialPort(bytes);
    }
    return true;
}
