#include "chrome/MessageBox.h"

#include "app/AppPaths.h"
#include "chrome/ImageFiles.h"

#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace {
constexpr char BoxTitle[] = " ";
constexpr char OkCaption[] = "OK";
constexpr char YesCaption[] = "YES";
constexpr char NoCaption[] = "NO";

MessageHook &Hook()
{
    static MessageHook hook;
    return hook;
}

QMessageBox *MakeBox(QWidget *parent, const QString &text, MessageKind kind)
{
    auto *box = new QMessageBox(parent);
    if (parent)
        box->move(parent->mapToGlobal(QPoint(0, 0)));
    box->setWindowTitle(QLatin1String(BoxTitle));
    box->setText(text);
    if (kind == MessageKind::Warning || kind == MessageKind::Destructive) {
        box->setIcon(QMessageBox::Warning);
        return box;
    }
    if (kind == MessageKind::Critical) {
        box->setIcon(QMessageBox::Critical);
        return box;
    }
    const QString picture = AppPath(QLatin1String(Paths::MessagePicture));
    const QPixmap icon = RewrittenPicture(picture);
    if (!icon.isNull())
        box->setIconPixmap(icon);
    return box;
}

// The parent may be destroyed while the box runs; it then takes the box with it.
void DeleteBox(const QPointer<QMessageBox> &box)
{
    delete box.data();
}
} // namespace

void ShowMessage(QWidget *parent, const QString &text, MessageKind kind)
{
    // A copy, so that a hook may replace itself while it runs.
    if (const MessageHook hook = Hook()) {
        hook(kind, text);
        return;
    }
    const QPointer<QMessageBox> box = MakeBox(parent, text, kind);
    box->addButton(QLatin1String(OkCaption), QMessageBox::YesRole);
    box->exec();
    DeleteBox(box);
}

bool AskYesNo(QWidget *parent, const QString &text)
{
    if (const MessageHook hook = Hook())
        return hook(MessageKind::Question, text);
    const QPointer<QMessageBox> box = MakeBox(parent, text, MessageKind::Question);
    QPushButton *yes = box->addButton(QLatin1String(YesCaption), QMessageBox::YesRole);
    box->addButton(QLatin1String(NoCaption), QMessageBox::NoRole);
    box->exec();
    const bool answer = box && box->clickedButton() == yes;
    DeleteBox(box);
    return answer;
}

void SetMessageHook(MessageHook hook)
{
    Hook() = std::move(hook);
}

bool ConfirmDestructive(QWidget *parent, const QString &text)
{
    if (const MessageHook hook = Hook())
        return hook(MessageKind::Destructive, text);
    const QPointer<QMessageBox> box = MakeBox(parent, text, MessageKind::Destructive);
    QPushButton *yes = box->addButton(QLatin1String(YesCaption), QMessageBox::YesRole);
    QPushButton *no = box->addButton(QLatin1String(NoCaption), QMessageBox::NoRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    // A YES that only takes focus from Tab must not make Enter mean YES.
    yes->setAutoDefault(false);
    box->exec();
    const bool answer = box && box->clickedButton() == yes;
    DeleteBox(box);
    return answer;
}
