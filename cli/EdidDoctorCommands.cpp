#include "cli/EdidDoctorCommands.h"

#include "cli/CliSession.h"
#include "cli/EdidCommands.h"
#include "cli/InputFile.h"
#include "protocol/EdidDecoder.h"
#include "protocol/EdidReport.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

namespace {
constexpr qint64 MaxEdidBytes = 256 * 128; // a base block and 255 extensions
} // namespace

bool EdidShowNamesOutput(const QString &argument)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(argument).hasMatch();
}

bool ReadEdidBytes(const QString &path, QByteArray *bytes, QString *error)
{
    return ReadInputFile(path, MaxEdidBytes, bytes, error);
}

ExitCode RunEdidShow(CliSession &session)
{
    const CliRequest &request = session.request();
    QByteArray bytes;
    QString error;
    if (request.output > 0) {
        const ExitCode code = ReadOutputEdid(session, request.output, &bytes);
        if (code != ExitCode::Ok)
            return code;
    } else if (!ReadEdidBytes(request.file, &bytes, &error)) {
        return session.fail(ExitCode::Usage, error);
    }
    const EdidInfo info = DecodeEdid(bytes);
    QTextStream &out = session.out();
    if (request.json) {
        QJsonObject json = EdidReportJson(info);
        json.insert(QStringLiteral("source"),
                    request.output > 0 ? QStringLiteral("output %1").arg(request.output) : request.file);
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        out << (request.output > 0 ? QStringLiteral("EDID of the display on output %1").arg(request.output)
                                   : QStringLiteral("EDID file %1").arg(request.file))
            << '\n';
        for (const QString &line : EdidReportLines(info))
            out << line << '\n';
    }
    out.flush();
    return ExitCode::Ok;
}

ExitCode RunEdidCheck(CliSession &session)
{
    const CliRequest &request = session.request();
    QByteArray bytes;
    QString error;
    if (!ReadEdidBytes(request.file, &bytes, &error))
        return session.fail(ExitCode::Usage, error);
    const EdidInfo info = DecodeEdid(bytes);
    QTextStream &out = session.out();
    for (const EdidMessage &message : info.messages)
        out << EdidMessageText(message) << '\n';
    const int errors = EdidErrorCount(info);
    const int warnings = info.messages.size() - errors;
    out << QStringLiteral("%1: %2 EDID, %3 error(s), %4 warning(s)")
               .arg(request.file, errors == 0 ? QStringLiteral("valid") : QStringLiteral("invalid"))
               .arg(errors)
               .arg(warnings)
        << '\n';
    out.flush();
    // 5: the EDID contradicts the rules it claims to follow.
    return errors == 0 ? ExitCode::Ok : ExitCode::Contradiction;
}
