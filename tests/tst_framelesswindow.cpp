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

namespace {
void SendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// The window or the dialog behind one interface, for tests that hold for both.
struct Frameless
{
    std::unique_ptr<QWidget> widget;
    TitleBar *bar = nullptr;
    QWidget *content = nullptr;
};

Frameless Make(bool dialog)
{
    Frameless made;
    if (dialog) {
        auto *window = new MyFramelessDialog;
        made.bar = window->titleBar();
        made.content = window->contentWidget();
        made.widget.reset(window);
    } else {
        auto *window = new MyFramelessWindow;
        made.bar = window->titleBar();
        made.content = window->contentWidget();
        made.widget.reset(window);
    }
    return made;
}
} // namespace

class TestFramelessWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void drag_movesOnlyFromTheTitleBar_data();
    void drag_movesOnlyFromTheTitleBar();
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

void TestFramelessWindow::drag_movesOnlyFromTheTitleBar_data()
{
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("moveTo");
    QTest::addColumn<QPoint>("shift");

    QTest::newRow("window title bar") << false << int(Qt::LeftButton) << QPoint(200, 20) << QPoint(230, 40)
                                      << QPoint(30, 20);
    QTest::newRow("window content") << false << int(Qt::LeftButton) << QPoint(200, 200) << QPoint(230, 240)
                                    << QPoint(0, 0);
    QTest::newRow("window right button") << false << int(Qt::RightButton) << QPoint(200, 20) << QPoint(230, 40)
                                         << QPoint(0, 0);
    QTest::newRow("dialog title bar") << true << int(Qt::LeftButton) << QPoint(100, 10) << QPoint(90, 30)
                                      << QPoint(-10, 20);
    QTest::newRow("dialog content") << true << int(Qt::LeftButton) << QPoint(100, 120) << QPoint(90, 140)
                                    << QPoint(0, 0);
}

void TestFramelessWindow::drag_movesOnlyFromTheTitleBar()
{
    QFETCH(bool, dialog);
    QFETCH(int, button);
    const auto mouseButton = Qt::MouseButton(button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, moveTo);
    QFETCH(QPoint, shift);

    const Frameless made = Make(dialog);
    QWidget *window = made.widget.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QPoint start = window->pos();

    SendMouse(window, QEvent::MouseButtonPress, press, mouseButton, mouseButton);
    SendMouse(window, QEvent::MouseMove, moveTo, Qt::NoButton, mouseButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->pos(), start + shift, 2000);
    SendMouse(window, QEvent::MouseButtonRelease, moveTo, mouseButton, Qt::NoButton);
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
