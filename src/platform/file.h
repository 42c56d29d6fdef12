// Output files written block by block, and their removal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plat {

class FileWriter {
public:
    FileWriter();
    ~FileWriter();  // closes the file
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Creates the file or truncates an existing one.
    bool Create(const std::wstring& path);
    // False unless every byte was written.
    bool Write(const void* data, std::uint32_t length);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// False when nothing could be removed, a missing file included.
bool RemoveFile(const std::wstring& path);

// Lets the file's owner execute it, keeping the rest of its mode; false when it could not.
bool MakeExecutableForUser(const std::wstring& path);

}  // namespace plat
