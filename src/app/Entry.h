// The process: its entry, the start-up branch and the one window procedure of the client's
// window class, which routes every message to the window object by its handle.
#pragma once

#include "platform/window.h"

// What wWinMain does on Windows; returns the process's exit code.
int ClientMain();
int Run();
LRESULT MainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
