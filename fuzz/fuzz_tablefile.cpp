// Feeds arbitrary bytes to the reader of config.ini and of the two language
// files, as files in a scratch program folder: the first byte picks the
// file (0 to 5 config.ini, 6 the English texts, 7 the other language,
// modulo 8), the rest is its content. Every setting read then goes through the
// value rules the program applies to settings (colours, sizes, digits, the
// remembered output locks, which must read back the same once written).
// Whatever was read must survive being saved and read again unchanged.
#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/OutputLocks.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <cstdint>
#include <cstdlib>

namespace {

struct TableFile
{
    const char *path;
    const TableEntry *table;
    int count;
};

const TableFile Files[] = {
    {Paths::ConfigFile, ConfigTable, ConfigTableSize},
    {Paths::LanguageEnglishFile, LanguageTable, LanguageTableSize},
    {Paths::LanguageOtherFile, LanguageTable, LanguageTableSize},
};
constexpr size_t FileCount = sizeof Files / sizeof Files[0];
constexpr size_t ConfigSlots = 6;
constexpr size_t PickSlots = ConfigSlots + FileCount - 1;
constexpr int AnyFallback = 7;
const char ColourDefault[] = "1,2,3,4";

QStringList Values(const TableFile &file)
{
    QStringList values;
    for (int i = 0; i < file.count; ++i)
        values.append(*file.table[i].value);
    return values;
}

// Shared copies: setting a whole table costs no allocation, which keeps
// the runs quick under the sanitizers.
void SetValues(const TableFile &file, const QStringList &values)
{
    for (int i = 0; i < file.count; ++i)
        *file.table[i].value = values.at(i);
}

QStringList Defaults(const TableFile &file)
{
    RestoreTableDefaults(file.table, file.count);
    return Values(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory when the system offers it: the runs write and read files.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/fuzz_tablefile-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_tablefile-XXXXXX"));
    static const bool ready = [] {
        SetAppDirOverride(dir.path());
        return QDir().mkpath(dir.path() + QStringLiteral("/APP/ConfigFile"));
    }();
    static const QStringList defaults[FileCount] = {Defaults(Files[0]), Defaults(Files[1]), Defaults(Files[2])};
    static const QStringList unread[FileCount] = {
        QVector<QString>(Files[0].count, QStringLiteral("\x01")).toList(),
        QVector<QString>(Files[1].count, QStringLiteral("\x01")).toList(),
        QVector<QString>(Files[2].count, QStringLiteral("\x01")).toList(),
    };
    if (!ready || size < 1)
        return 0;

    // Most runs take config.ini: a run on a language file writes and reads
    // all of its 349 texts and costs several times more.
    const size_t pick = data[0] % PickSlots;
    const size_t which = pick < ConfigSlots ? 0 : pick - ConfigSlots + 1;
    const TableFile &file = Files[which];
    const QString path = AppPath(QLatin1String(file.path));
    SetValues(file, defaults[which]);
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    LoadTableFile(path);
    const QStringList read = Values(file);

    // Settings are converted by the rules of their kind; texts are shown
    // as they are.
    if (file.table == ConfigTable) {
        for (const QString &value : read) {
            (void)ColourValue(value, ColourDefault);
            (void)SizeValue(value, AnyFallback);
            (void)DigitsValue(value);
            const auto devices = OutputLocks::Decode(value);
            if (devices.size() > OutputLocks::MaxRememberedDevices
                || OutputLocks::Decode(OutputLocks::Encode(devices)) != devices)
                std::abort();
        }
        (void)WindowNameTextSize();
        (void)AuxCoordinateTextSize();
    }

    // Saved the way the program saves, then read again.
    // Every entry must come back from the file: none may keep the mark.
    ResetTableFile(path);
    WriteTableFile(path);
    SetValues(file, unread[which]);
    LoadTableFile(path);
    if (Values(file) != read)
        std::abort();
    return 0;
}
