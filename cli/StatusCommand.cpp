#include "cli/StatusCommand.h"

#include "cli/CliSession.h"
#include "cli/JsonOutput.h"
#include "cli/StatusReport.h"
#include "protocol/DeviceState.h"
#include "protocol/FullRead.h"

#include <QJsonDocument>
#include <QTextStream>

namespace {

struct StepLabel
{
    FullReadStep step;
    const char *label;
};

constexpr StepLabel StepLabels[] = {
    {FullReadStep::Routing, "routing read"},          {FullReadStep::AudioInput, "audio input read"},
    {FullReadStep::InputInfo, "input signal read"},   {FullReadStep::InputBinds, "pairing read"},
    {FullReadStep::OutputInfo, "output signal read"}, {FullReadStep::TvWall, "TV wall read"},
};

const char *LabelOf(FullReadStep step)
{
    for (const StepLabel &entry : StepLabels) {
        if (entry.step == step)
            return entry.label;
    }
    return "read";
}

} // namespace

ExitCode RunStatus(CliSession &session)
{
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    if (code != ExitCode::Ok)
        return code;

    // The window's full read, queued step by step only so that a missing
    // reply is named; the commands and their order are the same.
    int queued = 0;
    for (FullReadStep step : FullReadSteps) {
        session.tracker().setLabel(QString::fromLatin1(LabelOf(step)));
        queued += QueueFullReadStep(step);
    }
    code = session.run(QStringLiteral("full read"), [queued] { return queued > 0; });
    if (code != ExitCode::Ok)
        return code;

    const DeviceState &device = Device();
    if (session.request().json) {
        QJsonObject status = StatusJson(device);
        status.insert(QStringLiteral("schema"), CliJson::Schema);
        session.out() << QJsonDocument(status).toJson(QJsonDocument::Indented);
    } else {
        for (const QString &line : StatusLines(device))
            session.out() << line << '\n';
    }
    session.out().flush();
    return ExitCode::Ok;
}
