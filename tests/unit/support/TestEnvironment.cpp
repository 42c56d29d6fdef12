#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

std::string& Root() {
    static std::string root;
    return root;
}

class ProcessEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "velkora-test-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create the test folder");
        }
        Root() = pattern;
        std::filesystem::create_directories(Root() + "/home");
        std::filesystem::create_directories(Root() + "/data");
        std::filesystem::create_directories(Root() + "/tmp");
        ::setenv("HOME", (Root() + "/home").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (Root() + "/data").c_str(), 1);
        ::setenv("TMPDIR", (Root() + "/tmp").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(Root()); }
};

const bool kRegistered = [] {
    ::testing::AddGlobalTestEnvironment(new ProcessEnvironment);
    return true;
}();

}  // namespace

TempDir::TempDir() {
    std::string pattern = Root() + "/case-XXXXXX";
    if (Root().empty() || ::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a test folder");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::wstring TempDir::wpath() const {
    return std::filesystem::path(m_path).wstring() + L"/";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

}  // namespace testing_support
