#include "pages/wall/Ui_Multiview.h"

#include "app/LanguageTable.h"

Ui_Multiview::Ui_Multiview(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi();
}

void Ui_Multiview::RetranslateUi()
{
    setWindowTitle(Ui_Multiview_AppName);
}

// The window list and the multiview selector are part of the page's
// content, which it does not show yet.
void Ui_Multiview::SLT_Refresh_DispalyWindowList() {}

void Ui_Multiview::SLT_UpdateSelect_MV() {}
