#include "cli/RoutingCommands.h"

#include "cli/CliSession.h"
#include "cli/StatusReport.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"

#include <QTextStream>

namespace {

// What the model holds for a value the device has not reported yet, so that
// only the device's answer can confirm a change.
constexpr quint32 NotReported = 0xFFFFFFFF;
// A report the device sent of its own accord may be taken for the answer of
// a switch; before a contradiction is reported the routing is read again.
constexpr int ReadBackTries = 2;

ExitCode Connected(CliSession &session)
{
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    return code;
}

void PrintLines(CliSession &session, const QStringList &lines)
{
    for (const QString &line : lines)
        session.out() << line << '\n';
    session.out().flush();
}

} // namespace

ExitCode RunRoute(CliSession &session)
{
    const CliRequest &request = session.request();
    ExitCode code = Connected(session);
    if (code == ExitCode::Ok)
        code = session.checkInput(request.input);
    if (code == ExitCode::Ok && !request.allOutputs)
        code = session.checkOutput(request.output);
    if (code != ExitCode::Ok)
        return code;

    DeviceState &device = Device();
    const quint32 in = request.input - 1;
    const quint32 first = request.allOutputs ? 0 : request.output - 1;
    const quint32 last = request.allOutputs ? device.outputCount : request.output;
    for (quint32 out = first; out < last; ++out)
        device.routingAt(out) = NotReported;

    // The device answers a switch with its whole routing table: that table
    // is the read-back.
    code = session.run(QStringLiteral("switch"), [&] {
        return request.allOutputs ? CMD_SwitchAllOutputs(in) : CMD_SwitchInput(in, request.output - 1);
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
                            QStringLiteral("the device %1 after the switch to input %2").arg(shown).arg(request.input));
    }
    QStringList lines;
    for (quint32 out = first; out < last; ++out)
        lines << QStringLiteral("route %1 %2").arg(in + 1).arg(out + 1);
    PrintLines(session, lines);
    return ExitCode::Ok;
}

ExitCode RunAudio(CliSession &session)
{
    const CliRequest &request = session.request();
    ExitCode code = Connected(session);
    if (code == ExitCode::Ok)
        code = session.checkInput(request.input);
    if (code != ExitCode::Ok)
        return code;

    DeviceState &device = Device();
    const quint32 in = request.input - 1;
    device.lrInput = NotReported;
    // The device answers the write with the input it now carries.
    code = session.run(QStringLiteral("audio switch"), [&] { return CMD_LRInputWrite(quint8(in)); });
    if (code != ExitCode::Ok)
        return code;
    if (device.lrInput != in)
        return session.fail(ExitCode::Contradiction,
                            QStringLiteral("the device reports audio input %1 after the switch to input %2")
                                .arg(device.lrInput + 1)
                                .arg(request.input));
    PrintLines(session, {QStringLiteral("audio %1").arg(request.input)});
    return ExitCode::Ok;
}

ExitCode RunPreset(CliSession &session)
{
    const CliRequest &request = session.request();
    const bool load = request.verb == CliVerb::PresetLoad;
    ExitCode code = Connected(session);
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
        PrintLines(session, RoutingLines(device, device.outputCount));
    return ExitCode::Ok;
}
