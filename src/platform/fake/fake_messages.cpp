// The message queue: posted from any thread, retrieved and dispatched on the test's thread.
// Retrieval never waits, so a test's message loop ends when nothing is left to do.
#include <algorithm>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

bool Matches(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    const bool anyMessage = filterMin == 0 && filterMax == 0;
    return (hwnd == nullptr || msg.hwnd == hwnd) &&
           (anyMessage || (msg.message >= filterMin && msg.message <= filterMax));
}

std::optional<MSG> TakePosted(HWND hwnd, UINT filterMin, UINT filterMax) {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    auto found = std::find_if(queue.messages.begin(), queue.messages.end(), [&](const MSG& msg) {
        return Matches(msg, hwnd, filterMin, filterMax);
    });
    if (found == queue.messages.end()) {
        return std::nullopt;
    }
    const MSG msg = *found;
    queue.messages.erase(found);
    return msg;
}

// As on Windows, paints come after every posted message and after the quit.
std::optional<MSG> TakePaint(HWND hwnd, UINT filterMin, UINT filterMax) {
    const HWND dirty = NextWindowToPaint(hwnd);
    const MSG msg{dirty, WM_PAINT, 0, 0, 0, {}};
    if (dirty == nullptr || !Matches(msg, hwnd, filterMin, filterMax)) {
        return std::nullopt;
    }
    return msg;
}

std::optional<int> TakeQuit() {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (!queue.quit) {
        return std::nullopt;
    }
    queue.quit = false;
    return queue.exitCode;
}

}  // namespace

namespace plat::fake {

int PumpMessages() {
    int dispatched = 0;
    for (;;) {
        std::optional<MSG> msg = TakePosted(nullptr, 0, 0);
        if (!msg) {
            msg = TakePaint(nullptr, 0, 0);
        }
        if (!msg) {
            return dispatched;
        }
        DispatchMessageW(&*msg);
        ++dispatched;
    }
}

}  // namespace plat::fake

// What would complete the wait arrives through posted messages; the wait ends when none is left
// rather than hang a test.
bool plat::InitializeUserInterface() { return true; }

void plat::RunModalUntil(const std::function<bool()>& finished) {
    while (!finished() && fake::PumpMessages() > 0) {
    }
}

namespace plat::fake {

std::vector<MSG> PendingMessages() {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return {queue.messages.begin(), queue.messages.end()};
}

std::optional<int> PendingQuit() {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return queue.quit ? std::optional<int>(queue.exitCode) : std::nullopt;
}

}  // namespace plat::fake

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.messages.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
    return true;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.quit = true;
    queue.exitCode = exitCode;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    std::optional<MSG> next = TakePosted(hwnd, filterMin, filterMax);
    if (next) {
        *msg = *next;
        return true;
    }
    if (std::optional<int> exitCode = TakeQuit()) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*exitCode), 0, 0, {}};
        return false;
    }
    next = TakePaint(hwnd, filterMin, filterMax);
    *msg = next.value_or(MSG{});
    return next.has_value();
}

BOOL TranslateMessage(const MSG*) {
    return false;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (msg->message == WM_PAINT) {
        PaintNow(msg->hwnd);
        return 0;
    }
    return Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
