#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "support/TestSupport.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>
#include <QtTest>

namespace {
// A language file holds one line per text: 373 of them.
constexpr int TextLines = 373;
const QString OtherPath = QString::fromLatin1(Paths::LanguageOtherFile);
const QByteArray LineEnd("\r\n");

// The shipped file's lines without their CR LF (the file ends with one, so
// the split leaves an empty last piece, which is dropped).
QList<QByteArray> shippedLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// Texts of the shipped file by key, as the program reads them: everything
// after the first "=".
QMap<QString, QString> shippedTexts(const QByteArray &bytes)
{
    QMap<QString, QString> texts;
    for (const QByteArray &line : shippedLines(bytes)) {
        const int sign = line.indexOf('=');
        if (sign > 0)
            texts.insert(QString::fromUtf8(line.left(sign)), QString::fromUtf8(line.mid(sign + 1)));
    }
    return texts;
}
} // namespace

class LanguageFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void builtInTable_hasUniqueKeys();

    void file_isUtf8WithCrLfLinesInTableOrder();
    void file_fixedTexts_data();
    void file_fixedTexts();

    void reader_takesEveryEntryFromTheFile();
    void save_rewritesTheFileByteForByte();

private:
    std::unique_ptr<ScratchAppDir> m_dir;
    QByteArray m_bytes;
};

void LanguageFileTest::init()
{
    m_dir = std::make_unique<ScratchAppDir>();
    m_dir->copyResources();
    m_bytes = m_dir->read(OtherPath);
    QVERIFY2(!m_bytes.isEmpty(), "language-Other.ini is not shipped");
}

void LanguageFileTest::cleanup()
{
    m_dir.reset();
}

void LanguageFileTest::builtInTable_hasUniqueKeys()
{
    QSet<QString> keys;
    for (const TableEntry &entry : LanguageTable) {
        const QString key = QString::fromLatin1(entry.key);
        QVERIFY2(!keys.contains(key), qPrintable(key));
        keys.insert(key);
    }
    QCOMPARE(keys.size(), TextLines);
}

void LanguageFileTest::file_isUtf8WithCrLfLinesInTableOrder()
{
    QVERIFY(!m_bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(m_bytes.endsWith(LineEnd));
    // Every line break is a CR LF and there are exactly as many as entries.
    QCOMPARE(m_bytes.count(LineEnd), TextLines);
    QCOMPARE(m_bytes.count('\n'), TextLines);
    QCOMPARE(m_bytes.count('\r'), TextLines);

    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(m_bytes.constData(), m_bytes.size(), &state);
    QCOMPARE(state.invalidChars, 0);

    const QList<QByteArray> lines = shippedLines(m_bytes);
    QCOMPARE(lines.size(), TextLines);
    for (int i = 0; i < TextLines; ++i) {
        const QByteArray keyAndSign = QByteArray(LanguageTable[i].key) + '=';
        QVERIFY2(lines[i].startsWith(keyAndSign), lines[i].constData());
        QVERIFY2(lines[i].size() > keyAndSign.size(), lines[i].constData());
    }
}

void LanguageFileTest::file_fixedTexts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("language label shows both") << "Slabel_Language" << QStringLiteral("Language/语言:");
    QTest::newRow("selector English") << "ScomboBox_LanguageSelect[0]" << QStringLiteral("English");
    QTest::newRow("selector Chinese") << "ScomboBox_LanguageSelect[1]" << QStringLiteral("中文");
    QTest::newRow("main title keeps its space") << "Ui_Main_AppName" << QStringLiteral(" KXR");
    QTest::newRow("login title keeps its space") << "Ui_Login_AppName" << QStringLiteral(" 用户登录");
    QTest::newRow("expand input") << "S_ExpandInputName[0]" << QStringLiteral("扩展1");
    QTest::newRow("error code follows") << "SMSG_CommunicationFail" << QStringLiteral("无法与设备通信！错误码：");
}

void LanguageFileTest::file_fixedTexts()
{
    QFETCH(QString, key);
    QFETCH(QString, text);

    const QMap<QString, QString> texts = shippedTexts(m_bytes);
    QVERIFY(texts.contains(key));
    QCOMPARE(texts.value(key), text);
}

void LanguageFileTest::reader_takesEveryEntryFromTheFile()
{
    Key_LanguageIsEnglish = QStringLiteral("0");
    QCOMPARE(SelectedLanguagePath(), AppPath(OtherPath));

    LoadTableFile(SelectedLanguagePath());

    const QMap<QString, QString> texts = shippedTexts(m_bytes);
    for (const TableEntry &entry : LanguageTable)
        QCOMPARE(*entry.value, texts.value(QString::fromLatin1(entry.key)));
    QCOMPARE(S_InputName[15], QStringLiteral("输入16"));
    QCOMPARE(Slabel_SecondLine, QStringLiteral("第二行"));
}

void LanguageFileTest::save_rewritesTheFileByteForByte()
{
    // Every language switch and every exit rewrites the selected file from
    // memory; the shipped file must survive that unchanged.
    const QString path = AppPath(OtherPath);
    LoadTableFile(path);
    ResetTableFile(path);
    WriteTableFile(path);
    QCOMPARE(m_dir->read(OtherPath), m_bytes);
}

QTEST_GUILESS_MAIN(LanguageFileTest)
#include "tst_languagefile.moc"
