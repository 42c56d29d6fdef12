// Rectangle arithmetic is the same in every backend that has no Win32 to call.
#include "platform/window.h"

#ifndef _WIN32

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && point.x >= rect->left && point.x < rect->right &&
           point.y >= rect->top && point.y < rect->bottom;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
    if (rect == nullptr) {
        return false;
    }
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return true;
}

#endif  // _WIN32
