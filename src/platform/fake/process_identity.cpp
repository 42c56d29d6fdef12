#include <mutex>

#include "platform/fake/fake_process.h"
#include "platform/shell.h"

namespace plat {

namespace {

struct Identity {
    std::mutex lock;
    std::wstring commandLine = L"velkora";
    // Until a test says otherwise the program lives where nothing can be written, so that an
    // application object built during static initialisation leaves no settings file behind.
    std::wstring modulePath = L"/proc/velkora-tests/velkora";
};

Identity& TheIdentity() {
    static Identity& identity = *new Identity;  // never destroyed: used until the process ends
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
