#include "ProcessMemory.h"

#include <QByteArray>
#include <QFile>

#include <malloc.h>

namespace {

qint64 StatusField(qint64 pid, const QByteArray &field)
{
    QFile file(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = field + ':';
    // Files under /proc report no size: read them whole, not up to atEnd().
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix)) {
            // "VmRSS:     51234 kB"
            const QList<QByteArray> parts = line.mid(prefix.size()).simplified().split(' ');
            bool ok = false;
            const qint64 kib = parts.value(0).toLongLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
}

} // namespace

qint64 ResidentKiB(qint64 pid)
{
    return StatusField(pid, "VmRSS");
}

qint64 PeakResidentKiB(qint64 pid)
{
    return StatusField(pid, "VmHWM");
}

qint64 HeapInUseKiB()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    // A sanitizer's allocator answers with zeros: unknown, not empty.
    const struct mallinfo2 info = mallinfo2();
    const size_t bytes = info.uordblks + info.hblkhd;
    return bytes > 0 ? qint64(bytes / 1024) : -1;
#else
    return -1;
#endif
}
