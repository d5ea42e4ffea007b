#include "gateway/GatewayOptions.h"

#include <QFile>

namespace {

bool ParseAddressPort(const QString &text, QHostAddress &address, quint16 &port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QHostAddress a;
    if (!a.setAddress(text.left(colon)))
        return false;
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok, 10);
    if (!ok || p > 65535)
        return false;
    address = a;
    port = quint16(p);
    return true;
}

bool ParseHostPort(const QString &text, QString &host, quint16 &port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    host = colon < 0 ? text : text.left(colon);
    if (host.isEmpty())
        return false;
    if (colon < 0)
        return true;
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok, 10);
    if (!ok || p == 0 || p > 65535)
        return false;
    port = quint16(p);
    return true;
}

// One option with its value; false with a message when the value is bad.
bool Apply(const QString &key, const QString &value, GatewayOptions &o, QString &message)
{
    bool ok = true;
    if (key == QLatin1String("serial")) {
        o.serialDevice = value;
        ok = !value.isEmpty();
    } else if (key == QLatin1String("baud")) {
        const uint baud = value.toUInt(&ok, 10);
        ok = ok && baud >= 1200 && baud <= 4000000;
        o.baud = value;
    } else if (key == QLatin1String("tcp")) {
        ok = ParseHostPort(value, o.tcpHost, o.tcpPort);
    } else if (key == QLatin1String("device-listen")) {
        ok = ParseAddressPort(value, o.deviceAddress, o.devicePort);
    } else if (key == QLatin1String("router-listen")) {
        ok = ParseAddressPort(value, o.routerAddress, o.routerPort);
    } else if (key == QLatin1String("poll")) {
        o.pollSeconds = value.toInt(&ok, 10);
        ok = ok && o.pollSeconds >= 0 && o.pollSeconds <= GatewayOptions::MaxPollSeconds;
    } else if (key == QLatin1String("read-only")) {
        ok = value == QLatin1String("true") || value == QLatin1String("false");
        o.readOnly = value == QLatin1String("true");
    } else if (key == QLatin1String("http")) {
        o.http = true;
        ok = value.isEmpty() || ParseAddressPort(value, o.httpAddress, o.httpPort);
        ok = ok && o.httpPort != 65535; // the event stream takes the next port
    } else if (key == QLatin1String("http-token")) {
        o.httpToken = value;
        ok = !value.isEmpty() && value.size() <= 256;
    } else if (key == QLatin1String("allow")) {
        for (const QString &item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QPair<QHostAddress, int> subnet = QHostAddress::parseSubnet(item.trimmed());
            ok = ok && !subnet.first.isNull();
            o.allow.append(subnet);
        }
        ok = ok && !o.allow.isEmpty();
    } else {
        message = QStringLiteral("unknown option \"%1\"").arg(key);
        return false;
    }
    if (!ok)
        message = QStringLiteral("bad value \"%1\" for %2").arg(value, key);
    return ok;
}

bool ReadConfig(const QString &path, GatewayOptions &o, QString &message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("cannot read the configuration file %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray text = file.read(GatewayOptions::MaxConfigBytes + 1);
    if (text.size() > GatewayOptions::MaxConfigBytes) {
        message = QStringLiteral("configuration file %1 is larger than %2 bytes")
                      .arg(path)
                      .arg(GatewayOptions::MaxConfigBytes);
        return false;
    }
    if (!ApplyGatewayConfig(text, o, message)) {
        message = path + QStringLiteral(": ") + message;
        return false;
    }
    return true;
}

} // namespace

bool GatewayOptions::allows(const QHostAddress &peer) const
{
    if (allow.isEmpty())
        return true;
    bool isV4 = false;
    const QHostAddress v4(peer.toIPv4Address(&isV4));
    for (const auto &subnet : allow) {
        if (peer.isInSubnet(subnet) || (isV4 && v4.isInSubnet(subnet)))
            return true;
    }
    return false;
}

bool ApplyGatewayConfig(const QByteArray &text, GatewayOptions &options, QString &message)
{
    const QList<QByteArray> lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = QString::fromUtf8(lines[n]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        QString error;
        if (eq <= 0)
            error = QStringLiteral("expected \"key = value\"");
        else if (Apply(line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), options, error))
            continue;
        message = QStringLiteral("line %1: %2").arg(n + 1).arg(error);
        return false;
    }
    return true;
}

GatewayParse ParseGatewayArguments(const QStringList &arguments, GatewayOptions &options, QString &message)
{
    GatewayOptions o;
    bool check = false;
    QList<QPair<QString, QString>> given;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            message = GatewayHelpText();
            return GatewayParse::Help;
        }
        if (arg == QLatin1String("--version"))
            return GatewayParse::Version;
        if (arg == QLatin1String("--check")) {
            check = true;
            continue;
        }
        if (arg == QLatin1String("--http")
            && (i + 1 == arguments.size() || arguments[i + 1].startsWith(QLatin1String("--")))) {
            given.append({QStringLiteral("http"), QString()});
            continue;
        }
        if (arg == QLatin1String("--read-only")) {
            given.append({QStringLiteral("read-only"), QStringLiteral("true")});
            continue;
        }
        static const char *const valued[] = {"serial", "baud",  "tcp",    "device-listen", "router-listen",
                                             "poll",   "allow", "config", "http",          "http-token"};
        bool known = false;
        for (const char *name : valued) {
            if (arg != QLatin1String("--") + QLatin1String(name))
                continue;
            known = true;
            if (i + 1 >= arguments.size()) {
                message = QStringLiteral("%1 needs a value").arg(arg);
                return GatewayParse::Error;
            }
            given.append({QLatin1String(name), arguments[++i]});
        }
        if (!known) {
            message = QStringLiteral("unknown argument \"%1\" (see --help)").arg(arg);
            return GatewayParse::Error;
        }
    }
    // The configuration file first, the command line over it.
    for (const auto &[key, value] : given) {
        if (key == QLatin1String("config")) {
            o.configFile = value;
            if (!ReadConfig(value, o, message))
                return GatewayParse::Error;
        }
    }
    bool allowGiven = false;
    for (const auto &[key, value] : given) {
        if (key == QLatin1String("config"))
            continue;
        if (key == QLatin1String("allow") && !allowGiven) {
            o.allow.clear();
            allowGiven = true;
        }
        if (!Apply(key, value, o, message))
            return GatewayParse::Error;
    }
    if (o.serialDevice.isEmpty() == o.tcpHost.isEmpty()) {
        message = QStringLiteral("name one device link: --serial DEVICE or --tcp HOST[:PORT]");
        return GatewayParse::Error;
    }
    options = o;
    return check ? GatewayParse::Check : GatewayParse::Run;
}

QString GatewayHelpText()
{
    return QStringLiteral("Usage: kxr-gateway (--serial DEVICE [--baud N] | --tcp HOST[:PORT]) [options]\n"
                          "Shares one link to the matrix with the window, kxrctl and router-control\n"
                          "clients (the Videohub text protocol).\n"
                          "\n"
                          "  --serial DEVICE          the device on a serial port (--baud, default 115200)\n"
                          "  --tcp HOST[:PORT]        the device over TCP (port 5000 by default)\n"
                          "  --device-listen A:P      the device's own protocol, for the window and\n"
                          "                           kxrctl (default 127.0.0.1:5000)\n"
                          "  --router-listen A:P      the router-control port (default 0.0.0.0:9990)\n"
                          "  --poll S                 read the routing again every S seconds while idle\n"
                          "                           (default 10, 0 never)\n"
                          "  --http [A:P]             the web panel and its JSON API (default\n"
                          "                           127.0.0.1:8080); its event stream on port P+1\n"
                          "  --http-token T           the API and the event stream ask for this token\n"
                          "  --read-only              the router port and the API refuse every change\n"
                          "  --allow CIDR             only these peers may connect (repeatable)\n"
                          "  --config FILE            options from FILE (key = value); the command line\n"
                          "                           wins\n"
                          "  --check                  check the options and the configuration, then exit\n"
                          "  --help, --version\n");
}
