#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "platform/common/ini_text.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace plat {

namespace {

// Reads and writes from the UI thread and the download workers would otherwise interleave their
// read-modify-write cycles and lose each other's keys.
std::mutex& ProfileLock() {
    static std::mutex& lock = *new std::mutex;  // never destroyed: used until the process ends
    return lock;
}

// An absent file reads as empty; nullopt when it exists but cannot be read, since a write must
// not replace what it never saw.
std::optional<std::string> ReadWhole(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    std::string content;
    char block[65536];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        content.append(block, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

std::optional<std::string> ReadValue(const std::wstring& section, const std::wstring& key,
                                     const std::wstring& file) {
    std::optional<std::string> content = ReadWhole(ToUtf8(file));
    if (!content) {
        return std::nullopt;
    }
    return ini::FindValue(*content, section, key);
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes through a link to its target, so that a linked settings file stays linked.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

bool ReplaceFile(const std::string& path, const std::string& content) {
    struct stat previous {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &previous) == 0) {
        mode = previous.st_mode & 07777;
    }
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace

std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key,
                              const std::wstring& def, const std::wstring& file) {
    std::lock_guard<std::mutex> guard(ProfileLock());
    std::optional<std::string> value = ReadValue(section, key, file);
    return value ? FromUtf8(*value) : def;
}

int ProfileGetInt(const std::wstring& section, const std::wstring& key, int def,
                  const std::wstring& file) {
    std::optional<std::string> value;
    {
        std::lock_guard<std::mutex> guard(ProfileLock());
        value = ReadValue(section, key, file);
    }
    if (!value || value->empty()) {
        return def;
    }
    // The profile API's reading: white space, a sign, digits; the rest is ignored and the
    // number wraps like the 32-bit integer it lands in.
    std::size_t i = 0;
    while (i < value->size() && std::isspace(static_cast<unsigned char>((*value)[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+')) {
        negative = (*value)[i] == '-';
        ++i;
    }
    std::uint32_t number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
        number = number * 10u + static_cast<std::uint32_t>((*value)[i] - '0');
    }
    if (negative) {
        number = 0u - number;
    }
    return static_cast<int>(number);
}

bool ProfileWriteString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file) {
    std::lock_guard<std::mutex> guard(ProfileLock());
    const std::string path = ResolvedTarget(ToUtf8(file));
    std::optional<std::string> content = ReadWhole(path);
    if (!content) {
        return false;
    }
    return ReplaceFile(path, ini::SetValue(*content, section, key, ToUtf8(value)));
}

}  // namespace plat
