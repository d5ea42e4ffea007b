#include "cli/HostPort.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int Ipv4Fields = 4;
constexpr int MaxIpv4Field = 255;
constexpr int MaxHostNameLength = 253;
constexpr quint32 MaxPort = 65535;
constexpr int MaxPortDigits = 5;
constexpr int Decimal = 10;

bool AllDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool ValidIpv4(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char('.'));
    if (fields.size() != Ipv4Fields)
        return false;
    for (const QString &field : fields) {
        if (!AllDigits(field) || field.size() > 3 || field.toInt() > MaxIpv4Field)
            return false;
    }
    return true;
}

bool ValidHostName(const QString &text)
{
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (text.isEmpty() || text.size() > MaxHostNameLength)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    for (const QString &part : labels) {
        if (!label.match(part).hasMatch())
            return false;
    }
    return true;
}

// Digits and dots only read as an IPv4 address, and must be one; anything
// else must be a host name.
bool ValidHost(const QString &host)
{
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    if (numeric.match(host).hasMatch())
        return ValidIpv4(host);
    return ValidHostName(host);
}

} // namespace

bool ParsePort(const QString &text, quint16 *port)
{
    if (!AllDigits(text) || text.size() > MaxPortDigits)
        return false;
    const quint32 value = text.toUInt(nullptr, Decimal);
    if (value == 0 || value > MaxPort)
        return false;
    *port = quint16(value);
    return true;
}

bool ParseHostPort(const QString &text, quint16 defaultPort, HostPort *result, QString *error)
{
    QString host = text;
    QString portText;
    bool ipv6 = false;
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close < 0) {
            *error = QStringLiteral("malformed address \"%1\": missing \"]\"").arg(text);
            return false;
        }
        host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) {
                *error = QStringLiteral("malformed address \"%1\"").arg(text);
                return false;
            }
            portText = rest.mid(1);
            if (portText.isEmpty()) {
                *error = QStringLiteral("malformed address \"%1\": empty port").arg(text);
                return false;
            }
        }
        ipv6 = true;
    } else if (text.count(QLatin1Char(':')) == 1) {
        const int colon = text.indexOf(QLatin1Char(':'));
        host = text.left(colon);
        portText = text.mid(colon + 1);
        if (portText.isEmpty()) {
            *error = QStringLiteral("malformed address \"%1\": empty port").arg(text);
            return false;
        }
    } else if (text.count(QLatin1Char(':')) > 1) {
        ipv6 = true;
    }

    if (ipv6) {
        QHostAddress address;
        if (!address.setAddress(host) || address.protocol() != QAbstractSocket::IPv6Protocol) {
            *error = QStringLiteral("malformed IPv6 address \"%1\"").arg(host);
            return false;
        }
    } else if (!ValidHost(host)) {
        *error = QStringLiteral("malformed host \"%1\": give a dotted IPv4 address or a host name").arg(host);
        return false;
    }

    quint16 port = defaultPort;
    if (!portText.isEmpty() && !ParsePort(portText, &port)) {
        *error = QStringLiteral("malformed port \"%1\": give a number from 1 to 65535").arg(portText);
        return false;
    }
    if (port == 0) {
        *error = QStringLiteral("no port given for \"%1\"").arg(text);
        return false;
    }
    result->host = host;
    result->port = port;
    return true;
}
