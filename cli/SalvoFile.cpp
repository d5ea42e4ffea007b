#include "cli/SalvoFile.h"

#include "protocol/DeviceState.h"

#include <QRegularExpression>
#include <QStringList>

#include <climits>

namespace {

constexpr int Decimal = 10;

const char *const StatusKeywords[] = {"device", "audio", "input", "output", "wall", "cell"};

bool IsStatusLine(const QString &word)
{
    for (const char *keyword : StatusKeywords) {
        if (word == QLatin1String(keyword))
            return true;
    }
    return false;
}

bool ReadPair(const QString &input, const QString &output, RoutePair *pair, QString *error)
{
    if (!ReadChannelNumber(input, QStringLiteral("input"), &pair->input, error))
        return false;
    if (output == QLatin1String("all")) {
        pair->all = true;
        return true;
    }
    return ReadChannelNumber(output, QStringLiteral("output"), &pair->output, error);
}

} // namespace

bool ReadChannelNumber(const QString &text, const QString &kind, quint32 *channel, QString *error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(text).hasMatch()) {
        *error = QStringLiteral("\"%1\" is not an %2 number").arg(text, kind);
        return false;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, Decimal);
    if (ok && value == 0) {
        *error = QStringLiteral("%1 0 does not exist: %1s are numbered from 1").arg(kind);
        return false;
    }
    if (!ok || value > DeviceLimits::Channels) {
        *error = QStringLiteral("%1 %2 is out of range: a device has at most %3 %1s")
                     .arg(kind, text)
                     .arg(DeviceLimits::Channels);
        return false;
    }
    *channel = quint32(value);
    return true;
}

bool ParseSalvo(const QByteArray &text, QVector<RoutePair> *routes, QString *error)
{
    if (text.size() > Salvo::MaxBytes) {
        *error = QStringLiteral("the salvo is larger than %1 bytes").arg(Salvo::MaxBytes);
        return false;
    }
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QList<QByteArray> lines = text.split('\n');
    routes->clear();
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines.at(n);
        const int hash = line.indexOf('#');
        if (hash >= 0)
            line.truncate(hash);
        QStringList words = QString::fromUtf8(line).split(space, Qt::SkipEmptyParts);
        if (words.isEmpty() || IsStatusLine(words.first()))
            continue;
        if (words.first() == QLatin1String("route"))
            words.removeFirst();
        RoutePair pair;
        QString why;
        if (words.size() != 2)
            why = QStringLiteral("expected \"IN OUT\"");
        else
            ReadPair(words.at(0), words.at(1), &pair, &why);
        if (!why.isEmpty()) {
            *error = QStringLiteral("line %1: %2").arg(n + 1).arg(why);
            return false;
        }
        if (routes->size() >= Salvo::MaxRoutes) {
            *error = QStringLiteral("line %1: a salvo holds at most %2 routes").arg(n + 1).arg(Salvo::MaxRoutes);
            return false;
        }
        routes->append(pair);
    }
    if (routes->isEmpty()) {
        *error = QStringLiteral("the salvo holds no route");
        return false;
    }
    return true;
}
