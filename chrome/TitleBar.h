#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The 48-pixel title bar drawn by the frameless windows and dialogs: the
// logo at the left, the title text, and the window buttons at the right.
// Its children carry the object names the title style sheet selects.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    enum class Buttons { CloseOnly, MinMaxClose };

    static constexpr int Height = 48;
    static constexpr int LogoWidth = 48;
    static constexpr int ButtonWidth = 48;

    TitleBar(Buttons buttons, QWidget *parent);

    QLabel *logoLabel() const { return m_logo; }
    QLabel *textLabel() const { return m_text; }
    QPushButton *minimiseButton() const { return m_minimise; } // null on dialogs
    QPushButton *maximiseButton() const { return m_maximise; } // null on dialogs
    QPushButton *closeButton() const { return m_close; }

    // Rewrites the picture's file (see RewrittenPicture) and shows it scaled
    // into the logo label; a missing or unreadable file leaves the current logo.
    void setLogo(const QString &path);
    void setTitleText(const QString &text);
    // NormalSize.png while the window is maximised, MaxSize.png otherwise.
    void showMaximisedIcon(bool maximised);

    // Places the children for the current width.
    void arrange();

private:
    QPushButton *makeButton(const char *objectName, const char *iconPath);
    void setButtonIcon(QPushButton *button, const char *iconPath);

    QLabel *m_logo = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_minimise = nullptr;
    QPushButton *m_maximise = nullptr;
    QPushButton *m_close = nullptr;
};
