// The client's own window messages, in the WM_USER range.
#pragma once

#include "platform/window.h"

inline constexpr UINT WM_ENTER_GAME = WM_USER + 200;    // 1224
inline constexpr UINT WM_CLOSE_CLIENT = WM_USER + 201;  // 1225
inline constexpr UINT WM_TRAY_NOTIFY = WM_USER + 204;   // 1228
inline constexpr UINT WM_CONFIRM_EXIT = WM_USER + 206;  // 1230
// The upgrade flow's request, from a worker, to hide (wParam 0) or show again (wParam 1) the
// login and background windows: only the UI thread may touch them.
inline constexpr UINT WM_UPGRADE_WINDOWS = WM_USER + 207;  // 1231
