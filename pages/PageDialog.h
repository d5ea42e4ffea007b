#pragma once

#include "chrome/MyFramelessDialog.h"

// Base of the dialogs opened from the pages (More, EDID, Save/Load, Admin):
// the frameless dialog chrome, the send request the page relays to the
// services, and the slot that closes the dialog with its page.
class PageDialog : public MyFramelessDialog
{
    Q_OBJECT

public:
    explicit PageDialog(QWidget *parent = nullptr);

public Q_SLOTS:
    void SLT_CloseMyDialog();

Q_SIGNALS:
    void SGL_UpdateEmit();
};

// Dialogs open only while a transport is active.
bool PageDialogsAllowed();
// No parent, non-modal, deleted on close, closed when the page goes.
void WirePageDialog(PageDialog *dialog, QObject *page);

// Opens a page's dialog the one way every page does: nothing is created
// (nullptr) without an active transport; otherwise the dialog is wired as
// WirePageDialog says and its send requests are relayed as the page's own.
// The caller connects the dialog's other relays, then shows it.
template<class Dialog, class Page>
Dialog *OpenPageDialog(Page *page)
{
    if (!PageDialogsAllowed())
        return nullptr;
    auto *dialog = new Dialog;
    WirePageDialog(dialog, page);
    QObject::connect(dialog, &PageDialog::SGL_UpdateEmit, page, &Page::SGL_UpdateEmit);
    return dialog;
}
