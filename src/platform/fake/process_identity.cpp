#include <mutex>

#include "platform/fake/fake_process.h"
#include "platform/shell.h"

namespace plat {

namespace {

struct Identity {
    std::mutex lock;
    std::wstring commandLine = L"velkora";
    std::wstring modulePath;
};

Identity& TheIdentity() {
    static Identity identity;
    return identity;
}

}  // namespace

void fake::SetCommandLineText(std::wstring commandLine) {
    std::lock_guard<std::mutex> guard(TheIdentity().lock);
    TheIdentity().commandLine = std::move(commandLine);
}

void fake::SetModuleFilePath(std::wstring path) {
    std::lock_guard<std::mutex> guard(TheIdentity().lock);
    TheIdentity().modulePath = std::move(path);
}

std::wstring CommandLineText() {
    std::lock_guard<std::mutex> guard(TheIdentity().lock);
    return TheIdentity().commandLine;
}

std::wstring ModuleFilePath() {
    std::lock_guard<std::mutex> guard(TheIdentity().lock);
    return TheIdentity().modulePath;
}

}  // namespace plat
