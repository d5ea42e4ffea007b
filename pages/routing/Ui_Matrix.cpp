#include "pages/routing/Ui_Matrix.h"

#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"

Ui_Matrix::Ui_Matrix(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi();
}

void Ui_Matrix::RetranslateUi()
{
    setWindowTitle(Ui_Matrix_AppName);
}

void Ui_Matrix::InitialRead()
{
    CMD_RoutingRead();
    Q_EMIT SGL_UpdateEmit();
    CMD_LRInputRead();
    Q_EMIT SGL_UpdateEmit();
}
