#include "pages/routing/EdidFileDialog.h"

#include "app/AppPaths.h"
#include "chrome/FileNameDialog.h"

namespace {
const char OpenCaption[] = "Select edid file";
const char SaveCaption[] = "Save edid file";
const char Filter[] = "Bin File(*.bin)";
} // namespace

QString AskEdidFile(QWidget *parent, EdidFileAction action)
{
    const QString folder = AppPath(QLatin1String(Paths::UserEdidFolder));
    if (action == EdidFileAction::Open)
        return AskOpenFileName(parent, QLatin1String(OpenCaption), folder, QLatin1String(Filter));
    return AskSaveFileName(parent, QLatin1String(SaveCaption), folder, QLatin1String(Filter));
}

void SetEdidFileHook(EdidFileHook hook)
{
    // The program's one file-dialog seam, seen as the EDID dialog asks.
    if (!hook) {
        SetFileDialogHook(FileDialogHook());
        return;
    }
    SetFileDialogHook([hook](FileDialogKind kind, const QString &, const QString &, const QString &) {
        return hook(kind == FileDialogKind::Open ? EdidFileAction::Open : EdidFileAction::Save);
    });
}
