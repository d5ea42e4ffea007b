#include "tools/devsim/SimTraffic.h"

#include <QDateTime>

QString SimLinkName(SimLink link)
{
    switch (link) {
    case SimLink::Tcp:
        return QStringLiteral("tcp");
    case SimLink::Pty:
        return QStringLiteral("pty");
    case SimLink::Udp:
        return QStringLiteral("udp");
    }
    return QString();
}

QString SimTrafficLine(const SimTrafficEntry &entry)
{
    QString line =
        QStringLiteral("%1 %2 %3 %4 %5")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz")), SimLinkName(entry.link),
                 entry.peer, entry.direction == SimDirection::In ? QStringLiteral("<-") : QStringLiteral("->"),
                 QString::fromLatin1(entry.bytes.toHex(' ').toUpper()));
    if (!entry.note.isEmpty())
        line += QStringLiteral(" (%1)").arg(entry.note);
    return line;
}
