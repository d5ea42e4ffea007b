#pragma once

#include <QWidget>

class FramelessChrome;
class TitleBar;
class QGridLayout;

// Base of the login window and of every dialog: the frameless chrome with a
// close button only. A dialog of fixed size makes its window height the
// content height plus ContentTop (49).
class MyFramelessDialog : public QWidget
{
    Q_OBJECT

public:
    explicit MyFramelessDialog(QWidget *parent = nullptr);
    ~MyFramelessDialog() override;

    void setContent(QWidget *widget);
    void setLogo(const QString &path);
    void setTitleText(const QString &text);

    TitleBar *titleBar() const;
    QWidget *centralWidget() const;
    QWidget *contentWidget() const;
    QGridLayout *contentLayout() const;
    bool isDragging() const;

public Q_SLOTS:
    void SLOT_WindowClose();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    FramelessChrome *m_chrome;
};
