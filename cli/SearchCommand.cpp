#include "cli/SearchCommand.h"

#include "cli/CliSession.h"
#include "cli/JsonOutput.h"
#include "protocol/Catalogue.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "transport/DeviceLink.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QVector>

namespace {

// The search waits for answers as long as the search command waits for its
// reply, unless --timeout says otherwise.
constexpr int DefaultWindowMs = int(Wait::Second);
constexpr int SendBoundMs = 2000;

struct FoundModule
{
    QString name;
    QString ip;
    QString mac;
    QString version;
};

// The IPv4 address of a host given by address or name; empty when none.
QString AddressOf(const QString &host)
{
    const QHostAddress literal(host);
    if (!literal.isNull())
        return literal.toString();
    for (const QHostAddress &address : QHostInfo::fromName(host).addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QString();
}

} // namespace

ExitCode RunSearch(CliSession &session)
{
    const CliRequest &request = session.request();
    QVector<FoundModule> found;
    // A module that hears the search on several local addresses answers
    // each time: one line per MAC address, as in the window's list.
    QObject::connect(&Events(), &DeviceEvents::SGL_ModuleFound, &session,
                     [&](const QString &name, const QString &ip, const QString &mac, const QString &version) {
                         for (const FoundModule &module : found) {
                             if (module.mac == mac)
                                 return;
                         }
                         found.append({name, ip, mac, version});
                     });
    bool sent = false;
    QObject::connect(&session.link(), &DeviceLink::frameSent, &session, [&] {
        sent = true;
        session.poke();
    });

    session.link().openUdp(request.udpPort);
    if (request.link == CliLink::Tcp) {
        // Asks the one host instead of every module on the network.
        const QString address = AddressOf(request.host);
        if (address.isEmpty())
            return session.fail(ExitCode::Connection, QStringLiteral("cannot resolve \"%1\"").arg(request.host));
        // The sockets are made again for the one target before the search
        // is queued.
        session.link().startOverModules(false, address);
        session.link().syncModules();
    }
    if (!NET_SearchDevice())
        return session.fail(ExitCode::Connection, QStringLiteral("the search could not be queued"));
    session.link().requestSend();
    if (!session.waitUntil([&] { return sent; }, SendBoundMs))
        return session.fail(ExitCode::Connection, QStringLiteral("the search could not be sent"));
    const int window = request.timeoutMs > 0 ? request.timeoutMs : DefaultWindowMs;
    session.waitUntil([] { return false; }, window);

    if (found.isEmpty())
        return session.fail(ExitCode::Timeout, QStringLiteral("no network module answered within %1 ms").arg(window));
    QTextStream &out = session.out();
    for (const FoundModule &module : found) {
        if (request.json) {
            const QJsonObject line{
                {QStringLiteral("name"), module.name},
                {QStringLiteral("ip"), module.ip},
                {QStringLiteral("mac"), module.mac},
                {QStringLiteral("version"), module.version},
            };
            out << JsonLine(line);
        } else {
            out << module.name << '\t' << module.ip << '\t' << module.mac << '\t' << module.version << '\n';
        }
    }
    out.flush();
    return ExitCode::Ok;
}
