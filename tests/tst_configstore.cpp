#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {
const QString ConfigPath = QString::fromLatin1(Paths::ConfigFile);
const QString EnglishPath = QString::fromLatin1(Paths::LanguageEnglishFile);
const QString OtherPath = QString::fromLatin1(Paths::LanguageOtherFile);

// The default config.ini: each entry of the table with its built-in value,
// a CR LF after each.
QByteArray defaultConfigLines()
{
    QByteArray bytes;
    for (const TableEntry &entry : ConfigTable)
        bytes += QByteArray(entry.key) + '=' + entry.defaultValue + "\r\n";
    return bytes;
}

QByteArray withoutLine(const QByteArray &file, int lineIndex)
{
    QList<QByteArray> lines = file.split('\n');
    lines.removeAt(lineIndex);
    return lines.join('\n');
}
} // namespace

class ConfigStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStart_writesBothFilesFromTheBuiltInTables();
    void positionalReader_data();
    void positionalReader();
    void reader_skipsLinesBeyondTheTableAndKeepsLaterEntries();
    void reader_ignoresOtherPaths();
    void save_replacesTheFileWithACompleteOrderedCopy();
    void loadSettings_languageFallbacks_data();
    void loadSettings_languageFallbacks();
    void loadSettings_skipConfigLeavesTheConfiguration();
    void digitsValue_data();
    void digitsValue();
    void colourValue_data();
    void colourValue();
    void sizeValue_data();
    void sizeValue();
};

void ConfigStoreTest::firstStart_writesBothFilesFromTheBuiltInTables()
{
    ScratchAppDir dir;
    QVERIFY(!QFile::exists(dir.file(QStringLiteral("/APP"))));

    QVERIFY(!StartupSettings());

    const QByteArray config = dir.read(ConfigPath);
    QCOMPARE(config, defaultConfigLines());
    QCOMPARE(config.count("\r\n"), ConfigTableSize);
    // The values a user of the first version finds, in their places.
    QVERIFY(config.startsWith("Key_LanguageIsEnglish=1\r\nKey_UI_Login=1\r\n"));
    for (const char *line : {"Spassword_Admin=537204\r\n", "SP_BaudRate=9600\r\nSP_DataBit=8\r\n",
                             "SP_RemoteIp=192.168.0.247\r\nSP_RemotePort=2000\r\n", "SMV_Item_WindowNameSize=60\r\n"})
        QVERIFY2(config.contains(line), line);

    const QByteArray english = dir.read(EnglishPath);
    QVERIFY(!english.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = english.split('\n');
    QCOMPARE(lines.size(), LanguageTableSize + 1); // each line ended by CR LF
    // Lines of the built-in English texts at their places, written by hand.
    QCOMPARE(lines.value(0), QByteArray("S_HighLow[0]=High\r"));
    QCOMPARE(lines.value(96), QByteArray("Ui_Login_AppName= UserLogin\r"));
    QCOMPARE(lines.value(110), QByteArray("Ui_Main_AppName= KXR\r"));
    QCOMPARE(lines.value(114), QByteArray("SMSG_CommunicationFail=Unable to communicate with device!Error Code:\r"));
    QCOMPARE(lines.value(348), QByteArray("Slabel_SecondLine=Second Line\r"));
    QCOMPARE(lines.value(LanguageTableSize), QByteArray());
    QVERIFY(!QFile::exists(dir.file(OtherPath)));

    // A second start finds config.ini and reads it.
    QVERIFY(StartupSettings());
}

void ConfigStoreTest::positionalReader_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray defaults = defaultConfigLines();
    QByteArray custom = defaults;
    custom.replace("SP_Name=COM1", "SP_Name=COM3=x");
    QTest::newRow("value holding =") << custom << "SP_Name"
                                     << "COM3=x";

    QByteArray lfOnly = custom;
    lfOnly.replace("\r\n", "\n");
    QTest::newRow("LF only") << lfOnly << "SP_Name"
                             << "COM3=x";

    QByteArray blanks = custom;
    blanks.replace("SP_BaudRate", "\r\n\n\r\nSP_BaudRate");
    blanks.replace("SP_BaudRate=9600", "SP_BaudRate=115200");
    QTest::newRow("blank lines between entries") << blanks << "SP_BaudRate"
                                                 << "115200";

    QByteArray spaces = custom;
    spaces.replace("SP_BaudRate=9600", "   \r\nSP_BaudRate=115200");
    // The line of spaces costs SP_BaudRate; its own line is then tested
    // against SP_DataBit and fails too.
    QTest::newRow("line of spaces consumes an entry") << spaces << "SP_BaudRate"
                                                      << "9600";

    QByteArray thirdMissing = withoutLine(defaults, 2);
    thirdMissing.replace("Key_UI_Login=1", "Key_UI_Login=0");
    thirdMissing.replace("SP_Name=COM1", "SP_Name=COM9");
    QTest::newRow("third line missing: first two read") << thirdMissing << "Key_UI_Login"
                                                        << "0";
    QTest::newRow("third line missing: later entries unchanged") << thirdMissing << "SP_Name"
                                                                 << "COM1";

    QByteArray reordered = defaults;
    reordered.replace("SP_DataBit=8\r\nSP_Parity=0", "SP_Parity=2\r\nSP_DataBit=7");
    reordered.replace("SP_RemotePort=2000", "SP_RemotePort=5000");
    QTest::newRow("swapped lines are not read (first)") << reordered << "SP_Parity"
                                                        << "0";
    QTest::newRow("swapped lines are not read (second)") << reordered << "SP_DataBit"
                                                         << "8";
    QTest::newRow("lines at their own position still read") << reordered << "SP_RemotePort"
                                                            << "5000";

    QByteArray noFinalBreak = defaults;
    noFinalBreak.chop(2);
    noFinalBreak.replace("TextSize=36", "TextSize=40");
    QTest::newRow("last line without a break") << noFinalBreak << "SMV_Item_AuxCoordinate_TextSize"
                                               << "40";

    QByteArray keyInside = defaults;
    keyInside.replace("SP_Name=COM1", "# SP_Name=COM4");
    QTest::newRow("key found anywhere in the line") << keyInside << "SP_Name"
                                                    << "COM4";

    QTest::newRow("empty file") << QByteArray() << "SP_Name"
                                << "COM1";
    QTest::newRow("invalid UTF-8 does not crash")
        << QByteArray("\xFF\xFE\x00garbage\r\n", 12) << "Key_LanguageIsEnglish"
        << "1";
}

void ConfigStoreTest::positionalReader()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    ScratchAppDir dir;
    dir.write(ConfigPath, file);
    LoadTableFile(AppPath(ConfigPath));

    for (const TableEntry &entry : ConfigTable) {
        if (QLatin1String(entry.key) == key) {
            QCOMPARE(*entry.value, expected);
            return;
        }
    }
    QFAIL("unknown key");
}

void ConfigStoreTest::reader_skipsLinesBeyondTheTableAndKeepsLaterEntries()
{
    ScratchAppDir dir;
    QByteArray file = defaultConfigLines();
    file.replace("SP_Name=COM1", "SP_Name=COM2");
    file += "Extra=1\r\nMore=2\r\n";
    dir.write(ConfigPath, file);
    LoadTableFile(AppPath(ConfigPath));
    QCOMPARE(SP_Name, QStringLiteral("COM2"));

    // A file that stops after ten lines leaves the rest as they were.
    SP_RemoteIp = QStringLiteral("10.1.1.1");
    const QList<QByteArray> lines = defaultConfigLines().split('\n');
    dir.write(ConfigPath, lines.mid(0, 10).join('\n') + '\n');
    LoadTableFile(AppPath(ConfigPath));
    QCOMPARE(SP_RemoteIp, QStringLiteral("10.1.1.1"));
}

void ConfigStoreTest::reader_ignoresOtherPaths()
{
    ScratchAppDir dir;
    dir.write(QStringLiteral("/APP/ConfigFile/other.ini"), "Key_LanguageIsEnglish=0\r\n");
    LoadTableFile(dir.file(QStringLiteral("/APP/ConfigFile/other.ini")));
    QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("1"));
    WriteTableFile(dir.file(QStringLiteral("/APP/ConfigFile/new.ini")));
    QVERIFY(!QFile::exists(dir.file(QStringLiteral("/APP/ConfigFile/new.ini"))));
}

void ConfigStoreTest::save_replacesTheFileWithACompleteOrderedCopy()
{
    ScratchAppDir dir;
    dir.write(ConfigPath, withoutLine(defaultConfigLines(), 2) + "junk\r\n");
    SP_RemoteIp = QStringLiteral("127.0.0.1");
    SaveAllSettings();
    QByteArray expected = defaultConfigLines();
    expected.replace("SP_RemoteIp=192.168.0.247", "SP_RemoteIp=127.0.0.1");
    QCOMPARE(dir.read(ConfigPath), expected);
}

void ConfigStoreTest::loadSettings_languageFallbacks_data()
{
    QTest::addColumn<QString>("languageValue");
    QTest::addColumn<bool>("englishExists");
    QTest::addColumn<bool>("otherExists");
    QTest::addColumn<QString>("expectedTitle");
    QTest::addColumn<QString>("expectedSelection");

    QTest::newRow("English selected") << "1" << true << true << "EN"
                                      << "1";
    QTest::newRow("other selected") << "0" << true << true << "OT"
                                    << "0";
    QTest::newRow("yes selects the other file") << "yes" << true << true << "OT"
                                                << "yes";
    QTest::newRow("other missing: English read, choice kept") << "0" << true << false << "EN"
                                                              << "0";
    QTest::newRow("English missing: other read, choice kept") << "1" << false << true << "OT"
                                                              << "1";
    QTest::newRow("both missing: built-in texts, English selected") << "0" << false << false << " KXR"
                                                                    << "1";
}

void ConfigStoreTest::loadSettings_languageFallbacks()
{
    QFETCH(QString, languageValue);
    QFETCH(bool, englishExists);
    QFETCH(bool, otherExists);
    QFETCH(QString, expectedTitle);
    QFETCH(QString, expectedSelection);

    ScratchAppDir dir;
    QByteArray config = defaultConfigLines();
    config.replace("Key_LanguageIsEnglish=1", "Key_LanguageIsEnglish=" + languageValue.toUtf8());
    dir.write(ConfigPath, config);

    // A language file that renames only the main window title (entry 111).
    auto languageFile = [](const QByteArray &title) {
        QByteArray bytes;
        for (const TableEntry &entry : LanguageTable) {
            const QByteArray value =
                qstrcmp(entry.key, "Ui_Main_AppName") == 0 ? title : QByteArray(entry.defaultValue);
            bytes += QByteArray(entry.key) + '=' + value + "\r\n";
        }
        return bytes;
    };
    if (englishExists)
        dir.write(EnglishPath, languageFile("EN"));
    if (otherExists)
        dir.write(OtherPath, languageFile("OT"));

    LoadSettings(false);
    QCOMPARE(Ui_Main_AppName, expectedTitle);
    QCOMPARE(Key_LanguageIsEnglish, expectedSelection);
}

void ConfigStoreTest::loadSettings_skipConfigLeavesTheConfiguration()
{
    ScratchAppDir dir;
    QByteArray config = defaultConfigLines();
    config.replace("SP_Name=COM1", "SP_Name=COM7");
    dir.write(ConfigPath, config);
    LoadSettings(true);
    QCOMPARE(SP_Name, QStringLiteral("COM1"));
    LoadSettings(false);
    QCOMPARE(SP_Name, QStringLiteral("COM7"));

    // Without config.ini nothing is read at all.
    QFile::remove(dir.file(ConfigPath));
    SP_Name = QStringLiteral("kept");
    LoadSettings(false);
    QCOMPARE(SP_Name, QStringLiteral("kept"));
}

void ConfigStoreTest::digitsValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("value");
    QTest::newRow("plain") << "255" << quint64(255);
    QTest::newRow("space, letter") << " 12a3" << quint64(123);
    QTest::newRow("empty") << "" << quint64(0);
    QTest::newRow("no digits") << "abc" << quint64(0);
    QTest::newRow("full-width digits are not digits") << QString::fromUtf8("１２") << quint64(0);
    QTest::newRow("very long saturates") << QString(40, QLatin1Char('9')) << quint64(UINT64_MAX);
}

void ConfigStoreTest::digitsValue()
{
    QFETCH(QString, text);
    QFETCH(quint64, value);
    QCOMPARE(DigitsValue(text), value);
}

void ConfigStoreTest::colourValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isColour");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("alpha");
    QTest::newRow("plain") << "10,20,30,40" << true << 10 << 40;
    QTest::newRow("stray characters skipped") << " 1a2,0,0,2 55" << true << 12 << 255;
    QTest::newRow("empty fields count as 0") << ",,," << true << 0 << 0;
    QTest::newRow("two commas") << "1,2,3" << false << 0 << 0;
    QTest::newRow("four commas") << "1,2,3,4,5" << false << 0 << 0;
    QTest::newRow("field of 300") << "300,0,0,255" << false << 0 << 0;
    QTest::newRow("field of 256") << "0,0,0,256" << false << 0 << 0;
    QTest::newRow("empty") << "" << false << 0 << 0;
}

void ConfigStoreTest::colourValue()
{
    QFETCH(QString, text);
    QFETCH(bool, isColour);
    QFETCH(int, red);
    QFETCH(int, alpha);

    const auto parsed = ParseColourValue(text);
    QCOMPARE(parsed.has_value(), isColour);
    const RgbaValue colour = ColourValue(text, "7,8,9,250");
    if (isColour) {
        QCOMPARE(colour.red, red);
        QCOMPARE(colour.alpha, alpha);
    } else {
        QCOMPARE(colour, (RgbaValue{7, 8, 9, 250}));
    }
}

void ConfigStoreTest::sizeValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "48" << 48;
    QTest::newRow("zero") << "0" << 60;
    QTest::newRow("negative") << "-5" << 60;
    QTest::newRow("not a number") << "big" << 60;
    QTest::newRow("trailing text") << "12px" << 60;
}

void ConfigStoreTest::sizeValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    SMV_Item_WindowNameSize = text;
    QCOMPARE(WindowNameTextSize(), value);
    SMV_Item_AuxCoordinate_TextSize = text;
    QCOMPARE(AuxCoordinateTextSize(), value == 60 ? 36 : value);
    RestoreConfigDefaults();
}

QTEST_GUILESS_MAIN(ConfigStoreTest)
#include "tst_configstore.moc"
