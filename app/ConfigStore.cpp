#include "app/ConfigStore.h"

#include "app/AppPaths.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

bool SavePendingAtExit = true;

namespace {

void (*styleSheetHook)() = nullptr;

struct TableRef
{
    const TableEntry *entries = nullptr;
    int count = 0;
};

// The path names its table: config.ini the configuration, either language
// file the texts; any other path names none.
TableRef tableForPath(const QString &path)
{
    if (path == AppPath(QLatin1String(Paths::ConfigFile)))
        return {ConfigTable, ConfigTableSize};
    if (path == AppPath(QLatin1String(Paths::LanguageEnglishFile))
        || path == AppPath(QLatin1String(Paths::LanguageOtherFile)))
        return {LanguageTable, LanguageTableSize};
    return {};
}

QString stripLineEnd(const QString &text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        return text.left(text.size() - 2);
    if (text.endsWith(QLatin1Char('\n')))
        return text.left(text.size() - 1);
    return text;
}

} // namespace

void SetStyleSheetHook(void (*hook)())
{
    styleSheetHook = hook;
}

QString SelectedLanguagePath()
{
    return AppPath(QLatin1String(Key_LanguageIsEnglish == QLatin1String("1") ? Paths::LanguageEnglishFile
                                                                             : Paths::LanguageOtherFile));
}

QString OtherLanguagePath()
{
    return AppPath(QLatin1String(Key_LanguageIsEnglish == QLatin1String("1") ? Paths::LanguageOtherFile
                                                                             : Paths::LanguageEnglishFile));
}

void LoadTableFile(const QString &path)
{
    const TableRef table = tableForPath(path);
    if (!table.entries)
        return;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;

    int i = 0;
    while (i < table.count && !file.atEnd()) {
        // Each raw line, terminator included, is decoded on its own.
        const QString line = QString::fromUtf8(file.readLine());
        const QString keyAndSign = QString::fromLatin1(table.entries[i].key) + QLatin1Char('=');
        if (line.contains(keyAndSign)) {
            *table.entries[i].value = stripLineEnd(line.mid(line.indexOf(QLatin1Char('=')) + 1));
            ++i;
        } else if (line == QLatin1String("\r\n") || line == QLatin1String("\n")) {
            continue;
        } else {
            // A line that does not hold its entry costs the entry.
            ++i;
        }
    }
}

void WriteTableFile(const QString &path)
{
    const TableRef table = tableForPath(path);
    if (!table.entries)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out.setGenerateByteOrderMark(false);
    for (int i = 0; i < table.count; ++i)
        out << table.entries[i].key << '=' << *table.entries[i].value << "\r\n";
}

void ResetTableFile(const QString &path)
{
    QFile file(path);
    if (file.exists()) {
        file.remove();
        return;
    }
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !QDir().mkpath(path.left(slash)))
        return;
    if (file.open(QIODevice::WriteOnly))
        file.close();
}

void SaveConfigFile()
{
    const QString config = AppPath(QLatin1String(Paths::ConfigFile));
    ResetTableFile(config);
    WriteTableFile(config);
}

void SaveAllSettings()
{
    SaveConfigFile();
    const QString language = SelectedLanguagePath();
    ResetTableFile(language);
    WriteTableFile(language);
}

void LoadSettings(bool skipConfig)
{
    const QString config = AppPath(QLatin1String(Paths::ConfigFile));
    if (!QFile::exists(config))
        return;
    if (!skipConfig)
        LoadTableFile(config);

    const QString selected = SelectedLanguagePath();
    if (QFile::exists(selected)) {
        LoadTableFile(selected);
        return;
    }
    const QString other = OtherLanguagePath();
    if (QFile::exists(other)) {
        LoadTableFile(other);
        return;
    }
    Key_LanguageIsEnglish = QStringLiteral("1");
}

bool StartupSettings()
{
    const bool existed = QFile::exists(AppPath(QLatin1String(Paths::ConfigFile)));
    if (existed)
        LoadSettings(false);
    else
        SaveAllSettings();
    if (styleSheetHook)
        styleSheetHook();
    return existed;
}

quint64 DigitsValue(const QString &text)
{
    quint64 value = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            // Saturate rather than wrap: a long run of digits is simply "too big".
            if (value > (UINT64_MAX - 9) / 10)
                return UINT64_MAX;
            value = value * 10 + quint64(c.unicode() - '0');
        }
    }
    return value;
}

std::optional<RgbaValue> ParseColourValue(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;
    int parts[4];
    for (int i = 0; i < 4; ++i) {
        const quint64 value = DigitsValue(fields.at(i));
        if (value >= 256)
            return std::nullopt;
        parts[i] = int(value);
    }
    return RgbaValue{parts[0], parts[1], parts[2], parts[3]};
}

RgbaValue ColourValue(const QString &text, const char *builtInDefault)
{
    if (const auto colour = ParseColourValue(text))
        return *colour;
    return ParseColourValue(QString::fromLatin1(builtInDefault)).value_or(RgbaValue{});
}

int SizeValue(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? value : fallback;
}

int WindowNameTextSize()
{
    return SizeValue(SMV_Item_WindowNameSize, 60);
}

int AuxCoordinateTextSize()
{
    return SizeValue(SMV_Item_AuxCoordinate_TextSize, 36);
}
