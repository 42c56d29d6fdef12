#include "support/Pump.h"

#include <glib.h>

#include <chrono>
#include <thread>

#include "platform/window.h"

namespace testing_support {

namespace {

constexpr UINT kPumpDone = WM_USER + 900;

}  // namespace

void Pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        PostMessageW(nullptr, kPumpDone, 0, 0);
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0) && msg.message != kPumpDone) {
            DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
}

}  // namespace testing_support
