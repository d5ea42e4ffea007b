#pragma once

#include <QWidget>

class FramelessChrome;
class TitleBar;
class QGridLayout;

// Base of the main window: no system frame, its own title bar with logo,
// title text and minimise, maximise and close buttons, dragging by the title
// bar and a 5-pixel resize border.
class MyFramelessWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MyFramelessWindow(QWidget *parent = nullptr);
    ~MyFramelessWindow() override;

    // Adds the widget to the content area, without margins.
    void setContent(QWidget *widget);
    void setLogo(const QString &path);
    void setTitleText(const QString &text);

    TitleBar *titleBar() const;
    QWidget *centralWidget() const;
    QWidget *contentWidget() const;
    QGridLayout *contentLayout() const;
    bool isDragging() const;
    bool maximised() const { return m_maximised; }

public Q_SLOTS:
    void SLOT_WindowMin();
    void SLOT_WindowMax();
    void SLOT_WindowClose();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    FramelessChrome *m_chrome;
    bool m_maximised = false;
};
