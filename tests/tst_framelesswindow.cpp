#include "app/AppPaths.h"
#include "chrome/MyFramelessDialog.h"
#include "chrome/MyFramelessWindow.h"
#include "chrome/ScreenArea.h"
#include "chrome/TitleBar.h"
#include "support/TestSupport.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestFramelessWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void missingFiles_leaveChromeWithoutIconsOrStyle();
    void setLogo_loadsCapitalPngWithoutRewritingIt();

private:
    std::unique_ptr<ScratchAppDir> m_dir;
};

void TestFramelessWindow::init()
{
    m_dir = std::make_unique<ScratchAppDir>();
    m_dir->copyResources();
}

void TestFramelessWindow::cleanup()
{
    m_dir.reset();
}

void TestFramelessWindow::missingFiles_leaveChromeWithoutIconsOrStyle()
{
    // A fresh directory without the run-time tree; the old one goes first, as
    // its destructor clears the directory override.
    m_dir.reset();
    m_dir = std::make_unique<ScratchAppDir>();

    MyFramelessWindow window;
    QVERIFY(window.styleSheet().isEmpty());
    QVERIFY(window.titleBar()->minimiseButton()->icon().isNull());
    QVERIFY(window.titleBar()->closeButton()->icon().isNull());
    QVERIFY(window.titleBar()->logoLabel()->pixmap(Qt::ReturnByValue).isNull());

    window.SLOT_WindowMax();
    QVERIFY(window.titleBar()->maximiseButton()->icon().isNull());
    window.setLogo(m_dir->file("/nothing.png"));
    QVERIFY(window.titleBar()->logoLabel()->pixmap(Qt::ReturnByValue).isNull());
}

void TestFramelessWindow::setLogo_loadsCapitalPngWithoutRewritingIt()
{
    const QByteArray original = m_dir->read(Paths::MainLogo) + QByteArray("junk after the image");
    m_dir->write("/APP/Image/LOGO.PNG", original);

    MyFramelessDialog dialog;
    dialog.setLogo(m_dir->file("/APP/Image/LOGO.PNG"));
    dialog.setTitleText(QStringLiteral("Login"));

    QVERIFY(!dialog.titleBar()->logoLabel()->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(m_dir->read("/APP/Image/LOGO.PNG"), original);
    QCOMPARE(dialog.titleBar()->textLabel()->text(), QStringLiteral("Login"));
}

QTEST_MAIN(TestFramelessWindow)
#include "tst_framelesswindow.moc"
