// The process's one WebKit context, shared by the engines of every browser view.
#pragma once

#include <webkit2/webkit2.h>

namespace gtkui {

// Null until OpenBrowserProfile succeeded.
WebKitWebContext* BrowserContext();

}  // namespace gtkui
