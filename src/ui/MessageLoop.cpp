#include "ui/MessageLoop.h"

int CMessageLoop::Run() {
    MSG msg{};
    for (;;) {
        BOOL result = GetMessageW(&msg, nullptr, 0, 0);
        if (result == -1) {
            continue;
        }
        if (result == 0) {
            return static_cast<int>(msg.wParam);
        }
        bool consumed = false;
        for (CMessageFilter* filter : m_filters) {
            if (filter->PreTranslateMessage(&msg)) {
                consumed = true;
                break;
            }
        }
        if (!consumed) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
