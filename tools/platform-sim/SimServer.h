// The HTTP servers of every host that is not refused, each on its own thread.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Options.h"
#include "RequestLog.h"

class SimServer {
public:
    SimServer(const Options& options, RequestLog& log);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Binds every host, then serves them; returns once all of them accept connections. Throws
    // std::runtime_error naming the host and its address when one cannot listen.
    void Start();
    // One "HOST http://IP:PORT" line per listening host, with the ports actually bound.
    std::string Addresses() const;
    // Cuts delayed answers short, stops serving and joins the threads.
    void Stop();

private:
    struct Listener {
        Host host;
        ListenAddress address;
        std::unique_ptr<httplib::Server> server;
    };

    void Configure(Listener& listener);
    // False when Stop came first.
    bool Delay(int ms);

    const Options& m_options;
    RequestLog& m_log;
    std::vector<Listener> m_listeners;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
};
