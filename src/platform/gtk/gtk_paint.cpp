// GDI on cairo and Pango. Memory bitmaps are ARGB32 surfaces, whose premultiplied BGRA layout is
// what Windows' 32-bit DIB sections hold; resource bitmaps are RGB24.
#include <cwchar>

#include "platform/gtk/gtk_ui.h"
#include "platform/text.h"

namespace {

// The face the skin asks for is rarely installed on Linux; this one has the same role there.
constexpr const char* kFallbackFaces = ",WenQuanYi Micro Hei,sans-serif";
constexpr int kDefaultFontPixels = 16;

HBITMAP NewBitmap(cairo_surface_t* surface, int bitsPixel) {
    auto* bitmap = new HBITMAP__;
    bitmap->surface = surface;
    bitmap->bitsPixel = bitsPixel;
    return bitmap;
}

void Rebind(HDC dc, cairo_surface_t* surface) {
    if (dc->cr != nullptr) {
        cairo_destroy(dc->cr);
    }
    dc->cr = cairo_create(surface);
}

double RgbPart(COLORREF color, int shift) { return ((color >> shift) & 0xFF) / 255.0; }

void SetSourceColor(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, RgbPart(color, 0), RgbPart(color, 8), RgbPart(color, 16));
}

// The bitmap as ARGB with every pixel of the key colour fully transparent, made once per key.
cairo_surface_t* Keyed(HBITMAP bitmap, COLORREF key) {
    if (bitmap->keyed != nullptr && bitmap->keyedWith == key) {
        return bitmap->keyed;
    }
    if (bitmap->keyed != nullptr) {
        cairo_surface_destroy(bitmap->keyed);
    }
    const int width = cairo_image_surface_get_width(bitmap->surface);
    const int height = cairo_image_surface_get_height(bitmap->surface);
    cairo_surface_t* keyed = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(bitmap->surface);
    const unsigned char* from = cairo_image_surface_get_data(bitmap->surface);
    unsigned char* to = cairo_image_surface_get_data(keyed);
    const int fromStride = cairo_image_surface_get_stride(bitmap->surface);
    const int toStride = cairo_image_surface_get_stride(keyed);
    const std::uint32_t keyRgb = static_cast<std::uint32_t>(GetRValue(key)) << 16 |
                                 static_cast<std::uint32_t>(GetGValue(key)) << 8 | GetBValue(key);
    const bool hasAlpha = cairo_image_surface_get_format(bitmap->surface) == CAIRO_FORMAT_ARGB32;
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(from + static_cast<std::ptrdiff_t>(y) * fromStride);
        auto* out = reinterpret_cast<std::uint32_t*>(to + static_cast<std::ptrdiff_t>(y) * toStride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = hasAlpha ? in[x] : (in[x] | 0xFF000000u);
            out[x] = (pixel & 0x00FFFFFFu) == keyRgb ? 0u : pixel;
        }
    }
    cairo_surface_mark_dirty(keyed);
    bitmap->keyed = keyed;
    bitmap->keyedWith = key;
    return keyed;
}

// Copies the source rectangle onto the destination rectangle, scaled without smoothing so that
// hard-edged skins stay hard-edged.
void Stretch(HDC dest, int x, int y, int width, int height, cairo_surface_t* source, int sx, int sy,
             int sw, int sh, cairo_operator_t op, double alpha) {
    if (dest == nullptr || source == nullptr || sw <= 0 || sh <= 0 || width == 0 || height == 0) {
        return;
    }
    cairo_t* cr = dest->cr;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, width, height);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, static_cast<double>(width) / sw, static_cast<double>(height) / sh);
    cairo_set_source_surface(cr, source, -sx, -sy);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr, op);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

cairo_surface_t* SourceOf(HDC source) {
    return source != nullptr && source->bitmap != nullptr ? source->bitmap->surface : nullptr;
}

PangoLayout* LayoutFor(HDC dc, const std::wstring& text) {
    PangoLayout* layout = pango_cairo_create_layout(dc->cr);
    HFONT font = dc->state.font;
    if (font != nullptr) {
        pango_layout_set_font_description(layout, font->description);
    } else {
        PangoFontDescription* plain = pango_font_description_from_string("WenQuanYi Micro Hei");
        pango_font_description_set_absolute_size(plain, kDefaultFontPixels * 0.8 * PANGO_SCALE);
        pango_layout_set_font_description(layout, plain);
        pango_font_description_free(plain);
    }
    if (font != nullptr && font->underline) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    const std::string utf8 = plat::ToUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    return layout;
}

}  // namespace

HDC gtkui::NewDc(cairo_t* cr) {
    auto* dc = new HDC__;
    dc->cr = cairo_reference(cr);
    return dc;
}

void gtkui::FreeDc(HDC dc) {
    if (dc == nullptr) {
        return;
    }
    if (dc->cr != nullptr) {
        cairo_destroy(dc->cr);
    }
    if (dc->defaultBitmap != nullptr) {
        DeleteObject(dc->defaultBitmap);
    }
    delete dc;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    HWND__* w = gtkui::Window(hwnd);
    HDC dc = w != nullptr && w->paintDc != nullptr ? w->paintDc : GetDC(hwnd);
    if (paint != nullptr) {
        *paint = PAINTSTRUCT{dc, 0, RECT{0, 0, w != nullptr ? w->width : 0, w != nullptr ? w->height : 0}};
    }
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    HWND__* w = gtkui::Window(hwnd);
    if (paint != nullptr && (w == nullptr || paint->hdc != w->paintDc)) {
        ReleaseDC(hwnd, paint->hdc);
    }
    return 1;
}

HDC GetDC(HWND) {
    // Measuring and compatible bitmaps need a context, not the screen's pixels.
    HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    DeleteDC(dc);
    return 1;
}

HDC CreateCompatibleDC(HDC) {
    auto* dc = new HDC__;
    dc->defaultBitmap = NewBitmap(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1), 32);
    dc->bitmap = dc->defaultBitmap;
    Rebind(dc, dc->bitmap->surface);
    return dc;
}

BOOL DeleteDC(HDC dc) {
    gtkui::FreeDc(dc);
    return 1;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    return NewBitmap(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), 32);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr) {
        return nullptr;
    }
    if (static_cast<GdiHeader*>(object)->kind == GdiKind::kFont) {
        HFONT previous = dc->state.font;
        dc->state.font = static_cast<HFONT>(object);
        return previous;
    }
    HBITMAP previous = dc->bitmap;
    dc->bitmap = static_cast<HBITMAP>(object);
    Rebind(dc, dc->bitmap->surface);
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr) {
        return 0;
    }
    if (static_cast<GdiHeader*>(object)->kind == GdiKind::kFont) {
        HFONT font = static_cast<HFONT>(object);
        pango_font_description_free(font->description);
        delete font;
        return 1;
    }
    HBITMAP bitmap = static_cast<HBITMAP>(object);
    cairo_surface_destroy(bitmap->surface);
    if (bitmap->keyed != nullptr) {
        cairo_surface_destroy(bitmap->keyed);
    }
    delete bitmap;
    return 1;
}

int GetObjectW(HGDIOBJ object, int size, void* out) {
    if (object == nullptr || static_cast<GdiHeader*>(object)->kind != GdiKind::kBitmap ||
        out == nullptr || size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    HBITMAP bitmap = static_cast<HBITMAP>(object);
    BITMAP info{};
    info.bmWidth = cairo_image_surface_get_width(bitmap->surface);
    info.bmHeight = cairo_image_surface_get_height(bitmap->surface);
    info.bmWidthBytes = cairo_image_surface_get_stride(bitmap->surface);
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(bitmap->bitsPixel);
    *static_cast<BITMAP*>(out) = info;
    return sizeof(BITMAP);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD) {
    Stretch(dest, x, y, width, height, SourceOf(source), sx, sy, width, height,
            CAIRO_OPERATOR_SOURCE, 1.0);
    return 1;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, DWORD) {
    Stretch(dest, x, y, width, height, SourceOf(source), sx, sy, sw, sh, CAIRO_OPERATOR_SOURCE, 1.0);
    return 1;
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                    int sw, int sh, UINT key) {
    if (SourceOf(source) == nullptr) {
        return 0;
    }
    Stretch(dest, x, y, width, height, Keyed(source->bitmap, key), sx, sy, sw, sh,
            CAIRO_OPERATOR_OVER, 1.0);
    return 1;
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, BLENDFUNCTION blend) {
    Stretch(dest, x, y, width, height, SourceOf(source), sx, sy, sw, sh, CAIRO_OPERATOR_OVER,
            blend.SourceConstantAlpha / 255.0);
    return 1;
}

HFONT CreateFontW(int height, int, int, int, int weight, DWORD, DWORD underline, DWORD, DWORD,
                  DWORD, DWORD, DWORD, DWORD, LPCWSTR face) {
    auto* font = new HFONT__;
    const std::string families = plat::ToUtf8(face != nullptr ? face : L"") + kFallbackFaces;
    font->description = pango_font_description_new();
    pango_font_description_set_family(font->description, families.c_str());
    // A positive height is the cell (ascent plus descent), a negative one the em: the em is about
    // four fifths of the cell.
    const double em = height < 0 ? -height : (height == 0 ? kDefaultFontPixels : height) * 0.8;
    pango_font_description_set_absolute_size(font->description, em * PANGO_SCALE);
    pango_font_description_set_weight(font->description,
                                      weight == 0 ? PANGO_WEIGHT_NORMAL : static_cast<PangoWeight>(weight));
    font->underline = underline != 0;
    return font;
}

int SaveDC(HDC dc) {
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
    const int depth = static_cast<int>(dc->saved.size());
    const int level = saved < 0 ? depth + saved + 1 : saved;
    if (level < 1 || level > depth) {
        return 0;
    }
    dc->state = dc->saved[static_cast<std::size_t>(level - 1)];
    dc->saved.resize(static_cast<std::size_t>(level - 1));
    return 1;
}

int SetBkMode(HDC dc, int mode) {
    const int previous = dc->state.bkMode;
    dc->state.bkMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    const COLORREF previous = dc->state.textColor;
    dc->state.textColor = color;
    return previous;
}

int DrawTextW(HDC dc, LPCWSTR text, int length, RECT* rect, UINT format) {
    if (dc == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    const std::wstring line(text, length < 0 ? std::wcslen(text) : static_cast<std::size_t>(length));
    PangoLayout* layout = LayoutFor(dc, line);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        g_object_unref(layout);
        return height;
    }
    int x = rect->left;
    if ((format & DT_CENTER) != 0) {
        x = rect->left + (rect->right - rect->left - width) / 2;
    }
    int y = rect->top;
    if ((format & (DT_VCENTER | DT_SINGLELINE)) == (DT_VCENTER | DT_SINGLELINE)) {
        y = rect->top + (rect->bottom - rect->top - height) / 2;
    }
    cairo_t* cr = dc->cr;
    cairo_save(cr);
    cairo_rectangle(cr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    cairo_clip(cr);
    SetSourceColor(cr, dc->state.textColor);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
    return height;
}
