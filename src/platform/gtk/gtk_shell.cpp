// What the desktop offers the client: the user's browser for platform pages, and the requests
// to end the process.
#include <glib-unix.h>
#include <gio/gio.h>

#include <csignal>

#include "platform/shell.h"
#include "platform/text.h"

namespace plat {

bool OpenWithDefaultHandler(const std::wstring& address) {
    // GIO asks the desktop's own handler for the scheme, with the address as one argument:
    // nothing in it is ever read by a shell.
    GError* error = nullptr;
    const gboolean started =
        g_app_info_launch_default_for_uri(ToUtf8(address).c_str(), nullptr, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    return started != FALSE;
}

namespace {

void (*g_terminationHandler)() = nullptr;

gboolean OnSignal(gpointer) {
    if (g_terminationHandler != nullptr) {
        g_terminationHandler();
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

void OnTerminationRequest(void (*handler)()) {
    g_terminationHandler = handler;
    g_unix_signal_add(SIGINT, OnSignal, nullptr);
    g_unix_signal_add(SIGTERM, OnSignal, nullptr);
}

}  // namespace plat
