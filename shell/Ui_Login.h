#pragma once

#include <QWidget>

// The login window shown at start-up before the main window.
class Ui_Login : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Login(QWidget *parent = nullptr);
    ~Ui_Login() override;

    void ApplyLoginTexts(bool init);

Q_SIGNALS:
    void SGL_SETUP_UI_MAIN();
};
