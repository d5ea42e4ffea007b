#include "pages/wall/Ui_TVWall.h"

#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"

Ui_TVWall::Ui_TVWall(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi(false);
}

void Ui_TVWall::RetranslateUi(bool)
{
    setWindowTitle(Ui_TV_Wall_AppName);
}

void Ui_TVWall::ReadWall()
{
    CMD_TvWallRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_TVWall::SLT_JudgeMutex_MVAndSplicing(unsigned int)
{
    // Acted on by the splicing grid, which this page does not show yet.
}
