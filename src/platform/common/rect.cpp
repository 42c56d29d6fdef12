#include "platform/window.h"

#ifndef _WIN32

// Right and bottom are outside the rectangle, as Windows counts them.
BOOL PtInRect(const RECT* rect, POINT point) {
    return point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                   point.y < rect->bottom
               ? 1
               : 0;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return 1;
}

#endif
