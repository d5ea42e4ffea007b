#include "shell/Ui_Login.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/FramelessChrome.h"
#include "chrome/ImageFiles.h"
#include "chrome/MessageBox.h"
#include "chrome/MyUiLayout.h"
#include "chrome/ScreenArea.h"
#include "shell/LanguageSwitch.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

bool PasswordChangeArmed = false;

namespace {
constexpr int ContentWidth = 420;
constexpr int ContentHeight = 362;
constexpr int PictureX = 30;
constexpr int PictureY = 16;
constexpr int PictureWidth = 360;
constexpr int PictureHeight = 140;
constexpr int LabelX = 40;
constexpr int LabelWidth = 104;
constexpr int FieldWidth = 232;
constexpr int RowHeight = 30;
constexpr int RowGap = 10;
constexpr int FirstRowY = 176;
constexpr int ButtonWidth = 110;
constexpr int ButtonHeight = 34;
constexpr int PasswordLength = 6;

enum Account { Admin = 0, User = 1 };
} // namespace

bool IsSixDigitPassword(const QString &text)
{
    if (text.size() != PasswordLength)
        return false;
    const QByteArray bytes = text.toUtf8();
    for (const char c : bytes) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

Ui_Login::Ui_Login(QWidget *parent)
    : MyFramelessDialog(parent)
    , m_content(new QWidget)
    , m_frame(new QFrame(m_content))
    , m_picture(new QLabel(m_content))
    , m_languageLabel(new QLabel(m_content))
    , m_userNameLabel(new QLabel(m_content))
    , m_passwordLabel(new QLabel(m_content))
    , m_languageSelector(new QComboBox(m_content))
    , m_accountSelector(new QComboBox(m_content))
    , m_passwordEdit(new QLineEdit(m_content))
    , m_loginButton(new QPushButton(m_content))
    , m_editButton(new QPushButton(m_content))
    , m_layout(new MyUiLayout(m_content))
{
    m_content->setObjectName(QStringLiteral("LoginContent"));
    m_content->resize(ContentWidth, ContentHeight);
    m_frame->setObjectName(QStringLiteral("LoginFrame"));
    m_layout->hide();
    setContent(m_content);

    MyUiLayout::place(m_frame, nullptr, MyUiLayout::Absolute, 0, 0, ContentWidth, ContentHeight);
    MyUiLayout::place(m_picture, nullptr, MyUiLayout::Absolute, PictureX, PictureY, PictureWidth, PictureHeight);
    MyUiLayout::place(m_languageLabel, nullptr, MyUiLayout::Absolute, LabelX, FirstRowY, LabelWidth, RowHeight);
    MyUiLayout::place(m_userNameLabel, m_languageLabel, MyUiLayout::LeftAlignedBelow, 0, RowGap, LabelWidth, RowHeight);
    MyUiLayout::place(m_passwordLabel, m_userNameLabel, MyUiLayout::LeftAlignedBelow, 0, RowGap, LabelWidth, RowHeight);
    MyUiLayout::place(m_languageSelector, m_languageLabel, MyUiLayout::RightTopAligned, 0, 0, FieldWidth, RowHeight);
    MyUiLayout::place(m_accountSelector, m_userNameLabel, MyUiLayout::RightTopAligned, 0, 0, FieldWidth, RowHeight);
    MyUiLayout::place(m_passwordEdit, m_passwordLabel, MyUiLayout::RightTopAligned, 0, 0, FieldWidth, RowHeight);
    MyUiLayout::place(m_loginButton, m_passwordEdit, MyUiLayout::LeftAlignedBelow, 0, 2 * RowGap, ButtonWidth,
                      ButtonHeight);
    MyUiLayout::place(m_editButton, m_loginButton, MyUiLayout::RightTopAligned, FieldWidth - 2 * ButtonWidth, 0,
                      ButtonWidth, ButtonHeight);

    const QString picture = AppPath(QLatin1String(Paths::LoginPicture));
    m_picture->setScaledContents(true);
    m_picture->setPixmap(RewrittenPicture(picture));

    ApplyLoginTexts(true);

    connect(m_languageSelector, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (index >= 0)
            SLT_ReloadUILanguage(m_languageSelector->itemText(index));
    });
    // The operator types the password first: the window opens in its field
    // (Enter logs in), and Tab goes on to the buttons, then the choices.
    QWidget::setTabOrder(m_passwordEdit, m_loginButton);
    QWidget::setTabOrder(m_loginButton, m_editButton);
    QWidget::setTabOrder(m_editButton, m_languageSelector);
    QWidget::setTabOrder(m_languageSelector, m_accountSelector);
    m_passwordEdit->setFocus(Qt::OtherFocusReason);
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &Ui_Login::login_JudgePassword);
    connect(m_loginButton, &QPushButton::clicked, this, &Ui_Login::login_JudgePassword);
    connect(m_editButton, &QPushButton::clicked, this, &Ui_Login::modify_PasswordGet);
}

Ui_Login::~Ui_Login()
{
    if (SavePendingAtExit) {
        SavePendingAtExit = false;
        SaveAllSettings();
    }
}

void Ui_Login::ApplyLoginTexts(bool init)
{
    if (init) {
        setFixedSize(m_content->width(), m_content->height() + FramelessChrome::ContentTop);
        CentreInCappedScreen(this);
        setLogo(AppPath(QLatin1String(Paths::LoginLogo)));
        m_passwordEdit->setEchoMode(QLineEdit::Password);
    }
    setTitleText(Ui_Login_AppName);
    m_languageLabel->setText(Slabel_Language);
    m_userNameLabel->setText(Slabel_UserName);
    m_passwordLabel->setText(Slabel_Password);
    m_loginButton->setText(SpushButton_Login);
    m_editButton->setText(SpushButton_Modify);
    FillLanguageSelector(m_languageSelector, init);
    m_accountSelector->clear();
    m_accountSelector->addItem(ScomboBox_Admin);
    m_accountSelector->addItem(ScomboBox_User);
}

void Ui_Login::SLT_ReloadUILanguage(QString text)
{
    SwitchLanguageTo(text);
    ApplyLoginTexts(false);
}

void Ui_Login::login_JudgePassword()
{
    bool ok = false;
    switch (m_accountSelector->currentIndex()) {
    case Admin:
        ok = m_passwordEdit->text() == Spassword_Admin;
        break;
    case User:
        ok = m_passwordEdit->text() == Spassword_User;
        break;
    default:
        return;
    }
    if (!ok) {
        ShowMessage(this, SMSG_InputPasswordError, MessageKind::Warning);
        return;
    }
    // The main window is shown before this one closes: closing the last
    // visible window would end the program.
    Q_EMIT SGL_SETUP_UI_MAIN();
    close();
}

void Ui_Login::modify_PasswordGet()
{
    if (!PasswordChangeArmed) {
        if (m_accountSelector->currentText() == ScomboBox_Admin) {
            ShowMessage(this, SMSG_AdminModidy);
        } else if (m_passwordEdit->text() == Spassword_User) {
            PasswordChangeArmed = true;
            m_passwordEdit->clear();
            ShowMessage(this, SMSG_UserModifyPassword);
        } else {
            ShowMessage(this, SMSG_UserOriginalPassword);
        }
        return;
    }
    if (IsSixDigitPassword(m_passwordEdit->text())) {
        PasswordChangeArmed = false;
        Spassword_User = m_passwordEdit->text();
        ShowMessage(this, SMSG_UserModifyPasswordOK);
        SaveAllSettings();
    } else {
        m_passwordEdit->clear();
        ShowMessage(this, SMSG_UserModifyPasswordFail, MessageKind::Warning);
    }
}
