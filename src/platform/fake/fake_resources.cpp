// The program's resources as the test registered them.
#include <algorithm>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

// Integer types are named "#n", as Windows spells them in resource scripts.
std::wstring TypeName(LPCWSTR type) {
    if (IS_INTRESOURCE(type)) {
        return L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(type));
    }
    return type;
}

WORD IdOf(LPCWSTR name) {
    return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
}

Resource* FindByHandle(const void* handle) {
    for (auto& [key, resource] : TheState().resources) {
        if (resource.handle == handle) {
            return &resource;
        }
    }
    return nullptr;
}

}  // namespace

namespace plat::fake {

void RegisterBitmap(WORD id, int width, int height) {
    TheState().bitmaps[id] = SIZE{width, height};
}

void RegisterIcon(WORD id) {
    TheState().icons[id] = NewHandle<HICON>();
}

void RegisterString(UINT id, std::wstring text) {
    TheState().strings[id] = std::move(text);
}

void RegisterResource(WORD id, std::wstring type, std::vector<std::uint8_t> bytes) {
    TheState().resources[{id, std::move(type)}] = Resource{NewHandle<HRSRC>(), std::move(bytes)};
}

void RegisterPng(WORD id, ImageBgra image) {
    const std::string marker = "fake png " + std::to_string(id);
    RegisterResource(id, L"PNG", {marker.begin(), marker.end()});
    TheState().pngs[marker] = std::move(image);
}

}  // namespace plat::fake

HBITMAP LoadBitmapW(HINSTANCE, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const SIZE* size = Find(TheState().bitmaps, IdOf(name));
    if (size == nullptr) {
        return nullptr;
    }
    GdiObject bitmap;
    bitmap.width = size->cx;
    bitmap.height = size->cy;
    bitmap.bitsPerPixel = 24;
    bitmap.resourceId = IdOf(name);
    return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    HICON* icon = Find(TheState().icons, IdOf(name));
    return icon ? *icon : nullptr;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax <= 0) {
        return 0;
    }
    const std::wstring* found = Find(TheState().strings, id);
    const std::wstring text = found ? *found : L"";
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(bufferMax - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = L'\0';
    return static_cast<int>(copied);
}

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
    if (!IS_INTRESOURCE(name) || type == nullptr) {
        return nullptr;
    }
    const Resource* found = Find(TheState().resources, std::make_pair(IdOf(name), TypeName(type)));
    return found ? found->handle : nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return FindByHandle(resource) ? static_cast<HGLOBAL>(resource) : nullptr;
}

void* LockResource(HGLOBAL data) {
    Resource* resource = FindByHandle(data);
    return resource ? resource->bytes.data() : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    const Resource* found = FindByHandle(resource);
    return found ? static_cast<DWORD>(found->bytes.size()) : 0;
}

plat::ImageBgra plat::DecodePng(const void* data, std::size_t size) {
    if (data == nullptr) {
        return {};
    }
    const ImageBgra* found =
        Find(TheState().pngs, std::string(static_cast<const char*>(data), size));
    return found ? *found : ImageBgra{};
}
