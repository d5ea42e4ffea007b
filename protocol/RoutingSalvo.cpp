#include "protocol/RoutingSalvo.h"

#include "protocol/DeviceState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <cmath>

namespace {

const QLatin1String FormatName("kxr-salvo");
const QLatin1String FileSuffix(".json");
const char *const TopKeys[] = {"format", "version", "name", "device", "outputs", "inputs", "routes"};
const char *const RouteKeys[] = {"output", "input"};
// Deeper than a route's values, nothing is looked at: the walk only skips.
constexpr int RecordedDepth = 2;

int LineAt(const QByteArray &text, int offset)
{
    return int(text.left(qBound(0, offset, int(text.size()))).count('\n')) + 1;
}

// Where each value of a salvo file sits, by path ("name", "routes/2",
// "routes/2/input"), and the first key that appears twice in one object.
// The text has already passed Qt's JSON parser, so the walk trusts its
// shape and only tracks offsets.
class ValuePositions
{
public:
    explicit ValuePositions(const QByteArray &text)
        : m_text(text)
    {
        skipSpace();
        walkValue(QString(), 0);
    }

    int lineOf(const QString &path) const { return LineAt(m_text, m_offsets.value(path, 0)); }
    QString repeatedKey() const { return m_repeatedKey; }
    int repeatedKeyLine() const { return LineAt(m_text, m_repeatedAt); }

private:
    char peek() const { return m_at < m_text.size() ? m_text.at(m_at) : '\0'; }

    void skipSpace()
    {
        while (m_at < m_text.size() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_at;
    }

    // A string token, quotes included; m_at ends past it.
    QByteArray stringToken()
    {
        const int start = m_at++;
        while (m_at < m_text.size() && peek() != '"')
            m_at += peek() == '\\' ? 2 : 1;
        ++m_at;
        return m_text.mid(start, m_at - start);
    }

    static QString decodeKey(const QByteArray &token)
    {
        if (!token.contains('\\'))
            return QString::fromUtf8(token.mid(1, token.size() - 2));
        return QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
    }

    // Skips a value of any depth without recursion.
    void skipValue()
    {
        int depth = 0;
        do {
            const char c = peek();
            if (c == '"') {
                stringToken();
                continue;
            }
            if (c == '{' || c == '[')
                ++depth;
            else if (c == '}' || c == ']')
                --depth;
            else if (depth == 0 && (c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t'))
                return;
            ++m_at;
        } while (depth > 0 && m_at < m_text.size());
        // A scalar at depth 0 runs to its delimiter.
        while (m_at < m_text.size() && !QByteArray(",}] \t\r\n").contains(peek()))
            ++m_at;
    }

    void walkValue(const QString &path, int depth)
    {
        m_offsets.insert(path, m_at);
        if (depth > RecordedDepth || (peek() != '{' && peek() != '[')) {
            skipValue();
            return;
        }
        const bool object = peek() == '{';
        const char close = object ? '}' : ']';
        ++m_at;
        QSet<QString> keys;
        for (int index = 0;; ++index) {
            skipSpace();
            if (peek() == close || m_at >= m_text.size())
                break;
            QString key = QString::number(index);
            if (object) {
                const int keyAt = m_at;
                key = decodeKey(stringToken());
                if (keys.contains(key) && m_repeatedKey.isEmpty()) {
                    m_repeatedKey = key;
                    m_repeatedAt = keyAt;
                }
                keys.insert(key);
                skipSpace();
                ++m_at; // ':'
                skipSpace();
            }
            walkValue(path.isEmpty() ? key : path + QLatin1Char('/') + key, depth + 1);
            skipSpace();
            if (peek() == ',')
                ++m_at;
        }
        ++m_at;
    }

    const QByteArray &m_text;
    int m_at = 0;
    QHash<QString, int> m_offsets;
    QString m_repeatedKey;
    int m_repeatedAt = 0;
};

bool Fail(QString *error, int line, const QString &message)
{
    *error = QStringLiteral("line %1: %2").arg(line).arg(message);
    return false;
}

bool IsKnownKey(const QString &key, const char *const *keys, int count)
{
    for (int i = 0; i < count; ++i) {
        if (key == QLatin1String(keys[i]))
            return true;
    }
    return false;
}

bool WholeNumber(const QJsonValue &value, int *number)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 1e9)
        return false;
    *number = int(d);
    return true;
}

// A count of the file ("outputs", "inputs"): 1 … MaxChannel.
bool ReadCount(const QJsonValue &value, const QString &key, int line, int *count, QString *error)
{
    if (!WholeNumber(value, count) || *count < 1 || *count > SalvoLimits::MaxChannel)
        return Fail(error, line,
                    QStringLiteral("%1 must be a whole number from 1 to %2").arg(key).arg(SalvoLimits::MaxChannel));
    return true;
}

// An output or input of a route: 1 … limit (the device's count when the file
// gives it, MaxChannel otherwise).
bool ReadChannel(const QJsonValue &value, const QString &kind, int limit, int line, int *channel, QString *error)
{
    if (value.isUndefined())
        return Fail(error, line, QStringLiteral("the route has no %1").arg(kind));
    if (!WholeNumber(value, channel))
        return Fail(error, line, QStringLiteral("%1 must be a whole number").arg(kind));
    if (*channel < 1)
        return Fail(error, line,
                    QStringLiteral("%1 %2 does not exist: %1s are numbered from 1").arg(kind).arg(*channel));
    if (*channel > limit)
        return Fail(error, line, QStringLiteral("%1 %2 is past %3").arg(kind).arg(*channel).arg(limit));
    return true;
}

bool ReadRoutes(const QJsonArray &routes, const ValuePositions &where, const RoutingSalvo &salvo, QMap<int, int> *out,
                QString *error)
{
    const int inputLimit = salvo.inputCount > 0 ? salvo.inputCount : SalvoLimits::MaxChannel;
    QHash<int, int> lineOfOutput;
    for (int i = 0; i < routes.size(); ++i) {
        const QString path = QStringLiteral("routes/%1").arg(i);
        const int line = where.lineOf(path);
        if (i == SalvoLimits::MaxRoutes)
            return Fail(error, line, QStringLiteral("more than %1 routes").arg(SalvoLimits::MaxRoutes));
        if (!routes.at(i).isObject())
            return Fail(error, line, QStringLiteral("a route is an object {\"output\": …, \"input\": …}"));
        const QJsonObject route = routes.at(i).toObject();
        for (auto it = route.begin(); it != route.end(); ++it) {
            if (!IsKnownKey(it.key(), RouteKeys, int(std::size(RouteKeys))))
                return Fail(error, where.lineOf(path + QLatin1Char('/') + it.key()),
                            QStringLiteral("unknown key \"%1\" in a route").arg(it.key()));
        }
        const auto lineOfKey = [&](const char *key) {
            return route.contains(QLatin1String(key)) ? where.lineOf(path + QLatin1Char('/') + QLatin1String(key))
                                                      : line;
        };
        int output = 0;
        int input = 0;
        if (!ReadChannel(route.value(QLatin1String("output")), QStringLiteral("output"), salvo.outputCount,
                         lineOfKey("output"), &output, error)
            || !ReadChannel(route.value(QLatin1String("input")), QStringLiteral("input"), inputLimit,
                            lineOfKey("input"), &input, error))
            return false;
        if (lineOfOutput.contains(output))
            return Fail(error, lineOfKey("output"),
                        QStringLiteral("output %1 is routed twice (first on line %2)")
                            .arg(output)
                            .arg(lineOfOutput.value(output)));
        lineOfOutput.insert(output, lineOfKey("output"));
        out->insert(output, input);
    }
    return true;
}

QByteArray JsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QVector<SalvoChange> SalvoDiff(const RoutingSalvo &salvo, const QVector<int> &current)
{
    QVector<SalvoChange> changes;
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it) {
        const int output = it.key();
        if (output < 1 || output > current.size())
            continue;
        const int from = current.at(output - 1);
        if (from != it.value())
            changes.append(SalvoChange{output, from, it.value()});
    }
    return changes;
}

bool SalvoFitsDevice(const RoutingSalvo &salvo, int inputs, int outputs, QString *error)
{
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it) {
        if (it.key() > outputs) {
            *error = QStringLiteral("output %1 is past %2").arg(it.key()).arg(outputs);
            return false;
        }
        if (it.value() > inputs) {
            *error = QStringLiteral("input %1 is past %2").arg(it.value()).arg(inputs);
            return false;
        }
    }
    return true;
}

bool SalvoNameIsValid(const QString &name, QString *error)
{
    if (name.trimmed().isEmpty()) {
        *error = QStringLiteral("a salvo needs a name");
        return false;
    }
    if (name.size() > SalvoLimits::MaxNameLength) {
        *error = QStringLiteral("a salvo's name has at most %1 characters").arg(SalvoLimits::MaxNameLength);
        return false;
    }
    if (name.startsWith(QLatin1Char('.'))) {
        *error = QStringLiteral("a salvo's name does not start with \".\"");
        return false;
    }
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) {
            *error = QStringLiteral("a salvo's name holds no \"/\", \"\\\" or control character");
            return false;
        }
    }
    return true;
}

QByteArray SalvoToJson(const RoutingSalvo &salvo)
{
    QByteArray json = "{\n";
    json += "    \"format\": " + JsonString(FormatName) + ",\n";
    json += "    \"version\": " + QByteArray::number(SalvoLimits::FormatVersion) + ",\n";
    json += "    \"name\": " + JsonString(salvo.name) + ",\n";
    json += "    \"device\": " + JsonString(salvo.device) + ",\n";
    json += "    \"outputs\": " + QByteArray::number(salvo.outputCount) + ",\n";
    if (salvo.inputCount > 0)
        json += "    \"inputs\": " + QByteArray::number(salvo.inputCount) + ",\n";
    json += "    \"routes\": [";
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it) {
        json += it == salvo.routes.cbegin() ? "\n" : ",\n";
        json += "        {\"output\": " + QByteArray::number(it.key())
            + ", \"input\": " + QByteArray::number(it.value()) + '}';
    }
    json += "\n    ]\n}\n";
    return json;
}

bool SalvoFromJson(const QByteArray &json, RoutingSalvo *salvo, QString *error)
{
    if (json.size() > SalvoLimits::MaxBytes) {
        *error = QStringLiteral("a salvo file holds at most %1 KiB").arg(SalvoLimits::MaxBytes / 1024);
        return false;
    }
    if (json.trimmed().isEmpty()) {
        *error = QStringLiteral("the file is empty");
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return Fail(error, LineAt(json, parse.offset), parse.errorString());
    const ValuePositions where(json);
    if (!document.isObject())
        return Fail(error, where.lineOf(QString()), QStringLiteral("a salvo is a JSON object"));
    if (!where.repeatedKey().isEmpty())
        return Fail(error, where.repeatedKeyLine(), QStringLiteral("\"%1\" appears twice").arg(where.repeatedKey()));

    const QJsonObject top = document.object();
    for (auto it = top.begin(); it != top.end(); ++it) {
        if (!IsKnownKey(it.key(), TopKeys, int(std::size(TopKeys))))
            return Fail(error, where.lineOf(it.key()), QStringLiteral("unknown key \"%1\"").arg(it.key()));
    }
    const int topLine = where.lineOf(QString());
    const auto lineOf = [&](const char *key) {
        return top.contains(QLatin1String(key)) ? where.lineOf(QLatin1String(key)) : topLine;
    };
    for (const char *key : {"format", "version", "name", "outputs", "routes"}) {
        if (!top.contains(QLatin1String(key)))
            return Fail(error, topLine, QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
    }

    if (top.value(QLatin1String("format")).toString() != FormatName)
        return Fail(error, lineOf("format"), QStringLiteral("not a salvo: \"format\" is not \"%1\"").arg(FormatName));
    int version = 0;
    if (!WholeNumber(top.value(QLatin1String("version")), &version) || version < 1)
        return Fail(error, lineOf("version"), QStringLiteral("version must be a whole number from 1"));
    if (version > SalvoLimits::FormatVersion)
        return Fail(error, lineOf("version"),
                    QStringLiteral("version %1 is newer than this program reads (%2)")
                        .arg(version)
                        .arg(SalvoLimits::FormatVersion));

    RoutingSalvo read;
    const QJsonValue name = top.value(QLatin1String("name"));
    if (!name.isString())
        return Fail(error, lineOf("name"), QStringLiteral("name must be a text"));
    read.name = name.toString();
    QString why;
    if (!SalvoNameIsValid(read.name, &why))
        return Fail(error, lineOf("name"), why);
    const QJsonValue device = top.value(QLatin1String("device"));
    if (!device.isUndefined() && !device.isString())
        return Fail(error, lineOf("device"), QStringLiteral("device must be a text"));
    read.device = device.toString();
    if (!ReadCount(top.value(QLatin1String("outputs")), QStringLiteral("outputs"), lineOf("outputs"), &read.outputCount,
                   error))
        return false;
    if (top.contains(QLatin1String("inputs"))
        && !ReadCount(top.value(QLatin1String("inputs")), QStringLiteral("inputs"), lineOf("inputs"), &read.inputCount,
                      error))
        return false;

    const QJsonValue routes = top.value(QLatin1String("routes"));
    if (!routes.isArray())
        return Fail(error, lineOf("routes"), QStringLiteral("routes must be a list"));
    if (routes.toArray().isEmpty())
        return Fail(error, lineOf("routes"), QStringLiteral("the salvo has no routes"));
    if (!ReadRoutes(routes.toArray(), where, read, &read.routes, error))
        return false;
    *salvo = read;
    return true;
}

QVector<int> RoutingOf(const DeviceState &device)
{
    QVector<int> current;
    const quint32 outputs = qMin(device.outputCount, DeviceLimits::Channels);
    for (quint32 out = 0; out < outputs; ++out) {
        const quint32 in = device.routingAt(out);
        current.append(in < device.inputCount ? int(in) + 1 : 0);
    }
    return current;
}

RoutingSalvo SalvoOfDevice(const DeviceState &device, const QString &name, const QVector<int> &outputs)
{
    RoutingSalvo salvo;
    salvo.name = name;
    salvo.device = QStringLiteral("%1\u00D7%2").arg(device.inputCount).arg(device.outputCount);
    salvo.outputCount = int(device.outputCount);
    salvo.inputCount = int(device.inputCount);
    const QVector<int> current = RoutingOf(device);
    for (int output = 1; output <= current.size(); ++output) {
        if (current.at(output - 1) > 0 && (outputs.isEmpty() || outputs.contains(output)))
            salvo.routes.insert(output, current.at(output - 1));
    }
    return salvo;
}

bool ReadSalvoFile(const QString &path, RoutingSalvo *salvo, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(
            path, QFileInfo(path).isFile() ? file.errorString() : QStringLiteral("no such file"));
        return false;
    }
    const QByteArray bytes = file.read(SalvoLimits::MaxBytes + 1);
    QString why;
    if (!SalvoFromJson(bytes, salvo, &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    return true;
}

SalvoStore::SalvoStore(const QString &folder)
    : m_folder(folder)
{ }

QString SalvoStore::DefaultFolder()
{
    const QString folder = qEnvironmentVariable("KXR_SALVO_DIR");
    if (!folder.isEmpty())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kxr/salvos");
}

QString SalvoStore::pathOf(const QString &name) const
{
    return m_folder + QLatin1Char('/') + name + FileSuffix;
}

bool SalvoStore::contains(const QString &name) const
{
    QString why;
    return SalvoNameIsValid(name, &why) && QFileInfo(pathOf(name)).isFile();
}

QStringList SalvoStore::names() const
{
    QStringList names;
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString name = file.chopped(FileSuffix.size());
        QString why;
        if (SalvoNameIsValid(name, &why))
            names.append(name);
    }
    return names;
}

bool SalvoStore::load(const QString &name, RoutingSalvo *salvo, QString *error) const
{
    if (!contains(name)) {
        *error = QStringLiteral("there is no salvo \"%1\"").arg(name);
        return false;
    }
    if (!ReadSalvoFile(pathOf(name), salvo, error))
        return false;
    salvo->name = name; // the file's name is the salvo's name
    return true;
}

bool SalvoStore::save(const RoutingSalvo &salvo, QString *error)
{
    if (!SalvoNameIsValid(salvo.name, error))
        return false;
    if (salvo.routes.isEmpty()) {
        *error = QStringLiteral("the salvo has no routes");
        return false;
    }
    if (!QDir().mkpath(m_folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(m_folder);
        return false;
    }
    QSaveFile file(pathOf(salvo.name));
    if (!file.open(QIODevice::WriteOnly) || file.write(SalvoToJson(salvo)) < 0 || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool SalvoStore::rename(const QString &from, const QString &to, QString *error)
{
    RoutingSalvo salvo;
    if (!load(from, &salvo, error) || !SalvoNameIsValid(to, error))
        return false;
    if (to == from)
        return true;
    if (contains(to)) {
        *error = QStringLiteral("a salvo \"%1\" exists already").arg(to);
        return false;
    }
    salvo.name = to;
    if (!save(salvo, error))
        return false;
    return remove(from, error);
}

bool SalvoStore::remove(const QString &name, QString *error)
{
    if (!contains(name)) {
        *error = QStringLiteral("there is no salvo \"%1\"").arg(name);
        return false;
    }
    QFile file(pathOf(name));
    if (!file.remove()) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool SalvoStore::exportTo(const QString &name, const QString &path, QString *error) const
{
    RoutingSalvo salvo;
    if (!load(name, &salvo, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SalvoToJson(salvo)) < 0 || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool SalvoStore::importFrom(const QString &path, QString *name, QString *error)
{
    RoutingSalvo salvo;
    if (!ReadSalvoFile(path, &salvo, error))
        return false;
    if (!add(salvo, error))
        return false;
    *name = salvo.name;
    return true;
}

bool SalvoStore::add(const RoutingSalvo &salvo, QString *error)
{
    if (contains(salvo.name)) {
        *error = QStringLiteral("a salvo \"%1\" exists already: rename or delete it first").arg(salvo.name);
        return false;
    }
    return save(salvo, error);
}
