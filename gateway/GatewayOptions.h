#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What kxr-gateway is told to do, from its command line and its
// configuration file. Pure: parsing neither opens nor reads anything but
// the configuration file named.
struct GatewayOptions
{
    static constexpr quint16 DefaultDevicePort = 5000;
    static constexpr quint16 DefaultRouterPort = 9990;
    static constexpr quint16 DefaultDeviceTcpPort = 5000;
    static constexpr int DefaultPollSeconds = 10;
    static constexpr int MaxPollSeconds = 86400;
    static constexpr int MaxConfigBytes = 64 * 1024;
    static constexpr quint16 DefaultHttpPort = 8080;

    QString serialDevice;
    QString baud = QStringLiteral("115200");
    QString tcpHost;
    quint16 tcpPort = DefaultDeviceTcpPort;
    QHostAddress deviceAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 devicePort = DefaultDevicePort;
    QHostAddress routerAddress = QHostAddress(QHostAddress::AnyIPv4);
    quint16 routerPort = DefaultRouterPort;
    int pollSeconds = DefaultPollSeconds;
    bool readOnly = false;
    QList<QPair<QHostAddress, int>> allow; // empty: everyone
    QString configFile;
    // The web panel and its API (off unless asked for); the event stream is
    // on the next port.
    bool http = false;
    QHostAddress httpAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 httpPort = DefaultHttpPort;
    QString httpToken; // empty: none asked

    // Whether a peer may connect to either port.
    bool allows(const QHostAddress &peer) const;
};

enum class GatewayParse { Run, Check, Help, Version, Error };

// arguments[0] is the program. On Error, message says what is wrong; on
// Help, it holds the help text.
GatewayParse ParseGatewayArguments(const QStringList &arguments, GatewayOptions &options, QString &message);

// The lines of a configuration file ("key = value", '#' comments; the keys
// are the long options without their dashes). False with a message naming
// the line on the first bad one.
bool ApplyGatewayConfig(const QByteArray &text, GatewayOptions &options, QString &message);

QString GatewayHelpText();
