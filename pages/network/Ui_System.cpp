#include "pages/network/Ui_System.h"

#include "app/LanguageTable.h"

Ui_System::Ui_System(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi();
}

void Ui_System::RetranslateUi()
{
    setWindowTitle(Ui_System_AppName);
}

// The module list, its selection and the serial read button are part of
// the page's content, which it does not show yet; the slots keep the
// wiring with the connection page in place.
void Ui_System::SLT_ClearFoundDevice() {}

void Ui_System::SLT_ReadSelectedDevice() {}

void Ui_System::SLT_ConnectStatus(bool) {}
