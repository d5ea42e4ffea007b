#include "cli/EdidCommands.h"

#include "cli/CliSession.h"
#include "cli/InputFile.h"
#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidImage.h"

#include <QDir>
#include <QJsonObject>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace {

constexpr quint32 ImageBytes = DeviceLimits::EdidBytes;

ExitCode Connected(CliSession &session)
{
    ExitCode code = session.openDevice();
    if (code == ExitCode::Ok)
        code = session.identify();
    return code;
}

} // namespace

bool PrepareEdidWrite(const QString &path, QByteArray *image, QString *error)
{
    QByteArray bytes;
    if (!ReadInputFile(path, ImageBytes, &bytes, error))
        return false;
    *image = EdidImageFromBytes(bytes);
    const EdidCheck result = CheckEdid(reinterpret_cast<const quint8 *>(image->constData()));
    if (result != EdidCheck::Valid) {
        *error = QStringLiteral("\"%1\": %2").arg(path, EdidCheckMessage(result));
        return false;
    }
    return true;
}

bool PrepareEdidRead(const QString &path, QString *error)
{
    return CheckOutputFile(path, error);
}

ExitCode ReadOutputEdid(CliSession &session, quint32 output, QByteArray *image)
{
    ExitCode code = Connected(session);
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
    // The dispatcher asks for each following block as the one before
    // arrives; the transfer ends with the last block, an error or a timeout.
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

ExitCode RunEdidRead(CliSession &session)
{
    const CliRequest &request = session.request();
    QString error;
    if (!PrepareEdidRead(request.file, &error))
        return session.fail(ExitCode::Usage, error);
    QByteArray bytes;
    const ExitCode code = ReadOutputEdid(session, request.output, &bytes);
    if (code != ExitCode::Ok)
        return code;
    if (request.file == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
            return session.fail(ExitCode::Usage, QStringLiteral("cannot write to standard output"));
        return ExitCode::Ok;
    }
    const QJsonObject done{{QStringLiteral("edid"),
                            QJsonObject{{QStringLiteral("output"), int(request.output)},
                                        {QStringLiteral("bytes"), int(ImageBytes)},
                                        {QStringLiteral("file"), request.file}}}};
    QSaveFile file(request.file);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return session.fail(ExitCode::Usage,
                            QStringLiteral("cannot write \"%1\": %2").arg(request.file, file.errorString()));
    session.printResult(QString(), done);
    return ExitCode::Ok;
}

ExitCode RunEdidWrite(CliSession &session)
{
    const CliRequest &request = session.request();
    QByteArray image;
    QString error;
    // A file that fails the check is never sent.
    if (!PrepareEdidWrite(request.file, &image, &error))
        return session.fail(ExitCode::Usage, error);
    ExitCode code = Connected(session);
    if (code == ExitCode::Ok)
        code = session.checkInput(request.input);
    if (code != ExitCode::Ok)
        return code;

    DeviceState &device = Device();
    bool written = false;
    QMetaObject::Connection message =
        QObject::connect(&Events(), &DeviceEvents::SGL_Update_EdidMessage, &session,
                         [&](const QString &text) { written = text == SMSG_EdidWriteOk; });
    std::memcpy(device.edidWriteBuffer, image.constData(), ImageBytes);
    device.edidWriteBusy = 1;
    device.edidWriteOffset = 0;
    code = session.run(
        QStringLiteral("EDID write"), [&] { return CMD_EdidWrite(request.input - 1, device.edidWriteBuffer); },
        [&] { return device.edidWriteBusy == 0; });
    QObject::disconnect(message);
    device.edidWriteBusy = 0;
    if (code != ExitCode::Ok)
        return code;
    if (!written)
        return session.fail(
            ExitCode::Contradiction,
            QStringLiteral("the device ended the EDID transfer at block offset 0x%1 without confirming it")
                .arg(QString::number(device.edidWriteOffset, 16).rightJustified(2, QLatin1Char('0')).toUpper()));
    session.printResult(QString(),
                        QJsonObject{{QStringLiteral("edid"),
                                     QJsonObject{{QStringLiteral("input"), int(request.input)},
                                                 {QStringLiteral("bytes"), int(ImageBytes)}}}});
    return ExitCode::Ok;
}
