// A statistics service on a local port for the report tests: it keeps every request target in
// arrival order, answers with a body naming the target, and can fail or hold requests.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "net/Recorder.h"
#include "support/LocalHttpServer.h"

namespace report_test {

inline constexpr char kServicePath[] = "/controller/istat.controller.php";

class ReportServer {
public:
    ReportServer() {
        m_http.server().Get(
            kServicePath, [this](const httplib::Request& req, httplib::Response& res) {
                {
                    std::lock_guard<std::mutex> guard(m_lock);
                    m_targets.push_back(req.target);
                }
                m_changed.notify_all();
                if (!m_heldEvent.empty() && req.get_param_value("ext_1") == m_heldEvent) {
                    m_release.Wait();
                }
                res.status = m_status.load();
                res.set_content(Answer(req.target), "text/plain");
            });
        m_http.Start();
    }
    ~ReportServer() { m_release.Open(); }

    static std::string Answer(const std::string& target) { return "answer to " + target; }

    std::wstring ServiceAddress() const { return m_http.Url(kServicePath); }
    void FailWith(int status) { m_status = status; }
    // Requests with this event code wait until Release; set before the first request.
    void Hold(const std::string& eventCode) { m_heldEvent = eventCode; }
    void Release() { m_release.Open(); }

    // The target of the count-th request, once it has arrived; empty after a generous time.
    std::string WaitForRequest(std::size_t count) {
        std::unique_lock<std::mutex> guard(m_lock);
        const bool arrived = m_changed.wait_for(guard, std::chrono::seconds(20),
                                                [&] { return m_targets.size() >= count; });
        return arrived ? m_targets[count - 1] : std::string();
    }
    std::vector<std::string> Targets() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_targets;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::string> m_targets;
    std::atomic<int> m_status{200};
    std::string m_heldEvent;
    net_test::Gate m_release;
    testing_support::LocalHttpServer m_http;  // last: its handlers use the members above
};

}  // namespace report_test
