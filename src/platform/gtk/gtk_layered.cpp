// Layered windows without relying on a compositor: see-through pixels are cut out of the
// window's shape and input shape, so they show what lies beneath and pass clicks to it.
#include <vector>

#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include "platform/gtk/gtk_ui.h"

namespace {

// Below this, a pixel of a per-pixel-alpha window is left out where nothing can blend it.
constexpr int kOpaqueEnough = 128;

template <typename Keep>
cairo_region_t* RegionOf(cairo_surface_t* content, Keep keep) {
    const int width = cairo_image_surface_get_width(content);
    const int height = cairo_image_surface_get_height(content);
    const int stride = cairo_image_surface_get_stride(content);
    const unsigned char* data = cairo_image_surface_get_data(content);
    std::vector<cairo_rectangle_int_t> runs;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        int x = 0;
        while (x < width) {
            while (x < width && !keep(row[x])) {
                ++x;
            }
            const int start = x;
            while (x < width && keep(row[x])) {
                ++x;
            }
            if (x > start) {
                runs.push_back(cairo_rectangle_int_t{start, y, x - start, 1});
            }
        }
    }
    return cairo_region_create_rectangles(runs.data(), static_cast<int>(runs.size()));
}

std::uint32_t KeyPixel(COLORREF key) {
    return 0xFF000000u | static_cast<std::uint32_t>(GetRValue(key)) << 16 |
           static_cast<std::uint32_t>(GetGValue(key)) << 8 | GetBValue(key);
}

void AddVisibleChildren(HWND hwnd, cairo_region_t* region) {
    HWND__* w = gtkui::Window(hwnd);
    GList* children = gtk_container_get_children(GTK_CONTAINER(w->fixed));
    for (GList* item = children; item != nullptr; item = item->next) {
        auto* child = static_cast<GtkWidget*>(item->data);
        if (!gtk_widget_get_visible(child)) {
            continue;
        }
        int x = 0;
        int y = 0;
        gtk_container_child_get(GTK_CONTAINER(w->fixed), child, "x", &x, "y", &y, nullptr);
        int width = 0;
        int height = 0;
        gtk_widget_get_size_request(child, &width, &height);
        cairo_rectangle_int_t rect{x, y, width, height};
        cairo_region_union_rectangle(region, &rect);
    }
    g_list_free(children);
}

std::vector<XRectangle> XRectanglesOf(const cairo_region_t* region) {
    std::vector<XRectangle> rects(static_cast<std::size_t>(cairo_region_num_rectangles(region)));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        cairo_rectangle_int_t r{};
        cairo_region_get_rectangle(region, static_cast<int>(i), &r);
        rects[i] = XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                              static_cast<unsigned short>(r.width),
                              static_cast<unsigned short>(r.height)};
    }
    return rects;
}

// GDK does not pass a new shape on to a window that is already mapped, so the shapes go to the
// server directly, now if the window exists there and otherwise once it is realised.
void PushShapes(HWND__* w) {
    GdkWindow* gdk = gtk_widget_get_window(w->widget);
    if (gdk == nullptr || w->shape == nullptr || w->inputShape == nullptr) {
        return;
    }
    Display* display = gdk_x11_display_get_xdisplay(gdk_window_get_display(gdk));
    const Window xid = gdk_x11_window_get_xid(gdk);
    std::vector<XRectangle> visible = XRectanglesOf(w->shape);
    XShapeCombineRectangles(display, xid, ShapeBounding, 0, 0, visible.data(),
                            static_cast<int>(visible.size()), ShapeSet, YXBanded);
    std::vector<XRectangle> input = XRectanglesOf(w->inputShape);
    XShapeCombineRectangles(display, xid, ShapeInput, 0, 0, input.data(),
                            static_cast<int>(input.size()), ShapeSet, YXBanded);
}

void OnRealize(GtkWidget*, gpointer data) {
    if (HWND__* w = gtkui::Window(static_cast<HWND>(data)); w != nullptr) {
        PushShapes(w);
    }
}

void SetShapes(HWND__* w, cairo_region_t* visible, cairo_region_t* input) {
    const bool same = w->shape != nullptr && cairo_region_equal(w->shape, visible) &&
                      cairo_region_equal(w->inputShape, input);
    for (cairo_region_t** kept : {&w->shape, &w->inputShape}) {
        if (*kept != nullptr) {
            cairo_region_destroy(*kept);
        }
    }
    w->shape = visible;
    w->inputShape = input;
    if (!same) {
        PushShapes(w);
    }
}

}  // namespace

void gtkui::KeepShapeOnRealize(HWND hwnd) {
    g_signal_connect_after(hwnd->widget, "realize", G_CALLBACK(OnRealize), hwnd);
}

void gtkui::ApplyShape(HWND hwnd, cairo_surface_t* content) {
    HWND__* w = Window(hwnd);
    if (w == nullptr || w->parent != nullptr) {
        return;
    }
    if (w->hasColorKey) {
        const std::uint32_t key = KeyPixel(w->colorKey);
        cairo_region_t* region = RegionOf(content, [key](std::uint32_t p) { return (p | 0xFF000000u) != key; });
        AddVisibleChildren(hwnd, region);
        SetShapes(w, region, cairo_region_copy(region));
        return;
    }
    cairo_region_t* input = RegionOf(content, [](std::uint32_t p) { return (p >> 24) != 0; });
    if (gdk_screen_is_composited(gtk_widget_get_screen(w->widget))) {
        SetShapes(w, cairo_region_copy(input), input);
    } else {
        SetShapes(w, RegionOf(content, [](std::uint32_t p) { return static_cast<int>(p >> 24) >= kOpaqueEnough; }),
                  input);
    }
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE, DWORD flags) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    w->hasColorKey = (flags & LWA_COLORKEY) != 0;
    w->colorKey = key;
    gtk_widget_queue_draw(w->widget);
    return 1;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, POINT* position, SIZE* size, HDC source,
                         POINT* sourcePosition, COLORREF, BLENDFUNCTION*, DWORD flags) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || source == nullptr || source->bitmap == nullptr ||
        (flags & ULW_ALPHA) == 0) {
        return 0;
    }
    const int width = size != nullptr ? size->cx : w->width;
    const int height = size != nullptr ? size->cy : w->height;
    if (w->layered != nullptr) {
        cairo_surface_destroy(w->layered);
    }
    w->layered = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(w->layered);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    const int sx = sourcePosition != nullptr ? sourcePosition->x : 0;
    const int sy = sourcePosition != nullptr ? sourcePosition->y : 0;
    cairo_set_source_surface(cr, source->bitmap->surface, -sx, -sy);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(w->layered);
    const UINT placement = SWP_NOZORDER | SWP_NOACTIVATE |
                           (position == nullptr ? SWP_NOMOVE : 0) | (size == nullptr ? SWP_NOSIZE : 0);
    SetWindowPos(hwnd, nullptr, position != nullptr ? position->x : 0,
                 position != nullptr ? position->y : 0, width, height, placement);
    gtkui::ApplyShape(hwnd, w->layered);
    gtk_widget_queue_draw(w->widget);
    return 1;
}
