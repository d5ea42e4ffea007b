#include "app/AppPaths.h"
#include "chrome/MyFramelessWindow.h"
#include "protocol/EdidDecoder.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {
// Style sheet warnings are the only sign of a rule Qt could not parse.
QStringList g_warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings.append(text);
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void everyPngInTheTree_loads();
    void edidSample_isValid_data();
    void edidSample_isValid();
    void styleSheets_parseWithoutWarnings();

private:
    std::unique_ptr<ScratchAppDir> m_dir;
};

void TestResources::initTestCase()
{
    m_dir = std::make_unique<ScratchAppDir>();
    m_dir->copyResources();
}

void TestResources::everyPngInTheTree_loads()
{
    int count = 0;
    QDirIterator it(m_dir->path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        ++count;
    }
    QVERIFY(count >= 11);
}

void TestResources::edidSample_isValid_data()
{
    QTest::addColumn<QString>("file");
    const QDir folder(AppPath(QLatin1String(Paths::UserEdidFolder)));
    const QStringList files = folder.entryList({QStringLiteral("*.bin")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

void TestResources::edidSample_isValid()
{
    QFETCH(QString, file);

    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray edid = in.readAll();

    // The samples are what an installer writes first: whole, valid, and
    // named as the project's own.
    const EdidInfo info = DecodeEdid(edid);
    QCOMPARE(info.size, 256);
    QVERIFY2(EdidIsValid(info), qPrintable(file));
    QCOMPARE(info.extensionTags, QList<quint8>{0x02});
    QVERIFY(!info.base.detailedTimings.isEmpty());
    QVERIFY(info.base.monitorName.startsWith(QLatin1String("KXR-")));
}

void TestResources::styleSheets_parseWithoutWarnings()
{
    QFile application(AppPath(QLatin1String(Paths::AppStyleSheet)));
    QVERIFY(application.open(QIODevice::ReadOnly));
    const QByteArray text = application.readAll();
    // Start-up decodes the file as Latin-1.
    for (char c : text)
        QVERIFY(quint8(c) < 0x80);

    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    qApp->setStyleSheet(QString::fromLatin1(text));
    {
        MyFramelessWindow window; // applies the title style sheet to itself
        auto *tabs = new QTabWidget;
        auto *page = new QWidget;
        tabs->addTab(page, QStringLiteral("Matrix"));
        auto *flat = new QPushButton(QStringLiteral("OUT1"), page);
        flat->setFlat(true);
        new QComboBox(page);
        new QTreeWidget(page);
        window.setContent(tabs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.grab();
        QVERIFY(!window.styleSheet().isEmpty());
    }
    qApp->setStyleSheet(QString());
    qInstallMessageHandler(previous);

    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
