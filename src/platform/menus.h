// Pop-up menus from the program's menu resources, and the icon in the desktop's notification
// area, with Win32's signatures and values.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

#ifndef _WIN32

inline constexpr UINT MF_BYPOSITION = 0x00000400;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 0x1;
inline constexpr UINT NIF_ICON = 0x2;
inline constexpr UINT NIF_TIP = 0x4;

// The fields of the Win32 record that the client fills; the rest of it stays zero there.
struct NOTIFYICONDATAW {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    WCHAR szTip[128];
};

// Menus 149 and 156 of the resource table; null for any other id.
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HMENU GetSubMenu(HMENU menu, int position);
// By position only: the pop-up is detached, so that destroying the bar leaves it alive.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DestroyMenu(HMENU menu);
// With TPM_RETURNCMD: the chosen item's id, 0 when the menu was dismissed; no WM_COMMAND is
// sent. Modal: posted messages are dispatched while it runs.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);

// NIM_ADD shows the icon; clicks on it arrive as uCallbackMessage posted to hWnd with the
// icon id as wParam and the mouse message as lParam. FALSE when the desktop refused it (on
// Linux: no notification area took it in).
BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data);

#endif  // _WIN32

namespace plat {

struct MenuItem {
    UINT id = 0;  // 0 for a pop-up
    std::wstring text;
    HMENU popup = nullptr;
};

// The items of a menu as the resource gave them; empty for a null menu.
std::vector<MenuItem> MenuItems(HMENU menu);
// Menus loaded and not yet destroyed, so that a test can tell that none leaked.
int LiveMenuCount();

}  // namespace plat
