#include <mutex>

#include "platform/fake/fake_process.h"
#include "platform/processes.h"

namespace plat {

namespace {

struct Programs {
    std::mutex lock;
    std::vector<std::wstring> names;
    std::vector<fake::StartedProgram> started;
    bool start = true;
};

Programs& ThePrograms() {
    static Programs& programs = *new Programs;  // never destroyed: used until the process ends
    return programs;
}

}  // namespace

void fake::SetRunningProgramNames(std::vector<std::wstring> names) {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    ThePrograms().names = std::move(names);
}

std::vector<std::wstring> RunningProgramNames() {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    return ThePrograms().names;
}

bool StartProgram(const std::wstring& path, const std::vector<std::wstring>& arguments) {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    ThePrograms().started.push_back({path, arguments});
    return ThePrograms().start;
}

std::vector<fake::StartedProgram> fake::StartedPrograms() {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    return ThePrograms().started;
}

void fake::ClearStartedPrograms() {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    ThePrograms().started.clear();
}

void fake::SetProgramsStart(bool start) {
    std::lock_guard<std::mutex> guard(ThePrograms().lock);
    ThePrograms().start = start;
}

}  // namespace plat
