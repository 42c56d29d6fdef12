#include "net/WakeEvent.h"

void CWakeEvent::Signal() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_bSignalled = true;
    }
    m_changed.notify_one();
}

bool CWakeEvent::Wait(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> guard(m_lock);
    bool signalled = m_changed.wait_for(guard, timeout, [this] { return m_bSignalled; });
    m_bSignalled = false;
    return signalled;
}
