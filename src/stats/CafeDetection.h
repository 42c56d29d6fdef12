// Whether the client runs in an internet café: the traces that café-management products leave,
// a machine-wide settings key or a running program.
#pragma once

#include <string>

// The number of the first product found, -1 when none; several products share a number.
int DetectCafeTool();

bool CafeKeyExists(const std::wstring& subKey);
bool CafeProcessRunning(const std::wstring& exeName);
