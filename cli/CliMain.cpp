#include "cli/CliMain.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "cli/CliHelp.h"
#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "cli/EdidCommands.h"
#include "cli/HostPort.h"
#include "cli/MonitorCommands.h"
#include "cli/RoutingCommands.h"
#include "cli/SearchCommand.h"
#include "cli/StatusCommand.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// The window's settings file, read (never written) when it is there.
quint16 DefaultTcpPort()
{
    const QString path = AppPath(QString::fromLatin1(Paths::ConfigFile));
    if (QFileInfo::exists(path))
        LoadTableFile(path);
    quint16 port = 0;
    if (ParsePort(SP_RemotePort, &port))
        return port;
    RestoreConfigDefaults();
    ParsePort(SP_RemotePort, &port);
    return port;
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
    case CliVerb::Search:
        return RunSearch(session);
    case CliVerb::Raw:
        return RunRaw(session);
    case CliVerb::Watch:
        return RunWatch(session);
    case CliVerb::Help:
        break;
    }
    return ExitCode::Ok;
}

} // namespace

int RunKxrctl(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const CommandLine line = ParseCommandLine(arguments, DefaultTcpPort());
    if (!line.ok) {
        err << "kxrctl: " << line.error << "\n(see kxrctl --help)\n";
        err.flush();
        return ExitStatus(ExitCode::Usage);
    }
    if (line.request.verb == CliVerb::Help) {
        out << CliHelpText(line.request.helpTopic);
        out.flush();
        return ExitStatus(ExitCode::Ok);
    }
    ExitCode code = ExitCode::Ok;
    {
        CliSession session(line.request, out, err);
        code = Run(session);
    }
    // The worker threads and their services went with the session's link.
    return ExitStatus(code);
}
