#include "cli/EdidCommands.h"

#include "cli/CliSession.h"
#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidImage.h"

#include <QDir>
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
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *error = QStringLiteral("cannot read \"%1\": no such file").arg(path);
        return false;
    }
    bool opened = false;
    *image = EdidImageFromFile(path, &opened);
    if (!opened) {
        *error = QStringLiteral("cannot read \"%1\"").arg(path);
        return false;
    }
    const EdidCheck result = CheckEdid(reinterpret_cast<const quint8 *>(image->constData()));
    if (result != EdidCheck::Valid) {
        *error = QStringLiteral("\"%1\": %2").arg(path, EdidCheckMessage(result));
        return false;
    }
    return true;
}

bool PrepareEdidRead(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("cannot write \"%1\": it is a directory").arg(path);
        return false;
    }
    if (!info.absoluteDir().exists()) {
        *error = QStringLiteral("cannot write \"%1\": no such directory").arg(path);
        return false;
    }
    return true;
}

ExitCode RunEdidRead(CliSession &session)
{
    const CliRequest &request = session.request();
    QString error;
    if (!PrepareEdidRead(request.file, &error))
        return session.fail(ExitCode::Usage, error);
    ExitCode code = Connected(session);
    if (code == ExitCode::Ok)
        code = session.checkOutput(request.output);
    if (code != ExitCode::Ok)
        return code;

    DeviceState &device = Device();
    quint32 received = 0;
    QMetaObject::Connection shown = QObject::connect(&Events(), &DeviceEvents::SGL_Update_OutEdid, &session,
                                                     [&](unsigned int port, const QString &, unsigned int count) {
                                                         if (port == request.output - 1)
                                                             received = count;
                                                     });
    // The dispatcher asks for each following block as the one before
    // arrives; the transfer ends with the last block, an error or a timeout.
    device.edidReadBusy = 1;
    device.edidReadOffset = 0;
    code = session.run(
        QStringLiteral("EDID read"), [&] { return CMD_EdidRead(request.output - 1); },
        [&] { return device.edidReadBusy == 0; });
    QObject::disconnect(shown);
    device.edidReadBusy = 0;
    if (code != ExitCode::Ok)
        return code;
    if (received != ImageBytes)
        return session.fail(
            ExitCode::Contradiction,
            QStringLiteral("the device ended the EDID transfer after %1 of %2 bytes").arg(received).arg(ImageBytes));

    QSaveFile file(request.file);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(device.edidReadBuffer), ImageBytes) != qint64(ImageBytes)
        || !file.commit())
        return session.fail(ExitCode::Usage,
                            QStringLiteral("cannot write \"%1\": %2").arg(request.file, file.errorString()));
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
            QStringLiteral("the device ended the EDID transfer at block offset %1 without confirming it")
                .arg(device.edidWriteOffset));
    return ExitCode::Ok;
}
