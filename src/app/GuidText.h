#pragma once

#include <string>

// A new identifier as 36 upper-case hexadecimal characters with four dashes; when no identifier
// can be made, the previous result (empty before the first).
std::wstring NewGuidText();
