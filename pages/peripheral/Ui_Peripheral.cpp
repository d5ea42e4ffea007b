#include "pages/peripheral/Ui_Peripheral.h"

#include "app/LanguageTable.h"

Ui_Peripheral::Ui_Peripheral(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi();
}

void Ui_Peripheral::RetranslateUi()
{
    setWindowTitle(Ui_Peripheral_AppName);
}
