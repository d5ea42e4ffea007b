#pragma once

#include "cli/SalvoFile.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What one run of kxrctl is asked to do, as read from its command line.
// Channel and preset numbers are 1-based, as the window shows them.
enum class CliVerb {
    Help,
    Version,
    Status,
    Route,
    Audio,
    PresetSave,
    PresetLoad,
    EdidRead,
    EdidWrite,
    EdidShow,
    EdidCheck,
    Search,
    Raw,
    Watch,
    SalvoList,
    SalvoShow,
    SalvoSave,
    SalvoApply,
    SalvoRename,
    SalvoDelete,
    SalvoExport,
    SalvoImport,
};

enum class CliLink { None, Tcp, Serial };

struct CliRequest
{
    CliVerb verb = CliVerb::Help;
    QString name;      // the command as typed, for messages ("edid write")
    QString helpTopic; // with Help: the command asked about (empty: all)

    CliLink link = CliLink::None;
    QString linkSource; // where the link came from, for status -v
    QString host;
    quint16 port = 0;
    QString serialDevice;
    QString baud;        // empty: the window's setting
    int timeoutMs = 0;   // 0: each command's own reply timeout
    quint16 udpPort = 0; // 0: the network module's own port

    bool json = false;
    bool quiet = false;        // no results on standard output, the status only
    bool verbose = false;      // frames in and out on standard error, timestamped
    QVector<RoutePair> routes; // route, in the order given (empty: --from file)
    quint32 input = 0;         // audio, edid write; route: the first pair
    quint32 output = 0;        // route (0: every output), edid read
    bool allOutputs = false;
    quint32 preset = 0;
    QString file; // edid read -o, edid write, edid show, edid check, route --from ("-": standard input)
    QByteArray rawBytes;
    int watchForMs = 0;  // 0: until interrupted
    int watchCount = 0;  // 0: no limit
    bool dryRun = false; // route, salvo apply: print what would change, switch nothing

    // salvo: the stored salvo (apply: or a file), rename's new name, save's
    // outputs (1-based, ascending; empty: every output). export and import
    // name their file in file.
    QString salvoName;
    QString salvoNewName;
    QVector<int> salvoOutputs;
};
