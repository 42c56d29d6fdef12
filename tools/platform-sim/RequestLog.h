// One line per answered request, written whole and flushed before the answer is sent, so that a
// test reading the file after an answer finds its line complete:
//   HOST PORT METHOD TARGET STATUS
// TARGET is the path and query exactly as the request line carried them.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

class RequestLog {
public:
    // An empty path logs to standard output. Throws std::runtime_error when the file cannot be
    // opened.
    explicit RequestLog(const std::string& path);
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    void Write(const std::string& host, int port, const std::string& method,
               const std::string& target, int status);

private:
    std::mutex m_mutex;
    std::FILE* m_file;
    bool m_owned;
};
