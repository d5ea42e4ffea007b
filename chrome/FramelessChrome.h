#pragma once

#include "chrome/TitleBar.h"

#include <QObject>
#include <QPoint>

class QGridLayout;
class QMouseEvent;
class QWidget;
class QWindow;

// The chrome shared by MyFramelessWindow and MyFramelessDialog: the central
// widget with the title bar and the content area, the title style sheet,
// dragging by the title bar and the 5-pixel resize border.
//
// The border is served from the native window's mouse events, ahead of the
// child widgets, so that it also works where a button or the content reaches
// the window's edge: a press there hands the resize to the window manager, a
// move there shows the matching resize pointer.
class FramelessChrome : public QObject
{
    Q_OBJECT

public:
    static constexpr int ContentTop = TitleBar::Height + 1; // 1-pixel rule under the bar

    // Builds the chrome on the window, makes it frameless and gives it the
    // initial size, position and minimum size of every frameless window.
    FramelessChrome(QWidget *window, TitleBar::Buttons buttons);

    QWidget *centralWidget() const { return m_central; }
    TitleBar *titleBar() const { return m_titleBar; }
    QWidget *contentWidget() const { return m_content; }
    QGridLayout *contentLayout() const { return m_contentLayout; }
    bool dragging() const { return m_dragging; }
    QPoint pressPosition() const { return m_pressPos; }

    void setContent(QWidget *widget);

    // Whether a point in window coordinates lies on the title bar.
    bool onTitleBar(const QPoint &posInWindow) const;

    // Called from the window's mouse handlers.
    void mousePress(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void mouseRelease(QMouseEvent *event);

    // Places the central widget, the title bar and the content for the
    // window's current size.
    void relayout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadTitleStyleSheet();
    void watchNativeWindow();
    bool canResize() const;
    bool borderMouseEvent(QEvent *event);
    void showBorderCursor(Qt::CursorShape shape);
    void clearBorderCursor();

    QWidget *m_window;
    QWidget *m_central;
    TitleBar *m_titleBar;
    QWidget *m_content;
    QGridLayout *m_contentLayout;
    QWindow *m_nativeWindow = nullptr;
    bool m_dragging = false;
    QPoint m_pressPos;
    bool m_borderCursorShown = false;
};
