#include "platform/fake/fake_state.h"

namespace plat::fake {

namespace detail {

State& TheState() {
    static State& state = *new State(FreshState());  // never destroyed: used until the process ends
    return state;
}

Queue& TheQueue() {
    static Queue& queue = *new Queue;  // never destroyed: used until the process ends
    return queue;
}

// Memory contexts start with a 1 × 1 monochrome bitmap and every context with a system font,
// as on Windows, so that selecting back what SelectObject returned restores a real object.
State FreshState() {
    State state;
    GdiObject font;
    font.isFont = true;
    font.stock = true;
    state.stockFont = NewHandle<HGDIOBJ>();
    state.objects[state.stockFont] = font;
    GdiObject bitmap;
    bitmap.stock = true;
    bitmap.width = 1;
    bitmap.height = 1;
    bitmap.bitsPerPixel = 1;
    state.stockBitmap = NewHandle<HGDIOBJ>();
    state.objects[state.stockBitmap] = bitmap;
    return state;
}

std::uintptr_t NextHandleValue() {
    static std::uintptr_t next = 0x10000;
    return next++;
}

Call& LogCall(std::string function, HWND hwnd) {
    Call& call = TheState().calls.emplace_back();
    call.function = std::move(function);
    call.hwnd = hwnd;
    return call;
}

}  // namespace detail

void Reset() {
    detail::TheState() = detail::FreshState();
    detail::Queue& queue = detail::TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.messages.clear();
    queue.quit = false;
    queue.exitCode = 0;
}

std::vector<Call> Calls() {
    return detail::TheState().calls;
}

std::vector<Call> CallsTo(const std::string& function) {
    std::vector<Call> found;
    for (const Call& call : detail::TheState().calls) {
        if (call.function == function) {
            found.push_back(call);
        }
    }
    return found;
}

void ClearCalls() {
    detail::TheState().calls.clear();
}

}  // namespace plat::fake
