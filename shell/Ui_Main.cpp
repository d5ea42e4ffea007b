#include "shell/Ui_Main.h"

#include "app/ConfigStore.h"
#include "app/LanguageTable.h"

Ui_Main::Ui_Main(QWidget *parent)
    : QWidget(parent)
{
    resize(1024, 640);
    ApplyMainTexts(true);
}

Ui_Main::~Ui_Main()
{
    if (SavePendingAtExit) {
        SavePendingAtExit = false;
        SaveAllSettings();
    }
}

void Ui_Main::ApplyMainTexts(bool)
{
    setWindowTitle(Ui_Main_AppName);
}

void Ui_Main::SLT_SETUP_UI_MAIN()
{
    ApplyMainTexts(false);
    show();
}
