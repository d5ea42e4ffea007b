#include "chrome/FileNameDialog.h"

#include <QFileDialog>

namespace {

FileDialogHook &Hook()
{
    static FileDialogHook hook;
    return hook;
}

} // namespace

QString AskOpenFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    if (const FileDialogHook hook = Hook())
        return hook(FileDialogKind::Open, caption, directory, filter);
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString AskSaveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    if (const FileDialogHook hook = Hook())
        return hook(FileDialogKind::Save, caption, directory, filter);
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

void SetFileDialogHook(FileDialogHook hook)
{
    Hook() = std::move(hook);
}
