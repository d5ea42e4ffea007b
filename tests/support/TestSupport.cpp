#include "support/TestSupport.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/ImageFiles.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/ModuleDiscovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#ifndef KXR_SOURCE_DIR
#define KXR_SOURCE_DIR ""
#endif

ScratchAppDir::ScratchAppDir()
    : m_dir(std::make_unique<QTemporaryDir>())
{
    SetAppDirOverride(m_dir->path());
    ResetProcessState();
}

ScratchAppDir::~ScratchAppDir()
{
    SetAppDirOverride(QString());
    ResetProcessState();
}

QString ScratchAppDir::path() const
{
    return m_dir->path();
}

QString ScratchAppDir::file(const QString &relative) const
{
    return m_dir->path() + relative;
}

void ScratchAppDir::write(const QString &relative, const QByteArray &bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile out(full);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
}

QByteArray ScratchAppDir::read(const QString &relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void ScratchAppDir::copyResources() const
{
    const QString source = QStringLiteral(KXR_SOURCE_DIR "/resources");
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = from.mid(source.size());
        QDir().mkpath(QFileInfo(file(relative)).absolutePath());
        QFile::remove(file(relative));
        QFile::copy(from, file(relative));
        QFile::setPermissions(file(relative), QFile::ReadOwner | QFile::WriteOwner);
    }
}

void ResetProcessState()
{
    // A picture still being rewritten must not outlive the scratch folder.
    WaitForPictures();
    RestoreConfigDefaults();
    RestoreLanguageDefaults();
    SavePendingAtExit = true;
    ActiveTransport = TransportNone;
    ChannelClear(SerialChannel);
    ChannelClear(TcpChannel);
    ChannelClear(UdpChannel);
    for (CommandChannel *channel : {&SerialChannel, &TcpChannel, &UdpChannel})
        channel->assembler = StreamAssemblerState();
    ClearDeviceStateForTests();
    Modules().startList(false);
}

void RunEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    // As QTest::qWait does: what was deleted later while it ran goes now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
