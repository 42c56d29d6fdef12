#include "ui/Bitmaps.h"

#include "platform/resources.h"

HBITMAP LoadResourceBitmap(HINSTANCE instance, int id) {
    return LoadBitmapW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id)));
}

bool GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) {
        return false;
    }
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

namespace {

// A memory context holding the bitmap, for the duration of one copy.
class SelectedBitmap {
public:
    SelectedBitmap(HDC target, HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(target)), m_previous(SelectObject(m_dc, bitmap)) {}
    ~SelectedBitmap() {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace

void DrawKeyed(HDC dc, HBITMAP bitmap, int width, int height, const RECT& dest) {
    SelectedBitmap source(dc, bitmap);
    TransparentBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
                   source.dc(), 0, 0, width, height, kColorKey);
}

void DrawOpaque(HDC dc, HBITMAP bitmap, int width, int height, const RECT& dest) {
    SelectedBitmap source(dc, bitmap);
    StretchBlt(dc, 0, 0, dest.right - dest.left, dest.bottom - dest.top, source.dc(), 0, 0, width,
               height, SRCCOPY);
}

void DeleteBitmaps(std::initializer_list<HBITMAP> bitmaps) {
    for (HBITMAP bitmap : bitmaps) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
}
