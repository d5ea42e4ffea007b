#include "chrome/MyFramelessWindow.h"

#include "chrome/FramelessChrome.h"
#include "chrome/TitleBar.h"

#include <QMouseEvent>
#include <QPushButton>

MyFramelessWindow::MyFramelessWindow(QWidget *parent)
    : QWidget(parent)
    , m_chrome(new FramelessChrome(this, TitleBar::Buttons::MinMaxClose))
{
    TitleBar *bar = m_chrome->titleBar();
    connect(bar->minimiseButton(), &QPushButton::clicked, this, &MyFramelessWindow::SLOT_WindowMin);
    connect(bar->maximiseButton(), &QPushButton::clicked, this, &MyFramelessWindow::SLOT_WindowMax);
    connect(bar->closeButton(), &QPushButton::clicked, this, &MyFramelessWindow::SLOT_WindowClose);
}

MyFramelessWindow::~MyFramelessWindow() = default;

void MyFramelessWindow::setContent(QWidget *widget)
{
    m_chrome->setContent(widget);
}

void MyFramelessWindow::setLogo(const QString &path)
{
    m_chrome->titleBar()->setLogo(path);
}

void MyFramelessWindow::setTitleText(const QString &text)
{
    m_chrome->titleBar()->setTitleText(text);
    // The window list and the taskbar show the same title, not the
    // executable's name; the title texts carry a leading space for the bar.
    setWindowTitle(text.trimmed());
}

TitleBar *MyFramelessWindow::titleBar() const
{
    return m_chrome->titleBar();
}

QWidget *MyFramelessWindow::centralWidget() const
{
    return m_chrome->centralWidget();
}

QWidget *MyFramelessWindow::contentWidget() const
{
    return m_chrome->contentWidget();
}

QGridLayout *MyFramelessWindow::contentLayout() const
{
    return m_chrome->contentLayout();
}

bool MyFramelessWindow::isDragging() const
{
    return m_chrome->dragging();
}

void MyFramelessWindow::SLOT_WindowMin()
{
    showMinimized();
}

void MyFramelessWindow::SLOT_WindowMax()
{
    m_maximised = !m_maximised;
    m_chrome->titleBar()->showMaximisedIcon(m_maximised);
    if (m_maximised)
        showMaximized();
    else
        showNormal();
}

void MyFramelessWindow::SLOT_WindowClose()
{
    close();
}

void MyFramelessWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_chrome->onTitleBar(event->pos())) {
        showNormal();
        m_chrome->titleBar()->showMaximisedIcon(false);
        m_maximised = false;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void MyFramelessWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_chrome->mouseMove(event);
    QWidget::mouseMoveEvent(event);
}

void MyFramelessWindow::mousePressEvent(QMouseEvent *event)
{
    m_chrome->mousePress(event);
    QWidget::mousePressEvent(event);
}

void MyFramelessWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_chrome->mouseRelease(event);
    QWidget::mouseReleaseEvent(event);
}

bool MyFramelessWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    // The resize border is served by the chrome from the window's mouse
    // events on every platform, so no native message is taken over here.
    return QWidget::nativeEvent(eventType, message, result);
}
