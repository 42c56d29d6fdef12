// Drawing calls: each is recorded with the context's state, and blits between 32-bit bitmaps
// really move pixels, so that what a layered window shows can be checked.
#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

constexpr int kDefaultFontHeight = 16;

GdiObject* SelectedBitmap(const DcRecord& dc) {
    GdiObject* bitmap = dc.memory ? Object(dc.state.bitmap) : nullptr;
    return bitmap != nullptr && !bitmap->pixels.empty() ? bitmap : nullptr;
}

DrawOp OpFor(const DcRecord& dc, std::string kind, RECT dest) {
    DrawOp op;
    op.kind = std::move(kind);
    op.dest = dest;
    const GdiObject* font = Object(dc.state.font);
    if (font != nullptr && !font->stock) {
        op.font = font->font;
    }
    op.textColor = dc.state.textColor;
    op.bkMode = dc.state.bkMode;
    return op;
}

void Record(DcRecord& dc, DrawOp op) {
    std::vector<DrawOp>& ops = dc.window ? TheState().windows.at(dc.window).ops : dc.ops;
    ops.push_back(std::move(op));
}

// (c × a) / 255, rounded to the nearest.
std::uint8_t Scale(int c, int a) {
    return static_cast<std::uint8_t>((c * a + 127) / 255);
}

// Source over; with AC_SRC_ALPHA the source is premultiplied and its own alpha counts too.
void Blend(const std::uint8_t* from, std::uint8_t* to, BLENDFUNCTION blend) {
    const int constant = blend.SourceConstantAlpha;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    const int alpha = perPixel ? Scale(from[3], constant) : constant;
    for (int i = 0; i < 4; ++i) {
        const int sum = Scale(from[i], constant) + Scale(to[i], 255 - alpha);
        to[i] = static_cast<std::uint8_t>(std::min(sum, 255));
    }
}

// Nearest-neighbour stretch of the source rectangle onto the destination rectangle, clipped
// to both bitmaps; mix combines one source pixel into one destination pixel.
template <typename Mix>
void MovePixels(GdiObject& to, const RECT& dest, const GdiObject& from, const RECT& source,
                Mix mix) {
    const int width = dest.right - dest.left;
    const int height = dest.bottom - dest.top;
    for (int y = std::max(0, static_cast<int>(dest.top)); y < std::min<int>(dest.bottom, to.height);
         ++y) {
        const int sy = source.top + (y - dest.top) * (source.bottom - source.top) / height;
        for (int x = std::max(0, static_cast<int>(dest.left));
             x < std::min<int>(dest.right, to.width); ++x) {
            const int sx = source.left + (x - dest.left) * (source.right - source.left) / width;
            if (sx >= 0 && sy >= 0 && sx < from.width && sy < from.height) {
                mix(&from.pixels[(sy * from.width + sx) * 4], &to.pixels[(y * to.width + x) * 4]);
            }
        }
    }
}

template <typename Mix>
BOOL Blit(HDC destHandle, DrawOp op, HDC sourceHandle, const RECT& source, Mix mix) {
    DcRecord* dest = LiveDc(destHandle);
    DcRecord* from = LiveDc(sourceHandle);
    if (dest == nullptr || from == nullptr || op.dest.right <= op.dest.left ||
        op.dest.bottom <= op.dest.top) {
        return false;
    }
    op.source = source;
    if (const GdiObject* bitmap = Object(from->state.bitmap)) {
        op.sourceId = bitmap->resourceId;
    }
    GdiObject* toPixels = SelectedBitmap(*dest);
    const GdiObject* fromPixels = SelectedBitmap(*from);
    if (toPixels != nullptr && fromPixels != nullptr) {
        MovePixels(*toPixels, op.dest, *fromPixels, source, mix);
    }
    Record(*dest, std::move(op));
    return true;
}

void Copy(const std::uint8_t* from, std::uint8_t* to) {
    std::copy(from, from + 4, to);
}

RECT Area(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

DrawOp OpOn(HDC dc, const char* kind, RECT dest) {
    const DcRecord* record = LiveDc(dc);
    return record ? OpFor(*record, kind, dest) : DrawOp{};
}

}  // namespace

namespace plat::fake {

void SetCharWidth(int pixels) {
    TheState().charWidth = pixels;
}

}  // namespace plat::fake

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    DrawOp op = OpOn(dest, "BitBlt", Area(x, y, width, height));
    op.rop = rop;
    return Blit(dest, std::move(op), source, Area(sx, sy, width, height), Copy);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, DWORD rop) {
    DrawOp op = OpOn(dest, "StretchBlt", Area(x, y, width, height));
    op.rop = rop;
    return Blit(dest, std::move(op), source, Area(sx, sy, sw, sh), Copy);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                    int sw, int sh, UINT key) {
    DrawOp op = OpOn(dest, "TransparentBlt", Area(x, y, width, height));
    op.key = key;
    return Blit(dest, std::move(op), source, Area(sx, sy, sw, sh),
                [key](const std::uint8_t* from, std::uint8_t* to) {
                    if (RGB(from[2], from[1], from[0]) != key) {
                        Copy(from, to);
                    }
                });
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, BLENDFUNCTION blend) {
    DrawOp op = OpOn(dest, "AlphaBlend", Area(x, y, width, height));
    op.blend = blend;
    return Blit(dest, std::move(op), source, Area(sx, sy, sw, sh),
                [blend](const std::uint8_t* from, std::uint8_t* to) { Blend(from, to, blend); });
}

int DrawTextW(HDC handle, LPCWSTR text, int length, RECT* rect, UINT format) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    const std::wstring shown(text, length < 0 ? std::wcslen(text) : std::size_t(length));
    const GdiObject* font = Object(dc->state.font);
    const int fontHeight = font != nullptr ? std::abs(font->font.height) : 0;
    const int height = fontHeight != 0 ? fontHeight : kDefaultFontHeight;
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + static_cast<LONG>(shown.size()) * TheState().charWidth;
        rect->bottom = rect->top + height;
        return height;
    }
    DrawOp op = OpFor(*dc, "DrawText", *rect);
    op.text = shown;
    op.format = format;
    Record(*dc, std::move(op));
    return height;
}
