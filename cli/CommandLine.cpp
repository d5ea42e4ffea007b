#include "cli/CommandLine.h"

#include "app/ByteText.h"
#include "cli/EdidDoctorCommands.h"
#include "cli/HostPort.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

#include <QRegularExpression>

#include <climits>

namespace {

constexpr int MaxTimeoutMs = 600000;
constexpr int MaxWatchMs = 86400000;
constexpr int MaxWatchCount = 1000000;
constexpr int Decimal = 10;

// Options a command accepts beside the link options.
enum Allow : unsigned {
    AllowNothing = 0,
    AllowJson = 1u << 0,
    AllowOutputFile = 1u << 1,
    AllowWatchBounds = 1u << 2,
};

struct RawOptions
{
    QString tcp;
    QString serial;
    QString baud;
    QString timeout;
    QString udpPort;
    QString outputFile;
    QString forMs;
    QString count;
    bool tcpGiven = false;
    bool serialGiven = false;
    bool baudGiven = false;
    bool timeoutGiven = false;
    bool udpPortGiven = false;
    bool outputGiven = false;
    bool forGiven = false;
    bool countGiven = false;
    bool json = false;
    bool help = false;
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
    {"--serial", &RawOptions::serial, &RawOptions::serialGiven},
    {"--baud", &RawOptions::baud, &RawOptions::baudGiven},
    {"--timeout", &RawOptions::timeout, &RawOptions::timeoutGiven},
    {"--udp-port", &RawOptions::udpPort, &RawOptions::udpPortGiven},
    {"-o", &RawOptions::outputFile, &RawOptions::outputGiven},
    {"--output", &RawOptions::outputFile, &RawOptions::outputGiven},
    {"--for", &RawOptions::forMs, &RawOptions::forGiven},
    {"--count", &RawOptions::count, &RawOptions::countGiven},
};

const ValueOption *FindValueOption(const QString &name)
{
    for (const ValueOption &option : ValueOptions) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

bool ReadOptions(const QStringList &arguments, RawOptions *options, QString *error)
{
    bool endOfOptions = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (endOfOptions || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
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
            *error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("option %1 needs a value").arg(name);
                return false;
            }
            value = arguments.at(++i);
        }
        options->*(option->value) = value;
        options->*(option->given) = true;
    }
    return true;
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

// A 1-based channel number: 1 … 16; the device's own count is checked once
// it has been identified.
bool ReadChannel(const QString &text, const QString &kind, quint32 *channel, QString *error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(text).hasMatch()) {
        *error = QStringLiteral("\"%1\" is not an %2 number").arg(text, kind);
        return false;
    }
    int value = INT_MAX;
    ReadNumber(text, 0, INT_MAX, &value);
    if (value == 0) {
        *error = QStringLiteral("%1 0 does not exist: %1s are numbered from 1").arg(kind);
        return false;
    }
    if (quint32(value) > DeviceLimits::Channels) {
        *error = QStringLiteral("%1 %2 is out of range: a device has at most %3 %1s")
                     .arg(kind, text)
                     .arg(DeviceLimits::Channels);
        return false;
    }
    *channel = quint32(value);
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
    *allowed = show ? AllowJson : AllowNothing;
    if (!ExpectArguments(
            args, 2, show ? QStringLiteral("edid show OUT|FILE [--json]") : QStringLiteral("edid check FILE"), error))
        return false;
    if (show && EdidShowNamesOutput(args.at(1)))
        return ReadChannel(args.at(1), QStringLiteral("output"), &request->output, error);
    request->file = args.at(1);
    return true;
}

// Positional arguments after the command word: verb, its arguments and the
// options it takes.
bool ReadVerb(const QStringList &words, CliRequest *request, unsigned *allowed, QString *error)
{
    const QString verb = words.first();
    const QStringList args = words.mid(1);
    if (verb == QLatin1String("status")) {
        request->verb = CliVerb::Status;
        *allowed = AllowJson;
        return ExpectArguments(args, 0, QStringLiteral("status [--json]"), error);
    }
    if (verb == QLatin1String("route")) {
        request->verb = CliVerb::Route;
        if (!ExpectArguments(args, 2, QStringLiteral("route IN OUT|all"), error)
            || !ReadChannel(args.at(0), QStringLiteral("input"), &request->input, error))
            return false;
        if (args.at(1) == QLatin1String("all")) {
            request->allOutputs = true;
            return true;
        }
        return ReadChannel(args.at(1), QStringLiteral("output"), &request->output, error);
    }
    if (verb == QLatin1String("audio")) {
        request->verb = CliVerb::Audio;
        return ExpectArguments(args, 1, QStringLiteral("audio IN"), error)
            && ReadChannel(args.at(0), QStringLiteral("input"), &request->input, error);
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
            *allowed = AllowOutputFile;
            return ExpectArguments(args, 2, QStringLiteral("edid read OUT -o FILE"), error)
                && ReadChannel(args.at(1), QStringLiteral("output"), &request->output, error);
        }
        if (args.value(0) == QLatin1String("write")) {
            request->verb = CliVerb::EdidWrite;
            if (!ExpectArguments(args, 3, QStringLiteral("edid write IN FILE"), error)
                || !ReadChannel(args.at(1), QStringLiteral("input"), &request->input, error))
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
        *allowed = AllowJson;
        return ExpectArguments(args, 0, QStringLiteral("search [--json]"), error);
    }
    if (verb == QLatin1String("raw")) {
        request->verb = CliVerb::Raw;
        *allowed = AllowJson;
        if (args.isEmpty()) {
            *error = QStringLiteral("missing bytes; usage: kxrctl raw HEX...");
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
    if (verb == QLatin1String("watch")) {
        request->verb = CliVerb::Watch;
        *allowed = AllowJson | AllowWatchBounds;
        return ExpectArguments(args, 0, QStringLiteral("watch [--json] [--for MS] [--count N]"), error);
    }
    *error = QStringLiteral("unknown command \"%1\"").arg(verb);
    return false;
}

bool IsCommandWord(const QString &word)
{
    static const char *const Words[] = {"status", "route", "audio", "preset", "edid", "search", "raw", "watch"};
    for (const char *known : Words) {
        if (word == QLatin1String(known))
            return true;
    }
    return false;
}

bool ReadLink(const RawOptions &options, quint16 defaultTcpPort, CliRequest *request, QString *error)
{
    if (options.tcpGiven && options.serialGiven) {
        *error = QStringLiteral("give either --tcp or --serial, not both");
        return false;
    }
    if (options.baudGiven && !options.serialGiven) {
        *error = QStringLiteral("--baud applies to --serial only");
        return false;
    }
    if (options.tcpGiven) {
        HostPort address;
        if (!ParseHostPort(options.tcp, defaultTcpPort, &address, error))
            return false;
        request->link = CliLink::Tcp;
        request->host = address.host;
        request->port = address.port;
    } else if (options.serialGiven) {
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
    }
    // Search finds devices; an EDID file is decoded without one.
    const bool offline = request->verb == CliVerb::Search || request->verb == CliVerb::EdidCheck
        || (request->verb == CliVerb::EdidShow && request->output == 0);
    if (!offline && request->link == CliLink::None) {
        *error = QStringLiteral("no device link given: add --tcp HOST[:PORT] or --serial DEVICE");
        return false;
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
    if (options.udpPortGiven && !ParsePort(options.udpPort, &request->udpPort)) {
        *error = QStringLiteral("malformed UDP port \"%1\"").arg(options.udpPort);
        return false;
    }
    if (options.json && !(allowed & AllowJson)) {
        *error = QStringLiteral("--json does not apply to this command");
        return false;
    }
    request->json = options.json;
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
    if (request->verb == CliVerb::EdidRead) {
        if (!options.outputGiven || options.outputFile.isEmpty()) {
            *error = QStringLiteral("missing -o FILE; usage: kxrctl edid read OUT -o FILE");
            return false;
        }
        request->file = options.outputFile;
    }
    return true;
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments, quint16 defaultTcpPort)
{
    CommandLine result;
    RawOptions options;
    if (!ReadOptions(arguments, &options, &result.error))
        return result;

    const QStringList &words = options.positional;
    if (words.isEmpty() || words.first() == QLatin1String("help")) {
        if (words.isEmpty() && !options.help) {
            result.error = QStringLiteral("no command given");
            return result;
        }
        const QString topic = words.value(1);
        if (!topic.isEmpty() && !IsCommandWord(topic)) {
            result.error = QStringLiteral("unknown command \"%1\"").arg(topic);
            return result;
        }
        result.request.verb = CliVerb::Help;
        result.request.helpTopic = topic;
        result.ok = true;
        return result;
    }
    if (options.help) {
        if (!IsCommandWord(words.first())) {
            result.error = QStringLiteral("unknown command \"%1\"").arg(words.first());
            return result;
        }
        result.request.verb = CliVerb::Help;
        result.request.helpTopic = words.first();
        result.ok = true;
        return result;
    }

    unsigned allowed = AllowNothing;
    QString error;
    if (!ReadVerb(words, &result.request, &allowed, &error)) {
        result.error = IsCommandWord(words.first()) ? words.first() + QStringLiteral(": ") + error : error;
        return result;
    }
    result.request.name = words.first();
    if (result.request.verb == CliVerb::EdidRead || result.request.verb == CliVerb::EdidWrite
        || result.request.verb == CliVerb::EdidShow || result.request.verb == CliVerb::EdidCheck
        || result.request.verb == CliVerb::PresetSave || result.request.verb == CliVerb::PresetLoad)
        result.request.name += QLatin1Char(' ') + words.at(1);
    if (!ReadTimings(options, allowed, &result.request, &error)
        || !ReadLink(options, defaultTcpPort, &result.request, &error)) {
        result.error = result.request.name + QStringLiteral(": ") + error;
        return result;
    }
    result.ok = true;
    return result;
}
