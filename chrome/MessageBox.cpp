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

QMessageBox *MakeBox(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(parent);
    if (parent)
        box->move(parent->mapToGlobal(QPoint(0, 0)));
    box->setWindowTitle(QLatin1String(BoxTitle));
    box->setText(text);
    const QString picture = AppPath(QLatin1String(Paths::MessagePicture));
    RewritePngInPlace(picture);
    const QPixmap icon(picture);
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

void ShowMessage(QWidget *parent, const QString &text)
{
    // A copy, so that a hook may replace itself while it runs.
    if (const MessageHook hook = Hook()) {
        hook(MessageKind::Information, text);
        return;
    }
    const QPointer<QMessageBox> box = MakeBox(parent, text);
    box->addButton(QLatin1String(OkCaption), QMessageBox::YesRole);
    box->exec();
    DeleteBox(box);
}

bool AskYesNo(QWidget *parent, const QString &text)
{
    if (const MessageHook hook = Hook())
        return hook(MessageKind::Question, text);
    const QPointer<QMessageBox> box = MakeBox(parent, text);
    QPushButton *yes = box->addButton(QLatin1String(YesCaption), QMessageBox::YesRole);
    box->addButton(QLatin1String(NoCaption), QMessageBox::NoRole);
    box->exec();
    const bool answer = box && box->clickedButton() == yes;
    DeleteBox(box);
    return answer;
}

bool AskYesNoDefaultNo(QWidget *parent, const QString &text)
{
    if (const MessageHook hook = Hook())
        return hook(MessageKind::Caution, text);
    const QPointer<QMessageBox> box = MakeBox(parent, text);
    QPushButton *yes = box->addButton(QLatin1String(YesCaption), QMessageBox::YesRole);
    QPushButton *no = box->addButton(QLatin1String(NoCaption), QMessageBox::NoRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    box->exec();
    const bool answer = box && box->clickedButton() == yes;
    DeleteBox(box);
    return answer;
}

void SetMessageHook(MessageHook hook)
{
    Hook() = std::move(hook);
}
