#pragma once

#include "chrome/MyFramelessDialog.h"

class MyUiLayout;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// True between a successful check of the user's current password and the
// entry of an acceptable new one.
extern bool PasswordChangeArmed;

// Exactly six ASCII decimal digits.
bool IsSixDigitPassword(const QString &text);

// The login window shown at start-up: one of the two accounts and its
// password open the main window; the "user" account may change its own
// password. It carries a language selector too.
class Ui_Login : public MyFramelessDialog
{
    Q_OBJECT

public:
    explicit Ui_Login(QWidget *parent = nullptr);
    ~Ui_Login() override;

    void ApplyLoginTexts(bool init);

    QComboBox *languageSelector() const { return m_languageSelector; }
    QComboBox *accountSelector() const { return m_accountSelector; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }
    QPushButton *loginButton() const { return m_loginButton; }
    QPushButton *editButton() const { return m_editButton; }

Q_SIGNALS:
    void SGL_SETUP_UI_MAIN();

public Q_SLOTS:
    void SLT_ReloadUILanguage(QString text);
    void login_JudgePassword();
    void modify_PasswordGet();

private:
    QWidget *m_content;
    QFrame *m_frame;
    QLabel *m_picture;
    QLabel *m_languageLabel;
    QLabel *m_userNameLabel;
    QLabel *m_passwordLabel;
    QComboBox *m_languageSelector;
    QComboBox *m_accountSelector;
    QLineEdit *m_passwordEdit;
    QPushButton *m_loginButton;
    QPushButton *m_editButton;
    MyUiLayout *m_layout;
};
