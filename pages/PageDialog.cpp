#include "pages/PageDialog.h"

#include "protocol/CommandChannel.h"

PageDialog::PageDialog(QWidget *parent)
    : MyFramelessDialog(parent)
{ }

void PageDialog::SLT_CloseMyDialog()
{
    close();
}

bool PageDialogsAllowed()
{
    return ActiveTransport.load() != TransportNone;
}

void WirePageDialog(PageDialog *dialog, QObject *page)
{
    QObject::connect(page, &QObject::destroyed, dialog, &PageDialog::SLT_CloseMyDialog);
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
}
