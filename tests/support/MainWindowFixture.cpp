#include "support/MainWindowFixture.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "shell/Ui_Main.h"

MainWindowFixture::MainWindowFixture(const QByteArray &configIni, bool copyResources)
{
    if (copyResources)
        m_dir.copyResources();
    if (!configIni.isNull()) {
        // As after a first start: the English file exists beside config.ini.
        SaveAllSettings();
        m_dir.write(QLatin1String(Paths::ConfigFile), configIni);
    }
    StartupSettings();
    m_window = std::make_unique<Ui_Main>();
}

MainWindowFixture::~MainWindowFixture()
{
    SavePendingAtExit = false; // the scratch directory goes anyway
    m_window.reset();
}

QByteArray MainWindowFixture::configWith(const QList<QPair<QByteArray, QByteArray>> &values)
{
    QByteArray bytes;
    for (const TableEntry &entry : ConfigTable) {
        QByteArray value = entry.defaultValue;
        for (const auto &pair : values) {
            if (pair.first == entry.key)
                value = pair.second;
        }
        bytes += QByteArray(entry.key) + '=' + value + "\r\n";
    }
    return bytes;
}
