// A thread with a stop flag that its owner sets and the thread polls.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

class CThreadHolder {
public:
    using Body = std::int32_t (*)(void* param);

    CThreadHolder() = default;
    // Asks the thread to stop and waits for it.
    virtual ~CThreadHolder();
    CThreadHolder(const CThreadHolder&) = delete;
    CThreadHolder& operator=(const CThreadHolder&) = delete;

    // Clears the stop flag and runs body(param) on a new thread; false when no thread could start.
    bool Start(Body body, void* param);
    void RequestStop() { m_bStop.store(true); }
    // Waits for the thread's end; the body must be one that ends once the stop flag is set.
    void Join();
    const std::atomic<bool>& StopFlag() const { return m_bStop; }

private:
    static std::int32_t ThreadProc(CThreadHolder* holder);

    std::thread m_hThread;
    // Set from the owning thread while the running thread reads it, so every read must be fresh.
    std::atomic<bool> m_bStop{true};
    Body m_pfnBody = nullptr;
    void* m_pBodyParam = nullptr;
};
