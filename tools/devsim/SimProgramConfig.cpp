#include "tools/devsim/SimProgramConfig.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"

#include <QFile>

bool WriteProgramConfig(const QString &appDir, quint16 tcpPort, const QString &serialPort)
{
    SetAppDirOverride(appDir);
    LoadSettings(false);
    SP_RemoteIp = QStringLiteral("127.0.0.1");
    SP_RemotePort = QString::number(tcpPort);
    SP_RemoteSubmask = QStringLiteral("255.0.0.0");
    SP_RemoteGateway = QStringLiteral("127.0.0.1");
    if (!serialPort.isEmpty())
        SP_Name = serialPort;
    SaveAllSettings();
    const bool written = QFile::exists(AppPath(QLatin1String(Paths::ConfigFile)));
    SetAppDirOverride(QString());
    return written;
}
