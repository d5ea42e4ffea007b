#include "pages/routing/EdidFileDialog.h"

#include "app/AppPaths.h"

#include <QFileDialog>

namespace {
const char OpenCaption[] = "Select edid file";
const char SaveCaption[] = "Save edid file";
const char Filter[] = "Bin File(*.bin)";

EdidFileHook &Hook()
{
    static EdidFileHook hook;
    return hook;
}
} // namespace

QString AskEdidFile(QWidget *parent, EdidFileAction action)
{
    if (Hook())
        return Hook()(action);
    const QString folder = AppPath(QLatin1String(Paths::UserEdidFolder));
    if (action == EdidFileAction::Open)
        return QFileDialog::getOpenFileName(parent, QLatin1String(OpenCaption), folder, QLatin1String(Filter));
    return QFileDialog::getSaveFileName(parent, QLatin1String(SaveCaption), folder, QLatin1String(Filter));
}

void SetEdidFileHook(EdidFileHook hook)
{
    Hook() = std::move(hook);
}
