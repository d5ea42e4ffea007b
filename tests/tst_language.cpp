#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {
// A language file holds one line per text: 349 of them.
constexpr int TextLines = 349;
const QString EnglishFile = QLatin1String(Paths::LanguageEnglishFile);
const QString OtherFile = QLatin1String(Paths::LanguageOtherFile);

// A language file: every entry's key with its built-in text prefixed, or
// only the first lines of it.
QByteArray languageFile(const QByteArray &prefix, int lines = TextLines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += QByteArray(LanguageTable[i].key) + '=' + prefix + LanguageTable[i].defaultValue + "\r\n";
    return bytes;
}

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}
} // namespace

// The language selector and switch, on the login window (small, no
// services) and on the main window.
class LanguageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void partialOtherFile_keepsTheRestAndIsCompletedAtTheNextSave();
    void onlyEnglish_oneItemThatReloadsEnglish();
    void otherChosenInConfig_refreshSelectsTheSecondItem();
    void renamedSelectorItem_stillSelectsEnglish();
    void firstLineWithoutSign_costsOnlyTheFirstEntry();
    void missingOtherFile_startsInEnglishAndCreatesItAtExit();
    void loginSwitch_resetsTheAccountToAdmin();
};

void LanguageTest::partialOtherFile_keepsTheRestAndIsCompletedAtTheNextSave()
{
    ScratchAppDir dir;
    StartupSettings(); // first start: config.ini and the English file
    dir.write(OtherFile, languageFile("ZH-", 100));
    Ui_Login login;
    QCOMPARE(items(login.languageSelector()), (QStringList{"English", "中文"}));

    login.languageSelector()->setCurrentIndex(1);
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
    QCOMPARE(*LanguageTable[99].value, QStringLiteral("ZH-") + QLatin1String(LanguageTable[99].defaultValue));
    QCOMPARE(*LanguageTable[100].value, QString::fromUtf8(LanguageTable[100].defaultValue));

    SaveAllSettings();
    const QByteArray saved = dir.read(OtherFile);
    QCOMPARE(saved.count("\r\n"), TextLines);
    QVERIFY(saved.endsWith(QByteArray(LanguageTable[348].key) + '=' + LanguageTable[348].defaultValue + "\r\n"));
    SavePendingAtExit = false;
}

void LanguageTest::onlyEnglish_oneItemThatReloadsEnglish()
{
    ScratchAppDir dir;
    StartupSettings();
    dir.write(EnglishFile, languageFile("EN-"));
    Ui_Login login;
    QCOMPARE(items(login.languageSelector()), QStringList{"English"});
    // The switch first saves the language being left, from memory, so the
    // texts read back are the ones the window already showed.
    login.SLT_ReloadUILanguage(login.languageSelector()->itemText(0));
    QCOMPARE(items(login.languageSelector()), QStringList{"English"});
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("1"));
    QCOMPARE(dir.read(EnglishFile), languageFile(""));
    QCOMPARE(login.loginButton()->text(), QStringLiteral("Login"));
    SavePendingAtExit = false;
}

void LanguageTest::otherChosenInConfig_refreshSelectsTheSecondItem()
{
    MainWindowFixture fixture(MainWindowFixture::configWith({{"Key_LanguageIsEnglish", "0"}}));
    QComboBox *selector = fixture.window()->languageSelector();
    QCOMPARE(selector->currentIndex(), 0); // the build leaves the first item
    fixture.window()->ApplyMainTexts(false);
    QCOMPARE(selector->currentIndex(), 1);
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
}

void LanguageTest::renamedSelectorItem_stillSelectsEnglish()
{
    ScratchAppDir dir;
    StartupSettings();
    QByteArray english = languageFile("");
    english.replace("ScomboBox_LanguageSelect[0]=English", "ScomboBox_LanguageSelect[0]=Englisch");
    dir.write(EnglishFile, english);
    dir.write(OtherFile, languageFile("ZH-"));
    LoadSettings(false);
    Ui_Login login;
    QCOMPARE(items(login.languageSelector()), (QStringList{"Englisch", "中文"}));
    login.languageSelector()->setCurrentIndex(1); // to the other language
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
    // The other file still names English "English": the refresh uses it.
    QCOMPARE(login.languageSelector()->itemText(0), QStringLiteral("ZH-English"));
    login.languageSelector()->setCurrentIndex(0);
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("1"));
    QCOMPARE(login.languageSelector()->itemText(0), QStringLiteral("Englisch"));
    SavePendingAtExit = false;
}

void LanguageTest::firstLineWithoutSign_costsOnlyTheFirstEntry()
{
    ScratchAppDir dir;
    StartupSettings();
    QByteArray other = languageFile("ZH-");
    other.replace(0, int(qstrlen("S_HighLow[0]=")), "S_HighLow[0] ");
    dir.write(OtherFile, other);
    Ui_Login login;
    login.languageSelector()->setCurrentIndex(1);
    QCOMPARE(S_HighLow[0], QStringLiteral("High"));
    QCOMPARE(S_HighLow[1], QStringLiteral("ZH-Low"));
    QCOMPARE(SMSG_LoadMessage, QStringLiteral("ZH-Load Confirm?"));
    SavePendingAtExit = false;
}

void LanguageTest::missingOtherFile_startsInEnglishAndCreatesItAtExit()
{
    ScratchAppDir dir;
    dir.write(QLatin1String(Paths::ConfigFile), MainWindowFixture::configWith({{"Key_LanguageIsEnglish", "0"}}));
    dir.write(EnglishFile, languageFile("EN-"));
    QVERIFY(StartupSettings());
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
    QCOMPARE(SpushButton_Login, QStringLiteral("EN-Login"));
    {
        Ui_Login login; // its destructor is the save at exit
    }
    QVERIFY(!SavePendingAtExit);
    QCOMPARE(dir.read(OtherFile), languageFile("EN-"));
}

void LanguageTest::loginSwitch_resetsTheAccountToAdmin()
{
    ScratchAppDir dir;
    dir.copyResources();
    StartupSettings();
    Ui_Login login;
    login.accountSelector()->setCurrentIndex(1);
    login.languageSelector()->setCurrentIndex(1);
    QCOMPARE(login.accountSelector()->currentIndex(), 0);
    QCOMPARE(login.accountSelector()->currentText(), ScomboBox_Admin);
    QVERIFY(ScomboBox_Admin != QStringLiteral("admin"));
    SavePendingAtExit = false;
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
