#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file.h"
#include "platform/text.h"

namespace plat {

struct FileWriter::Impl {
    int fd = -1;
};

FileWriter::FileWriter() : m_impl(std::make_unique<Impl>()) {}

FileWriter::~FileWriter() {
    if (m_impl->fd >= 0) {
        ::close(m_impl->fd);
    }
}

bool FileWriter::Create(const std::wstring& path) {
    if (m_impl->fd >= 0) {
        return false;
    }
    // Downloads land in shared folders such as /tmp under fixed names: a link planted there by
    // someone else must not make the client overwrite the file it points to.
    m_impl->fd = ::open(ToUtf8(path).c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    return m_impl->fd >= 0;
}

bool FileWriter::Write(const void* data, std::uint32_t length) {
    const char* next = static_cast<const char*>(data);
    while (length > 0) {
        ssize_t n = ::write(m_impl->fd, next, length);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        next += n;
        length -= static_cast<std::uint32_t>(n);
    }
    return true;
}

bool RemoveFile(const std::wstring& path) {
    return ::unlink(ToUtf8(path).c_str()) == 0;
}

bool MakeExecutableForUser(const std::wstring& path) {
    const std::string file = ToUtf8(path);
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 &&
           ::chmod(file.c_str(), (info.st_mode & 07777) | S_IXUSR) == 0;
}

}  // namespace plat
