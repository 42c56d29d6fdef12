#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/shell.h"
#include "platform/text.h"

namespace plat {

std::wstring CommandLineText() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!raw.empty() && raw.back() == '\0') {
        raw.pop_back();
    }
    for (char& c : raw) {
        if (c == '\0') {
            c = ' ';
        }
    }
    return FromUtf8(raw);
}

std::wstring ModuleFilePath() {
    std::string buffer(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(n));
    return FromUtf8(buffer);
}

}  // namespace plat
