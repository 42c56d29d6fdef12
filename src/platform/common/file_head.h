// The first bytes of small kernel files (/proc, /sys) whose size the file system does not report.
#pragma once

#include <cstddef>
#include <string>

namespace plat {

// At most limit bytes; empty when the file cannot be read.
std::string ReadFileHead(const std::string& path, std::size_t limit);

// The same without the line breaks and spaces the kernel puts at the end of its texts.
std::string ReadFileLine(const std::string& path, std::size_t limit);

}  // namespace plat
