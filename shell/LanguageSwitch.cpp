#include "shell/LanguageSwitch.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"

#include <QComboBox>
#include <QFile>
#include <QSignalBlocker>

namespace {
bool englishFileExists()
{
    return QFile::exists(AppPath(QLatin1String(Paths::LanguageEnglishFile)));
}

bool otherFileExists()
{
    return QFile::exists(AppPath(QLatin1String(Paths::LanguageOtherFile)));
}
} // namespace

void FillLanguageSelector(QComboBox *selector, bool init)
{
    const QSignalBlocker blocker(selector);
    if (init) {
        selector->clear();
        if (englishFileExists())
            selector->addItem(ScomboBox_LanguageSelect[0]);
        if (otherFileExists())
            selector->addItem(ScomboBox_LanguageSelect[1]);
        selector->setCurrentIndex(selector->count() > 0 ? 0 : -1);
        return;
    }

    int count = 0;
    if (englishFileExists()) {
        selector->setItemText(0, ScomboBox_LanguageSelect[0]);
        count = 1;
    }
    if (otherFileExists()) {
        selector->setItemText(1, ScomboBox_LanguageSelect[1]);
        ++count;
    }
    if (!QFile::exists(SelectedLanguagePath()))
        return;
    if (count >= 2)
        selector->setCurrentIndex(Key_LanguageIsEnglish == QLatin1String("1") ? 0 : 1);
    else if (count == 1)
        selector->setCurrentIndex(0);
}

void SwitchLanguageTo(const QString &text)
{
    SaveAllSettings();
    if (text == ScomboBox_LanguageSelect[0])
        Key_LanguageIsEnglish = QStringLiteral("1");
    else if (text == ScomboBox_LanguageSelect[1])
        Key_LanguageIsEnglish = QStringLiteral("0");
    LoadSettings(true);
}
