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

protected:
    // Escape closes the dialog (a box that is browsing takes it first).
    void keyPressEvent(QKeyEvent *event) override;
    // The tab order follows the dialog's reading order once it is laid out.
    void showEvent(QShowEvent *event) override;
};

// Dialogs open only while a transport is active.
bool PageDialogsAllowed();
// No parent, non-modal, deleted on close, closed when the page goes, and
// kept above the page's window while open.
void WirePageDialog(PageDialog *dialog, QWidget *page);

// The dialog of this kind that the page has open, raised and activated; false
// when there is none. A second press of a page's button raises the open
// dialog instead of opening another one beside it.
bool RaiseOpenPageDialog(QWidget *page, const QMetaObject &kind);
void RememberPageDialog(QWidget *page, PageDialog *dialog);

// Opens a page's dialog the one way every page does: nothing is created
// (nullptr) without an active transport or when the page's dialog of that
// kind is open already (it is raised instead); otherwise the dialog is wired
// as WirePageDialog says and its send requests are relayed as the page's
// own. The caller connects the dialog's other relays, then shows it.
template<class Dialog, class Page>
Dialog *OpenPageDialog(Page *page)
{
    if (!PageDialogsAllowed() || RaiseOpenPageDialog(page, Dialog::staticMetaObject))
        return nullptr;
    auto *dialog = new Dialog;
    WirePageDialog(dialog, page);
    RememberPageDialog(page, dialog);
    QObject::connect(dialog, &PageDialog::SGL_UpdateEmit, page, &Page::SGL_UpdateEmit);
    return dialog;
}
