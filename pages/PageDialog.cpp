#include "pages/PageDialog.h"

#include "chrome/TabOrder.h"
#include "protocol/CommandChannel.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWindow>

namespace {
// The open dialog of each page is remembered under the dialog's class name.
constexpr char OpenDialogProperty[] = "kxrOpenDialog_";

QByteArray PropertyName(const QMetaObject &kind)
{
    return QByteArray(OpenDialogProperty) + kind.className();
}
} // namespace

PageDialog::PageDialog(QWidget *parent)
    : MyFramelessDialog(parent)
{ }

void PageDialog::SLT_CloseMyDialog()
{
    close();
}

void PageDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    MyFramelessDialog::keyPressEvent(event);
}

void PageDialog::showEvent(QShowEvent *event)
{
    MyFramelessDialog::showEvent(event);
    OrderTabsByPosition(this);
}

bool PageDialogsAllowed()
{
    return ActiveTransport.load() != TransportNone;
}

void WirePageDialog(PageDialog *dialog, QWidget *page)
{
    QObject::connect(page, &QObject::destroyed, dialog, &PageDialog::SLT_CloseMyDialog);
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The dialog stays a window of its own (no parent widget), but the
    // window system keeps it above the main window: a click on the main
    // window no longer hides it there while the operator works with both.
    QWidget *mainWindow = page->window();
    dialog->winId();
    if (mainWindow && mainWindow->windowHandle() && dialog->windowHandle())
        dialog->windowHandle()->setTransientParent(mainWindow->windowHandle());
}

bool RaiseOpenPageDialog(QWidget *page, const QMetaObject &kind)
{
    const auto open = page->property(PropertyName(kind)).value<QPointer<QObject>>();
    auto *dialog = qobject_cast<PageDialog *>(open.data());
    if (!dialog || !dialog->isVisible())
        return false;
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    return true;
}

void RememberPageDialog(QWidget *page, PageDialog *dialog)
{
    page->setProperty(PropertyName(*dialog->metaObject()), QVariant::fromValue(QPointer<QObject>(dialog)));
}
