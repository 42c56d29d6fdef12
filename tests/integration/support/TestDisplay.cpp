#include "support/TestDisplay.h"

#include <stdexcept>

namespace testing_support {

std::unique_ptr<XvfbDisplay> OpenTestDisplay(LPCWSTR className, WNDPROC proc, UINT classStyle) {
    auto display = std::make_unique<XvfbDisplay>(1280, 1024);
    if (!plat::InitializeUserInterface()) {
        throw std::runtime_error("no user interface on the test display");
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = proc;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    return display;
}

}  // namespace testing_support
