#include "ui/WindowStyles.h"

void ChangeStyle(HWND hWnd, int index, DWORD keep, DWORD add) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hWnd, index));
    SetWindowLongW(hWnd, index, static_cast<LONG>((style & keep) | add));
}
