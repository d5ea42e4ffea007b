#include "cli/MonitorCommands.h"

#include "app/ByteText.h"
#include "cli/CliSession.h"
#include "cli/FrameDescriber.h"
#include "cli/InterruptWatcher.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <climits>

namespace {

constexpr int RawDefaultWaitMs = 1000;

// One line per frame: the time, the bytes and what the dispatcher made of
// them; or the same as one JSON object.
void PrintFrame(CliSession &session, const QByteArray &frame, const QStringList &notes)
{
    const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    QTextStream &out = session.out();
    if (session.request().json) {
        const QJsonObject line{
            {QStringLiteral("time"), time},
            {QStringLiteral("frame"), BytesToHexText(frame)},
            {QStringLiteral("decoded"), QJsonArray::fromStringList(notes)},
        };
        out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
    } else {
        out << time << ' ' << BytesToHexText(frame);
        if (!notes.isEmpty())
            out << " | " << notes.join(QStringLiteral("; "));
        out << '\n';
    }
    out.flush();
}

} // namespace

ExitCode RunWatch(CliSession &session)
{
    const CliRequest &request = session.request();
    InterruptWatcher interrupt;
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    if (code != ExitCode::Ok)
        return code;

    FrameDescriber describer;
    int printed = 0;
    session.setFrameObserver(&describer, [&](const QByteArray &frame, bool reply, const QStringList &notes) {
        if (reply)
            return;
        PrintFrame(session, frame, notes);
        ++printed;
    });
    QObject::connect(&interrupt, &InterruptWatcher::SGL_Interrupted, &session, &CliSession::poke);
    const bool limited = request.watchCount > 0;
    const int bound = request.watchForMs > 0 ? request.watchForMs : INT_MAX;
    session.waitUntil([&] { return interrupt.interrupted() || (limited && printed >= request.watchCount); }, bound);
    session.setFrameObserver(nullptr, nullptr);
    if (session.linkLost())
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
    session.setFrameObserver(&describer, [&](const QByteArray &frame, bool, const QStringList &notes) {
        PrintFrame(session, frame, notes);
        ++received;
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
    session.waitUntil([] { return false; }, wait);
    session.setFrameObserver(nullptr, nullptr);
    if (session.linkLost())
        return session.waitFailure(QStringLiteral("raw"));
    if (received == 0)
        return session.fail(ExitCode::Timeout, QStringLiteral("nothing came back within %1 ms").arg(wait));
    return ExitCode::Ok;
}
