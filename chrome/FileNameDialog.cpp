#include "chrome/FileNameDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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
    QString name;
    if (const FileDialogHook hook = Hook())
        name = hook(FileDialogKind::Save, caption, directory, filter);
    else
        name = QFileDialog::getSaveFileName(parent, caption, directory, filter);
    return WithDefaultSuffix(name, filter);
}

QString WithDefaultSuffix(const QString &name, const QString &filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = firstPattern.match(filter);
    if (name.isEmpty() || !match.hasMatch() || !QFileInfo(name).suffix().isEmpty())
        return name;
    if (name.endsWith(QLatin1Char('/')))
        return name;
    const QString dot = name.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    return name + dot + match.captured(1);
}

void SetFileDialogHook(FileDialogHook hook)
{
    Hook() = std::move(hook);
}
