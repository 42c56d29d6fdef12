#include <mutex>

#include "platform/fake/fake_process.h"
#include "platform/processes.h"

namespace plat {

namespace {

struct Programs {
    std::mutex lock;
    std::vector<std::wstring> names;
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

}  // namespace plat
