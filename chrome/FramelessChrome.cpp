#include "chrome/FramelessChrome.h"

#include "app/AppPaths.h"
#include "chrome/BorderHitTest.h"
#include "chrome/ScreenArea.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {
constexpr int InitialX = 120;
constexpr int InitialY = 120;
constexpr int MinimumWidth = 480;
constexpr int MinimumHeight = 270;
// Initial size: 7/10 of the capped screen width by 4/10 of its height.
constexpr int InitialWidthTenths = 7;
constexpr int InitialHeightTenths = 4;
constexpr int Tenths = 10;
} // namespace

FramelessChrome::FramelessChrome(QWidget *window, TitleBar::Buttons buttons)
    : QObject(window)
    , m_window(window)
    , m_central(new QWidget(window))
    , m_titleBar(new TitleBar(buttons, m_central))
    , m_content(new QWidget(m_central))
    , m_contentLayout(new QGridLayout(m_content))
{
    m_window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);

    const QSize area = CappedScreenSize();
    m_window->resize(InitialWidthTenths * area.width() / Tenths, InitialHeightTenths * area.height() / Tenths);
    m_window->move(InitialX, InitialY);
    m_window->setMinimumSize(MinimumWidth, MinimumHeight);

    m_central->setObjectName(QStringLiteral("CentralWidget"));
    m_central->setAttribute(Qt::WA_StyledBackground);
    m_content->setObjectName(QStringLiteral("ContentWidget"));
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);

    loadTitleStyleSheet();
    relayout();
    // Resize and show events of the window reach the chrome first.
    m_window->installEventFilter(this);
}

void FramelessChrome::setContent(QWidget *widget)
{
    if (!widget)
        return;
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->addWidget(widget);
}

bool FramelessChrome::onTitleBar(const QPoint &posInWindow) const
{
    return m_titleBar->geometry().contains(m_central->mapFrom(m_window, posInWindow));
}

void FramelessChrome::mousePress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_pressPos = event->pos();
}

void FramelessChrome::mouseMove(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton) && onTitleBar(event->pos()))
        m_window->move(m_window->pos() + event->pos() - m_pressPos);
}

void FramelessChrome::mouseRelease(QMouseEvent *)
{
    m_dragging = false;
}

void FramelessChrome::relayout()
{
    const int width = m_window->width();
    const int height = m_window->height();
    m_central->setGeometry(0, 0, width, height);
    m_titleBar->setGeometry(0, 0, width, TitleBar::Height);
    m_titleBar->arrange();
    m_content->setGeometry(0, ContentTop, width, std::max(0, height - ContentTop));
}

bool FramelessChrome::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Resize:
            relayout();
            break;
        case QEvent::Show:
            relayout();
            watchNativeWindow();
            break;
        default:
            break;
        }
        return false;
    }
    if (watched == m_nativeWindow)
        return borderMouseEvent(event);
    return false;
}

void FramelessChrome::loadTitleStyleSheet()
{
    QFile file(AppPath(QLatin1String(Paths::TitleStyleSheet)));
    if (!file.exists() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    m_window->setStyleSheet(QString::fromUtf8(file.readAll()));
}

void FramelessChrome::watchNativeWindow()
{
    QWindow *native = m_window->windowHandle();
    if (!native || native == m_nativeWindow)
        return;
    if (m_nativeWindow)
        m_nativeWindow->removeEventFilter(this);
    m_nativeWindow = native;
    m_nativeWindow->installEventFilter(this);
}

bool FramelessChrome::canResize() const
{
    const bool fixedSize = m_window->minimumSize() == m_window->maximumSize();
    return !fixedSize && !m_window->isMaximized() && !m_window->isFullScreen();
}

bool FramelessChrome::borderMouseEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() != Qt::NoButton)
            return false;
        const BorderRegion region = canResize() ? HitTestBorder(mouse->pos(), m_window->size()) : BorderRegion::Inside;
        if (region == BorderRegion::Inside)
            clearBorderCursor();
        else
            showBorderCursor(BorderCursor(region));
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !canResize())
            return false;
        const BorderRegion region = HitTestBorder(mouse->pos(), m_window->size());
        if (region == BorderRegion::Inside)
            return false;
        // Where the platform cannot resize on request the press falls
        // through to the widgets as an ordinary click.
        return m_nativeWindow->startSystemResize(BorderEdges(region));
    }
    case QEvent::Leave:
        clearBorderCursor();
        return false;
    default:
        return false;
    }
}

void FramelessChrome::showBorderCursor(Qt::CursorShape shape)
{
    m_window->setCursor(shape);
    m_borderCursorShown = true;
}

void FramelessChrome::clearBorderCursor()
{
    if (!m_borderCursorShown)
        return;
    m_window->unsetCursor();
    m_borderCursorShown = false;
}
