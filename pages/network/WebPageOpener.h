#pragma once

#include <QUrl>

#include <functional>

// Opens a web page in the desktop's browser. While a hook is set the
// address goes to it instead, so that tests never start a browser; an empty
// function removes it.
bool OpenWebPage(const QUrl &url);

using WebPageHook = std::function<bool(const QUrl &url)>;
void SetWebPageHook(WebPageHook hook);
