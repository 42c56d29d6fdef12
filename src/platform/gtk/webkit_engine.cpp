// The browser view's engine on WebKitGTK: a WebKitWebView filling the view's child window (its
// GtkEventBox), so that moving and sizing the child moves the page. WebKit's signals become the
// sink's events:
//   decide-policy (navigation action)  -> before-navigate; ignoring the decision cancels, and
//                                         WebKit then requests and reports nothing of it
//   load-changed COMMITTED             -> navigate-complete of the main frame
//   load-changed FINISHED, not failed  -> document-complete of the main frame
//   load-failed                        -> navigate-error; CANCELLED stands for E_ABORT, and
//                                         returning TRUE keeps WebKit's error page away
//   notify::title                      -> title-change
// WebKit reports loads of the main frame only, so inner frames raise before-navigate (their
// navigation actions go through decide-policy too) but no completion; the style sheet that hides
// the scroll bars applies to every frame.
#include <memory>
#include <string>

#include "platform/browser_engine.h"
#include "platform/gtk/gtk_ui.h"
#include "platform/gtk/webkit_profile.h"
#include "platform/text.h"

namespace {

// The document's scroll bars go and the user cannot scroll it, as with a body that says
// scroll="no".
constexpr char kNoScrollBars[] = "html, body { overflow: hidden !important; }";

// window.external: the page asks, the host is told, and the page gets nothing.
constexpr char kExternalHandler[] = "velkoraExternal";
constexpr char kExternalScript[] =
    "try { Object.defineProperty(window, 'external', { configurable: true, get: function () {"
    " window.webkit.messageHandlers.velkoraExternal.postMessage(0); return null; } }); }"
    " catch (e) {}";

std::wstring Wide(const char* text) {
    return plat::FromUtf8(text != nullptr ? text : "");
}

class WebKitEngine final : public plat::BrowserEngine {
public:
    WebKitEngine(GtkWidget* box, plat::BrowserEventSink& sink) : m_sink(sink) {
        m_content = webkit_user_content_manager_new();
        m_view = GTK_WIDGET(g_object_ref_sink(
            g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", gtkui::BrowserContext(),
                         "user-content-manager", m_content, nullptr)));
        WebKitUserScript* script =
            webkit_user_script_new(kExternalScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(m_content, script);
        webkit_user_script_unref(script);
        webkit_user_content_manager_register_script_message_handler(m_content, kExternalHandler);
        g_signal_connect(m_content, "script-message-received::velkoraExternal",
                         G_CALLBACK(OnExternal), this);
        g_signal_connect(m_view, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
        g_signal_connect(m_view, "load-changed", G_CALLBACK(OnLoadChanged), this);
        g_signal_connect(m_view, "load-failed", G_CALLBACK(OnLoadFailed), this);
        g_signal_connect(m_view, "notify::title", G_CALLBACK(OnTitle), this);
        gtk_container_add(GTK_CONTAINER(box), m_view);
        gtk_widget_show(m_view);
    }

    ~WebKitEngine() override {
        g_signal_handlers_disconnect_by_data(m_view, this);
        g_signal_handlers_disconnect_by_data(m_content, this);
        webkit_user_content_manager_unregister_script_message_handler(m_content, kExternalHandler);
        gtk_widget_destroy(m_view);
        g_object_unref(m_view);
        g_object_unref(m_content);
    }

    WebKitEngine(const WebKitEngine&) = delete;
    WebKitEngine& operator=(const WebKitEngine&) = delete;

    bool Navigate(const std::wstring& url) override {
        webkit_web_view_load_uri(WebView(), plat::ToUtf8(url).c_str());
        return true;
    }

    void Refresh() override { webkit_web_view_reload(WebView()); }

    void FocusDocument() override { gtk_widget_grab_focus(m_view); }

    // One style sheet for every frame, so the first request hides them all from then on.
    void HideScrollBars(plat::BrowserFrame) override {
        if (m_scrollBarsHidden) {
            return;
        }
        m_scrollBarsHidden = true;
        WebKitUserStyleSheet* sheet =
            webkit_user_style_sheet_new(kNoScrollBars, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                        WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(m_content, sheet);
        webkit_user_style_sheet_unref(sheet);
    }

    void DisableDrop() override { gtk_drag_dest_unset(m_view); }

    // The page receives its keyboard and mouse input from GTK itself, never as our messages.
    bool TranslateMessage(const MSG&) override { return false; }

private:
    WebKitWebView* WebView() const { return WEBKIT_WEB_VIEW(m_view); }

    // The sink may destroy the engine while it handles an event (a window closing on a
    // navigation): nothing of the engine is touched after the sink returns.

    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer data) {
        if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
            return FALSE;
        }
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        if (webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_RELOAD) {
            return FALSE;  // a reload is no new navigation
        }
        const std::wstring url =
            Wide(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
        if (!static_cast<WebKitEngine*>(data)->m_sink.OnBeforeNavigate(url)) {
            return FALSE;
        }
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }

    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
        auto* self = static_cast<WebKitEngine*>(data);
        switch (event) {
            case WEBKIT_LOAD_STARTED:
                self->m_loadFailed = false;
                ++self->m_load;
                break;
            case WEBKIT_LOAD_COMMITTED:
                self->m_sink.OnNavigateComplete(Wide(webkit_web_view_get_uri(view)), self);
                break;
            case WEBKIT_LOAD_FINISHED:
                if (!self->m_loadFailed) {
                    self->CompleteDocument(Wide(webkit_web_view_get_uri(view)));
                }
                break;
            default:
                break;
        }
    }

    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                 gpointer data) {
        auto* self = static_cast<WebKitEngine*>(data);
        self->m_loadFailed = true;
        const HRESULT status =
            g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ? E_ABORT
                                                                                         : E_FAIL;
        return self->m_sink.OnNavigateError(Wide(uri), status) ? TRUE : FALSE;
    }

    static void OnTitle(WebKitWebView*, GParamSpec*, gpointer data) {
        static_cast<WebKitEngine*>(data)->ReportTitle();
    }

    struct Completion {
        std::weak_ptr<int> alive;
        WebKitEngine* engine;
        unsigned load;
        std::wstring url;
    };

    // WebKit may tell the page's title only after the load has finished. The page is asked a
    // question first: its answer comes after the title it set, so that the title change is
    // reported before the completion, as receivers expect of a finished page.
    void CompleteDocument(std::wstring url) {
        webkit_web_view_evaluate_javascript(WebView(), "document.title", -1, nullptr, nullptr,
                                            nullptr, OnPageAnswered,
                                            new Completion{m_alive, this, m_load, std::move(url)});
    }

    static void OnPageAnswered(GObject* source, GAsyncResult* result, gpointer data) {
        const std::unique_ptr<Completion> completion(static_cast<Completion*>(data));
        if (JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source),
                                                                         result, nullptr);
            value != nullptr) {
            g_object_unref(value);
        }
        WebKitEngine* self = completion->engine;
        if (completion->alive.expired() || self->m_load != completion->load) {
            return;  // the engine is gone, or another load has begun
        }
        self->ReportTitle();
        if (!completion->alive.expired()) {
            self->m_sink.OnDocumentComplete(completion->url, self);
        }
    }

    void ReportTitle() {
        const char* title = webkit_web_view_get_title(WebView());
        const std::string text = title != nullptr ? title : "";
        if (text != m_title) {
            m_title = text;
            m_sink.OnTitleChange(plat::FromUtf8(text));
        }
    }

    static void OnExternal(WebKitUserContentManager*, WebKitJavascriptResult*, gpointer data) {
        static_cast<WebKitEngine*>(data)->m_sink.OnExternalRequested();
    }

    plat::BrowserEventSink& m_sink;
    WebKitUserContentManager* m_content = nullptr;
    GtkWidget* m_view = nullptr;
    bool m_loadFailed = false;
    unsigned m_load = 0;  // counts the main frame's loads
    bool m_scrollBarsHidden = false;
    std::string m_title;  // the last one reported
    // Expires with the engine, which a sink may destroy while it handles an event.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace

std::unique_ptr<plat::BrowserEngine> plat::CreateBrowserEngine(HWND host, const std::wstring& url,
                                                               BrowserEventSink& sink) {
    HWND__* w = gtkui::Window(host);
    if (w == nullptr || w->parent == nullptr || gtkui::BrowserContext() == nullptr) {
        return nullptr;
    }
    auto engine = std::make_unique<WebKitEngine>(w->widget, sink);
    engine->Navigate(url);
    return engine;
}
