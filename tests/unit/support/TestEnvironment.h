// Every unit test process runs with its own HOME, data folder and temporary folder, made before
// the first test and removed after the last.
#pragma once

#include <string>

namespace testing_support {

// A fresh folder below the process's temporary root, removed with its content when destroyed.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }  // no trailing separator
    std::wstring wpath() const;                         // with a trailing separator

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

}  // namespace testing_support
