// What the download callbacks of a test saw, and ways to wait for it across threads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/DownloadTask.h"

namespace net_test {

struct Event {
    std::int32_t taskId;
    std::int32_t event;
    std::int32_t value;
    std::intptr_t extra;
    std::thread::id thread;
    std::wstring filePath;  // the task's path as reported with DOWNLOAD_FINISHED
};

class Recorder {
public:
    // A DownloadCallback; the user data is the Recorder.
    static std::int32_t Callback(void* user, std::int32_t taskId, std::int32_t event,
                                 std::int32_t value, std::intptr_t extra) {
        auto* self = static_cast<Recorder*>(user);
        Event seen{taskId, event, value, extra, std::this_thread::get_id(), {}};
        if (event == DOWNLOAD_FINISHED) {
            seen.filePath = reinterpret_cast<const DownloadTask*>(extra)->strFilePath;
        }
        self->Add(seen);
        return 0;
    }

    void Add(const Event& event) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_events.push_back(event);
        }
        m_changed.notify_all();
    }

    std::vector<Event> Events() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_events;
    }

    std::vector<Event> Of(std::int32_t event) {
        std::vector<Event> found;
        for (const Event& e : Events()) {
            if (e.event == event) {
                found.push_back(e);
            }
        }
        return found;
    }

    // True once count events of that kind were seen; false after a generous time.
    bool WaitFor(std::int32_t event, std::size_t count,
                 std::chrono::seconds timeout = std::chrono::seconds(20)) {
        std::unique_lock<std::mutex> guard(m_lock);
        return m_changed.wait_for(guard, timeout, [&] {
            std::size_t n = 0;
            for (const Event& e : m_events) {
                n += e.event == event ? 1 : 0;
            }
            return n >= count;
        });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Event> m_events;
};

// A gate server handlers wait at until the test opens it.
class Gate {
public:
    void Open() {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_open = true;
        }
        m_changed.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> guard(m_lock);
        m_changed.wait_for(guard, std::chrono::seconds(30), [this] { return m_open; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_open = false;
};

}  // namespace net_test
