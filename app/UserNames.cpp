#include "app/UserNames.h"

#include "app/ConfigStore.h"
#include "app/LanguageTable.h"

#include <QFile>
#include <QSaveFile>

namespace {
const QByteArray LineEnd("\r\n");

const TableEntry *EntryOf(const QString *variable)
{
    for (const TableEntry &entry : LanguageTable) {
        if (entry.value == variable)
            return &entry;
    }
    return nullptr;
}
} // namespace

void ShareUserName(const QString *variable)
{
    const TableEntry *entry = EntryOf(variable);
    const QString path = OtherLanguagePath();
    QFile file(path);
    if (!entry || !file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QByteArray head = QByteArray(entry->key) + '=';
    bool found = false;
    for (QByteArray &line : lines) {
        if (!line.startsWith(head))
            continue;
        const bool crlf = line.endsWith('\r');
        line = head + variable->toUtf8() + (crlf ? QByteArray("\r") : QByteArray());
        found = true;
        break;
    }
    if (!found)
        return;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write(lines.join('\n'));
    out.commit();
}
