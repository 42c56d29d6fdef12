// An auto-reset event: a signal wakes one wait, and the wait consumes it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class CWakeEvent {
public:
    void Signal();
    // True when woken by a signal, false after the time-out.
    bool Wait(std::chrono::milliseconds timeout);

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_bSignalled = false;
};
