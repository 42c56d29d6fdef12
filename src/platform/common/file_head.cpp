#include "platform/common/file_head.h"

#include <fstream>

namespace plat {

std::string ReadFileHead(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::string ReadFileLine(const std::string& path, std::size_t limit) {
    std::string text = ReadFileHead(path, limit);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace plat
