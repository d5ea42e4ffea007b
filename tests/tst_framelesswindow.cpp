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

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage FileIconImage(const char *relative)
{
    return IconImage(QIcon(AppPath(QLatin1String(relative))));
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

    void chromeGeometry_followsTheWindowSize_data();
    void chromeGeometry_followsTheWindowSize();
    void drag_movesOnlyFromTheTitleBar_data();
    void drag_movesOnlyFromTheTitleBar();
    void drag_endsOnRelease();
    void maximiseSlot_togglesStateAndIcon();
    void doubleClick_restoresOnlyOnTheTitleBar_data();
    void doubleClick_restoresOnlyOnTheTitleBar();
    void borderHover_showsTheResizeCursor_data();
    void borderHover_showsTheResizeCursor();
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

void TestFramelessWindow::chromeGeometry_followsTheWindowSize_data()
{
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("buttons");

    QTest::newRow("window 800x500") << false << QSize(800, 500) << 3;
    QTest::newRow("window at minimum") << false << QSize(480, 270) << 3;
    QTest::newRow("dialog 640x400") << true << QSize(640, 400) << 1;
}

void TestFramelessWindow::chromeGeometry_followsTheWindowSize()
{
    QFETCH(bool, dialog);
    QFETCH(QSize, size);
    QFETCH(int, buttons);

    const Frameless made = Make(dialog);
    made.widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(made.widget.get()));
    made.widget->resize(size);
    QTRY_COMPARE_WITH_TIMEOUT(made.widget->size(), size, 2000);

    const int width = size.width();
    QCOMPARE(made.bar->geometry(), QRect(0, 0, width, 48));
    QCOMPARE(made.bar->logoLabel()->geometry(), QRect(0, 0, 48, 48));
    QCOMPARE(made.bar->textLabel()->geometry(), QRect(48, 0, width - 48 - buttons * 48, 48));
    QCOMPARE(made.bar->closeButton()->geometry(), QRect(width - 48, 0, 48, 48));
    if (!dialog) {
        QCOMPARE(made.bar->minimiseButton()->geometry(), QRect(width - 144, 0, 48, 48));
        QCOMPARE(made.bar->maximiseButton()->geometry(), QRect(width - 96, 0, 48, 48));
    }
    QCOMPARE(made.content->geometry(), QRect(0, 49, width, size.height() - 49));
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

void TestFramelessWindow::drag_endsOnRelease()
{
    MyFramelessWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    SendMouse(&window, QEvent::MouseButtonPress, QPoint(200, 20), Qt::LeftButton, Qt::LeftButton);
    QVERIFY(window.isDragging());
    SendMouse(&window, QEvent::MouseButtonRelease, QPoint(200, 20), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!window.isDragging());
    SendMouse(&window, QEvent::MouseMove, QPoint(260, 30), Qt::NoButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(window.pos(), start);
}

void TestFramelessWindow::maximiseSlot_togglesStateAndIcon()
{
    MyFramelessWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPushButton *maximise = window.titleBar()->maximiseButton();
    QCOMPARE(IconImage(maximise->icon()), FileIconImage(Paths::TitleMaxIcon));

    window.SLOT_WindowMax();
    QVERIFY(window.maximised());
    QTRY_VERIFY_WITH_TIMEOUT(window.isMaximized(), 2000);
    QCOMPARE(IconImage(maximise->icon()), FileIconImage(Paths::TitleNormalIcon));

    QTest::mouseClick(maximise, Qt::LeftButton);
    QVERIFY(!window.maximised());
    QTRY_VERIFY_WITH_TIMEOUT(!window.isMaximized(), 2000);
    QCOMPARE(IconImage(maximise->icon()), FileIconImage(Paths::TitleMaxIcon));
}

void TestFramelessWindow::doubleClick_restoresOnlyOnTheTitleBar_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("restored");

    QTest::newRow("on the title bar") << QPoint(200, 20) << true;
    QTest::newRow("on the content") << QPoint(200, 200) << false;
}

void TestFramelessWindow::doubleClick_restoresOnlyOnTheTitleBar()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, restored);

    MyFramelessWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.SLOT_WindowMax();
    QTRY_VERIFY_WITH_TIMEOUT(window.isMaximized(), 2000);

    SendMouse(&window, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);

    QCOMPARE(window.maximised(), !restored);
    QTRY_COMPARE_WITH_TIMEOUT(window.isMaximized(), !restored, 2000);
    const char *icon = restored ? Paths::TitleMaxIcon : Paths::TitleNormalIcon;
    QCOMPARE(IconImage(window.titleBar()->maximiseButton()->icon()), FileIconImage(icon));
}

void TestFramelessWindow::borderHover_showsTheResizeCursor_data()
{
    QTest::addColumn<bool>("fixedDialog");
    QTest::addColumn<int>("fromRight");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("cursor");

    QTest::newRow("3 from right, 3 from top") << false << 3 << 3 << int(Qt::SizeBDiagCursor);
    QTest::newRow("right edge over the content") << false << 2 << 150 << int(Qt::SizeHorCursor);
    QTest::newRow("inside") << false << 100 << 150 << int(Qt::ArrowCursor);
    QTest::newRow("fixed-size dialog offers no resize") << true << 3 << 3 << int(Qt::ArrowCursor);
}

void TestFramelessWindow::borderHover_showsTheResizeCursor()
{
    QFETCH(bool, fixedDialog);
    QFETCH(int, fromRight);
    QFETCH(int, y);
    QFETCH(int, cursor);

    const Frameless made = Make(fixedDialog);
    QWidget *window = made.widget.get();
    if (fixedDialog)
        window->setFixedSize(400, 300);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // Through the native window, as the pointer arrives on screen.
    QTest::mouseMove(window->windowHandle(), QPoint(window->width() - fromRight, y));
    QCOMPARE(int(window->cursor().shape()), cursor);

    QTest::mouseMove(window->windowHandle(), QPoint(window->width() / 2, window->height() / 2));
    QCOMPARE(int(window->cursor().shape()), int(Qt::ArrowCursor));
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
