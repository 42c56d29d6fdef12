#include "ui/PngResource.h"

void PremultiplyBgra(plat::ImageBgra& image) {
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        const unsigned alpha = image.pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            image.pixels[i + c] = static_cast<std::uint8_t>((image.pixels[i + c] * alpha + 127) / 255);
        }
    }
}

bool LoadPngResource(HRSRC resource, HDC target) {
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(nullptr, resource);
    if (bytes == nullptr) {
        return false;
    }
    plat::ImageBgra image = plat::DecodePng(bytes, size);
    if (image.pixels.empty()) {
        return true;
    }
    PremultiplyBgra(image);
    HBITMAP bitmap = plat::CreateBitmapFromBgra(image);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    AlphaBlend(target, 0, 0, image.width, image.height, source, 0, 0, image.width, image.height,
               BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    return true;
}
