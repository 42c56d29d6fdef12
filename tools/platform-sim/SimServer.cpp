#include "SimServer.h"

#include <sys/socket.h>

#include <chrono>
#include <stdexcept>

#include "Routes.h"

namespace {

// httplib's default sets SO_REUSEPORT, which would let a second sim share a taken port
// silently; address reuse alone still fails on a port another program listens on.
void ExclusiveSocket(socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

}  // namespace

SimServer::SimServer(const Options& options, RequestLog& log) : m_options(options), m_log(log) {
    for (Host host : kAllHosts) {
        if (!options[host].refused) {
            m_listeners.push_back(
                {host, options[host].listen, std::make_unique<httplib::Server>()});
        }
    }
}

SimServer::~SimServer() {
    Stop();
}

bool SimServer::Delay(int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

void SimServer::Configure(Listener& listener) {
    httplib::Server& server = *listener.server;
    const HostOptions& options = m_options[listener.host];
    server.set_pre_routing_handler(
        [this, options](const httplib::Request&, httplib::Response& res) {
            if (options.delayMs > 0 && !Delay(options.delayMs)) {
                res.status = 503;
                return httplib::Server::HandlerResponse::Handled;
            }
            if (options.errorStatus != 0) {
                res.status = options.errorStatus;
                res.set_content("platform-sim: error " + std::to_string(options.errorStatus) + "\n",
                                "text/plain; charset=utf-8");
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });
    // Logged before the answer leaves, so whoever got the answer finds the line in the log.
    server.set_post_routing_handler(
        [this, name = std::string(HostName(listener.host)), port = listener.address.port](
            const httplib::Request& req, const httplib::Response& res) {
            m_log.Write(name, port, req.method, req.target, res.status);
        });
    AddRoutes(listener.host, server, m_options);
}

void SimServer::Start() {
    for (Listener& listener : m_listeners) {
        httplib::Server& server = *listener.server;
        server.set_socket_options(ExclusiveSocket);
        const int port = listener.address.port == 0
                             ? server.bind_to_any_port(listener.address.ip)
                             : (server.bind_to_port(listener.address.ip, listener.address.port)
                                    ? listener.address.port
                                    : -1);
        if (port < 0) {
            throw std::runtime_error(std::string("cannot listen for the ") +
                                     HostName(listener.host) + " host on " + listener.address.ip +
                                     ":" + std::to_string(listener.address.port) +
                                     " (port taken or address not available)");
        }
        listener.address.port = port;
        Configure(listener);
    }
    for (Listener& listener : m_listeners) {
        m_threads.emplace_back([&server = *listener.server] { server.listen_after_bind(); });
    }
    // Ready means accepting: and a Stop before a server runs would not reach it.
    for (const Listener& listener : m_listeners) {
        while (!listener.server->is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

std::string SimServer::Addresses() const {
    std::string out;
    for (const Listener& listener : m_listeners) {
        out += std::string(HostName(listener.host)) + " http://" + listener.address.ip + ":" +
               std::to_string(listener.address.port) + "\n";
    }
    return out;
}

void SimServer::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
    for (Listener& listener : m_listeners) {
        listener.server->stop();
    }
    for (std::thread& thread : m_threads) {
        thread.join();
    }
    m_threads.clear();
}
