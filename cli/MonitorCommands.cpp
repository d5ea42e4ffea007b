#include "cli/MonitorCommands.h"

#include "app/ByteText.h"
#include "cli/CliSession.h"
#include "cli/FrameDescriber.h"
#include "cli/InterruptWatcher.h"
#include "cli/JsonOutput.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/Frames.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <QTimer>

#include <climits>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int RawDefaultWaitMs = 1000;
constexpr int ReaderCheckMs = 200;

// The reader of standard output went away (a pipe whose other end closed):
// nothing more can be written, whether or not a frame comes.
bool ReaderGone()
{
    pollfd descriptor{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&descriptor, 1, 0) > 0 && (descriptor.revents & POLLERR) != 0;
}

// One line per frame: the time, the bytes and what the dispatcher made of
// them; or the same as one JSON object.
// False when the line could not be written.
bool PrintFrame(CliSession &session, const QByteArray &frame, const QStringList &notes)
{
    const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    QTextStream &out = session.out();
    if (session.request().json) {
        const QJsonObject line{
            {QStringLiteral("time"), time},
            {QStringLiteral("frame"), BytesToHexText(frame)},
            {QStringLiteral("decoded"), QJsonArray::fromStringList(notes)},
        };
        out << JsonLine(line);
    } else {
        out << time << ' ' << BytesToHexText(frame);
        if (!notes.isEmpty())
            out << " | " << notes.join(QStringLiteral("; "));
        out << '\n';
    }
    out.flush();
    return out.status() == QTextStream::Ok;
}

// Whether frame answers the bytes sent: a device frame answers a device
// frame of the same command (a switch, a routing read and a preset recall
// are answered by the routing); anything answers bytes that are no frame.
bool IsAnswerTo(const QByteArray &sent, const QByteArray &frame)
{
    const auto code = [](const QByteArray &bytes) -> int {
        if (quint32(bytes.size()) < Frame::DeviceOverhead || quint8(bytes.at(0)) != Frame::DeviceStart
            || quint8(bytes.at(1)) != Frame::DeviceStart)
            return -1;
        return quint8(bytes.at(int(Frame::DeviceCommandOffset)));
    };
    const int asked = code(sent);
    const int answer = code(frame);
    if (asked < 0)
        return true;
    if (asked == Cmd::Switch || asked == Cmd::RoutingRead || asked == Cmd::LayoutLoad)
        return answer == Cmd::RoutingReply;
    return answer == asked;
}

} // namespace

ExitCode RunWatch(CliSession &session)
{
    const CliRequest &request = session.request();
    // A write to a reader that went away fails instead of ending the
    // program: watch then ends as if interrupted.
    std::signal(SIGPIPE, SIG_IGN);
    InterruptWatcher interrupt;
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    if (code != ExitCode::Ok)
        return code;

    FrameDescriber describer;
    int printed = 0;
    bool readerGone = false;
    session.setFrameObserver(&describer, [&](const QByteArray &frame, bool reply, const QStringList &notes) {
        if (reply || readerGone)
            return;
        readerGone = !PrintFrame(session, frame, notes);
        ++printed;
    });
    QObject::connect(&interrupt, &InterruptWatcher::SGL_Interrupted, &session, &CliSession::poke);
    QTimer readerCheck;
    QObject::connect(&readerCheck, &QTimer::timeout, &session, [&] {
        readerGone = readerGone || ReaderGone();
        session.poke();
    });
    readerCheck.start(ReaderCheckMs);
    const bool limited = request.watchCount > 0;
    const int bound = request.watchForMs > 0 ? request.watchForMs : INT_MAX;
    session.waitUntil(
        [&] { return interrupt.interrupted() || readerGone || (limited && printed >= request.watchCount); }, bound);
    session.setFrameObserver(nullptr, nullptr);
    if (session.linkLost() && !readerGone && !interrupt.interrupted())
        return session.waitFailure(QStringLiteral("watch"));
    return ExitCode::Ok;
}

ExitCode RunRaw(CliSession &session)
{
    const CliRequest &request = session.request();
    ExitCode code = session.openDevice();
    if (code != ExitCode::Ok)
        return code;

    FrameDescriber describer;
    int received = 0;
    bool answered = false;
    session.setFrameObserver(&describer, [&](const QByteArray &frame, bool, const QStringList &notes) {
        PrintFrame(session, frame, notes);
        ++received;
        answered = answered || IsAnswerTo(request.rawBytes, frame);
    });
    // Sent as typed with no record, as the window's debug console does: no
    // reply is awaited, so whatever arrives in the next moments is shown.
    session.tracker().setLabel(QStringLiteral("raw bytes"));
    session.tracker().expect(request.rawBytes, EmptyCommandRecord());
    if (!session.link().pushRaw(request.rawBytes))
        return session.fail(ExitCode::Connection, QStringLiteral("the bytes could not be queued: the link is down"));
    session.link().requestSend();
    if (!session.waitUntil([&] { return session.tracker().idle(); },
                           session.tracker().outstandingMs() + CliSession::StallMarginMs))
        return session.waitFailure(QStringLiteral("send"));
    const int wait = request.timeoutMs > 0 ? request.timeoutMs : RawDefaultWaitMs;
    session.waitUntil([&] { return answered; }, wait);
    session.setFrameObserver(nullptr, nullptr);
    if (session.linkLost())
        return session.waitFailure(QStringLiteral("raw"));
    if (received == 0)
        return session.fail(ExitCode::Timeout, QStringLiteral("nothing came back within %1 ms").arg(wait));
    return ExitCode::Ok;
}
