#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/common/file_head.h"
#include "platform/gtk/process_scan.h"
#include "platform/processes.h"
#include "platform/text.h"

namespace plat {

namespace {

namespace fs = std::filesystem;

bool IsProcessId(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// Wine shows a Windows program's own path ("C:\...\wbc.exe", or a share "\\host\...") as the
// first argument; the executable it runs is Wine's loader.
bool IsWindowsPath(const std::string& text) {
    const bool drive = text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
                       text[1] == ':' && text[2] == '\\';
    return drive || text.rfind("\\\\", 0) == 0;
}

std::string ProgramName(const fs::path& process) {
    const std::string arguments = ReadFileHead((process / "cmdline").string(), 4096);
    const std::string first = arguments.substr(0, arguments.find('\0'));
    if (IsWindowsPath(first)) {
        return first.substr(first.find_last_of('\\') + 1);
    }
    std::error_code error;
    std::string executable = fs::read_symlink(process / "exe", error).filename().string();
    static const std::string kDeleted = " (deleted)";
    if (executable.size() > kDeleted.size() &&
        executable.compare(executable.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0) {
        executable.resize(executable.size() - kDeleted.size());
    }
    // Without the right to follow another user's link, the kernel's short name is all there is.
    return !error && !executable.empty() ? executable
                                         : ReadFileLine((process / "comm").string(), 64);
}

}  // namespace

std::vector<std::wstring> linux_proc::ProgramNamesUnder(const std::string& procRoot) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (fs::directory_iterator it(procRoot, error), end; !error && it != end;
         it.increment(error)) {
        if (!IsProcessId(it->path().filename().string())) {
            continue;
        }
        const std::string name = ProgramName(it->path());
        if (!name.empty()) {
            names.push_back(FromUtf8(name));
        }
    }
    return names;
}

std::vector<std::wstring> RunningProgramNames() {
    return linux_proc::ProgramNamesUnder("/proc");
}

}  // namespace plat
