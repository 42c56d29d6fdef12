// One web context per process, with its website data and cache under the folder the system
// chose, so that clearing the cache is clearing that context's data.
#include "platform/gtk/webkit_profile.h"

#include <memory>
#include <string>

#include "platform/browser_engine.h"
#include "platform/text.h"

namespace {

WebKitWebContext* g_context = nullptr;
std::string g_folder;

void ClearDone(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::function<void(bool)>> done(static_cast<std::function<void(bool)>*>(data));
    const gboolean cleared = webkit_website_data_manager_clear_finish(
        WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
    (*done)(cleared != FALSE);
}

}  // namespace

WebKitWebContext* gtkui::BrowserContext() {
    return g_context;
}

bool plat::OpenBrowserProfile(const std::wstring& folder) {
    const std::string path = plat::ToUtf8(folder);
    if (g_context != nullptr) {
        return path == g_folder;
    }
    WebKitWebsiteDataManager* data =
        webkit_website_data_manager_new("base-data-directory", (path + "data").c_str(),
                                        "base-cache-directory", (path + "cache").c_str(), nullptr);
    g_context = webkit_web_context_new_with_website_data_manager(data);
    g_object_unref(data);
    g_folder = path;
    return true;
}

void plat::ClearBrowserCache(std::function<void(bool cleared)> done) {
    if (g_context == nullptr) {
        done(false);
        return;
    }
    // Cached content only: a cleared cache keeps the user logged in.
    const auto kinds = static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_MEMORY_CACHE |
                                                           WEBKIT_WEBSITE_DATA_DISK_CACHE);
    webkit_website_data_manager_clear(webkit_web_context_get_website_data_manager(g_context), kinds,
                                      0, nullptr, ClearDone,
                                      new std::function<void(bool)>(std::move(done)));
}
