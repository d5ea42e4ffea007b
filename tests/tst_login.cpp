#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "shell/Ui_Login.h"
#include "support/MessageRecorder.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Steps = QList<QPair<int, QString>>;

class LoginTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sixDigits_data();
    void sixDigits();
    void login_data();
    void login();
    void passwordChange_data();
    void passwordChange();

private:
    std::unique_ptr<ScratchAppDir> m_dir;
};

void LoginTest::init()
{
    m_dir = std::make_unique<ScratchAppDir>();
    StartupSettings();
    PasswordChangeArmed = false;
}

void LoginTest::cleanup()
{
    SavePendingAtExit = false;
    m_dir.reset();
}

void LoginTest::sixDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("six digits") << "123456" << true;
    QTest::newRow("seven digits") << "1234567" << false;
    QTest::newRow("five digits") << "12345" << false;
    QTest::newRow("a letter") << "12a456" << false;
    QTest::newRow("full-width digits") << QString::fromUtf8("１２３４５６") << false;
    QTest::newRow("empty") << "" << false;
}

void LoginTest::sixDigits()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(IsSixDigitPassword(text), ok);
}

void LoginTest::login_data()
{
    QTest::addColumn<QString>("adminPassword");
    QTest::addColumn<QString>("userPassword");
    QTest::addColumn<int>("account");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::newRow("admin default") << "537204"
                                   << "537204" << 0 << "537204" << true;
    QTest::newRow("user default") << "537204"
                                  << "537204" << 1 << "537204" << true;
    QTest::newRow("admin wrong") << "537204"
                                 << "537204" << 0 << "537205" << false;
    QTest::newRow("user with a space") << "537204"
                                       << "537204" << 1 << "537204 " << false;
    // With two different passwords each account takes only its own.
    QTest::newRow("admin, own password") << "111111"
                                         << "222222" << 0 << "111111" << true;
    QTest::newRow("admin, user's password") << "111111"
                                            << "222222" << 0 << "222222" << false;
    QTest::newRow("user, own password") << "111111"
                                        << "222222" << 1 << "222222" << true;
    QTest::newRow("user, admin's password") << "111111"
                                            << "222222" << 1 << "111111" << false;
}

void LoginTest::login()
{
    QFETCH(QString, adminPassword);
    QFETCH(QString, userPassword);
    QFETCH(int, account);
    QFETCH(QString, password);
    QFETCH(bool, ok);
    Spassword_Admin = adminPassword;
    Spassword_User = userPassword;

    MessageRecorder messages;
    Ui_Login window;
    window.show();
    QSignalSpy setup(&window, &Ui_Login::SGL_SETUP_UI_MAIN);
    window.accountSelector()->setCurrentIndex(account);
    window.passwordEdit()->setText(password);
    QTest::mouseClick(window.loginButton(), Qt::LeftButton);

    QCOMPARE(setup.count(), ok ? 1 : 0);
    QCOMPARE(window.isVisible(), !ok);
    QCOMPARE(messages.texts(), ok ? QStringList() : QStringList{"Password error!"});
    QCOMPARE(window.passwordEdit()->text(), password);
}

void LoginTest::passwordChange_data()
{
    // Steps: account index and text typed before each Edit press.
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("userPassword");
    QTest::addColumn<bool>("armed");

    QTest::newRow("admin cannot change") << Steps{{0, "537204"}}
                                         << QStringList{"The password of admin cannot be modified!"} << "537204"
                                         << false;
    QTest::newRow("wrong current password")
        << Steps{{1, "000000"}} << QStringList{"Failed to verify the original password of the user!"} << "537204"
        << false;
    QTest::newRow("change accepted") << Steps{{1, "537204"}, {1, "112233"}}
                                     << QStringList{"Please enter your change password!",
                                                    "Password changed successfully!"}
                                     << "112233" << false;
    QTest::newRow("seven digits refused, stays armed")
        << Steps{{1, "537204"}, {1, "1122334"}}
        << QStringList{"Please enter your change password!",
                       "The password entered is illegal:The password must be six full digits"}
        << "537204" << true;
    QTest::newRow("armed change ignores the account")
        << Steps{{1, "537204"}, {0, "654321"}}
        << QStringList{"Please enter your change password!", "Password changed successfully!"} << "654321" << false;
}

void LoginTest::passwordChange()
{
    QFETCH(Steps, steps);
    QFETCH(QStringList, messages);
    QFETCH(QString, userPassword);
    QFETCH(bool, armed);

    MessageRecorder recorder;
    Ui_Login window;
    for (const auto &step : steps) {
        window.accountSelector()->setCurrentIndex(step.first);
        window.passwordEdit()->setText(step.second);
        QTest::mouseClick(window.editButton(), Qt::LeftButton);
    }
    QCOMPARE(recorder.texts(), messages);
    QCOMPARE(Spassword_User, userPassword);
    QCOMPARE(PasswordChangeArmed, armed);
    // An accepted change is on disk at once.
    QVERIFY(m_dir->read(QStringLiteral("/APP/ConfigFile/config.ini"))
                .contains("Spassword_User=" + Spassword_User.toUtf8()));
}

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
