// Message boxes that a download worker asks for. GTK may only be called on the UI thread, so the
// request travels there through the main context, and the worker waits for the answer.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "platform/gtk/gtk_ui.h"

namespace {

struct Request {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
    bool answered = false;
    int answer = 0;
};

std::mutex g_lock;
std::condition_variable g_answered;
bool g_stopped = false;

gboolean ShowRequest(gpointer data) {
    auto request = *static_cast<std::shared_ptr<Request>*>(data);
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (g_stopped) {
            return G_SOURCE_REMOVE;
        }
    }
    const int answer =
        MessageBoxW(request->owner, request->text.c_str(), request->caption.c_str(), request->type);
    {
        std::lock_guard<std::mutex> guard(g_lock);
        request->answer = answer;
        request->answered = true;
    }
    g_answered.notify_all();
    return G_SOURCE_REMOVE;
}

void FreeRequest(gpointer data) { delete static_cast<std::shared_ptr<Request>*>(data); }

}  // namespace

int gtkui::MessageBoxFromWorker(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    auto request = std::make_shared<Request>();
    request->owner = owner;
    request->text = text != nullptr ? text : L"";
    request->caption = caption != nullptr ? caption : L"";
    request->type = type;
    std::unique_lock<std::mutex> guard(g_lock);
    if (g_stopped) {
        return 0;
    }
    // g_idle_add_full, not g_main_context_invoke: the latter may run the box on this worker.
    g_idle_add_full(G_PRIORITY_DEFAULT, ShowRequest, new std::shared_ptr<Request>(request),
                    FreeRequest);
    g_answered.wait(guard, [&request] { return request->answered || g_stopped; });
    return request->answered ? request->answer : 0;
}

void gtkui::StopServingWorkers() {
    {
        std::lock_guard<std::mutex> guard(g_lock);
        g_stopped = true;
    }
    g_answered.notify_all();
}
