#pragma once

#include "platform/window.h"

// style := (style AND keep) OR add, for GWL_STYLE or GWL_EXSTYLE: every style change of the
// client's windows is written as the masks it keeps and the bits it sets.
void ChangeStyle(HWND hWnd, int index, DWORD keep, DWORD add);
