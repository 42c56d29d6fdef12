// Bitmaps and fonts: made, inspected and deleted.
#include <algorithm>
#include <cstring>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

constexpr int kBytesPerPixel = 4;

HBITMAP MemoryBitmap(int width, int height, std::vector<std::uint8_t> pixels) {
    GdiObject bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = 32;
    bitmap.pixels = std::move(pixels);
    return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

bool SelectedAnywhere(HGDIOBJ object) {
    for (const auto& [handle, dc] : TheState().dcs) {
        if (!dc.released && (dc.state.bitmap == object || dc.state.font == object)) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace plat::fake {

namespace detail {

GdiObject* Object(HGDIOBJ object) {
    return Find(TheState().objects, object);
}

HGDIOBJ AddObject(GdiObject object) {
    HGDIOBJ handle = NewHandle<HGDIOBJ>();
    TheState().objects.emplace(handle, std::move(object));
    return handle;
}

// Pixels outside the bitmap come out as zero.
ImageBgra CopyPixels(const GdiObject& bitmap, int x, int y, int width, int height) {
    ImageBgra image;
    if (bitmap.pixels.empty() || width <= 0 || height <= 0) {
        return image;
    }
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height * kBytesPerPixel, 0);
    const int left = std::max(x, 0);
    const int right = std::min(x + width, bitmap.width);
    for (int row = std::max(y, 0); row < std::min(y + height, bitmap.height) && left < right;
         ++row) {
        const std::uint8_t* from = &bitmap.pixels[(row * bitmap.width + left) * kBytesPerPixel];
        std::uint8_t* to = &image.pixels[((row - y) * width + left - x) * kBytesPerPixel];
        std::memcpy(to, from, static_cast<std::size_t>(right - left) * kBytesPerPixel);
    }
    return image;
}

}  // namespace detail

std::optional<FontInfo> FontOf(HFONT font) {
    const GdiObject* object = Object(font);
    if (object == nullptr || !object->isFont) {
        return std::nullopt;
    }
    return object->font;
}

ImageBgra BitmapPixels(HBITMAP bitmap) {
    const GdiObject* object = Object(bitmap);
    if (object == nullptr || object->isFont) {
        return {};
    }
    return CopyPixels(*object, 0, 0, object->width, object->height);
}

std::size_t LiveGdiObjects() {
    const auto& objects = TheState().objects;
    return static_cast<std::size_t>(std::count_if(
        objects.begin(), objects.end(), [](const auto& entry) { return !entry.second.stock; }));
}

}  // namespace plat::fake

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(width) * height * kBytesPerPixel;
    return MemoryBitmap(width, height, std::vector<std::uint8_t>(size, 0));
}

HBITMAP plat::CreateBitmapFromBgra(const ImageBgra& image) {
    const auto size = static_cast<std::size_t>(image.width) * image.height * kBytesPerPixel;
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size) {
        return nullptr;
    }
    return MemoryBitmap(image.width, image.height, image.pixels);
}

// As on Windows, an object still selected into a context is not deleted.
BOOL DeleteObject(HGDIOBJ object) {
    const GdiObject* found = Object(object);
    if (found == nullptr || SelectedAnywhere(object)) {
        return false;
    }
    if (!found->stock) {
        TheState().objects.erase(object);
    }
    return true;
}

int GetObjectW(HGDIOBJ object, int size, void* out) {
    const GdiObject* found = Object(object);
    if (found == nullptr || found->isFont) {
        return 0;
    }
    if (out == nullptr) {
        return sizeof(BITMAP);
    }
    if (size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    BITMAP bitmap{};
    bitmap.bmWidth = found->width;
    bitmap.bmHeight = found->height;
    bitmap.bmWidthBytes = (found->width * found->bitsPerPixel + 15) / 16 * 2;
    bitmap.bmPlanes = 1;
    bitmap.bmBitsPixel = found->bitsPerPixel;
    std::memcpy(out, &bitmap, sizeof(bitmap));
    return sizeof(BITMAP);
}

HFONT CreateFontW(int height, int, int, int, int weight, DWORD, DWORD underline, DWORD, DWORD,
                  DWORD, DWORD, DWORD, DWORD, LPCWSTR face) {
    GdiObject font;
    font.isFont = true;
    font.font = {face ? face : L"", height, weight, underline != 0};
    return static_cast<HFONT>(AddObject(std::move(font)));
}
