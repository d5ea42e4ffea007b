#include "shell/Ui_Login.h"

#include "app/ConfigStore.h"
#include "app/LanguageTable.h"

Ui_Login::Ui_Login(QWidget *parent)
    : QWidget(parent)
{
    resize(420, 300);
    ApplyLoginTexts(true);
}

Ui_Login::~Ui_Login()
{
    if (SavePendingAtExit) {
        SavePendingAtExit = false;
        SaveAllSettings();
    }
}

void Ui_Login::ApplyLoginTexts(bool)
{
    setWindowTitle(Ui_Login_AppName);
}
