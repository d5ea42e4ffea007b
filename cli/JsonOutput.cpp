#include "cli/JsonOutput.h"

#include <QJsonDocument>

QByteArray JsonLine(QJsonObject object)
{
    object.insert(QStringLiteral("schema"), CliJson::Schema);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray ErrorJsonLine(ExitCode code, const QString &message)
{
    return JsonLine(
        QJsonObject{{QStringLiteral("error"),
                     QJsonObject{{QStringLiteral("status"), ExitStatus(code)}, {QStringLiteral("message"), message}}}});
}
