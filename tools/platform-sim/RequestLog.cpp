#include "RequestLog.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

RequestLog::RequestLog(const std::string& path)
    : m_file(path.empty() ? stdout : std::fopen(path.c_str(), "a")), m_owned(!path.empty()) {
    if (m_file == nullptr) {
        throw std::runtime_error("cannot open the log '" + path + "': " + std::strerror(errno));
    }
}

RequestLog::~RequestLog() {
    if (m_owned) {
        std::fclose(m_file);
    }
}

void RequestLog::Write(const std::string& host, int port, const std::string& method,
                       const std::string& target, int status) {
    const std::string line = host + " " + std::to_string(port) + " " + method + " " + target + " " +
                             std::to_string(status) + "\n";
    std::lock_guard<std::mutex> lock(m_mutex);
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}
