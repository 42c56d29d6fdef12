#include "app/SettingsFile.h"

#include "platform/profile.h"
#include "platform/shell.h"

namespace {

constexpr std::size_t kMaxValueLength = 259;

const std::wstring& OrSettingsFile(const std::wstring& file, std::wstring& storage) {
    if (!file.empty()) {
        return file;
    }
    storage = GetSettingsFilePath();
    return storage;
}

}  // namespace

std::wstring GetModuleFolder() {
    std::wstring path = plat::ModuleFilePath();
    std::size_t last = path.rfind(plat::kPathSeparator);
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

std::wstring GetSettingsFilePath() { return GetModuleFolder() + L"Stavel.ini"; }

std::wstring IniGetString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& def, const std::wstring& file) {
    std::wstring storage;
    std::wstring value = plat::ProfileGetString(section, key, def, OrSettingsFile(file, storage));
    if (value.size() > kMaxValueLength) {
        value.resize(kMaxValueLength);
    }
    return value;
}

int IniGetInt(const std::wstring& section, const std::wstring& key, int def,
              const std::wstring& file) {
    std::wstring storage;
    return plat::ProfileGetInt(section, key, def, OrSettingsFile(file, storage));
}

void IniSetString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                  const std::wstring& file) {
    std::wstring storage;
    plat::ProfileWriteString(section, key, value, OrSettingsFile(file, storage));
}
