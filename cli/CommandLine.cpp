#include "cli/CommandLine.h"

#include "app/ByteText.h"
#include "cli/EdidDoctorCommands.h"
#include "cli/HostPort.h"
#include "cli/SalvoFile.h"
#include "protocol/DeviceState.h"
#include "protocol/CatalogueBuild.h"
#include "protocol/Frames.h"
#include "protocol/RoutingSalvo.h"

#include <QRegularExpression>

#include <climits>

namespace {

constexpr int MaxTimeoutMs = 600000;
constexpr int MaxWatchMs = 86400000;
constexpr int MaxWatchCount = 1000000;
constexpr int Decimal = 10;
// kxr-gateway's device port, where --gateway HOST goes when it names none.
constexpr quint16 GatewayDevicePort = 5000;

// Options a command accepts beside the link options.
enum Allow : unsigned {
    AllowNothing = 0,
    AllowJson = 1u << 0,
    AllowOutputFile = 1u << 1,
    AllowWatchBounds = 1u << 2,
    AllowUdpPort = 1u << 3,
    AllowSerial = 1u << 4,
    AllowSalvo = 1u << 5,
    AllowBody = 1u << 6,
    AllowDryRun = 1u << 7,
    // What every command that talks to the device takes.
    DeviceCommand = AllowJson | AllowSerial,
};

struct RawOptions
{
    QString tcp;
    QString gateway;
    QString serial;
    QString baud;
    QString timeout;
    QString udpPort;
    QString outputFile;
    QString forMs;
    QString count;
    QString from;
    bool tcpGiven = false;
    bool gatewayGiven = false;
    bool serialGiven = false;
    bool baudGiven = false;
    bool timeoutGiven = false;
    bool udpPortGiven = false;
    bool outputGiven = false;
    bool forGiven = false;
    bool countGiven = false;
    bool fromGiven = false;
    bool json = false;
    bool help = false;
    bool version = false;
    bool quiet = false;
    bool verbose = false;
    bool body = false;
    bool dryRun = false;
    QStringList positional;
};

struct ValueOption
{
    const char *name;
    QString RawOptions::*value;
    bool RawOptions::*given;
};

const ValueOption ValueOptions[] = {
    {"--tcp", &RawOptions::tcp, &RawOptions::tcpGiven},
    {"--gateway", &RawOptions::gateway, &RawOptions::gatewayGiven},
    {"--serial", &RawOptions::serial, &RawOptions::serialGiven},
    {"--baud", &RawOptions::baud, &RawOptions::baudGiven},
    {"--timeout", &RawOptions::timeout, &RawOptions::timeoutGiven},
    {"--udp-port", &RawOptions::udpPort, &RawOptions::udpPortGiven},
    {"-o", &RawOptions::outputFile, &RawOptions::outputGiven},
    {"--output", &RawOptions::outputFile, &RawOptions::outputGiven},
    {"--for", &RawOptions::forMs, &RawOptions::forGiven},
    {"--count", &RawOptions::count, &RawOptions::countGiven},
    {"--from", &RawOptions::from, &RawOptions::fromGiven},
};

const ValueOption *FindValueOption(const QString &name)
{
    for (const ValueOption &option : ValueOptions) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

bool IsNegativeNumber(const QString &argument)
{
    static const QRegularExpression negative(QStringLiteral("^-[0-9]+$"));
    return negative.match(argument).hasMatch();
}

// Reads every option. The first error is kept, but the positional words are
// still collected, so that the message can name the command.
bool ReadOptions(const QStringList &arguments, RawOptions *options, QString *error)
{
    bool endOfOptions = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (endOfOptions || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")
            || IsNegativeNumber(argument)) {
            options->positional << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            endOfOptions = true;
            continue;
        }
        if (argument == QLatin1String("--json")) {
            options->json = true;
            continue;
        }
        if (argument == QLatin1String("-q") || argument == QLatin1String("--quiet")) {
            options->quiet = true;
            continue;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--verbose")) {
            options->verbose = true;
            continue;
        }
        if (argument == QLatin1String("--body")) {
            options->body = true;
            continue;
        }
        if (argument == QLatin1String("--dry-run")) {
            options->dryRun = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            options->version = true;
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options->help = true;
            continue;
        }
        QString name = argument;
        QString value;
        bool inlineValue = false;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
            inlineValue = true;
        }
        const ValueOption *option = FindValueOption(name);
        if (!option) {
            if (error->isEmpty())
                *error = QStringLiteral("unknown option \"%1\"").arg(argument);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                if (error->isEmpty())
                    *error = QStringLiteral("option %1 needs a value").arg(name);
                break;
            }
            value = arguments.at(++i);
        }
        if (options->*(option->given) && error->isEmpty())
            *error = QStringLiteral("option %1 is given twice").arg(name);
        options->*(option->value) = value;
        options->*(option->given) = true;
    }
    return error->isEmpty();
}

bool ReadNumber(const QString &text, int low, int high, int *value)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, Decimal);
    if (!ok || number < low || number > high)
        return false;
    *value = int(number);
    return true;
}

bool ReadPreset(const QString &text, quint32 *preset, QString *error)
{
    int value = 0;
    if (!ReadNumber(text, 0, INT_MAX, &value)) {
        *error = QStringLiteral("\"%1\" is not a preset number").arg(text);
        return false;
    }
    if (value == 0 || quint32(value) > DeviceLimits::MaxLayouts) {
        *error = QStringLiteral("preset %1 is out of range: presets are numbered 1 to %2")
                     .arg(value)
                     .arg(DeviceLimits::MaxLayouts);
        return false;
    }
    *preset = quint32(value);
    return true;
}

// raw --body: the command byte and its payload, framed (start, length,
// checksum and end markers added).
bool FrameBody(QByteArray *bytes, QString *error)
{
    const quint32 payload = quint32(bytes->size()) - 1;
    if (payload > CatalogueBuild::MaxDevicePayload) {
        *error = QStringLiteral("a body holds the command and at most %1 payload bytes")
                     .arg(CatalogueBuild::MaxDevicePayload);
        return false;
    }
    QByteArray frame(int(payload + Frame::DeviceOverhead), '\0');
    PackDeviceFrame(quint8(bytes->at(0)), reinterpret_cast<const quint8 *>(bytes->constData()) + 1, payload,
                    reinterpret_cast<quint8 *>(frame.data()));
    *bytes = frame;
    return true;
}

bool ExpectArguments(const QStringList &args, int count, const QString &synopsis, QString *error)
{
    if (args.size() == count)
        return true;
    *error = args.size() < count ? QStringLiteral("missing argument; usage: kxrctl %1").arg(synopsis)
                                 : QStringLiteral("too many arguments; usage: kxrctl %1").arg(synopsis);
    return false;
}

// edid show OUT|FILE [--json], edid check FILE.
bool ReadEdidDoctorVerb(const QStringList &args, CliRequest *request, unsigned *allowed, QString *error)
{
    const bool show = args.at(0) == QLatin1String("show");
    request->verb = show ? CliVerb::EdidShow : CliVerb::EdidCheck;
    *allowed = show ? DeviceCommand : AllowNothing;
    if (!ExpectArguments(
            args, 2, show ? QStringLiteral("edid show OUT|FILE [--json]") : QStringLiteral("edid check FILE"), error))
        return false;
    if (show && EdidShowNamesOutput(args.at(1)))
        return ReadChannelNumber(args.at(1), QStringLiteral("output"), &request->output, error);
    request->file = args.at(1);
    return true;
}

// save's outputs: "1,3,5-8", each 1 … 16; ascending, each once.
bool ReadOutputList(const QString &text, QVector<int> *outputs, QString *error)
{
    QVector<bool> chosen(int(DeviceLimits::Channels) + 1, false);
    for (const QString &part : text.split(QLatin1Char(','))) {
        const int dash = part.indexOf(QLatin1Char('-'));
        quint32 first = 0;
        quint32 last = 0;
        if (!ReadChannelNumber(dash < 0 ? part : part.left(dash), QStringLiteral("output"), &first, error)
            || !ReadChannelNumber(dash < 0 ? part : part.mid(dash + 1), QStringLiteral("output"), &last, error))
            return false;
        if (last < first) {
            *error = QStringLiteral("\"%1\" is no range of outputs: the first comes first").arg(part);
            return false;
        }
        for (quint32 output = first; output <= last; ++output)
            chosen[int(output)] = true;
    }
    for (int output = 1; output < chosen.size(); ++output) {
        if (chosen.at(output))
            outputs->append(output);
    }
    return true;
}

bool ReadSalvoName(const QString &name, QString *target, QString *error)
{
    *target = name;
    return SalvoNameIsValid(name, error);
}

// salvo list|show|save|apply|rename|delete|export|import.
bool ReadSalvoVerb(const QStringList &args, CliRequest *request, unsigned *allowed, QString *error)
{
    const QString action = args.value(0);
    *allowed = AllowJson;
    if (action == QLatin1String("list")) {
        request->verb = CliVerb::SalvoList;
        return ExpectArguments(args, 1, QStringLiteral("salvo list [--json]"), error);
    }
    if (action == QLatin1String("show")) {
        request->verb = CliVerb::SalvoShow;
        return ExpectArguments(args, 2, QStringLiteral("salvo show NAME [--json]"), error)
            && ReadSalvoName(args.at(1), &request->salvoName, error);
    }
    if (action == QLatin1String("save")) {
        request->verb = CliVerb::SalvoSave;
        *allowed = DeviceCommand;
        if (args.size() != 3 && !ExpectArguments(args, 2, QStringLiteral("salvo save NAME [OUTPUTS]"), error))
            return false;
        return ReadSalvoName(args.at(1), &request->salvoName, error)
            && (args.size() == 2 || ReadOutputList(args.at(2), &request->salvoOutputs, error));
    }
    if (action == QLatin1String("apply")) {
        request->verb = CliVerb::SalvoApply;
        *allowed = DeviceCommand | AllowDryRun;
        if (!ExpectArguments(args, 2, QStringLiteral("salvo apply NAME|FILE|- [--dry-run]"), error))
            return false;
        request->salvoName = args.at(1);
        return true;
    }
    if (action == QLatin1String("rename")) {
        request->verb = CliVerb::SalvoRename;
        return ExpectArguments(args, 3, QStringLiteral("salvo rename NAME NEW-NAME"), error)
            && ReadSalvoName(args.at(1), &request->salvoName, error)
            && ReadSalvoName(args.at(2), &request->salvoNewName, error);
    }
    if (action == QLatin1String("delete")) {
        request->verb = CliVerb::SalvoDelete;
        return ExpectArguments(args, 2, QStringLiteral("salvo delete NAME"), error)
            && ReadSalvoName(args.at(1), &request->salvoName, error);
    }
    if (action == QLatin1String("export")) {
        request->verb = CliVerb::SalvoExport;
        if (!ExpectArguments(args, 3, QStringLiteral("salvo export NAME FILE|-"), error)
            || !ReadSalvoName(args.at(1), &request->salvoName, error))
            return false;
        request->file = args.at(2);
        return true;
    }
    if (action == QLatin1String("import")) {
        request->verb = CliVerb::SalvoImport;
        if (!ExpectArguments(args, 2, QStringLiteral("salvo import FILE|-"), error))
            return false;
        request->file = args.at(1);
        return true;
    }
    const QString unknown = action.isEmpty() ? QString() : QStringLiteral("unknown salvo action \"%1\"; ").arg(action);
    *error = unknown
        + QStringLiteral("usage: kxrctl salvo list | show NAME | save NAME [OUTPUTS] | apply NAME|FILE|- [--dry-run] | "
                         "rename NAME NEW-NAME | delete NAME | export NAME FILE|- | import FILE|-");
    return false;
}

// Positional arguments after the command word: verb, its arguments and the
// options it takes.
bool ReadVerb(const QStringList &words, CliRequest *request, unsigned *allowed, QString *error)
{
    const QString verb = words.first();
    const QStringList args = words.mid(1);
    *allowed = DeviceCommand;
    if (verb == QLatin1String("status")) {
        request->verb = CliVerb::Status;
        return ExpectArguments(args, 0, QStringLiteral("status [--json]"), error);
    }
    if (verb == QLatin1String("route")) {
        request->verb = CliVerb::Route;
        *allowed = DeviceCommand | AllowSalvo | AllowDryRun;
        // Pairs, switched in the order given; or a salvo file (--from).
        if (args.size() % 2 != 0) {
            *error = QStringLiteral("missing argument; usage: kxrctl route IN OUT|all [IN OUT|all]... | kxrctl "
                                    "route --from FILE|-");
            return false;
        }
        for (int i = 0; i < args.size(); i += 2) {
            RoutePair pair;
            if (!ReadChannelNumber(args.at(i), QStringLiteral("input"), &pair.input, error))
                return false;
            pair.all = args.at(i + 1) == QLatin1String("all");
            if (!pair.all && !ReadChannelNumber(args.at(i + 1), QStringLiteral("output"), &pair.output, error))
                return false;
            request->routes.append(pair);
        }
        if (!request->routes.isEmpty()) {
            request->input = request->routes.first().input;
            request->output = request->routes.first().output;
            request->allOutputs = request->routes.first().all;
        }
        return true;
    }
    if (verb == QLatin1String("audio")) {
        request->verb = CliVerb::Audio;
        return ExpectArguments(args, 1, QStringLiteral("audio IN"), error)
            && ReadChannelNumber(args.at(0), QStringLiteral("input"), &request->input, error);
    }
    if (verb == QLatin1String("preset")) {
        const QString synopsis = QStringLiteral("preset save|load N");
        if (!ExpectArguments(args, 2, synopsis, error))
            return false;
        if (args.at(0) == QLatin1String("save"))
            request->verb = CliVerb::PresetSave;
        else if (args.at(0) == QLatin1String("load"))
            request->verb = CliVerb::PresetLoad;
        else {
            *error = QStringLiteral("unknown preset action \"%1\"; usage: kxrctl %2").arg(args.at(0), synopsis);
            return false;
        }
        return ReadPreset(args.at(1), &request->preset, error);
    }
    if (verb == QLatin1String("edid")) {
        if (args.value(0) == QLatin1String("read")) {
            request->verb = CliVerb::EdidRead;
            *allowed = DeviceCommand | AllowOutputFile;
            return ExpectArguments(args, 2, QStringLiteral("edid read OUT -o FILE"), error)
                && ReadChannelNumber(args.at(1), QStringLiteral("output"), &request->output, error);
        }
        if (args.value(0) == QLatin1String("write")) {
            request->verb = CliVerb::EdidWrite;
            if (!ExpectArguments(args, 3, QStringLiteral("edid write IN FILE"), error)
                || !ReadChannelNumber(args.at(1), QStringLiteral("input"), &request->input, error))
                return false;
            request->file = args.at(2);
            return true;
        }
        if (args.value(0) == QLatin1String("show") || args.value(0) == QLatin1String("check"))
            return ReadEdidDoctorVerb(args, request, allowed, error);
        *error = QStringLiteral(
            "usage: kxrctl edid read OUT -o FILE | edid write IN FILE | edid show OUT|FILE | edid check FILE");
        return false;
    }
    if (verb == QLatin1String("search")) {
        request->verb = CliVerb::Search;
        *allowed = AllowJson | AllowUdpPort;
        return ExpectArguments(args, 0, QStringLiteral("search [--json]"), error);
    }
    if (verb == QLatin1String("raw")) {
        request->verb = CliVerb::Raw;
        *allowed = DeviceCommand | AllowBody;
        if (args.isEmpty()) {
            *error = QStringLiteral("missing bytes; usage: kxrctl raw [--body] HEX...");
            return false;
        }
        request->rawBytes = HexTextToByteArray(args.join(QLatin1Char(' ')));
        if (request->rawBytes.isEmpty()) {
            *error = QStringLiteral("\"%1\" is not hexadecimal bytes (pairs of digits, spaces between bytes allowed)")
                         .arg(args.join(QLatin1Char(' ')));
            return false;
        }
        if (quint32(request->rawBytes.size()) > Frame::BufferSize) {
            *error = QStringLiteral("%1 bytes are too many: at most %2 are sent at once")
                         .arg(request->rawBytes.size())
                         .arg(Frame::BufferSize);
            return false;
        }
        return true;
    }
    if (verb == QLatin1String("salvo"))
        return ReadSalvoVerb(args, request, allowed, error);
    if (verb == QLatin1String("watch")) {
        request->verb = CliVerb::Watch;
        *allowed = DeviceCommand | AllowWatchBounds;
        return ExpectArguments(args, 0, QStringLiteral("watch [--json] [--for MS] [--count N]"), error);
    }
    *error = QStringLiteral("unknown command \"%1\"").arg(verb);
    return false;
}

bool IsCommandWord(const QString &word)
{
    static const char *const Words[] = {"status", "route", "audio", "preset", "edid",
                                        "search", "raw",   "watch", "salvo"};
    for (const char *known : Words) {
        if (word == QLatin1String(known))
            return true;
    }
    return false;
}

// The command and, for those made of two words, its action ("edid read").
QString CommandName(const QStringList &words)
{
    static const QRegularExpression action(QStringLiteral("^[a-z]+$"));
    if (words.isEmpty() || !IsCommandWord(words.first()))
        return QString();
    const bool twoWords = words.first() == QLatin1String("edid") || words.first() == QLatin1String("preset")
        || words.first() == QLatin1String("salvo");
    if (twoWords && words.size() > 1 && action.match(words.at(1)).hasMatch())
        return words.first() + QLatin1Char(' ') + words.at(1);
    return words.first();
}

// A link named neither by --tcp nor by --serial: the environment, then the
// window's last address.
bool DefaultLink(const LinkDefaults &defaults, RawOptions *options, CliRequest *request)
{
    if (!defaults.envTcp.isEmpty()) {
        options->tcp = defaults.envTcp;
        options->tcpGiven = true;
        request->linkSource = QStringLiteral("KXRCTL_TCP");
    } else if (!defaults.envSerial.isEmpty()) {
        options->serial = defaults.envSerial;
        options->serialGiven = true;
        request->linkSource = QStringLiteral("KXRCTL_SERIAL");
    } else if (!defaults.windowHost.isEmpty()) {
        options->tcp = defaults.windowHost;
        options->tcpGiven = true;
        request->linkSource = QStringLiteral("the window's config.ini");
    }
    return options->tcpGiven || options->serialGiven;
}

bool ReadLink(RawOptions options, unsigned allowed, LinkDefaults defaults, CliRequest *request, QString *error)
{
    // A gateway is reached as the device is, over TCP, on its device port.
    if (options.gatewayGiven) {
        if (options.tcpGiven || options.serialGiven) {
            *error = QStringLiteral("give one of --tcp, --serial and --gateway");
            return false;
        }
        options.tcp = options.gateway;
        options.tcpGiven = true;
        defaults.tcpPort = GatewayDevicePort;
    }
    if (options.tcpGiven && options.serialGiven) {
        *error = QStringLiteral("give either --tcp or --serial, not both");
        return false;
    }
    if (options.baudGiven && !options.serialGiven) {
        *error = QStringLiteral("--baud applies to --serial only");
        return false;
    }
    if (!(allowed & AllowSerial) && options.serialGiven) {
        *error = QStringLiteral("--serial does not apply to this command");
        return false;
    }
    if (request->verb == CliVerb::Search) {
        // The search asks every module, or the one at --tcp HOST.
        if (!options.tcpGiven)
            return true;
        HostPort address;
        if (!ParseHostPort(options.tcp, defaults.tcpPort, &address, error))
            return false;
        const bool bracketed = options.tcp.startsWith(QLatin1Char('[')) && options.tcp.endsWith(QLatin1Char(']'));
        if (address.host != options.tcp && !bracketed) {
            *error = QStringLiteral("--tcp takes a host only here; the module's port is --udp-port");
            return false;
        }
        request->link = CliLink::Tcp;
        request->host = address.host;
        return true;
    }
    // An EDID file is decoded, and the stored salvos are kept, without a device.
    const bool salvoFiles = request->verb == CliVerb::SalvoList || request->verb == CliVerb::SalvoShow
        || request->verb == CliVerb::SalvoRename || request->verb == CliVerb::SalvoDelete
        || request->verb == CliVerb::SalvoExport || request->verb == CliVerb::SalvoImport;
    if (salvoFiles)
        return true;
    const bool offline =
        request->verb == CliVerb::EdidCheck || (request->verb == CliVerb::EdidShow && request->output == 0);
    if (offline && !options.tcpGiven && !options.serialGiven)
        return true;
    request->linkSource = QStringLiteral("the command line");
    if (!options.tcpGiven && !options.serialGiven && !DefaultLink(defaults, &options, request)) {
        *error = QStringLiteral("no device link given: add --tcp HOST[:PORT] or --serial DEVICE, or set KXRCTL_TCP or "
                                "KXRCTL_SERIAL");
        return false;
    }
    if (options.tcpGiven) {
        HostPort address;
        if (!ParseHostPort(options.tcp, defaults.tcpPort, &address, error))
            return false;
        request->link = CliLink::Tcp;
        request->host = address.host;
        request->port = address.port;
        return true;
    }
    if (options.serial.isEmpty()) {
        *error = QStringLiteral("--serial needs a device name");
        return false;
    }
    request->link = CliLink::Serial;
    request->serialDevice = options.serial;
    if (options.baudGiven) {
        int baud = 0;
        if (!ReadNumber(options.baud, 1, INT_MAX, &baud)) {
            *error = QStringLiteral("malformed baud rate \"%1\"").arg(options.baud);
            return false;
        }
        request->baud = QString::number(baud);
    }
    return true;
}

bool ReadTimings(const RawOptions &options, unsigned allowed, CliRequest *request, QString *error)
{
    if (options.timeoutGiven && !ReadNumber(options.timeout, 1, MaxTimeoutMs, &request->timeoutMs)) {
        *error = QStringLiteral("malformed timeout \"%1\": give milliseconds from 1 to %2")
                     .arg(options.timeout)
                     .arg(MaxTimeoutMs);
        return false;
    }
    if (options.udpPortGiven && !(allowed & AllowUdpPort)) {
        *error = QStringLiteral("--udp-port applies to search only");
        return false;
    }
    if (options.udpPortGiven && !ParsePort(options.udpPort, &request->udpPort)) {
        *error = QStringLiteral("malformed UDP port \"%1\"").arg(options.udpPort);
        return false;
    }
    if (options.json && !(allowed & AllowJson)) {
        *error = QStringLiteral("--json does not apply to this command");
        return false;
    }
    request->json = options.json;
    if (options.quiet && (options.verbose || options.json)) {
        *error = options.verbose ? QStringLiteral("give either -q or -v, not both")
                                 : QStringLiteral("-q and --json do not go together");
        return false;
    }
    request->quiet = options.quiet;
    request->verbose = options.verbose;
    if (options.outputGiven && !(allowed & AllowOutputFile)) {
        *error = QStringLiteral("-o does not apply to this command");
        return false;
    }
    if ((options.forGiven || options.countGiven) && !(allowed & AllowWatchBounds)) {
        *error = QStringLiteral("--for and --count apply to watch only");
        return false;
    }
    if (options.forGiven && !ReadNumber(options.forMs, 1, MaxWatchMs, &request->watchForMs)) {
        *error = QStringLiteral("malformed --for \"%1\": give milliseconds").arg(options.forMs);
        return false;
    }
    if (options.countGiven && !ReadNumber(options.count, 1, MaxWatchCount, &request->watchCount)) {
        *error = QStringLiteral("malformed --count \"%1\"").arg(options.count);
        return false;
    }
    if (options.body && !(allowed & AllowBody)) {
        *error = QStringLiteral("--body applies to raw only");
        return false;
    }
    if (options.body && !FrameBody(&request->rawBytes, error))
        return false;
    if (options.dryRun && !(allowed & AllowDryRun)) {
        *error = QStringLiteral("--dry-run applies to route and salvo apply only");
        return false;
    }
    request->dryRun = options.dryRun;
    if (options.fromGiven && !(allowed & AllowSalvo)) {
        *error = QStringLiteral("--from applies to route only");
        return false;
    }
    if (request->verb == CliVerb::Route) {
        if (options.fromGiven == !request->routes.isEmpty()) {
            *error = options.fromGiven ? QStringLiteral("give routes or --from, not both")
                                       : QStringLiteral("missing argument; usage: kxrctl route IN OUT|all [IN "
                                                        "OUT|all]... | kxrctl route --from FILE|-");
            return false;
        }
        if (options.fromGiven && options.from.isEmpty()) {
            *error = QStringLiteral("--from needs a file name, or - for standard input");
            return false;
        }
        request->file = options.from;
    }
    if (request->verb == CliVerb::EdidRead) {
        if (!options.outputGiven || options.outputFile.isEmpty()) {
            *error = QStringLiteral("missing -o FILE; usage: kxrctl edid read OUT -o FILE|-");
            return false;
        }
        if (options.outputFile == QLatin1String("-") && options.json) {
            *error = QStringLiteral("-o - and --json would both write to standard output");
            return false;
        }
        request->file = options.outputFile;
    }
    return true;
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments, quint16 defaultTcpPort)
{
    LinkDefaults defaults;
    defaults.tcpPort = defaultTcpPort;
    return ParseCommandLine(arguments, defaults);
}

CommandLine ParseCommandLine(const QStringList &arguments, const LinkDefaults &defaults)
{
    CommandLine result;
    RawOptions options;
    QString error;
    ReadOptions(arguments, &options, &error);
    const QStringList &words = options.positional;
    result.request.name = CommandName(words);
    // Every message names the command it is about, when there is one.
    const auto refused = [&result](const QString &message) {
        result.error = result.request.name.isEmpty() ? message : result.request.name + QStringLiteral(": ") + message;
        return result;
    };
    if (!error.isEmpty())
        return refused(error);
    if (options.version) {
        if (!words.isEmpty() || options.help)
            return refused(QStringLiteral("--version takes nothing else"));
        result.request.verb = CliVerb::Version;
        result.ok = true;
        return result;
    }

    if (words.isEmpty() || words.first() == QLatin1String("help")) {
        if (words.isEmpty() && !options.help)
            return refused(QStringLiteral("no command given"));
        const QString topic = words.value(1);
        if (!topic.isEmpty() && !IsCommandWord(topic))
            return refused(QStringLiteral("unknown command \"%1\"").arg(topic));
        result.request.verb = CliVerb::Help;
        result.request.helpTopic = topic;
        result.ok = true;
        return result;
    }
    if (!IsCommandWord(words.first()))
        return refused(QStringLiteral("unknown command \"%1\"").arg(words.first()));
    if (options.help) {
        result.request.verb = CliVerb::Help;
        result.request.helpTopic = words.first();
        result.ok = true;
        return result;
    }

    unsigned allowed = AllowNothing;
    if (!ReadVerb(words, &result.request, &allowed, &error) || !ReadTimings(options, allowed, &result.request, &error)
        || !ReadLink(options, allowed, defaults, &result.request, &error))
        return refused(error);
    result.ok = true;
    return result;
}
