#include "cli/RoutingCommands.h"

#include "cli/CliSession.h"
#include "cli/InputFile.h"
#include "cli/JsonOutput.h"
#include "cli/StatusReport.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"
#include "protocol/RoutingSalvo.h"

#include <QJsonObject>
#include <QTextStream>

namespace {

// What the model holds for a value the device has not reported yet, so that
// only the device's answer can confirm a change.
constexpr quint32 NotReported = 0xFFFFFFFF;
// A report the device sent of its own accord may be taken for the answer of
// a switch; before a contradiction is reported the state is read again.
constexpr int ReadBackTries = 2;

// "route IN OUT" for outputs first … last - 1, as fed now.
void PrintRoutes(CliSession &session, quint32 fixedInput, quint32 first, quint32 last)
{
    const DeviceState &device = Device();
    for (quint32 out = first; out < last; ++out) {
        const quint32 in = fixedInput != NotReported ? fixedInput : device.routingAt(out);
        session.printResult(QStringLiteral("route %1 %2").arg(in + 1).arg(out + 1),
                            QJsonObject{{QStringLiteral("route"),
                                         QJsonObject{{QStringLiteral("input"), int(in + 1)},
                                                     {QStringLiteral("output"), int(out + 1)}}}});
    }
}

QString PairText(const RoutePair &pair)
{
    return pair.all ? QStringLiteral("%1 all").arg(pair.input)
                    : QStringLiteral("%1 %2").arg(pair.input).arg(pair.output);
}

// route --dry-run: what the pairs would change, later pairs winning as they
// would on the device; nothing is switched.
ExitCode PrintRouteChanges(CliSession &session, const QVector<RoutePair> &routes)
{
    QVector<int> current;
    const ExitCode code = ReadRouting(session, &current);
    if (code != ExitCode::Ok)
        return code;
    RoutingSalvo wanted;
    for (const RoutePair &pair : routes) {
        const int first = pair.all ? 1 : int(pair.output);
        const int last = pair.all ? current.size() : int(pair.output);
        for (int output = first; output <= last; ++output)
            wanted.routes.insert(output, int(pair.input));
    }
    for (const SalvoChange &change : SalvoDiff(wanted, current))
        PrintChange(session, change);
    return ExitCode::Ok;
}

} // namespace

ExitCode ConnectAndIdentify(CliSession &session)
{
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    return code;
}

ExitCode ReadRouting(CliSession &session, QVector<int> *current)
{
    DeviceState &device = Device();
    for (quint32 out = 0; out < device.outputCount; ++out)
        device.routingAt(out) = NotReported;
    const ExitCode code = session.run(QStringLiteral("routing read"), [] { return CMD_RoutingRead(); });
    *current = RoutingOf(device);
    return code;
}

void PrintChange(CliSession &session, const SalvoChange &change)
{
    const QString from = change.from > 0 ? QString::number(change.from) : QStringLiteral("-");
    QJsonObject json{{QStringLiteral("output"), change.output}, {QStringLiteral("to"), change.to}};
    if (change.from > 0)
        json.insert(QStringLiteral("from"), change.from);
    session.printResult(QStringLiteral("output %1: %2 -> %3").arg(change.output).arg(from).arg(change.to),
                        QJsonObject{{QStringLiteral("change"), json}});
}

ExitCode SwitchRoute(CliSession &session, const RoutePair &pair, bool printReadBack)
{
    DeviceState &device = Device();
    const quint32 in = pair.input - 1;
    const quint32 first = pair.all ? 0 : pair.output - 1;
    const quint32 last = pair.all ? device.outputCount : pair.output;
    for (quint32 out = first; out < last; ++out)
        device.routingAt(out) = NotReported;

    // The device answers a switch with its whole routing table: that table
    // is the read-back.
    ExitCode code = session.run(QStringLiteral("switch"), [&] {
        return pair.all ? CMD_SwitchAllOutputs(in) : CMD_SwitchInput(in, pair.output - 1);
    });
    const auto mismatch = [&]() -> quint32 {
        for (quint32 out = first; out < last; ++out) {
            if (device.routingAt(out) != in)
                return out;
        }
        return last;
    };
    for (int read = 0; code == ExitCode::Ok && mismatch() != last && read < ReadBackTries; ++read)
        code = session.run(QStringLiteral("routing read"), [] { return CMD_RoutingRead(); });
    if (code != ExitCode::Ok)
        return code;
    if (mismatch() != last) {
        const quint32 out = mismatch();
        const QString shown = device.routingAt(out) == NotReported
            ? QStringLiteral("does not report output %1").arg(out + 1)
            : QStringLiteral("reports output %1 fed by input %2").arg(out + 1).arg(device.routingAt(out) + 1);
        return session.fail(ExitCode::Contradiction,
                            QStringLiteral("the device %1 after the switch to input %2").arg(shown).arg(pair.input));
    }
    if (printReadBack)
        PrintRoutes(session, in, first, last);
    return ExitCode::Ok;
}

ExitCode RunRoute(CliSession &session)
{
    const CliRequest &request = session.request();
    QVector<RoutePair> routes = request.routes;
    if (!request.file.isEmpty()) {
        QByteArray text;
        QString error;
        if (!ReadInputFile(request.file, Salvo::MaxBytes + 1, &text, &error))
            return session.fail(ExitCode::Usage, error);
        const QString source = request.file == QLatin1String("-") ? QStringLiteral("standard input") : request.file;
        if (!ParseSalvo(text, &routes, &error))
            return session.fail(ExitCode::Usage, source + QStringLiteral(": ") + error);
    }
    ExitCode code = ConnectAndIdentify(session);
    // Every pair is checked against the device before anything is switched.
    for (int i = 0; code == ExitCode::Ok && i < routes.size(); ++i) {
        code = session.checkInput(routes.at(i).input);
        if (code == ExitCode::Ok && !routes.at(i).all)
            code = session.checkOutput(routes.at(i).output);
    }
    if (code != ExitCode::Ok)
        return code;
    if (request.dryRun)
        return PrintRouteChanges(session, routes);

    QStringList failed;
    ExitCode firstFailure = ExitCode::Ok;
    for (const RoutePair &pair : routes) {
        const ExitCode result = SwitchRoute(session, pair, true);
        if (result == ExitCode::Ok)
            continue;
        failed << PairText(pair);
        if (firstFailure == ExitCode::Ok)
            firstFailure = result;
        // Without the link nothing further can be switched.
        if (result == ExitCode::Connection)
            break;
    }
    if (routes.size() == 1 || failed.isEmpty())
        return firstFailure;
    return session.fail(firstFailure,
                        QStringLiteral("%1 of %2 routes did not hold: %3")
                            .arg(failed.size())
                            .arg(routes.size())
                            .arg(failed.join(QStringLiteral(", "))));
}

ExitCode RunAudio(CliSession &session)
{
    const CliRequest &request = session.request();
    ExitCode code = ConnectAndIdentify(session);
    if (code == ExitCode::Ok)
        code = session.checkInput(request.input);
    if (code != ExitCode::Ok)
        return code;

    DeviceState &device = Device();
    const quint32 in = request.input - 1;
    device.lrInput = NotReported;
    // The device answers the write with the input it now carries.
    code = session.run(QStringLiteral("audio switch"), [&] { return CMD_LRInputWrite(quint8(in)); });
    for (int read = 0; code == ExitCode::Ok && device.lrInput != in && read < ReadBackTries; ++read)
        code = session.run(QStringLiteral("audio input read"), [] { return CMD_LRInputRead(); });
    if (code != ExitCode::Ok)
        return code;
    if (device.lrInput != in)
        return session.fail(ExitCode::Contradiction,
                            QStringLiteral("the device reports audio input %1 after the switch to input %2")
                                .arg(device.lrInput + 1)
                                .arg(request.input));
    session.printResult(
        QStringLiteral("audio %1").arg(request.input),
        QJsonObject{{QStringLiteral("audio"), QJsonObject{{QStringLiteral("input"), int(request.input)}}}});
    return ExitCode::Ok;
}

ExitCode RunPreset(CliSession &session)
{
    const CliRequest &request = session.request();
    const bool load = request.verb == CliVerb::PresetLoad;
    ExitCode code = ConnectAndIdentify(session);
    if (code != ExitCode::Ok)
        return code;
    DeviceState &device = Device();
    if (request.preset > device.layoutCount)
        return session.fail(ExitCode::Usage,
                            QStringLiteral("preset %1 is out of range: the device has %2 presets")
                                .arg(request.preset)
                                .arg(device.layoutCount));

    const quint8 number = quint8(request.preset - 1);
    // The device does not answer a preset command; the queue pauses after
    // it. The routing read that follows confirms that the device took it and
    // answers again, and shows what a load changed.
    code = session.run(load ? QStringLiteral("preset load") : QStringLiteral("preset save"),
                       [&] { return load ? CMD_LayoutLoad(number) : CMD_LayoutSave(number); });
    if (code != ExitCode::Ok)
        return code;
    for (quint32 out = 0; out < device.outputCount; ++out)
        device.routingAt(out) = NotReported;
    code = session.run(QStringLiteral("routing read"), [] { return CMD_RoutingRead(); });
    if (code != ExitCode::Ok)
        return code;
    if (load)
        PrintRoutes(session, NotReported, 0, device.outputCount);
    else
        session.printResult(
            QString(),
            QJsonObject{{QStringLiteral("preset"), QJsonObject{{QStringLiteral("saved"), int(request.preset)}}}});
    return ExitCode::Ok;
}
