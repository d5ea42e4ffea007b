#include "tools/devsim/SimOptions.h"

#include "tools/devsim/SimChannelOptions.h"
#include "tools/devsim/SimDisplayProfiles.h"
#include "tools/devsim/SimMultiviewOptions.h"
#include "tools/devsim/SimModuleLayout.h"

#include <QCommandLineParser>
#include <QHostAddress>

#include <climits>

namespace {

constexpr int AutoBase = 0; // "0x95" and "149" both read as numbers
constexpr int MaxCode = 0xFF;
constexpr int MaxPort = 0xFFFF;
constexpr int MaxModules = 8;
constexpr int MaxIoBits = 0x0F; // four lines per IO group

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
    QCommandLineOption moduleIp{"module-ip", "Static address of the first network module.", "A.B.C.D", "192.168.0.247"};
    QCommandLineOption ioIn{"io-in", "State bits of the four IO inputs (bit k: input k + 1), e.g. 0x05.", "BITS",
                            "0x05"};
    QCommandLineOption ioOut{"io-out", "State bits of the four IO outputs.", "BITS", "0"};
    QCommandLineOption relays{"relays", "State bits of the four relays.", "BITS", "0"};
    QCommandLineOption drop{"drop", "Fraction of replies dropped (0-1).", "P", "0"};
    QCommandLineOption corrupt{"corrupt", "Fraction of replies sent with a wrong checksum (0-1).", "P", "0"};
    QCommandLineOption garbage{"garbage", "Fraction of stream replies preceded by random bytes (0-1).", "P", "0"};
    QCommandLineOption split{"split", "Write stream replies one byte at a time."};
    QCommandLineOption delay{"delay", "Hold every reply back by MS milliseconds.", "MS", "0"};
    QCommandLineOption splitRandom{"split-random", "Write stream replies in pieces of random sizes."};
    QCommandLineOption late{"late", "Fraction of replies held back a further --late-ms (0-1).", "P", "0"};
    QCommandLineOption lateMs{"late-ms", "How long --late holds a reply back.", "MS", "3000"};
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
    QCommandLineOption wall{"wall", "Start with an unspliced TV wall of ROWSxCOLS displays (at most the output count).",
                            "ROWSxCOLS"};
    QCommandLineOption inputKinds{"input-kinds", "Board kind of each input from input 1 on, e.g. 4,5,3.", "LIST"};
    QCommandLineOption inputTypes{"input-types", "Signal type code of each input from input 1 on.", "LIST"};
    QCommandLineOption inputTimings{"input-timings", "Timing of each input, e.g. 1920x1080p60,720x576i50.", "LIST"};
    QCommandLineOption outputKinds{"output-kinds", "Board kind of each output from output 1 on, e.g. 1,7,8.", "LIST"};
    QCommandLineOption outputTypes{"output-types", "Signal type code of each output from output 1 on.", "LIST"};
    QCommandLineOption outputFormats{"output-formats", "Format index of each output (0xFF: no signal).", "LIST"};
    QCommandLineOption outputTimings{"output-timings", "Incoming timing each output reports (0x0p0: none).", "LIST"};
    QCommandLineOption outputEdids{"output-edids",
                                   "Display EDID of each output from output 1 on: 4k60, 4k30, 1080p60, 1080i, "
                                   "720p, dvi-1080p, an EDID file, or - for the usual display.",
                                   "LIST"};
    QCommandLineOption moduleUser{"module-user", "Login name the network modules expect (at most 6 characters).",
                                  "NAME", "qzvkp"};
    QCommandLineOption modulePassword{"module-password", "Password the network modules expect (at most 6 characters).",
                                      "TEXT", "qzvkp"};
    QCommandLineOption moduleDefaultFails{"module-default-fails",
                                          "Network modules refuse a restore of defaults (answer \"E\")."};
    QCommandLineOption multiviewGroups{
        "multiview-groups", "Outputs leading a group of four that shows a multiview, e.g. 1,5, or none.", "LIST"};
    QCommandLineOption multiviewSize{"multiview-size", "Size of every multiview output.", "WxH", "3840x2160"};
    QCommandLineOption multiviewWindows{"multiview-windows", "Windows each multiview reports (0-4).", "N", "4"};

    Parsed()
    {
        parser.setApplicationDescription(
            "Plays the matrix switcher on TCP and a serial pseudo-terminal, and its network module on UDP.");
        parser.addHelpOption();
        parser.addOptions({tcpPort,     noTcp,   noPty,      udpPort, udpAny,          noUdp,       inputs,
                           outputs,     layouts, model3,     model4,  modules,         moduleIp,    drop,
                           corrupt,     garbage, split,      delay,   disconnectAfter, unsolicited, muteCode,
                           muteNetCode, seed,    programDir, quiet});
        parser.addOption(udpDevice);
        parser.addOptions({splitRandom, late, lateMs});
        parser.addOptions({ioIn, ioOut, relays});
        parser.addOption(wall);
        parser.addOptions(
            {inputKinds, inputTypes, inputTimings, outputKinds, outputTypes, outputFormats, outputTimings});
        parser.addOptions({moduleUser, modulePassword, moduleDefaultFails});
        parser.addOption(lockedRouting);
        parser.addOption(outputEdids);
        parser.addOptions({multiviewGroups, multiviewSize, multiviewWindows});
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

// "3x4": rows and columns of the wall, their product within the outputs.
bool readWall(const QString &text, int outputs, int &rows, int &cols)
{
    const QStringList sides = text.split(QLatin1Char('x'));
    if (sides.size() != 2 || !readInt(sides[0], 1, outputs, rows) || !readInt(sides[1], 1, outputs, cols))
        return false;
    return rows * cols <= outputs;
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
    if (!readInt(p.parser.value(p.ioIn), 0, MaxIoBits, model.ioInputs))
        return fail(p.ioIn);
    if (!readInt(p.parser.value(p.ioOut), 0, MaxIoBits, model.ioOutputs))
        return fail(p.ioOut);
    if (!readInt(p.parser.value(p.relays), 0, MaxIoBits, model.relays))
        return fail(p.relays);
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
    if (!readFraction(p.parser.value(p.late), faults.late))
        return fail(p.late);
    if (!readInt(p.parser.value(p.lateMs), 0, INT_MAX, faults.lateMs))
        return fail(p.lateMs);
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
    if (p.parser.isSet(p.wall) && !readWall(p.parser.value(p.wall), model.outputs, model.wallRows, model.wallCols))
        return fail(p.wall);

    const QPair<const QCommandLineOption *, QVector<int> *> numberLists[] = {{&p.inputKinds, &model.inputKinds},
                                                                             {&p.inputTypes, &model.inputTypes},
                                                                             {&p.outputKinds, &model.outputKinds},
                                                                             {&p.outputTypes, &model.outputTypes},
                                                                             {&p.outputFormats, &model.outputFormats}};
    for (const auto &list : numberLists)
        if (p.parser.isSet(*list.first) && !ReadSimNumberList(p.parser.value(*list.first), 0, MaxCode, *list.second))
            return fail(*list.first);
    if (p.parser.isSet(p.inputTimings) && !ReadSimTimingList(p.parser.value(p.inputTimings), model.inputTimings))
        return fail(p.inputTimings);
    if (p.parser.isSet(p.outputTimings) && !ReadSimTimingList(p.parser.value(p.outputTimings), model.outputTimings))
        return fail(p.outputTimings);
    QString edidError;
    if (p.parser.isSet(p.outputEdids)
        && !ReadSimOutputEdids(p.parser.value(p.outputEdids), model.outputEdids, edidError)) {
        text = QStringLiteral("bad value of --output-edids: %1").arg(edidError);
        return SimParse::Error;
    }
    model.moduleUser = p.parser.value(p.moduleUser).toLatin1();
    if (model.moduleUser.size() > SimBlock::CredentialSize)
        return fail(p.moduleUser);
    model.modulePassword = p.parser.value(p.modulePassword).toLatin1();
    if (model.modulePassword.size() > SimBlock::CredentialSize)
        return fail(p.modulePassword);
    model.moduleDefaultFails = p.parser.isSet(p.moduleDefaultFails);
    model.multiviewGroupsSet = p.parser.isSet(p.multiviewGroups);
    if (model.multiviewGroupsSet
        && !ReadSimMultiviewGroups(p.parser.value(p.multiviewGroups), model.outputs, model.multiviewGroups))
        return fail(p.multiviewGroups);
    if (!ReadSimCanvasSize(p.parser.value(p.multiviewSize), model.multiviewWidth, model.multiviewHeight))
        return fail(p.multiviewSize);
    if (!readInt(p.parser.value(p.multiviewWindows), 0, SimLimits::Windows, model.multiviewWindows))
        return fail(p.multiviewWindows);

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
    faults.splitRandom = p.parser.isSet(p.splitRandom);
    faults.lockedRouting = p.parser.isSet(p.lockedRouting);
    faults.seed = quint32(seed);
    model.tcpPort = options.tcpPort;
    return SimParse::Run;
}
