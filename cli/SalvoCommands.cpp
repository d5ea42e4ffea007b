#include "cli/SalvoCommands.h"

#include "cli/CliSession.h"
#include "cli/InputFile.h"
#include "cli/RoutingCommands.h"
#include "protocol/DeviceState.h"
#include "protocol/RoutingSalvo.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

namespace {

QJsonObject Routes(const RoutingSalvo &salvo, QJsonObject object)
{
    QJsonArray routes;
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it)
        routes.append(QJsonObject{{QStringLiteral("output"), it.key()}, {QStringLiteral("input"), it.value()}});
    object.insert(QStringLiteral("routes"), routes);
    return object;
}

// "route IN OUT" lines, so that what show prints replays with route --from.
void PrintRouteLines(CliSession &session, const RoutingSalvo &salvo)
{
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it)
        session.out() << QStringLiteral("route %1 %2\n").arg(it.value()).arg(it.key());
    session.out().flush();
}

ExitCode List(CliSession &session)
{
    const QStringList names = SalvoStore().names();
    if (session.request().json) {
        session.printResult(QString(), QJsonObject{{QStringLiteral("salvos"), QJsonArray::fromStringList(names)}});
        return ExitCode::Ok;
    }
    for (const QString &name : names)
        session.out() << name << '\n';
    session.out().flush();
    return ExitCode::Ok;
}

ExitCode Show(CliSession &session)
{
    RoutingSalvo salvo;
    QString error;
    if (!SalvoStore().load(session.request().salvoName, &salvo, &error))
        return session.fail(ExitCode::Usage, error);
    if (session.request().json) {
        const QJsonObject shown = Routes(salvo,
                                         QJsonObject{{QStringLiteral("name"), salvo.name},
                                                     {QStringLiteral("device"), salvo.device},
                                                     {QStringLiteral("outputs"), salvo.outputCount},
                                                     {QStringLiteral("inputs"), salvo.inputCount}});
        session.printResult(QString(), QJsonObject{{QStringLiteral("salvo"), shown}});
        return ExitCode::Ok;
    }
    session.out() << QStringLiteral("# salvo %1, saved from %2 (%3 outputs)\n")
                         .arg(salvo.name, salvo.device.isEmpty() ? QStringLiteral("-") : salvo.device)
                         .arg(salvo.outputCount);
    PrintRouteLines(session, salvo);
    return ExitCode::Ok;
}

ExitCode Save(CliSession &session)
{
    const CliRequest &request = session.request();
    ExitCode code = ConnectAndIdentify(session);
    for (int i = 0; code == ExitCode::Ok && i < request.salvoOutputs.size(); ++i)
        code = session.checkOutput(quint32(request.salvoOutputs.at(i)));
    QVector<int> current;
    if (code == ExitCode::Ok)
        code = ReadRouting(session, &current);
    if (code != ExitCode::Ok)
        return code;
    for (int output = 1; output <= current.size(); ++output) {
        const bool chosen = request.salvoOutputs.isEmpty() || request.salvoOutputs.contains(output);
        if (chosen && current.at(output - 1) == 0)
            return session.fail(ExitCode::Contradiction,
                                QStringLiteral("the device does not report the input of output %1").arg(output));
    }
    const RoutingSalvo salvo = SalvoOfDevice(Device(), request.salvoName, request.salvoOutputs);
    QString error;
    SalvoStore store;
    if (!store.save(salvo, &error))
        return session.fail(ExitCode::Usage, error);
    if (request.json) {
        session.printResult(
            QString(),
            QJsonObject{{QStringLiteral("salvo"), Routes(salvo, QJsonObject{{QStringLiteral("saved"), salvo.name}})}});
    } else {
        PrintRouteLines(session, salvo);
    }
    return ExitCode::Ok;
}

// A stored salvo by its name, else a file (a name never holds a '/': give
// ./NAME for a file that has a salvo's name).
bool FindSalvo(const QString &name, RoutingSalvo *salvo, QString *error)
{
    const SalvoStore store;
    if (store.contains(name))
        return store.load(name, salvo, error);
    if (name != QLatin1String("-") && !QFileInfo::exists(name)) {
        *error = QStringLiteral("there is no salvo \"%1\", nor a file of that name").arg(name);
        return false;
    }
    QByteArray json;
    if (!ReadInputFile(name, SalvoLimits::MaxBytes + 1, &json, error))
        return false;
    if (SalvoFromJson(json, salvo, error))
        return true;
    *error = (name == QLatin1String("-") ? QStringLiteral("standard input") : name) + QStringLiteral(": ") + *error;
    return false;
}

ExitCode Apply(CliSession &session)
{
    const CliRequest &request = session.request();
    RoutingSalvo salvo;
    QString error;
    if (!FindSalvo(request.salvoName, &salvo, &error))
        return session.fail(ExitCode::Usage, error);
    ExitCode code = ConnectAndIdentify(session);
    // Every route is checked against the device before anything is switched.
    for (auto it = salvo.routes.cbegin(); code == ExitCode::Ok && it != salvo.routes.cend(); ++it) {
        code = session.checkOutput(quint32(it.key()));
        if (code == ExitCode::Ok)
            code = session.checkInput(quint32(it.value()));
    }
    QVector<int> current;
    if (code == ExitCode::Ok)
        code = ReadRouting(session, &current);
    if (code != ExitCode::Ok)
        return code;

    const QVector<SalvoChange> changes = SalvoDiff(salvo, current);
    QStringList failed;
    ExitCode firstFailure = ExitCode::Ok;
    for (const SalvoChange &change : changes) {
        if (request.dryRun) {
            PrintChange(session, change);
            continue;
        }
        RoutePair pair;
        pair.input = quint32(change.to);
        pair.output = quint32(change.output);
        const ExitCode result = SwitchRoute(session, pair, false);
        if (result == ExitCode::Ok) {
            PrintChange(session, change);
            continue;
        }
        failed << QStringLiteral("output %1").arg(change.output);
        if (firstFailure == ExitCode::Ok)
            firstFailure = result;
        // Without the link nothing further can be switched.
        if (result == ExitCode::Connection)
            break;
    }
    if (changes.size() == 1 || failed.isEmpty())
        return firstFailure;
    return session.fail(firstFailure,
                        QStringLiteral("%1 of %2 changes did not hold: %3")
                            .arg(failed.size())
                            .arg(changes.size())
                            .arg(failed.join(QStringLiteral(", "))));
}

ExitCode Import(CliSession &session)
{
    const QString &file = session.request().file;
    QByteArray json;
    QString error;
    RoutingSalvo salvo;
    if (!ReadInputFile(file, SalvoLimits::MaxBytes + 1, &json, &error))
        return session.fail(ExitCode::Usage, error);
    if (!SalvoFromJson(json, &salvo, &error))
        return session.fail(ExitCode::Usage,
                            (file == QLatin1String("-") ? QStringLiteral("standard input") : file)
                                + QStringLiteral(": ") + error);
    SalvoStore store;
    if (!store.add(salvo, &error))
        return session.fail(ExitCode::Usage, error);
    session.printResult(salvo.name,
                        QJsonObject{{QStringLiteral("salvo"), QJsonObject{{QStringLiteral("imported"), salvo.name}}}});
    return ExitCode::Ok;
}

// rename, delete and export: a change of the folder, confirmed in JSON only.
ExitCode FileAction(CliSession &session)
{
    const CliRequest &request = session.request();
    SalvoStore store;
    QString error;
    bool done = false;
    QJsonObject json;
    switch (request.verb) {
    case CliVerb::SalvoRename:
        done = store.rename(request.salvoName, request.salvoNewName, &error);
        json = {{QStringLiteral("renamed"), request.salvoName}, {QStringLiteral("name"), request.salvoNewName}};
        break;
    case CliVerb::SalvoDelete:
        done = store.remove(request.salvoName, &error);
        json = {{QStringLiteral("deleted"), request.salvoName}};
        break;
    default:
        if (request.file == QLatin1String("-")) {
            RoutingSalvo salvo;
            if (request.json)
                return session.fail(ExitCode::Usage,
                                    QStringLiteral("- and --json would both write to standard output"));
            if (!store.load(request.salvoName, &salvo, &error))
                return session.fail(ExitCode::Usage, error);
            session.out() << SalvoToJson(salvo);
            session.out().flush();
            return ExitCode::Ok;
        }
        done = CheckOutputFile(request.file, &error) && store.exportTo(request.salvoName, request.file, &error);
        json = {{QStringLiteral("exported"), request.salvoName}, {QStringLiteral("file"), request.file}};
        break;
    }
    if (!done)
        return session.fail(ExitCode::Usage, error);
    session.printResult(QString(), QJsonObject{{QStringLiteral("salvo"), json}});
    return ExitCode::Ok;
}

} // namespace

ExitCode RunSalvo(CliSession &session)
{
    switch (session.request().verb) {
    case CliVerb::SalvoList:
        return List(session);
    case CliVerb::SalvoShow:
        return Show(session);
    case CliVerb::SalvoSave:
        return Save(session);
    case CliVerb::SalvoApply:
        return Apply(session);
    case CliVerb::SalvoImport:
        return Import(session);
    default:
        return FileAction(session);
    }
}
