#include "chrome/MyFramelessDialog.h"

#include "chrome/FramelessChrome.h"
#include "chrome/TitleBar.h"

#include <QMouseEvent>
#include <QPushButton>

MyFramelessDialog::MyFramelessDialog(QWidget *parent)
    : QWidget(parent)
    , m_chrome(new FramelessChrome(this, TitleBar::Buttons::CloseOnly))
{
    connect(m_chrome->titleBar()->closeButton(), &QPushButton::clicked, this, &MyFramelessDialog::SLOT_WindowClose);
}

MyFramelessDialog::~MyFramelessDialog() = default;

void MyFramelessDialog::setContent(QWidget *widget)
{
    m_chrome->setContent(widget);
}

void MyFramelessDialog::setLogo(const QString &path)
{
    m_chrome->titleBar()->setLogo(path);
}

void MyFramelessDialog::setTitleText(const QString &text)
{
    m_chrome->titleBar()->setTitleText(text);
    // The window list and the taskbar show the same title, not the
    // executable's name; the title texts carry a leading space for the bar.
    setWindowTitle(text.trimmed());
}

TitleBar *MyFramelessDialog::titleBar() const
{
    return m_chrome->titleBar();
}

QWidget *MyFramelessDialog::centralWidget() const
{
    return m_chrome->centralWidget();
}

QWidget *MyFramelessDialog::contentWidget() const
{
    return m_chrome->contentWidget();
}

QGridLayout *MyFramelessDialog::contentLayout() const
{
    return m_chrome->contentLayout();
}

bool MyFramelessDialog::isDragging() const
{
    return m_chrome->dragging();
}

void MyFramelessDialog::SLOT_WindowClose()
{
    close();
}

void MyFramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_chrome->mouseMove(event);
    QWidget::mouseMoveEvent(event);
}

void MyFramelessDialog::mousePressEvent(QMouseEvent *event)
{
    m_chrome->mousePress(event);
    QWidget::mousePressEvent(event);
}

void MyFramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_chrome->mouseRelease(event);
    QWidget::mouseReleaseEvent(event);
}

bool MyFramelessDialog::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    // See MyFramelessWindow::nativeEvent: the border needs no native message.
    return QWidget::nativeEvent(eventType, message, result);
}
