#pragma once

#include <QString>

#include <optional>

// Reading and writing the configuration and language files. All of it runs
// on the GUI thread.

// Positional reader: each non-blank line is matched only against the entry at
// its own position; see the .cpp for the exact rule.
void LoadTableFile(const QString &path);
void WriteTableFile(const QString &path);
void ResetTableFile(const QString &path);

void SaveAllSettings();
// config.ini alone, for a setting that is to survive even an abrupt end.
void SaveConfigFile();
void LoadSettings(bool skipConfig);

// Loads config.ini and the selected language file, or writes both from the
// built-in defaults on a first start; then applies the application style
// sheet through the hook below. Returns whether config.ini existed.
bool StartupSettings();

// The style sheet belongs to the widget layer; start-up installs the hook.
void SetStyleSheetHook(void (*hook)());

// The language file that Key_LanguageIsEnglish selects ("1": English).
QString SelectedLanguagePath();
QString OtherLanguagePath();

// Cleared by the first window destructor that runs, which saves once.
extern bool SavePendingAtExit;

// The decimal value of the digit characters of a text; every other character
// is skipped ("x12 3" reads as 123).
quint64 DigitsValue(const QString &text);

struct RgbaValue
{
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
    bool operator==(const RgbaValue &other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
};

// "R,G,B,A" with exactly three commas and every field below 256.
std::optional<RgbaValue> ParseColourValue(const QString &text);
// The colour of a setting, or of its built-in default when it is not one.
RgbaValue ColourValue(const QString &text, const char *builtInDefault);

// A size setting read as a base-10 integer; 0 or less, or not a number,
// gives the fallback.
int SizeValue(const QString &text, int fallback);
int WindowNameTextSize();    // SMV_Item_WindowNameSize, 60 by default
int AuxCoordinateTextSize(); // SMV_Item_AuxCoordinate_TextSize, 36 by default
