// Resources come from the table compiled into the program; images are decoded with gdk-pixbuf.
#include <cstring>
#include <string>

#include "EmbeddedResources.h"
#include "platform/gtk/gtk_ui.h"
#include "platform/resources.h"

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48};

std::uint32_t ReadLittle32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t ReadBig32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

// The size the file's header announces, and whether the file holds all the pixel data that size
// needs where that can be told from the header: gdk-pixbuf decodes some cut files without error.
bool AnnouncedSize(const unsigned char* data, std::size_t size, int* width, int* height) {
    static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 24 && std::memcmp(data, kPng, sizeof kPng) == 0) {
        *width = static_cast<int>(ReadBig32(data + 16));
        *height = static_cast<int>(ReadBig32(data + 20));
        return true;
    }
    if (size >= 30 && data[0] == 'B' && data[1] == 'M') {
        const std::uint32_t pixelsAt = ReadLittle32(data + 10);
        *width = static_cast<int>(ReadLittle32(data + 18));
        const auto rawHeight = static_cast<std::int32_t>(ReadLittle32(data + 22));
        *height = rawHeight < 0 ? -rawHeight : rawHeight;
        const int bits = data[28] | data[29] << 8;
        const std::size_t stride = ((static_cast<std::size_t>(*width) * bits + 31) / 32) * 4;
        return pixelsAt <= size && size - pixelsAt >= stride * static_cast<std::size_t>(*height);
    }
    return false;
}

GdkPixbuf* Decode(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    int width = 0;
    int height = 0;
    if (data == nullptr || !AnnouncedSize(bytes, size, &width, &height)) {
        return nullptr;
    }
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    const bool written = gdk_pixbuf_loader_write(loader, bytes, size, nullptr) != FALSE;
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr) != FALSE;
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf != nullptr && gdk_pixbuf_get_width(pixbuf) == width &&
        gdk_pixbuf_get_height(pixbuf) == height) {
        g_object_ref(pixbuf);
    } else {
        pixbuf = nullptr;
    }
    g_object_unref(loader);
    return pixbuf;
}

res::ResourceType TypeOf(LPCWSTR type, bool* known) {
    *known = true;
    if (IS_INTRESOURCE(type)) {
        if (type == RT_BITMAP) {
            return res::ResourceType::Bitmap;
        }
        if (type == RT_ICON_GROUP) {
            return res::ResourceType::Icon;
        }
    } else if (std::wstring(type) == L"PNG") {
        return res::ResourceType::Png;
    }
    *known = false;
    return res::ResourceType::Bitmap;
}

int IdOf(LPCWSTR name) {
    return IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(name)) : -1;
}

}  // namespace

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
    bool known = false;
    const res::ResourceType kind = TypeOf(type, &known);
    const res::Embedded* found = known ? res::FindEmbedded(IdOf(name), kind) : nullptr;
    return reinterpret_cast<HRSRC>(const_cast<res::Embedded*>(found));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }

void* LockResource(HGLOBAL data) {
    return data != nullptr
               ? const_cast<unsigned char*>(static_cast<res::Embedded*>(data)->data)
               : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource != nullptr
               ? static_cast<DWORD>(reinterpret_cast<res::Embedded*>(resource)->size)
               : 0;
}

HBITMAP LoadBitmapW(HINSTANCE, LPCWSTR name) {
    const res::Embedded* found = res::FindEmbedded(IdOf(name), res::ResourceType::Bitmap);
    GdkPixbuf* pixbuf = found != nullptr ? Decode(found->data, found->size) : nullptr;
    if (pixbuf == nullptr) {
        return nullptr;
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    g_object_unref(pixbuf);
    auto* bitmap = new HBITMAP__;
    bitmap->surface = surface;
    bitmap->bitsPixel = 24;
    return bitmap;
}

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
    GList* pixbufs = nullptr;
    for (int pixels : kIconSizes) {
        const res::Embedded* image = res::FindIcon(IdOf(name), pixels);
        if (GdkPixbuf* pixbuf = image != nullptr ? Decode(image->data, image->size) : nullptr) {
            pixbufs = g_list_append(pixbufs, pixbuf);
        }
    }
    if (pixbufs == nullptr) {
        return nullptr;
    }
    auto* icon = new HICON__;
    icon->pixbufs = pixbufs;
    return icon;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    const wchar_t* text = id == 103 ? L"Velkora" : id == 109 ? L"stavel" : nullptr;
    if (text == nullptr || buffer == nullptr || bufferMax <= 0) {
        return 0;
    }
    std::wcsncpy(buffer, text, static_cast<std::size_t>(bufferMax - 1));
    buffer[bufferMax - 1] = L'\0';
    return static_cast<int>(std::wcslen(buffer));
}

namespace plat {

ImageBgra DecodePng(const void* data, std::size_t size) {
    ImageBgra image;
    GdkPixbuf* pixbuf = Decode(data, size);
    if (pixbuf == nullptr) {
        return image;
    }
    GdkPixbuf* rgba = gdk_pixbuf_get_has_alpha(pixbuf) ? g_object_ref(pixbuf)
                                                       : gdk_pixbuf_add_alpha(pixbuf, FALSE, 0, 0, 0);
    image.width = gdk_pixbuf_get_width(rgba);
    image.height = gdk_pixbuf_get_height(rgba);
    const int stride = gdk_pixbuf_get_rowstride(rgba);
    const guchar* pixels = gdk_pixbuf_read_pixels(rgba);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y) {
        const guchar* in = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4;
        for (int x = 0; x < image.width; ++x, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    }
    g_object_unref(rgba);
    g_object_unref(pixbuf);
    return image;
}

HBITMAP CreateBitmapFromBgra(const ImageBgra& image) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, image.width, image.height);
    if (bitmap == nullptr) {
        return nullptr;
    }
    const int stride = cairo_image_surface_get_stride(bitmap->surface);
    unsigned char* data = cairo_image_surface_get_data(bitmap->surface);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                    image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4,
                    static_cast<std::size_t>(image.width) * 4);
    }
    cairo_surface_mark_dirty(bitmap->surface);
    return bitmap;
}

}  // namespace plat
