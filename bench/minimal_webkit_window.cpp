// The smallest WebKitGTK window that shows a page: the baseline the client's start-up and memory
// are compared with. Prints "loaded" once the page finished loading, then runs until signalled.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>

namespace {

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer) {
    if (event == WEBKIT_LOAD_FINISHED) {
        std::printf("loaded\n");
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ADDRESS\n", argv[0]);
        return 2;
    }
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 606, 394);
    GtkWidget* view = webkit_web_view_new();
    gtk_container_add(GTK_CONTAINER(window), view);
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
