#include "pages/network/WebPageOpener.h"

#include <QDesktopServices>

namespace {
WebPageHook &Hook()
{
    static WebPageHook hook;
    return hook;
}
} // namespace

bool OpenWebPage(const QUrl &url)
{
    if (Hook())
        return Hook()(url);
    return QDesktopServices::openUrl(url);
}

void SetWebPageHook(WebPageHook hook)
{
    Hook() = std::move(hook);
}
