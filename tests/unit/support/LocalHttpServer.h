// An HTTP (or HTTPS, with a fresh self-signed certificate) server on 127.0.0.1, on a port the
// system chose, running on its own thread until the object is destroyed.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

namespace testing_support {

class LocalHttpServer {
public:
    enum class Kind { Plain, SelfSignedTls };

    explicit LocalHttpServer(Kind kind = Kind::Plain);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Register the handlers, then Start.
    httplib::Server& server() { return *m_server; }
    void Start();
    // "http://127.0.0.1:port" (or https), no trailing slash.
    std::string Base() const;
    std::wstring Url(const std::string& path) const;

private:
    Kind m_kind;
    std::unique_ptr<httplib::Server> m_server;
    int m_port = -1;
    std::thread m_thread;
};

}  // namespace testing_support
