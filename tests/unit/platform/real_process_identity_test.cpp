#include <gtest/gtest.h>

#include "platform/shell.h"

namespace {

TEST(ProcessIdentity, ReportsThisProgram) {
    const std::wstring path = plat::ModuleFilePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), L'/');
    EXPECT_NE(path.find(L"velkora_process_identity_tests"), std::wstring::npos);
    const std::wstring commandLine = plat::CommandLineText();
    EXPECT_NE(commandLine.find(L"velkora_process_identity_tests"), std::wstring::npos);
}

}  // namespace
