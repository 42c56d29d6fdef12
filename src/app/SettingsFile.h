// The settings file "Stavel.ini" next to the executable, read and written key by key. Every read
// goes to the file: the installer and other processes may change it at any time.
#pragma once

#include <string>

std::wstring GetModuleFolder();
std::wstring GetSettingsFilePath();

// An empty file means the settings file. Reads come back cut to 259 characters.
std::wstring IniGetString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& def, const std::wstring& file = L"");
int IniGetInt(const std::wstring& section, const std::wstring& key, int def,
              const std::wstring& file = L"");
// Failures are not reported: callers go on without the value.
void IniSetString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                  const std::wstring& file = L"");
