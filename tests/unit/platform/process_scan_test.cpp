#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/gtk/process_scan.h"
#include "platform/processes.h"
#include "support/TestEnvironment.h"

using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

void AddProcess(const std::string& proc, const std::string& pid, const std::string& cmdline,
                const std::string& exe, const std::string& comm) {
    const std::string folder = proc + "/" + pid;
    fs::create_directories(folder);
    WriteFile(folder + "/cmdline", cmdline);
    WriteFile(folder + "/comm", comm + "\n");
    if (!exe.empty()) {
        fs::create_symlink(exe, folder + "/exe");
    }
}

TEST(ProcessScan, ProgramNamesOfWindowsAndLinuxPrograms) {
    TempDir root;
    const std::string proc = root.path();
    AddProcess(proc, "100", "C:\\Program Files\\Sunflower\\sunflowerTools.exe\0-x\0"s,
               "/usr/lib/wine/wine64-preloader", "sunflowerTools.");
    AddProcess(proc, "101", "\\\\cafe-host\\share\\QQmenu.exe\0"s, "/usr/bin/wine", "QQmenu.exe");
    AddProcess(proc, "102", "bash\0-l\0"s, "/usr/bin/bash", "bash");
    AddProcess(proc, "103", "/opt/x/a-very-long-program-name\0"s,
               "/opt/x/a-very-long-program-name (deleted)", "a-very-long-pro");
    AddProcess(proc, "104", "", "", "kthreadd");                // no link to follow: its short name
    AddProcess(proc, "105", "C:\0"s, "/usr/bin/wine", "wine");  // not a full Windows path
    AddProcess(proc, "self", "C:\\x\\self.exe\0"s, "", "self");  // not a process id
    fs::create_directories(proc + "/106");                       // ended while being read

    std::vector<std::wstring> names = plat::linux_proc::ProgramNamesUnder(proc);
    std::sort(names.begin(), names.end());
    const std::vector<std::wstring> expected = {
        L"QQmenu.exe", L"a-very-long-program-name", L"bash",
        L"kthreadd",   L"sunflowerTools.exe",       L"wine"};
    EXPECT_EQ(names, expected);
}

TEST(ProcessScan, ThisMachineRunsThisTest) {
    const std::vector<std::wstring> names = plat::RunningProgramNames();
    EXPECT_NE(std::find(names.begin(), names.end(), L"velkora_linux_readings_tests"), names.end());
}

}  // namespace
