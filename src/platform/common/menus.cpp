// The two menu resources as a table keyed by id, and the menu handles both backends share:
// only the tracking of a pop-up differs between them.
#include <atomic>

#include "platform/menus.h"

struct HMENU__ {
    std::vector<plat::MenuItem> items;
};

namespace {

std::atomic<int> g_liveMenus{0};

HMENU NewMenu(std::vector<plat::MenuItem> items) {
    ++g_liveMenus;
    return new HMENU__{std::move(items)};
}

HMENU Bar(const wchar_t* caption, std::vector<plat::MenuItem> items) {
    return NewMenu({plat::MenuItem{0, caption, NewMenu(std::move(items))}});
}

}  // namespace

HMENU LoadMenuW(HINSTANCE, LPCWSTR name) {
    switch (reinterpret_cast<std::uintptr_t>(name)) {
        case 149:
            return Bar(L"刷新", {{32774, L"刷新", nullptr}, {32778, L"清理缓存", nullptr}});
        case 156:
            return Bar(L"Velkora", {{32781, L"打开", nullptr}, {32782, L"退出", nullptr}});
        default:
            return nullptr;
    }
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (menu == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= menu->items.size()) {
        return nullptr;
    }
    return menu->items[static_cast<std::size_t>(position)].popup;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    if (menu == nullptr || (flags & MF_BYPOSITION) == 0 || position >= menu->items.size()) {
        return 0;
    }
    menu->items.erase(menu->items.begin() + position);
    return 1;
}

BOOL DestroyMenu(HMENU menu) {
    if (menu == nullptr) {
        return 0;
    }
    for (const plat::MenuItem& item : menu->items) {
        DestroyMenu(item.popup);
    }
    delete menu;
    --g_liveMenus;
    return 1;
}

namespace plat {

std::vector<MenuItem> MenuItems(HMENU menu) {
    return menu != nullptr ? menu->items : std::vector<MenuItem>{};
}

int LiveMenuCount() { return g_liveMenus.load(); }

}  // namespace plat
