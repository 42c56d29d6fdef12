// The UI thread's message queue on top of GLib's main loop. Posted messages wait in our own queue
// so that the application's loop can offer them to its filter first; while a modal dialog or a
// menu runs its own loop, a GLib source dispatches them directly, as Windows' modal loops do.
#include <algorithm>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/gtk/gtk_ui.h"
#include "platform/text.h"

namespace {

struct Queue {
    std::mutex lock;
    std::deque<MSG> messages;
    bool quit = false;
    int exitCode = 0;
};

Queue& TheQueue() {
    static Queue& queue = *new Queue;  // never destroyed: used until the process ends
    return queue;
}

int g_modalDepth = 0;
std::vector<GtkWidget*> g_openDialogs;
std::thread::id g_uiThread;

bool PopMessage(MSG* msg) {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (queue.messages.empty()) {
        return false;
    }
    *msg = queue.messages.front();
    queue.messages.pop_front();
    return true;
}

bool HasMessages() {
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> guard(queue.lock);
    return !queue.messages.empty();
}

gboolean ModalPrepare(GSource*, gint* timeout) {
    *timeout = -1;
    return g_modalDepth > 0 && HasMessages();
}

gboolean ModalCheck(GSource*) { return g_modalDepth > 0 && HasMessages(); }

gboolean ModalDispatch(GSource*, GSourceFunc, gpointer) {
    MSG msg{};
    if (PopMessage(&msg)) {
        DispatchMessageW(&msg);
    }
    return G_SOURCE_CONTINUE;
}

GSourceFuncs g_modalSourceFuncs = {ModalPrepare, ModalCheck, ModalDispatch, nullptr, nullptr,
                                   nullptr};

gboolean FocusWhenMapped(GtkWidget* widget, GdkEvent*, gpointer) {
    gtk_window_present(GTK_WINDOW(widget));
    return FALSE;
}

}  // namespace

gtkui::ModalScope::ModalScope() { ++g_modalDepth; }

gtkui::ModalScope::~ModalScope() { --g_modalDepth; }

namespace plat {

bool InitializeUserInterface() {
    // The client places its own windows, which only X11 allows.
    gdk_set_allowed_backends("x11");
    g_set_prgname("velkora");  // the desktop matches windows to velkora.desktop by it
    g_set_application_name("Velkora");
    if (!gtk_init_check(nullptr, nullptr)) {
        return false;
    }
    g_uiThread = std::this_thread::get_id();
    GSource* source = g_source_new(&g_modalSourceFuncs, sizeof(GSource));
    g_source_attach(source, nullptr);
    g_source_unref(source);
    return true;
}

}  // namespace plat

bool gtkui::IsUiThread() { return std::this_thread::get_id() == g_uiThread; }

void plat::RunModalUntil(const std::function<bool()>& finished) {
    gtkui::ModalScope modal;
    while (!finished()) {
        g_main_context_iteration(nullptr, TRUE);
    }
}

void gtkui::RaiseModalDialogs() {
    for (GtkWidget* dialog : g_openDialogs) {
        if (GdkWindow* gdk = gtk_widget_get_window(dialog); gdk != nullptr) {
            gdk_window_raise(gdk);
        }
    }
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        Queue& queue = TheQueue();
        std::lock_guard<std::mutex> guard(queue.lock);
        queue.messages.push_back(MSG{hwnd, message, wParam, lParam, 0, POINT{0, 0}});
    }
    g_main_context_wakeup(nullptr);
    return 1;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND__* window = gtkui::Window(hwnd);
    return window != nullptr ? window->proc(hwnd, message, wParam, lParam) : 0;
}

void PostQuitMessage(int exitCode) {
    {
        Queue& queue = TheQueue();
        std::lock_guard<std::mutex> guard(queue.lock);
        queue.quit = true;
        queue.exitCode = exitCode;
    }
    g_main_context_wakeup(nullptr);
}

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
    for (;;) {
        if (PopMessage(msg)) {
            return 1;
        }
        bool quit = false;
        {
            Queue& queue = TheQueue();
            std::lock_guard<std::mutex> guard(queue.lock);
            if (queue.quit) {
                queue.quit = false;
                quit = true;
                *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0, 0, POINT{0, 0}};
            }
        }
        if (quit) {
            gtkui::StopServingWorkers();  // outside the queue's lock: it takes a lock of its own
            return 0;
        }
        g_main_context_iteration(nullptr, TRUE);
    }
}

BOOL TranslateMessage(const MSG*) { return 0; }

LRESULT DispatchMessageW(const MSG* msg) {
    HWND__* window = gtkui::Window(msg->hwnd);
    return window != nullptr ? window->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (!gtkui::IsUiThread()) {
        return gtkui::MessageBoxFromWorker(owner, text, caption, type);
    }
    const bool yesNo = (type & 0xF) == MB_YESNO;
    GtkWindow* parent = nullptr;
    if (HWND__* window = gtkui::Window(owner); window != nullptr && window->parent == nullptr &&
                                               gtk_widget_get_visible(window->widget)) {
        parent = GTK_WINDOW(window->widget);
    }
    GtkWidget* dialog = gtk_message_dialog_new(
        parent, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, yesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK,
        "%s", plat::ToUtf8(text != nullptr ? text : L"").c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), plat::ToUtf8(caption != nullptr ? caption : L"").c_str());
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    if (yesNo) {
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), (type & MB_DEFBUTTON2) != 0
                                                                ? GTK_RESPONSE_NO
                                                                : GTK_RESPONSE_YES);
    }
    // Without a window manager nobody gives the box the keyboard, and focus can only go to a
    // window that is already mapped.
    g_signal_connect(dialog, "map-event", G_CALLBACK(FocusWhenMapped), nullptr);
    gtk_window_present(GTK_WINDOW(dialog));
    gint response = 0;
    g_openDialogs.push_back(dialog);
    {
        gtkui::ModalScope modal;
        response = gtk_dialog_run(GTK_DIALOG(dialog));
    }
    g_openDialogs.erase(std::find(g_openDialogs.begin(), g_openDialogs.end(), dialog));
    gtk_widget_destroy(dialog);
    if (!yesNo) {
        return IDOK;
    }
    return response == GTK_RESPONSE_YES ? IDYES : IDNO;
}
