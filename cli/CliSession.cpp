#include "cli/CliSession.h"

#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "app/ConfigTable.h"
#include "cli/FrameDescriber.h"
#include "cli/JsonOutput.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceEvents.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"
#include "protocol/ReplyDispatcher.h"
#include "protocol/ReplyTimeout.h"

#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The service reports only that a serial port did not open; the reason is
// found by trying the device file the same way.
QString SerialOpenReason(const QString &device)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return QStringLiteral("no such device");
        case EACCES:
        case EPERM:
            return QStringLiteral("permission denied");
        case EBUSY:
            return QStringLiteral("busy: another program has it open");
        case EISDIR:
            return QStringLiteral("it is a directory");
        default:
            return QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    termios settings = {};
    const bool terminal = ::tcgetattr(fd, &settings) == 0;
    ::close(fd);
    if (!terminal)
        return QStringLiteral("not a serial device");
    return QStringLiteral("busy: another program holds its lock");
}

} // namespace

CliSession::CliSession(const CliRequest &request, QTextStream &out, QTextStream &err, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_out(out)
    , m_err(err)
{
    m_tracker.setTimeoutOverride(request.timeoutMs);
    m_tracker.install();
    connect(&m_tracker, &CommandTracker::SGL_Changed, this, &CliSession::poke);
    connect(&m_link, &DeviceLink::frameReceived, this, &CliSession::frameReceived);
    connect(&m_link, &DeviceLink::frameSent, this, [this](const QByteArray &bytes) {
        trace('>', bytes);
        m_tracker.onSent(bytes);
    });
    connect(&m_link, &DeviceLink::replyTimedOut, this, &CliSession::replyTimedOut);
    connect(&m_link, &DeviceLink::datagramReceived, this, [this](const QByteArray &datagram) {
        HandleModuleReply(datagram);
        poke();
    });
    connect(&m_link, &DeviceLink::linkLost, this, [this] {
        m_linkLost = true;
        poke();
    });

    DeviceEvents &events = Events();
    connect(&events, &DeviceEvents::SGL_SendRequest, &m_link, &DeviceLink::requestSend);
    connect(&events, &DeviceEvents::SGL_IdentificationSucceeded, this, [this] { m_identified = true; });
    connect(&events, &DeviceEvents::SGL_IdentificationFailed, this, [this] { m_identityRefused = true; });
}

CliSession::~CliSession()
{
    m_link.close();
    m_tracker.uninstall();
}

void CliSession::poke()
{
    emit SGL_Changed();
}

void CliSession::setFrameObserver(FrameDescriber *describer,
                                  std::function<void(const QByteArray &, bool, const QStringList &)> frame)
{
    m_describer = describer;
    m_frameObserver = std::move(frame);
}

void CliSession::trace(char direction, const QByteArray &bytes)
{
    if (!m_request.verbose)
        return;
    m_err << QDateTime::currentDateTime().toString(Qt::ISODateWithMs) << ' ' << direction << ' '
          << BytesToHexText(bytes) << '\n';
    m_err.flush();
}

void CliSession::frameReceived(const QByteArray &frame)
{
    trace('<', frame);
    if (m_describer)
        m_describer->begin();
    DispatchDeviceReply(frame);
    unfoldRouting(frame);
    const QStringList notes = m_describer ? m_describer->finish(frame) : QStringList();
    const bool reply = m_tracker.onFrame(frame);
    if (m_frameObserver)
        m_frameObserver(frame, reply, notes);
    poke();
}

void CliSession::unfoldRouting(const QByteArray &frame)
{
    // The model folds the outputs of a device with more than 16 onto its
    // last entry; the entries kxrctl reads are taken from the frame itself.
    if (quint32(frame.size()) <= Frame::DevicePayloadOffset
        || quint8(frame.at(Frame::DeviceCommandOffset)) != Cmd::RoutingReply)
        return;
    const quint32 length = quint8(frame.at(Frame::DeviceLengthOffset));
    const quint32 count = qMin<quint32>(length, DeviceLimits::Channels);
    if (quint32(frame.size()) < Frame::DevicePayloadOffset + count)
        return;
    for (quint32 out = 0; out < count; ++out)
        Device().routingAt(out) = quint8(frame.at(int(Frame::DevicePayloadOffset + out)));
}

void CliSession::replyTimedOut(const QByteArray &sent)
{
    // The window's own handling: an EDID transfer whose block went
    // unanswered ends here. The message is kxrctl's own.
    HandleReplyTimeout(sent);
    m_tracker.onTimeoutReport(sent);
}

ExitCode CliSession::fail(ExitCode code, const QString &message)
{
    m_err << "kxrctl: " << m_request.name << ": " << message << '\n';
    m_err.flush();
    if (m_request.json) {
        m_out << ErrorJsonLine(code, m_request.name + QStringLiteral(": ") + message);
        m_out.flush();
    }
    return code;
}

void CliSession::printResult(const QString &text, const QJsonObject &json)
{
    if (m_request.json)
        m_out << JsonLine(json);
    else if (!text.isEmpty())
        m_out << text << '\n';
    m_out.flush();
}

void CliSession::note(const QString &message)
{
    m_err << "kxrctl: " << m_request.name << ": " << message << '\n';
    m_err.flush();
}

ExitCode CliSession::openDevice()
{
    bool opened = false;
    int failure = -1;
    QMetaObject::Connection up = connect(&m_link, &DeviceLink::linkOpened, this, [&] {
        opened = true;
        poke();
    });
    QMetaObject::Connection down = connect(&m_link, &DeviceLink::linkFailed, this, [&](int code) {
        failure = code;
        poke();
    });
    QString where;
    if (m_request.link == CliLink::Tcp) {
        where = QStringLiteral("%1:%2").arg(m_request.host).arg(m_request.port);
        m_link.openTcp(m_request.host, m_request.port);
    } else {
        where = m_request.serialDevice;
        const QString baud = m_request.baud.isEmpty() ? SP_BaudRate : m_request.baud;
        m_link.openSerial(m_request.serialDevice, baud, SP_DataBit, SP_Parity, SP_StopBit, SP_FlowControl);
    }
    if (m_request.verbose)
        note(QStringLiteral("link %1 %2, from %3")
                 .arg(m_request.link == CliLink::Tcp ? QStringLiteral("tcp") : QStringLiteral("serial"), where,
                      m_request.linkSource));
    waitUntil([&] { return opened || failure >= 0; }, ConnectBoundMs);
    disconnect(up);
    disconnect(down);
    if (opened)
        return ExitCode::Ok;
    const QString what = m_request.link == CliLink::Tcp ? QStringLiteral("cannot connect to %1").arg(where)
                                                        : QStringLiteral("cannot open serial port %1").arg(where);
    if (failure >= 0 && m_request.link == CliLink::Serial)
        return fail(ExitCode::Connection, QStringLiteral("%1: %2").arg(what, SerialOpenReason(where)));
    if (failure >= 0)
        return fail(ExitCode::Connection, QStringLiteral("%1 (error code %2)").arg(what).arg(failure));
    return fail(ExitCode::Connection, QStringLiteral("%1: no answer within %2 ms").arg(what).arg(ConnectBoundMs));
}

ExitCode CliSession::identify()
{
    // kxrctl reads only what its command needs; the window's full read
    // after identification is started by the status command itself.
    Device().stopSync = 1;
    const ExitCode code = run(QStringLiteral("identification query"), [] { return CMD_DeviceTypeRead(); });
    if (code != ExitCode::Ok)
        return code;
    if (!m_identified)
        return fail(ExitCode::Contradiction, SMSG_MachineNotMatch);
    return ExitCode::Ok;
}

ExitCode CliSession::run(const QString &label, const std::function<bool()> &queue, const std::function<bool()> &done)
{
    m_tracker.setLabel(label);
    if (!queue())
        return fail(ExitCode::Connection, QStringLiteral("the %1 could not be queued: the link is down").arg(label));
    m_link.requestSend();
    const bool finished =
        waitUntil([&] { return done ? done() : m_tracker.idle(); }, m_tracker.outstandingMs() + StallMarginMs, true);
    if (finished && !m_tracker.failed() && !m_linkLost)
        return ExitCode::Ok;
    return waitFailure(label);
}

ExitCode CliSession::waitFailure(const QString &what)
{
    if (m_linkLost)
        return fail(ExitCode::Connection, QStringLiteral("the connection to the device was lost"));
    if (m_tracker.failed()) {
        const CommandTracker::Command &command = m_tracker.failedCommand();
        return fail(ExitCode::Timeout,
                    QStringLiteral("the device did not confirm the %1 within %2 ms (sent %3)")
                        .arg(command.label)
                        .arg(command.record.replyTimeoutMs)
                        .arg(BytesToHexText(command.frame)));
    }
    return fail(ExitCode::Timeout, QStringLiteral("the device did not finish the %1 in time").arg(what));
}

bool CliSession::waitUntil(const std::function<bool()> &condition, int boundMs, bool restartOnProgress)
{
    const auto over = [&] { return condition() || m_linkLost || m_tracker.failed(); };
    if (over())
        return condition();
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &CliSession::SGL_Changed, &loop, [&] {
        if (over()) {
            loop.quit();
            return;
        }
        if (restartOnProgress)
            bound.start(m_tracker.outstandingMs() + StallMarginMs);
    });
    bound.start(boundMs);
    loop.exec();
    return condition();
}

ExitCode CliSession::checkInput(quint32 input)
{
    const quint32 count = Device().inputCount;
    if (input >= 1 && input <= count)
        return ExitCode::Ok;
    return fail(ExitCode::Usage,
                QStringLiteral("input %1 is out of range: the device has %2 inputs").arg(input).arg(count));
}

ExitCode CliSession::checkOutput(quint32 output)
{
    const quint32 count = Device().outputCount;
    if (output >= 1 && output <= count)
        return ExitCode::Ok;
    return fail(ExitCode::Usage,
                QStringLiteral("output %1 is out of range: the device has %2 outputs").arg(output).arg(count));
}
