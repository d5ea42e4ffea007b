#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What one run of kxrctl is asked to do, as read from its command line.
// Channel and preset numbers are 1-based, as the window shows them.
enum class CliVerb {
    Help,
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
};

enum class CliLink { None, Tcp, Serial };

struct CliRequest
{
    CliVerb verb = CliVerb::Help;
    QString name;      // the command as typed, for messages ("edid write")
    QString helpTopic; // with Help: the command asked about (empty: all)

    CliLink link = CliLink::None;
    QString host;
    quint16 port = 0;
    QString serialDevice;
    QString baud;        // empty: the window's setting
    int timeoutMs = 0;   // 0: each command's own reply timeout
    quint16 udpPort = 0; // 0: the network module's own port

    bool json = false;
    quint32 input = 0;  // route, audio, edid write
    quint32 output = 0; // route (0: every output), edid read, edid show (0: a file)
    bool allOutputs = false;
    quint32 preset = 0;
    QString file; // edid read -o, edid write, edid show, edid check
    QByteArray rawBytes;
    int watchForMs = 0; // 0: until interrupted
    int watchCount = 0; // 0: no limit
};
