#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <vector>

// The JSON API of kxr-gateway's web panel, as pure functions: a request
// (method, path, body) becomes what it asks for or the error that answers
// it; nothing here touches the device, the network or a clock. Port
// numbers in requests and answers are 1-based; inside, 0-based.
namespace WebApi {

// A request body larger than this is refused (413) before it is read.
constexpr int MaxBodyBytes = 16 * 1024;
// Routes in one POST /api/routes.
constexpr int MaxRoutesPerRequest = 64;

enum class Kind { State, Route, Routes, PresetRecall, PresetSave, Lock, Unlock, Events, Error };

struct Route
{
    int output = 0; // 0-based
    int input = 0;  // 0-based
};

struct Limits
{
    int inputs = 0;
    int outputs = 0;
    int presets = 0;
};

struct Request
{
    Kind kind = Kind::Error;
    int status = 200; // the HTTP status of an error
    QString error;    // what is wrong, for Kind::Error
    std::vector<Route> routes;
    int preset = -1; // 0-based
    int output = -1; // 0-based, for locks
};

// Whether a request of this kind changes something (refused when read-only).
bool IsWrite(Kind kind);

// Reads one request. Numbers must be integers in range: a bad body is 400,
// a port or preset in the path that the device does not have is 404, a
// known path with another method 405.
Request Parse(const QByteArray &method, const QByteArray &path, const QByteArray &body, const Limits &limits);

// {"error": message, "status": status}
QByteArray ErrorBody(int status, const QString &message);
QByteArray ToJson(const QJsonObject &object);

} // namespace WebApi
