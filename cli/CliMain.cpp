#include "cli/CliMain.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "cli/CliHelp.h"
#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "cli/EdidCommands.h"
#include "cli/EdidDoctorCommands.h"
#include "cli/HostPort.h"
#include "cli/JsonOutput.h"
#include "cli/MonitorCommands.h"
#include "cli/RoutingCommands.h"
#include "cli/SalvoCommands.h"
#include "cli/SearchCommand.h"
#include "cli/StatusCommand.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The environment, then the window's settings file, read (never written)
// when it is there.
LinkDefaults Defaults()
{
    LinkDefaults defaults;
    defaults.envTcp = qEnvironmentVariable("KXRCTL_TCP");
    defaults.envSerial = qEnvironmentVariable("KXRCTL_SERIAL");
    const QString path = AppPath(QString::fromLatin1(Paths::ConfigFile));
    const bool windowSettings = QFileInfo::exists(path);
    if (windowSettings)
        LoadTableFile(path);
    if (!ParsePort(SP_RemotePort, &defaults.tcpPort)) {
        RestoreConfigDefaults();
        ParsePort(SP_RemotePort, &defaults.tcpPort);
    } else if (windowSettings) {
        defaults.windowHost = SP_RemoteIp;
    }
    return defaults;
}

ExitCode Run(CliSession &session)
{
    switch (session.request().verb) {
    case CliVerb::Status:
        return RunStatus(session);
    case CliVerb::Route:
        return RunRoute(session);
    case CliVerb::Audio:
        return RunAudio(session);
    case CliVerb::PresetSave:
    case CliVerb::PresetLoad:
        return RunPreset(session);
    case CliVerb::EdidRead:
        return RunEdidRead(session);
    case CliVerb::EdidWrite:
        return RunEdidWrite(session);
    case CliVerb::EdidShow:
        return RunEdidShow(session);
    case CliVerb::EdidCheck:
        return RunEdidCheck(session);
    case CliVerb::Search:
        return RunSearch(session);
    case CliVerb::Raw:
        return RunRaw(session);
    case CliVerb::Watch:
        return RunWatch(session);
    case CliVerb::SalvoList:
    case CliVerb::SalvoShow:
    case CliVerb::SalvoSave:
    case CliVerb::SalvoApply:
    case CliVerb::SalvoRename:
    case CliVerb::SalvoDelete:
    case CliVerb::SalvoExport:
    case CliVerb::SalvoImport:
        return RunSalvo(session);
    case CliVerb::Help:
    case CliVerb::Version:
        break;
    }
    return ExitCode::Ok;
}

} // namespace

int RunKxrctl(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const CommandLine line = ParseCommandLine(arguments, Defaults());
    if (!line.ok) {
        err << "kxrctl: " << line.error << "\n(see kxrctl --help)\n";
        err.flush();
        if (arguments.contains(QStringLiteral("--json"))) {
            out << ErrorJsonLine(ExitCode::Usage, line.error);
            out.flush();
        }
        return ExitStatus(ExitCode::Usage);
    }
    if (line.request.verb == CliVerb::Version) {
        out << "kxrctl " << KXR_VERSION << '\n';
        out.flush();
        return ExitStatus(ExitCode::Ok);
    }
    if (line.request.verb == CliVerb::Help) {
        out << CliHelpText(line.request.helpTopic);
        out.flush();
        return ExitStatus(ExitCode::Ok);
    }
    ExitCode code = ExitCode::Ok;
    {
        // Quiet: the results go nowhere; messages still reach standard error.
        QBuffer discarded;
        discarded.open(QIODevice::WriteOnly);
        QTextStream nowhere(&discarded);
        CliSession session(line.request, line.request.quiet ? nowhere : out, err);
        code = Run(session);
    }
    // The worker threads and their services went with the session's link.
    return ExitStatus(code);
}
