// What every test with real windows does first: a private display, the user interface on it, and
// a window class for the test's own windows.
#pragma once

#include <memory>

#include "platform/window.h"
#include "support/XvfbDisplay.h"

namespace testing_support {

// Throws when the user interface cannot start on the display.
std::unique_ptr<XvfbDisplay> OpenTestDisplay(LPCWSTR className, WNDPROC proc, UINT classStyle);

}  // namespace testing_support
