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
    : ServiceBase(SerialChannel, parent)
{ }

ServiceSerialPort::~ServiceSerialPort() = default;

void ServiceSerialPort::SLT_SyncConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity,
                                                   QString stopBits, QString flowControl)
{
    m_settings = {name, baudRate, dataBits, parity, stopBits, flowControl};
    const bool ok = connectCycle();
    emit SGL_ConnectStatus_SerialPort(ok, ok ? 0 : OpenFailedCode);
}

bool ServiceSerialPort::openDevice()
{
    // A second connect replaces the port of the first.
    m_port.reset();
    m_port = std::make_unique<QSerialPort>();
    connect(m_port.get(), &QSerialPort::errorOccurred, this, &ServiceSerialPort::SLT_SerialPortError);
    connect(m_port.get(), &QSerialPort::readyRead, this, &ServiceSerialPort::SLT_RealRecvData_SerialPort);
    m_port->setPortName(m_settings.name);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
    applySettings();
    m_linkLostPending = false;
    m_lastError = NoError;
    return true;
}

void ServiceSerialPort::closeDevice()
{
    if (m_port && m_port->isOpen()) {
        m_port->clear(QSerialPort::AllDirections);
        m_port->close();
    }
    m_port.reset();
}

void ServiceSerialPort::SLT_RealRecvData_SerialPort()
{
    receiveStream(m_port.get());
}

void ServiceSerialPort::SLT_SerialPortError(QSerialPort::SerialPortError error)
{
    m_lastError = quint32(error);
    // When the other end of the line goes away, every read fails at once and
    // the port keeps reporting it: left open, the port would spin this
    // thread. It is closed from the event loop, outside the port's own
    // signal, and the connection page is told.
    const bool lineGone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (lineGone && connected() && !m_linkLostPending) {
        m_linkLostPending = true;
        QMetaObject::invokeMethod(this, &ServiceSerialPort::dropLostLink, Qt::QueuedConnection);
    }
}

void ServiceSerialPort::dropLostLink()
{
    m_linkLostPending = false;
    if (!connected())
        return;
    const int code = int(m_lastError);
    SLT_SyncDisconnect();
    emit SGL_LinkLost_SerialPort(code);
}

void ServiceSerialPort::applySettings()
{
    bool ok = false;
    const int baud = m_settings.baudRate.toInt(&ok, DecimalBase);
    if (ok && baud > 0)
        m_port->setBaudRate(baud, QSerialPort::AllDirections);
    const int bits = m_settings.dataBits.toInt(&ok, DecimalBase);
    if (ok && isDataBits(bits))
        m_port->setDataBits(QSerialPort::DataBits(bits));
    const int par = m_settings.parity.toInt(&ok, DecimalBase);
    if (ok && isParity(par))
        m_port->setParity(QSerialPort::Parity(par));
    const int stop = m_settings.stopBits.toInt(&ok, DecimalBase);
    if (ok && isStopBits(stop))
        m_port->setStopBits(QSerialPort::StopBits(stop));
    const int flow = m_settings.flowControl.toInt(&ok, DecimalBase);
    if (ok && isFlowControl(flow))
        m_port->setFlowControl(QSerialPort::FlowControl(flow));
}

bool ServiceSerialPort::writeBytes(const QByteArray &bytes)
{
    if (!m_port)
        return false;
    writeAndTell(*m_port, bytes);
    return true;
}
