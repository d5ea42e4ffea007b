#include "tools/devsim/SimOptions.h"

#include <QCommandLineParser>
#include <QHostAddress>

#include <climits>

namespace {

constexpr int AutoBase = 0; // "0x95" and "149" both read as numbers
constexpr int MaxCode = 0xFF;
constexpr int MaxPort = 0xFFFF;
constexpr int MaxModules = 8;

struct Parsed
{
    QCommandLineParser parser;
    QCommandLineOption tcpPort{"tcp-port", "TCP port of the device on 127.0.0.1 (0: any free port).", "N", "5000"};
    QCommandLineOption noTcp{"no-tcp", "Do not listen for TCP connections."};
    QCommandLineOption noPty{"no-pty", "Do not open the serial pseudo-terminal."};
    QCommandLineOption udpPort{"udp-port", "UDP port of the network module (0: any free port).", "N", "1901"};
    QCommandLineOption udpAny{"udp-any", "Network module listens on every address, to hear broadcast searches."};
    QCommandLineOption noUdp{"no-udp", "Do not play the network module."};
    QCommandLineOption udpDevice{"udp-device", "Network module hears only what arrives through this interface.",
                                 "NAME"};
    QCommandLineOption inputs{"inputs", "Number of inputs (1-16).", "N", "8"};
    QCommandLineOption outputs{"outputs", "Number of outputs (1-16).", "N", "8"};
    QCommandLineOption layouts{"layouts", "Number of layout presets (0-30).", "N", "16"};
    QCommandLineOption model3{"model3", "Model byte 3 of the device type (16 or more: multiview input).", "N", "16"};
    QCommandLineOption model4{"model4", "Model byte 4 of the device type.", "N", "0"};
    QCommandLineOption modules{"modules", "Number of network modules answering a search (0-8).", "N", "1"};
    QCommandLineOption moduleIp{"module-ip", "Static address of the first network module.", "A.B.C.D",
                                "192.168.0.247"};
    QCommandLineOption drop{"drop", "Fraction of replies dropped (0-1).", "P", "0"};
    QCommandLineOption corrupt{"corrupt", "Fraction of replies sent with a wrong checksum (0-1).", "P", "0"};
    QCommandLineOption garbage{"garbage", "Fraction of stream replies preceded by random bytes (0-1).", "P", "0"};
    QCommandLineOption split{"split", "Write stream replies one byte at a time."};
    QCommandLineOption delay{"delay", "Hold every reply back by MS milliseconds.", "MS", "0"};
    QCommandLineOption disconnectAfter{"disconnect-after", "Drop a TCP client after N frames (0: never).", "N", "0"};
    QCommandLineOption unsolicited{"unsolicited", "Send a routing report unasked every MS milliseconds.", "MS", "0"};
    QCommandLineOption muteCode{"mute-code", "Never answer this device command code (repeatable), e.g. 0x95.", "CODE"};
    QCommandLineOption muteNetCode{"mute-net-code", "Never answer this network-module command code (repeatable).",
                                   "CODE"};
    QCommandLineOption lockedRouting{"locked-routing",
                                     "Switches change nothing; the device answers them with its unchanged routing."};
    QCommandLineOption seed{"seed", "Seed of the fault generator.", "N", "1"};
    QCommandLineOption programDir{"program-dir",
                                  "Point the program installed in DIR (its config.ini) at this simulator.", "DIR"};
    QCommandLineOption quiet{"quiet", "Do not log the frames."};

    Parsed()
    {
        parser.setApplicationDescription(
            "Plays the matrix switcher on TCP and a serial pseudo-terminal, and its network module on UDP.");
        parser.addHelpOption();
        parser.addOptions({tcpPort, noTcp, noPty, udpPort, udpAny, noUdp, inputs, outputs, layouts, model3, model4,
                           modules, moduleIp, drop, corrupt, garbage, split, delay, disconnectAfter, unsolicited, muteCode,
                           muteNetCode, seed, programDir, quiet});
        parser.addOption(udpDevice);
        parser.addOption(lockedRouting);
    }
};

bool readInt(const QString &text, int minimum, int maximum, int &value)
{
    bool ok = false;
    const int v = text.toInt(&ok, AutoBase);
    if (!ok || v < minimum || v > maximum)
        return false;
    value = v;
    return true;
}

bool readFraction(const QString &text, double &value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < 0.0 || v > 1.0)
        return false;
    value = v;
    return true;
}

bool readCodes(const QStringList &texts, QList<quint8> &codes)
{
    for (const QString &text : texts) {
        int code = 0;
        if (!readInt(text, 0, MaxCode, code))
            return false;
        codes.append(quint8(code));
    }
    return true;
}

} // namespace

SimParse ParseSimOptions(const QStringList &arguments, SimOptions &options, QString &text)
{
    Parsed p;
    if (!p.parser.parse(arguments)) {
        text = p.parser.errorText();
        return SimParse::Error;
    }
    if (p.parser.isSet(QStringLiteral("help"))) {
        text = p.parser.helpText();
        return SimParse::Help;
    }

    const auto fail = [&text](const QCommandLineOption &option) {
        text = QStringLiteral("bad value of --%1").arg(option.names().first());
        return SimParse::Error;
    };
    int tcpPort = 0;
    int udpPort = 0;
    int seed = 0;
    SimModelOptions &model = options.model;
    SimFaultOptions &faults = options.faults;
    if (!readInt(p.parser.value(p.tcpPort), 0, MaxPort, tcpPort))
        return fail(p.tcpPort);
    if (!readInt(p.parser.value(p.udpPort), 0, MaxPort, udpPort))
        return fail(p.udpPort);
    if (!readInt(p.parser.value(p.inputs), 1, SimLimits::Channels, model.inputs))
        return fail(p.inputs);
    if (!readInt(p.parser.value(p.outputs), 1, SimLimits::Channels, model.outputs))
        return fail(p.outputs);
    if (!readInt(p.parser.value(p.layouts), 0, SimLimits::MaxLayouts, model.layouts))
        return fail(p.layouts);
    if (!readInt(p.parser.value(p.model3), 0, MaxCode, model.model3))
        return fail(p.model3);
    if (!readInt(p.parser.value(p.model4), 0, MaxCode, model.model4))
        return fail(p.model4);
    if (!readInt(p.parser.value(p.modules), 0, MaxModules, model.modules))
        return fail(p.modules);
    const QHostAddress moduleIp(p.parser.value(p.moduleIp));
    if (moduleIp.protocol() != QAbstractSocket::IPv4Protocol)
        return fail(p.moduleIp);
    const quint32 ip = moduleIp.toIPv4Address();
    for (int i = 0; i < 4; ++i)
        model.moduleIp[i] = quint8(ip >> (24 - 8 * i));
    if (!readFraction(p.parser.value(p.drop), faults.drop))
        return fail(p.drop);
    if (!readFraction(p.parser.value(p.corrupt), faults.corrupt))
        return fail(p.corrupt);
    if (!readFraction(p.parser.value(p.garbage), faults.garbage))
        return fail(p.garbage);
    if (!readInt(p.parser.value(p.delay), 0, INT_MAX, faults.delayMs))
        return fail(p.delay);
    if (!readInt(p.parser.value(p.disconnectAfter), 0, INT_MAX, faults.disconnectAfter))
        return fail(p.disconnectAfter);
    if (!readInt(p.parser.value(p.unsolicited), 0, INT_MAX, faults.unsolicitedMs))
        return fail(p.unsolicited);
    if (!readCodes(p.parser.values(p.muteCode), faults.mutedCodes))
        return fail(p.muteCode);
    if (!readCodes(p.parser.values(p.muteNetCode), faults.mutedNetCodes))
        return fail(p.muteNetCode);
    if (!readInt(p.parser.value(p.seed), 0, INT_MAX, seed))
        return fail(p.seed);

    options.tcp = !p.parser.isSet(p.noTcp);
    options.tcpPort = quint16(tcpPort);
    options.pty = !p.parser.isSet(p.noPty);
    options.udp = !p.parser.isSet(p.noUdp);
    options.udpPort = quint16(udpPort);
    options.udpAny = p.parser.isSet(p.udpAny);
    options.udpDevice = p.parser.value(p.udpDevice);
    options.log = !p.parser.isSet(p.quiet);
    options.programDir = p.parser.value(p.programDir);
    faults.split = p.parser.isSet(p.split);
    faults.lockedRouting = p.parser.isSet(p.lockedRouting);
    faults.seed = quint32(seed);
    model.tcpPort = options.tcpPort;
    return SimParse::Run;
}
