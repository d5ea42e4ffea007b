#include "cli/EdidDoctorCommands.h"

#include "cli/CliSession.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidDecoder.h"
#include "protocol/EdidReport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

namespace {
constexpr qint64 MaxEdidBytes = 256 * 128; // a base block and 255 extensions
constexpr quint32 ImageBytes = DeviceLimits::EdidBytes;

// The EDID of the display on an output, block by block as edid read takes
// it; the 256 bytes land in image.
ExitCode ReadFromOutput(CliSession &session, quint32 output, QByteArray *image)
{
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    if (code == ExitCode::Ok)
        code = session.checkOutput(output);
    if (code != ExitCode::Ok)
        return code;
    DeviceState &device = Device();
    quint32 received = 0;
    QMetaObject::Connection shown = QObject::connect(&Events(), &DeviceEvents::SGL_Update_OutEdid, &session,
                                                     [&](unsigned int port, const QString &, unsigned int count) {
                                                         if (port == output - 1)
                                                             received = count;
                                                     });
    device.edidReadBusy = 1;
    device.edidReadOffset = 0;
    code = session.run(
        QStringLiteral("EDID read"), [&] { return CMD_EdidRead(output - 1); },
        [&] { return device.edidReadBusy == 0; });
    QObject::disconnect(shown);
    device.edidReadBusy = 0;
    if (code != ExitCode::Ok)
        return code;
    if (received != ImageBytes)
        return session.fail(
            ExitCode::Contradiction,
            QStringLiteral("the device ended the EDID transfer after %1 of %2 bytes").arg(received).arg(ImageBytes));
    *image = QByteArray(reinterpret_cast<const char *>(device.edidReadBuffer), int(ImageBytes));
    return ExitCode::Ok;
}
} // namespace

bool EdidShowNamesOutput(const QString &argument)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(argument).hasMatch();
}

bool ReadEdidBytes(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read \"%1\": no such file").arg(path);
        return false;
    }
    *bytes = file.read(MaxEdidBytes);
    return true;
}

ExitCode RunEdidShow(CliSession &session)
{
    const CliRequest &request = session.request();
    QByteArray bytes;
    QString error;
    if (request.output > 0) {
        const ExitCode code = ReadFromOutput(session, request.output, &bytes);
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
