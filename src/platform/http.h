// One HTTP exchange, step by step, in the order a connection-oriented client library takes them
// (open a client, connect, open a request, add a header, send, query, read blocks), so that the
// system's transfer reads the same on every backend. Every blocking step polls the cancel flag
// given at opening and gives up promptly when it is set; connecting and stalled transfers time out,
// so no step can block a worker for good.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

struct HttpAddress {
    bool secure = false;  // "https": TLS with certificate and host-name verification
    std::wstring host;    // an IPv6 literal keeps its brackets
    std::uint16_t port = 0;
    std::wstring user;
    std::wstring password;
    std::wstring pathAndQuery;  // starts with "/"
};

class HttpClient {
public:
    // Opens a client handle that uses the system's proxy settings. cancel must outlive the client.
    HttpClient(const std::wstring& agent, const std::atomic<bool>& cancel);
    // Closes the request, the connection and the client handle, in that order.
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    bool IsOpen() const;
    bool Connect(const HttpAddress& address);
    bool OpenRequest(const std::wstring& verb);
    // A "Name: value" line without its line end; replaces a header of the same name.
    bool AddRequestHeader(const std::wstring& header);
    // Sends the request and waits for the final response's headers (redirections are followed).
    // False for any failure to reach the server, including a refused TLS handshake.
    bool SendRequest(const void* body, std::uint32_t length);
    bool QueryStatusCode(std::uint32_t& status);
    // False when the response announces no length, or one that does not fit 32 bits.
    bool QueryContentLength(std::uint32_t& length);
    // Fills the buffer unless the body ends first; read is 0 once the body has ended. False when
    // the transfer failed, stalled or was cancelled.
    bool ReadBlock(void* buffer, std::uint32_t size, std::uint32_t& read);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace plat
