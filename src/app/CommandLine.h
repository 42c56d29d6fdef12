#pragma once

#include <string>

// Case-sensitive substring test on the whole command line, program path included: installers
// rely on switches matching wherever they appear.
bool HasSwitch(const std::wstring& switchText);
