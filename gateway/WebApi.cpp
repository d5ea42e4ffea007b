#include "gateway/WebApi.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QList>

#include <cmath>

namespace WebApi {

namespace {

Request Fail(int status, const QString &message)
{
    Request r;
    r.kind = Kind::Error;
    r.status = status;
    r.error = message;
    return r;
}

// A whole number from 1 to max, or -1.
int Port(const QJsonValue &v, int max)
{
    if (!v.isDouble())
        return -1;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < 1 || d > max)
        return -1;
    return int(d) - 1;
}

// A path number ("3"): 1 to max, or -1.
int PathNumber(const QByteArray &text, int max)
{
    if (text.isEmpty() || text.size() > 3)
        return -1;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return -1;
    }
    const int n = text.toInt();
    return n >= 1 && n <= max ? n - 1 : -1;
}

bool ReadRoute(const QJsonValue &v, const Limits &limits, Route &route, QString &why)
{
    if (!v.isObject()) {
        why = QStringLiteral("a route is an object {\"output\": N, \"input\": N}");
        return false;
    }
    const QJsonObject o = v.toObject();
    if (o.size() != 2 || !o.contains(QLatin1String("output")) || !o.contains(QLatin1String("input"))) {
        why = QStringLiteral("a route has exactly \"output\" and \"input\"");
        return false;
    }
    route.output = Port(o.value(QLatin1String("output")), limits.outputs);
    route.input = Port(o.value(QLatin1String("input")), limits.inputs);
    if (route.output < 0) {
        why = QStringLiteral("output must be a whole number from 1 to %1").arg(limits.outputs);
        return false;
    }
    if (route.input < 0) {
        why = QStringLiteral("input must be a whole number from 1 to %1").arg(limits.inputs);
        return false;
    }
    return true;
}

bool ParseBody(const QByteArray &body, QJsonDocument &doc, QString &why)
{
    QJsonParseError error;
    doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        why = QStringLiteral("the body is not JSON: %1 at %2").arg(error.errorString()).arg(error.offset);
        return false;
    }
    return true;
}

} // namespace

bool IsWrite(Kind kind)
{
    switch (kind) {
    case Kind::Route:
    case Kind::Routes:
    case Kind::PresetRecall:
    case Kind::PresetSave:
    case Kind::Lock:
    case Kind::Unlock:
        return true;
    default:
        return false;
    }
}

Request Parse(const QByteArray &method, const QByteArray &path, const QByteArray &body, const Limits &limits)
{
    if (body.size() > MaxBodyBytes)
        return Fail(413, QStringLiteral("the body is larger than %1 bytes").arg(MaxBodyBytes));
    const QList<QByteArray> parts = path.split('/');
    // "/api/x/y" splits into "", "api", "x", "y".
    if (parts.size() < 3 || !parts[0].isEmpty() || parts[1] != "api")
        return Fail(404, QStringLiteral("no such resource"));
    const QByteArray &what = parts[2];
    const int depth = parts.size() - 2;
    const auto only = [&](const char *allowed) {
        return method == allowed ? QString() : QStringLiteral("use %1 here").arg(QLatin1String(allowed));
    };
    Request r;
    QString why;
    if (what == "state" && depth == 1) {
        if (!(why = only("GET")).isEmpty())
            return Fail(405, why);
        r.kind = Kind::State;
        return r;
    }
    if (what == "events" && depth == 1) {
        if (!(why = only("GET")).isEmpty())
            return Fail(405, why);
        r.kind = Kind::Events;
        return r;
    }
    if ((what == "route" || what == "routes") && depth == 1) {
        if (!(why = only("POST")).isEmpty())
            return Fail(405, why);
        QJsonDocument doc;
        if (!ParseBody(body, doc, why))
            return Fail(400, why);
        if (what == "route") {
            Route route;
            if (!doc.isObject())
                return Fail(400, QStringLiteral("the body is an object {\"output\": N, \"input\": N}"));
            if (!ReadRoute(doc.object(), limits, route, why))
                return Fail(400, why);
            r.kind = Kind::Route;
            r.routes.push_back(route);
            return r;
        }
        if (!doc.isArray() || doc.array().isEmpty())
            return Fail(400, QStringLiteral("the body is a non-empty array of routes"));
        const QJsonArray items = doc.array();
        if (items.size() > MaxRoutesPerRequest)
            return Fail(400, QStringLiteral("at most %1 routes at once").arg(MaxRoutesPerRequest));
        for (const QJsonValue &item : items) {
            Route route;
            if (!ReadRoute(item, limits, route, why))
                return Fail(400, why);
            r.routes.push_back(route);
        }
        r.kind = Kind::Routes;
        return r;
    }
    if (what == "presets" && depth == 3) {
        if (!(why = only("POST")).isEmpty())
            return Fail(405, why);
        r.preset = PathNumber(parts[3], limits.presets);
        if (r.preset < 0)
            return Fail(404, QStringLiteral("the device has presets 1 to %1").arg(limits.presets));
        if (parts[4] == "recall")
            r.kind = Kind::PresetRecall;
        else if (parts[4] == "save")
            r.kind = Kind::PresetSave;
        else
            return Fail(404, QStringLiteral("a preset is recalled or saved"));
        return r;
    }
    if (what == "locks" && depth == 2) {
        if (method != "POST" && method != "DELETE")
            return Fail(405, QStringLiteral("use POST or DELETE here"));
        r.output = PathNumber(parts[3], limits.outputs);
        if (r.output < 0)
            return Fail(404, QStringLiteral("the device has outputs 1 to %1").arg(limits.outputs));
        r.kind = method == "POST" ? Kind::Lock : Kind::Unlock;
        return r;
    }
    return Fail(404, QStringLiteral("no such resource"));
}

QByteArray ErrorBody(int status, const QString &message)
{
    return ToJson(QJsonObject{{QStringLiteral("error"), message}, {QStringLiteral("status"), status}});
}

QByteArray ToJson(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace WebApi
